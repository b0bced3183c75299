/* FUNCTION : finds a key */
int find(int *a, int n, int k)
{
    int i;
    for (i = 0; i < n; i++) {   /* scan */
        if (a[i] < 0) {         /* skip negatives */
            continue;           /* next one */
        }
        if (a[i] == k) {        /* found? */
            break;              /* stop */
        }
    }
    if (i == n) {               /* missing */
        goto fail;              /* error exit */
    }
    return i;                   /* index */
fail:
    return -1;                  /* not found */
}
