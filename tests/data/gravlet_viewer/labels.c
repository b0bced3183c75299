/* FUNCTION : a label under a text with an underscore */
void labels(void)
{
    a = 1;                          /* a_b */
    c = 2;                          /* next */
}
