/* FUNCTION : start here */
int main(void)
{
    helper();
    alpha_fn();
    log_it();
}

/* FUNCTION : the last one's helper */
static int helper(void)
{
    log_it();
    return 0;
}
