/* The calculator's helpers. */
#include <stdlib.h>

static int checked(int value)
{
    return value < 0 ? 0 : value;
}

int read_number(const char *text)
{
    return checked(atoi(text));
}

int add_all(const int *values, int count)
{
    int total = 0;
    int i;

    for (i = 0; i < count; i++) {
        total += checked(values[i]);
    }
    return total;
}
