// Named objects of the generic host: a name keeps its identifier, an unknown
// one is not found, and the number of names and their bytes are bounded.
#include "generic_host.h"

#include "document_types.h"
#include "vapi/procs.h"
#include "vapi/records.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using vxhost::generic::GenericHost;
namespace st = vxhost::status;

struct Named {
    vxhost::Host host;
    GenericHost generic{host};

    // The generic answer to 1051 (find) or 1053 (make) for that name.
    ApiVxObjRetT call(uint32_t proc, uint32_t doc, int32_t type, const std::string &name)
    {
        std::string text = name;
        ApiVxNewNamedObjArgT arg{doc, type, text.data()};
        ApiVxObjRetT result{};
        vxhost::HostCall c{*api_proc_find(proc), nullptr, &arg, &result};
        generic.answer(c);
        return result;
    }
};

TEST(GenericNamed, NamesKeepTheirObjectAndAreBounded)
{
    Named n;
    ApiVxObjRetT missing = n.call(1051, 1, 900, "Table");
    EXPECT_EQ(missing.status, st::kNoSuchName);
    EXPECT_EQ(missing.objId, 0u);

    ApiVxObjRetT made = n.call(1053, 1, 900, "Table");
    ASSERT_EQ(made.status, 0);
    ASSERT_NE(made.objId, 0u);
    EXPECT_EQ(n.call(1053, 1, 900, "Table").objId, made.objId);  // made again: the same one
    EXPECT_EQ(n.call(1051, 1, 900, "Table").objId, made.objId);
    // Another document or type is another object.
    EXPECT_NE(n.call(1053, 2, 900, "Table").objId, made.objId);
    EXPECT_NE(n.call(1053, 1, 901, "Table").objId, made.objId);

    // One name too long for what is left of the byte budget.
    ApiVxObjRetT huge = n.call(1053, 1, 900, std::string(GenericHost::kMaxNamedBytes + 1, 'x'));
    EXPECT_EQ(huge.status, st::kLimit);
    EXPECT_EQ(huge.objId, 0u);

    // Filling up to the count: the next new name is refused, known ones
    // are still found and made.
    for (size_t i = 3; i < GenericHost::kMaxNamedObjects; ++i)
        ASSERT_EQ(n.call(1053, 3, 900, std::to_string(i)).status, 0) << i;
    ApiVxObjRetT refused = n.call(1053, 3, 900, "one more");
    EXPECT_EQ(refused.status, st::kLimit);
    EXPECT_EQ(refused.objId, 0u);
    EXPECT_EQ(n.call(1053, 1, 900, "Table").objId, made.objId);
    EXPECT_EQ(n.call(1051, 3, 900, "one more").status, st::kNoSuchName);
}

}  // namespace
