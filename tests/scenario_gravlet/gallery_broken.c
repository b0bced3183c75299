/* FUNCTION : a function whose block is never closed */
int broken(int value)
{
    if (value > 0) {            /* positive */
        return value;
