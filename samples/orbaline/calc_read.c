/* 電卓の見本: 数の読み取り */
#include <ctype.h>

int checked(int value);

/* FUNCTION : 一桁ずつ読む（再帰） */
int read_digits(const char *text, int value)
{
    if (!isdigit((unsigned char)*text)) {
        return value;
    }
    return read_digits(text + 1, value * 10 + (*text - '0'));
}

/* FUNCTION : 文字列を数にする */
int read_number(const char *text)
{
    return checked(read_digits(text, 0));
}
