// Finding, making, validating and deleting objects; session and control calls.
#include "apiclib.h"

using namespace vapi::shape;

namespace {

constexpr int32_t kSessionProgress = 104;

// Sleep calls: 0 once the host has slept, else the time not slept.
template <auto Stub>
int32_t sleep_for(int32_t duration)
{
    Reply<Stub> r(duration);
    return r ? 0 : duration;
}

}  // namespace

extern "C" {

uint32_t V_ApiGetNamedObject(uint32_t d, int32_t type, const char *n)
{
    return read<api_vx_get_named_object_1>({d, type, str(n)});
}
uint32_t V_ApiGetUniqueObject(uint32_t d, int32_t type, int32_t unique)
{
    return read<api_vx_get_unique_object_1>({d, type, unique});
}
uint32_t V_ApiNewNamedObject(uint32_t d, int32_t type, const char *n)
{
    return read<api_vx_new_named_object_1>({d, type, str(n)});
}
uint32_t V_ApiNewGraphicObject(uint32_t d, int32_t type, uint32_t o)
{
    return read<api_vx_new_graphic_object_1>({d, type, o});
}
uint32_t V_ApiNewSubObject(uint32_t d, uint32_t parent, int32_t type)
{
    return read<api_vx_new_sub_object_1>({d, parent, type});
}
uint32_t V_ApiNewSeriesObject(uint32_t d, int32_t type, uint32_t member)
{
    return read<api_vx_new_series_object_1>({d, type, member});
}
uint32_t V_ApiNewAnchoredObject(uint32_t d, int32_t type, const V_TextLocT *loc)
{
    return read<api_vx_new_anchored_object_1>({d, type, val(loc)});
}
uint32_t V_ApiNewAnchoredFormattedObject(uint32_t d, int32_t type, const char *format, const V_TextLocT *loc)
{
    return read<api_vx_new_anchored_formatted_object_1>({d, type, str(format), val(loc)});
}

int32_t V_ApiObjectValid(uint32_t d, uint32_t o)
{
    Reply<api_vx_object_valid_1> r({d, o});
    return r && !refused(*r) ? 1 : 0;
}
int32_t V_ApiDelete(uint32_t d, uint32_t o) { return status<api_vx_delete_1>({d, o}); }

int32_t V_ApiNotification(int32_t n, int32_t state) { return status<api_vx_notification_1>({n, state}); }
int32_t V_ApiReturnValue(int32_t value) { return plain<api_vx_return_value_1>(value, 0); }
int32_t V_ApiClientNumber(void) { return plain<api_client_number_1>(0); }
StringT V_ApiClientName(void) { return read<api_client_name_1>(0); }
StringT V_ApiClientDir(void) { return read<api_client_directory_1>(0); }
int32_t V_ApiSetClientDir(const char *dir) { return plain<api_set_client_directory_1>(str(dir)); }
int32_t V_ApiCallClient(const char *client, const char *message)
{
    return read<api_vx_call_client_1>({str(client), str(message)});
}
int32_t V_ApiSleep(int32_t seconds) { return sleep_for<api_vx_sleep_1>(seconds); }
int32_t V_ApiUSleep(int32_t microseconds) { return sleep_for<api_vx_usleep_1>(microseconds); }
int32_t V_ApiUserCancel(void) { return plain<api_vx_user_cancel_1>(0); }
int32_t V_ApiSystemShell(const char *command) { return plain<api_vx_system_shell_1>(str(command)); }
int32_t V_ApiForkAndExec(const char *path, const V_StringsT *args)
{
    return plain<api_vx_fork_and_exec_1>({str(path), val(args)});
}

int32_t V_Progress(int32_t percent)
{
    int32_t saved = VA_errno;
    VA_errno = 0;
    V_ApiSetInt(0, 0, kSessionProgress, percent);
    int32_t failed = VA_errno;
    VA_errno = saved;
    return failed ? -1 : 0;
}

}  // extern "C"
