/* gen_batch_second.c - one closing brace too many */

/*
 * NAME     : checked
 * FUNCTION : tests its argument
 */
int checked(int a)
{
    if (a) {
        return 1;
    }
    return 0;
}
}
