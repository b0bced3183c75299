/* FUNCTION : every kind of box */
int kinds(int n)
{
    int i;

    setup(n);                       /* prepare */
    total = 0;                      /* start */
    for (i = 0; i < n; i++) {       /* each item */
        total += weight(i);         /* add */
    }
    while (busy()) ;                /* wait */
    switch (n) {                    /* by size */
    case 0:                         /* none */
        return 0;
    case 1:                         /* one */
        total = 1;
        break;
    default:
        break;
    }
    if (total > 100) {              /* too much */
        total = 100;                /* cut */
    }
    return total;
}
