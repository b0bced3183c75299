/* FUNCTION : set up */
void init(void)
{
    reset(0);
}

/* FUNCTION : one step */
int step(int i)
{
    if (i > 0)
        return step(i - 1);   /* recursion */
    report("step");
    return log_value(i);
}

void reset(int v)
{
    buffer_clear(v);
}
