/* FUNCTION : do loops */
void loops(void)
{
    do {                    /* outer */
        a();                /* step */
    } while (x);            /* while x */
    do {
        b();                /* other */
    } while (y);
    do {                    /* empty */
    } while (z);            /* cond z */
    do {
        c = 1;
    } while (w);
    k = 2;                  /* after */
}
