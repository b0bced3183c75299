int g_flag;

/*
 *          : orphan continuation
 * INPUT    : g_flag - global flag
 * UPDATE   : p - pointer
 */
void set(int *p)
{
}
