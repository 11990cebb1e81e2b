// The formatting core for a caller's output function, and the channel
// front end, V_Printf.
#include "vsupport/print.h"

#include "doprnt.h"

extern "C" int32_t Vde_doprnt(VdeOutFuncT out, void *context, const char *format, va_list args)
{
    return VdeDoprnt([out, context](const char *text, int32_t length) { return out(context, text, length); },
                     format, args);
}

namespace {

// Channel 0 is standard error through V_Warning, which wants terminated
// text; a literal run is not terminated where it ends, so it goes out in
// terminated chunks unless a null byte ends it within reach.
int32_t outchan(void *context, const char *text, int32_t length)
{
    auto *channel = static_cast<V_ChannelT *>(context);
    if (channel) {
        return channel->stream ? V_ChannelWrite(text, 1, length, channel) : 0;
    }
    size_t measured = strnlen(text, static_cast<size_t>(length) + 1);
    if (measured <= static_cast<size_t>(length)) {
        V_Warning(text);
        return static_cast<int32_t>(measured);
    }
    char chunk[256];
    for (int32_t done = 0; done < length;) {
        int32_t n = std::min<int32_t>(length - done, sizeof chunk - 1);
        std::memcpy(chunk, text + done, static_cast<size_t>(n));
        chunk[n] = '\0';
        V_Warning(chunk);
        done += n;
    }
    return length;
}

} // namespace

extern "C" int32_t VdeVPrintf(V_ChannelT *channel, const char *format, va_list args)
{
    return Vde_doprnt(outchan, channel, format, args);
}

extern "C" int32_t V_Printf(V_ChannelT *channel, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    int32_t n = VdeVPrintf(channel, format, args);
    va_end(args);
    return n;
}
