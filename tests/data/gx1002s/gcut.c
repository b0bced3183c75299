/* FUNCTION : cut code */
void cut(int value)
{
    if (value > 100) {
        value = compute_something_long(value, 12345);
    }
    value = 0;              /* reset */
}
