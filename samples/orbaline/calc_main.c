/* A small calculator: reads numbers, sums them and prints the report. */
#include <stdio.h>

int read_number(const char *text);
int add_all(const int *values, int count);
void print_report(int total, int count);

int main(void)
{
    static const char *inputs[] = {"12", "30", "7"};
    int values[3];
    int i;

    for (i = 0; i < 3; i++) {
        values[i] = read_number(inputs[i]);
    }
    print_report(add_all(values, 3), 3);
    return 0;
}

void print_report(int total, int count)
{
    printf("%d numbers, total %d\n", count, total);
    log_line("report printed");
}
