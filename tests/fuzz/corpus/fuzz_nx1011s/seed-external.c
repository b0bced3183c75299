int g_last;
int g_total;

/*
 * FUNCTION    : keeps a running total
 * INPUT       : a - addend
 * OUTPUT(EXT) : g_last - last sum
 * OUTPUT      : out - the sum
 * UPDATE(EXT) : g_total - running total
 * UPDATE      : count - calls so far
 */
int keep(int a, int *out, int *count)
{
    return 0;
}
