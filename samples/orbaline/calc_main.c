/* 電卓の見本: 数を読み、合計して報告する（ORBALINE の見本） */
#include <stdio.h>

int read_number(const char *text);
int add_all(const int *values, int count);
void print_report(int total, int count);
void log_line(const char *text);

/* FUNCTION : 数を読み合計を報告 */
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

/* FUNCTION : 合計と件数を表示 */
void print_report(int total, int count)
{
    printf("%d 件、合計 %d\n", count, total);
    log_line("報告した");
}
