/* gen_lookup.c - a table and its search */
#include <string.h>

static const char *g_names[] = {"alpha", "beta", "gamma"};

/*
 * NAME     : find_name
 * FUNCTION : finds a name in the table
 * INPUT    : name - the name to find
 * RETURN   : its index, or -1
 */
int find_name(const char *name)
{
    int i;
    for (i = 0; i < 3; i++) {
        if (strcmp(g_names[i], name) == 0) return i;
    }
    return -1;
}

/*
 * NAME     : name_count
 * FUNCTION : the number of names
 * RETURN   : 3
 */
int name_count(void)
{
    return 3;
}
