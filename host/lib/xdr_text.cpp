#include "xdr_text.h"

#include "shown_text.h"

#include <type_traits>

namespace vxhost {
namespace {

struct Text {
    std::string out;
    bool lastWasInt = false;
    long lastInt = 0;
    size_t lastIntAt = 0;  // where the last integer starts in `out`
    u_int pendingPad = 0;  // zero fill expected after a string's bytes
    u_int position = 0;
};

Text &text(XDR *x) { return *static_cast<Text *>(x->x_private); }

void separate(Text &t)
{
    if (!t.out.empty())
        t.out += ", ";
}

bool_t put_long(XDR *x, const long *value)
{
    Text &t = text(x);
    separate(t);
    t.lastIntAt = t.out.size();
    t.out += std::to_string(*value);
    t.lastWasInt = true;
    t.lastInt = *value;
    t.pendingPad = 0;
    t.position += 4;
    return TRUE;
}

bool all_zero(const char *bytes, u_int count)
{
    for (u_int i = 0; i < count; ++i)
        if (bytes[i] != 0)
            return false;
    return true;
}

bool_t put_bytes(XDR *x, const char *bytes, u_int count)
{
    Text &t = text(x);
    t.position += count;
    if (t.pendingPad != 0 && count == t.pendingPad && all_zero(bytes, count)) {
        t.pendingPad = 0;
        return TRUE;
    }
    // A string's length was written just before its bytes: show the bytes
    // in its place.
    if (t.lastWasInt && t.lastInt == static_cast<long>(count))
        t.out.resize(t.lastIntAt);
    else
        separate(t);
    t.out += quoted(std::string_view(bytes, count));
    t.lastWasInt = false;
    t.pendingPad = (4 - count % 4) % 4;
    return TRUE;
}

bool_t get_long(XDR *, long *) { return FALSE; }
bool_t get_bytes(XDR *, char *, u_int) { return FALSE; }
u_int get_position(XDR *x) { return text(x).position; }
bool_t set_position(XDR *, u_int) { return FALSE; }
int32_t *no_inline(XDR *, u_int) { return nullptr; }
void destroy(XDR *) {}
bool_t control(XDR *, int, void *) { return FALSE; }

// The operations record is declared inside XDR itself.
using Ops = std::remove_pointer_t<decltype(XDR::x_ops)>;
Ops text_ops = {get_long, put_long,  get_bytes, put_bytes, get_position,
                          set_position, no_inline, destroy, control};

}  // namespace

std::string xdr_text(xdrproc_t codec, void *record)
{
    Text t;
    XDR x{};
    x.x_op = XDR_ENCODE;
    x.x_ops = &text_ops;
    x.x_private = &t;
    if (!codec(&x, record, 0))
        t.out += t.out.empty() ? "(unencodable)" : ", (unencodable)";
    return t.out;
}

}  // namespace vxhost
