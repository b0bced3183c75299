/* gen_noheader.c - names a header that is not there */
#include "absent.h"

/*
 * NAME     : probe
 * FUNCTION : returns a constant
 * RETURN   : 1
 */
int probe(void)
{
    return 1;
}
