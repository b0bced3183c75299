int plain(int a)
{
    int b;
    b = a * 2;
    use(b);
    return b;
}
