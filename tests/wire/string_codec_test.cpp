// The protocol's string codec: null travels as "", long strings arrive whole
// across the decoder's growth steps, and lengths the data does not back fail.
#include "vapi/xdrstr.h"
#include "wire_util.hpp"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

bool decode_string(const Bytes &data, std::string *out)
{
    StringT s = nullptr;
    bool ok = decode(xdr_StringT, data, s);
    if (ok)
        *out = s;
    release(xdr_StringT, s);
    return ok;
}

TEST(StringCodec, NullIsSentAsEmptyAndDecodesAllocated)
{
    StringT none = nullptr;
    EXPECT_EQ(encode(xdr_StringT, none), Bytes(Wire().u(0)));
    StringT back = nullptr;
    ASSERT_TRUE(decode(xdr_StringT, Wire().u(0), back));
    ASSERT_NE(back, nullptr);
    EXPECT_STREQ(back, "");
    release(xdr_StringT, back);
}

TEST(StringCodec, LengthsAroundTheDecodersGrowthStepsRoundTrip)
{
    for (size_t length : {1u, 3u, 4u, 65535u, 65536u, 65537u, 200003u}) {
        std::string text(length, 'x');
        for (size_t i = 0; i < length; i += 97)
            text[i] = static_cast<char>('a' + i % 26);
        std::string back;
        ASSERT_TRUE(decode_string(Wire().s(text), &back)) << length;
        EXPECT_EQ(back, text) << length;
    }
}

TEST(StringCodec, UnbackedOrOversizedLengthsFail)
{
    std::string back;
    // Claims nearly the limit but brings eight bytes.
    EXPECT_FALSE(decode_string(Wire().u(VAPI_MAX_WIRE_STRING).u(0x61626364).u(0x65666768), &back));
    // One byte over the limit fails before anything is read.
    EXPECT_FALSE(decode_string(Wire().u(VAPI_MAX_WIRE_STRING + 1), &back));
    // Cut inside the padding of the last piece.
    Bytes cut = Wire().s(std::string(65537, 'z'));
    cut.pop_back();
    EXPECT_FALSE(decode_string(cut, &back));
}

TEST(StringCodec, DecodingNeverWritesIntoWhatTheFieldHeld)
{
    // A field that still points at a short buffer (a record reused without
    // clearing): the peer's longer string must not land in that buffer.
    char mine[4] = "abc";
    StringT field = mine;
    ASSERT_TRUE(decode(xdr_StringT, Wire().s("longer than four bytes"), field));
    EXPECT_STREQ(mine, "abc");
    ASSERT_NE(field, mine);
    EXPECT_STREQ(field, "longer than four bytes");
    release(xdr_StringT, field);
}

}  // namespace
