/* A client written in C: it defines only the entry points it needs and
   takes main, the runtime and the other defaults from the library. Each call
   is written to standard output. */
#include "vapi/runtime.h"

#include <stdio.h>

void V_ApiInitialize(int32_t initialization)
{
    printf("init %d\n", (int)initialization);
}

void V_ApiCommand(int32_t command)
{
    printf("command %d\n", (int)command);
}

void V_ApiNotify(int32_t notification, uint32_t docId, StringT sparm, int32_t iparm)
{
    printf("notify %d %u %s %d\n", (int)notification, (unsigned)docId, sparm, (int)iparm);
}
