/* FUNCTION : names a code */
int name(int c)
{
    switch (c) {            /* by code */
    case 1:                 /* one */
    case 2:                 /* two */
        c = 10;             /* small */
        break;
    case 3:                 /* three */
        c = 30;             /* medium */
    case 4:                 /* four */
        c = 40;             /* big */
        break;
    default:
        c = 0;              /* none */
        break;
    }
    return c;
}
