/* FUNCTION : special comments */
void special(int a)
{
    a = 1;                  /* plain */
    a = 2;                  /* shown +*/
    a = 3;                  /* hidden -*/
    a = 4;                  /* range starts ++*/
    a = 5;                  /* inside */
    a = 6;                  /* range ends --*/
    a = 7;                  /* outside again */
    a = 8;                  /* see -<marked>- too */
}
