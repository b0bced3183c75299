/* FUNCTION : reads until end */
void reader(void)
{
    int c;
    do {                    /* read loop */
        c = next();         /* one char */
    } while (c != 0);       /* until nul */
}
