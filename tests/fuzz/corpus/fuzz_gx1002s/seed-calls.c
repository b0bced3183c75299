/* FUNCTION : calls others */
void caller(int x)
{
    setup();                /* prepare */
    x = compute(x, 2);      /* work */
    obj->method(x);         /* notify */
    (*handler)(x);          /* callback */
    log_it(x);
    y = (long)(x + 1);      /* cast, no call */
}
