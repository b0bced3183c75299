/* FUNCTION : grades a score */
int grade(int s)
{
    int g;
    if (s > 80) {           /* high */
        g = 1;              /* top grade */
    } else if (s > 50) {    /* middle */
        g = 2;              /* mid grade */
    } else {
        g = 3;              /* low grade */
    }
    return g;
}
