/*
 * NAME     : main
 * FUNCTION : program entry
 */
int main(int argc, char **argv)
{
    init();
    run(argc);
    report("done");
    return 0;
}

/* FUNCTION : run the loop */
static void run(int n)
{
    int i;
    for (i = 0; i < n; i++) {
        step(i);
    }
    report("loop");
    printf("run(%d)\n", n);
}
