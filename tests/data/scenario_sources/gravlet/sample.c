/*
 * NAME     : sample
 * FUNCTION : a small stock keeper for the PAD sample
 */
#include <stdio.h>

#define MAX_ITEMS 16

static int stock[MAX_ITEMS];

/* FUNCTION : counts the items that are out of stock */
int count_empty(void)
{
    int i;
    int empty = 0;

    for (i = 0; i < MAX_ITEMS; i++) {   /* every item */
        if (stock[i] == 0) {            /* none left */
            empty++;
        }
    }
    return empty;
}

/* FUNCTION : takes one item of a kind */
int take_item(int kind)
{
    if (kind < 0 || kind >= MAX_ITEMS) {    /* no such kind */
        return -1;
    } else if (stock[kind] == 0) {          /* sold out */
        report_empty(kind);
        return 0;
    } else {
        stock[kind]--;                      /* one less */
    }
    return 1;
}

/* FUNCTION : carries out one command of the keeper */
void run_command(int command, int kind)
{
    switch (command) {      /* by command */
    case 'a':               /* add */
        stock[kind]++;
        break;
    case 't':               /* take */
        take_item(kind);
        break;
    case 'c':               /* count */
        printf("%d\n", count_empty());
        break;
    default:
        report_unknown(command);
        break;
    }
    while (pending() > 0) { /* the queue */
        serve_next();
    }
    do {
        flush_log();        /* the log */
    } while (log_size() > 0);
}
