/* headed.c - comment styles */
#include <stdio.h>

int g_total;

/*
 * NAME     : add
 * FUNCTION : adds two numbers
 *          : and keeps the total
 * PROCESS  : sums a and b
 * INPUT    : a - first
 *          : b - second
 * INPUT(EXT) : g_total - running total
 * OUTPUT   : *out - the sum
 * RETURN   : 0 always
 */
int add(int a, int b, int *out)
{
    /* FUNCTION: not collected */
    *out = a + b;
    g_total += *out;
    return 0;
}

// FUNCTION: old style definition
// PROCESS : nothing
//         : really nothing
int old(a, b)
int a;
char *b;
{
    return a;
}

/* REMARKS: a comment before a declaration */
static int s_count;

/** CALL : add **/
Foo::~Foo()
{
}

int operator+(const A& x, const B& y)
{
    return 1;
}

int Bar::get() const
{
    return 0;
}

void plain(void)
{
}
