unsigned char far (*screen) = (unsigned char far *)MK_FP(0xA000, 0);
int (*hook)(int) = (int (*)(int))0;
int limit = (int)3;
EXPORT(int) helper(void);
/* FUNCTION : scale a value */
/* INPUT    : v - the value */
EXPORT(int) CALLBACK scale(int v)
{
    int x = 4 */*T*/2;          /* four times two */
    return helper() * x * v;    /* scaled */
}
/* FUNCTION : old-style area */
/* INPUT    : limit - the bound */
int area(w, h)
int w;
char *h;
{
    screen = (unsigned char far *)h;    /* poke */
    return scale(w) * limit;            /* scaled area */
}

/* FUNCTION : draw a pixel */
void draw(void */*T*/p)
{
    plot(p);                    /* draw */
}

/* FUNCTION : stop for good */
void stop(int code) __attribute__((noreturn))
{
    exit(code);                 /* gone */
}
