/* gen_batch_first.c - a clean source at the head of the list */

/*
 * NAME     : first_value
 * FUNCTION : returns one
 * RETURN   : 1
 */
int first_value(void)
{
    return 1;
}
