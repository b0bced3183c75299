void f(void)
{
    x =
