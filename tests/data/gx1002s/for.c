/* FUNCTION : sums an array */
int sum(int *a, int n)
{
    int i, s = 0;
    for (i = 0; i < n; i++) {   /* every item */
        s += a[i];              /* add it */
    }
    for (i = 0; i < n; i++)     /* again */
        s -= 1;                 /* less */
    return s;
}
