/*
 * sample.c -- a small source for NOTARIX's main job
 */
#include <stdio.h>

#define LIMIT 100

static long g_total;   /* running total */

/*
 * NAME: add_item
 * FUNCTION: adds one item to the running total
 * INPUT: value - the item's value
 * UPDATE: g_total - the running total
 * RETURN: the new total
 * PROGRAMMED: the documentation team
 * DATE: 2024-04-01
 */
long add_item(int value)
{
    if (value > LIMIT)
        value = LIMIT;
    g_total += value;
    return g_total;
}

/*
 * NAME: reset_total
 * FUNCTION: sets the running total back to zero
 * UPDATE: g_total - the running total
 */
void reset_total(void)
{
    g_total = 0;
}

/*
 * NAME: print_total
 * FUNCTION: prints the running total
 * OUTPUT: stdout - one line with the total
 * REMARKS: nothing is printed when the total is zero
 */
void print_total(void)
{
    if (g_total != 0) {
        printf("%ld\n", g_total);
    }
}
