void f(void)
{
    s = "open;
    x =
