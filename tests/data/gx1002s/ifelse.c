/* FUNCTION : picks a sign */
int sign(int x)
{
    if (x < 0) {        /* negative? */
        x = -1;         /* minus one */
    } else {            /* not negative */
        x = 1;          /* plus one */
    }
    if (x)              /* set? */
        x = 2;          /* two */
    else
        x = 3;          /* three */
    return x;
}
