/* print_two.c - two functions for the print and output scenarios */
#include <stdio.h>

static int g_count;   /* ”‚¦‚½Œ” */

/*
 * NAME     : count_items
 * FUNCTION : Œ”‚ğ”‚¦‚é
 * INPUT    : items - the items
 *            n - how many there are
 * UPDATE   : g_count - the running count
 * RETURN   : the new count
 * REMARKS  : •‰‚ÌŒ”‚Í”‚¦‚È‚¢
 */
int count_items(const int *items, int n)
{
    int i;
    for (i = 0; i < n; i++) {
        if (items[i] >= 0) g_count++;
    }
    return g_count;
}

/*
 * NAME     : show_count
 * FUNCTION : prints the count
 * OUTPUT   : stdout - one line
 */
void show_count(void)
{
    printf("%d\n", g_count);
}
