/* FUNCTION : deep */
void deep(int a)
{
    if (a) {                        /* level one */
        if (a > 1) {                /* level two */
            if (a > 2) {            /* level three */
                a = 0;              /* deepest */
            }
        }
    }
}
