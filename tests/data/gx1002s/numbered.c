/*
 * NAME     : scale
 * FUNCTION : scales a value
 */
int scale(int v)
{
    int r;              /* result */

    r = v * 3;          /* triple it */
    r += 1;             /* and one more */
    return r;           /* give it back */
}
