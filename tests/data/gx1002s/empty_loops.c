/* FUNCTION : waits */
void wait(volatile int *p)
{
    while (*p == 0) {       /* spin */
    }
    for (;;)                /* forever */
        ;
    while (*p) {
        *p = 0;             /* hidden: loop has no comment */
    }
}
