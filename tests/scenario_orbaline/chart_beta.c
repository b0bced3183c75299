int square(int x)
{
    return x * x;
}

int helper(int x)
{
    return square(x) + 1;
}
