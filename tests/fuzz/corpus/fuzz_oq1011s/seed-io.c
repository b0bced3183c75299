/* FUNCTION : print a report line */
void report(const char *text)
{
    puts(text);
}

/* FUNCTION : never called */
int unused_helper(void)
{
    return reset_count();
}
