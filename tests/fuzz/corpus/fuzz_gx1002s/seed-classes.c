class Later;
int after_forward(void)     /* not swallowed */
{
    return 0;               /* zero */
}
class Box {
public:
    int area(void)
    {
        return w * h;       /* product */
    }
};
/* FUNCTION : stray else */
void stray(int a)
{
    a = 1;                  /* one */
    else {
        a = 2;              /* skipped */
    }
    a = 3;                  /* three */
}
