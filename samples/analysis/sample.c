/*
 * sample.c -- a small source for the analysis
 */
#include <stdio.h>
#include "sample.h"

#define MAX_COUNT 10
#define SQUARE(x) ((x) * (x))
#define FOREVER for (;;)

static int table[MAX_COUNT] = { 1, 2, 3 };

/* NAME: count_items
   FUNCTION: counts the items below a limit */
int count_items(int limit)
{
    int i, n = 0;
    for (i = 0; i < MAX_COUNT; i++)
        if (table[i] < limit)
            n++;
        else
            break;
    return n;   /* the count */
}

#if MAX_COUNT > 5
int big(void) { return 1; }
#else
int small(void) { return 0; }
#endif

/* old-style parameters */
long area(w, h)
long w;
long h;
{
    if (w < 0) {
        return 0;
    } else {
        return w * h;
    }
}

extern "C" {
int c_linkage(void);
}

class Shape {
public:
    int sides;
    int get() { return sides; }
};

void spin(void)
{
    do {
        FOREVER break;
    } while (0);
    switch (SQUARE(2)) {
    case 4:
        break;
    default:
        break;
    }
}
