/* gen_batch_third.c - a clean source after the broken one */

/*
 * NAME     : third_value
 * FUNCTION : returns three
 * RETURN   : 3
 */
int third_value(void)
{
    return 3;
}
