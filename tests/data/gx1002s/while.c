/* FUNCTION : counts down */
void down(int n)
{
    while (n > 0) {         /* until zero */
        n--;                /* one less */
        tick(n);            /* tell */
    }
}
