/* FUNCTION : writes a line */
void log_it(void)
{
}

void caller_b(void)
{
    alpha_fn();
    log_it();
}
