/* FUNCTION : the first one's helper */
static int helper(void)
{
    alpha_fn();
    return 1;
}

/* FUNCTION : does the work */
void alpha_fn(void)
{
    log_it();
    helper();
    unknown_step();
}
