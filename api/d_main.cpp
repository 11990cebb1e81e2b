// The default `main` of a client program: the whole life of the client.
#include "vapi/runtime.h"

int main()
{
    return V_ApiRun();
}
