/*
 * FUNCTION : splits the head
 * INPUT    : a - count
 *          : b - name
 * OUTPUT   : c - result
 */
int f(int a, char *b, long c[])
{
    return 0;
}

/* FUNCTION : nothing to split */
void g(void)
{
}

int h(x, y)
int x;
int y;
{
    return x;
}
