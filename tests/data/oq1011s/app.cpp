/* FUNCTION : start here */
int main(void)
{
    Shape s;
    draw_all(&s, 1);
    if (s == s)
        s.~Shape();
    helper(2);
    return sizeof(Shape);
}

// FUNCTION : the other helper
static int helper(int n)
{
    return (int)(n + 1);
}
