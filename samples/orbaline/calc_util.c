/* 電卓の見本: どこからも使う補助関数 */
#include <stdio.h>

/* FUNCTION : 負の数を零にする */
int checked(int value)
{
    return value < 0 ? 0 : value;
}

/* FUNCTION : 数の並びを合計する */
int add_all(const int *values, int count)
{
    int total = 0;
    int i;

    for (i = 0; i < count; i++) {
        total += checked(values[i]);
    }
    return total;
}

/* FUNCTION : 記録に一行書く */
void log_line(const char *text)
{
    fprintf(stderr, "calc: %s\n", text);
}
