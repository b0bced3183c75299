/* A scheduler in the manner of small real-time kernels: attribute macros
   after prototypes and heads, long continued macros. */
#include "kernel.h"

#define portYIELD() yield_now()

/* Records a switch of tasks in the trace buffer; each line notes one field. */
#define traceTASK_SWITCHED_IN(tcb) \
    do { \
        /* the time the task starts to run, in ticks of the system clock since the start (0) */ \
        /* the number of the task, as the list of all tasks gives it to each one when it is made (1) */ \
        /* the priority the task runs at, which a mutex that it holds may have raised for a while (2) */ \
        /* the stack pointer the task left when it was switched out, for the check of the stack (3) */ \
        /* the number of times the task ran, kept for the statistics of the run time of each task (4) */ \
        /* the time the task starts to run, in ticks of the system clock since the start (5) */ \
        trace_field(0, (tcb)); \
        /* the number of the task, as the list of all tasks gives it to each one when it is made (6) */ \
        /* the priority the task runs at, which a mutex that it holds may have raised for a while (7) */ \
        /* the stack pointer the task left when it was switched out, for the check of the stack (8) */ \
        /* the number of times the task ran, kept for the statistics of the run time of each task (9) */ \
        /* the time the task starts to run, in ticks of the system clock since the start (10) */ \
        /* the number of the task, as the list of all tasks gives it to each one when it is made (11) */ \
        trace_field(1, (tcb)); \
        /* the priority the task runs at, which a mutex that it holds may have raised for a while (12) */ \
        /* the stack pointer the task left when it was switched out, for the check of the stack (13) */ \
        /* the number of times the task ran, kept for the statistics of the run time of each task (14) */ \
        /* the time the task starts to run, in ticks of the system clock since the start (15) */ \
        /* the number of the task, as the list of all tasks gives it to each one when it is made (16) */ \
        /* the priority the task runs at, which a mutex that it holds may have raised for a while (17) */ \
        trace_field(2, (tcb)); \
        /* the stack pointer the task left when it was switched out, for the check of the stack (18) */ \
        /* the number of times the task ran, kept for the statistics of the run time of each task (19) */ \
        /* the time the task starts to run, in ticks of the system clock since the start (20) */ \
        /* the number of the task, as the list of all tasks gives it to each one when it is made (21) */ \
        /* the priority the task runs at, which a mutex that it holds may have raised for a while (22) */ \
        /* the stack pointer the task left when it was switched out, for the check of the stack (23) */ \
        trace_field(3, (tcb)); \
    } while (0)

static void prvIdleTask(void *params) PRIVILEGED_FUNCTION;
static void prvCheckDelayedTasks(void) PRIVILEGED_FUNCTION;
static void (*prvGetHook(int id))(void) PRIVILEGED_FUNCTION;

static PRIVILEGED_DATA struct TaskList {
    int count;                          /* tasks in the list */
    struct TCB *first;
} ready_list = { 0, 0 };

/* FUNCTION : choose the next task to run */
void vTaskSwitchContext(void) PRIVILEGED_FUNCTION
{
    struct TCB *tcb = ready_list.first;
    if (scheduler_suspended)            /* not now */
        for (;;) {                      /* wait */
            portYIELD();                /* give way */
        } else                          /* switch */
            traceTASK_SWITCHED_IN(tcb); /* record it */
}

/* FUNCTION : the idle task */
static void prvIdleTask(void *params)
{
    for (;;) {
        prvCheckDelayedTasks();         /* wake the sleepers */
        if (ready_list.count > 1)       /* others wait */
            portYIELD();                /* let them run */
    }
}

/* FUNCTION : wake the tasks whose delay ran out */
static void prvCheckDelayedTasks(void)
{
    struct stat st;
    if (stat(delay_file, &st) == 0)     /* a delay is set */
        wake(st.st_size);               /* wake the tasks */
}

/* FUNCTION : the hook of an event */
static void (*prvGetHook(int id))(void)
{
    return hooks[id];                   /* from the table */
}
