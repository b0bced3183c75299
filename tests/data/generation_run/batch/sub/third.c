/* third.c - in a folder of its own */

/*
 * NAME     : third
 * FUNCTION : returns three
 * RETURN   : 3
 */
int third(void)
{
    return 3;
}
