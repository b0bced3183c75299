int broken(void)
{
    if (x {
        call_me();
}
