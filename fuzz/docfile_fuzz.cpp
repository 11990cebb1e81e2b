// The stand-in host's document file parser on arbitrary text: it either
// refuses the text with a line and a reason, or gives content whose canonical
// text parses back to the same content.
#include "docfile.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string_view text(reinterpret_cast<const char *>(data), size);
    vxhost::DocContent content;
    vxhost::DocFileError error;
    if (!vxhost::parseDocument(text, content, error)) {
        if (error.reason.empty())
            std::abort();
        return 0;
    }
    vxhost::DocContent again;
    if (!vxhost::parseDocument(vxhost::formatDocument(content), again, error) || !(again == content))
        std::abort();
    return 0;
}
