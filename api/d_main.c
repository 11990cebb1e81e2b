/* The default `main` of a client program: the whole life of the client.
   Exported from the shared library too, where a client's own main takes
   its place. */
#include "vapi/runtime.h"

__attribute__((visibility("default"))) int main(void)
{
    return V_ApiRun();
}
