/* FUNCTION : declares things */
void zone(void)
{
    static int count;       /* counter */
    char buf[8];            /* buffer */
    T value;                /* typedef'd */
    /* a stand-alone comment */
    count = 1;              /* set count */
}
typedef int T;
/* FUNCTION : uses the typedef */
void zone2(void)
{
    T v;                    /* declared */
    v = 1;                  /* assigned */
}
