/* the main program */
int helper(int x);
void report(void);

int main(void)
{
    int v = helper(2);
    report();
    return v;
}

void report(void)
{
    helper(3);
    missing_call();
}
