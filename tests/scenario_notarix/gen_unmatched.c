/* gen_unmatched.c - one closing brace too many */

/*
 * NAME     : broken
 * FUNCTION : tests its argument
 */
int broken(int a)
{
    if (a) {
        return 1;
    }
    return 0;
}
}
