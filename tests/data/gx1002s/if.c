/* FUNCTION : checks a flag */
void check(int f)
{
    if (f) {            /* flag set? */
        f = 0;          /* clear it */
    }
    if (f > 1) {        /* empty branch */
    }
    if (f < 0)          /* one statement */
        f = -f;         /* negate */
}
