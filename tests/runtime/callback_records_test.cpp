// Wire bytes of the callback records: what the host sends must decode into
// the same fields in the same order.
#include "callbacks.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<unsigned char> encode(xdrproc_t codec, void *record)
{
    std::vector<unsigned char> bytes(256);
    XDR x;
    xdrmem_create(&x, reinterpret_cast<char *>(bytes.data()), bytes.size(), XDR_ENCODE);
    EXPECT_TRUE(codec(&x, record, 0));
    bytes.resize(xdr_getpos(&x));
    xdr_destroy(&x);
    return bytes;
}

bool decode(xdrproc_t codec, std::vector<unsigned char> bytes, void *record)
{
    XDR x;
    xdrmem_create(&x, reinterpret_cast<char *>(bytes.data()), bytes.size(), XDR_DECODE);
    bool ok = codec(&x, record, 0);
    xdr_destroy(&x);
    return ok;
}

TEST(CallbackRecords, NotifyEncodesFieldsInOrderWithPaddedString)
{
    VxApiNotifyArgT notify{42, 0x80000001u, const_cast<char *>("abcde"), -1};
    const std::vector<unsigned char> golden = {
        0, 0, 0, 42,  0x80, 0, 0, 1,  0, 0, 0, 5,  'a', 'b', 'c', 'd',  'e', 0, 0, 0,  0xff, 0xff, 0xff, 0xff};
    EXPECT_EQ(encode(vapi_codec(xdr_VxApiNotifyArgT), &notify), golden);

    VxApiNotifyArgT back{};
    ASSERT_TRUE(decode(vapi_codec(xdr_VxApiNotifyArgT), golden, &back));
    EXPECT_EQ(back.notification, 42);
    EXPECT_EQ(back.docId, 0x80000001u);
    EXPECT_STREQ(back.sparm, "abcde");
    EXPECT_EQ(back.iparm, -1);
    xdr_free(vapi_codec(xdr_VxApiNotifyArgT), reinterpret_cast<char *>(&back));

    // The old form is the same without its last field.
    Vx4ApiNotifyArgT old{42, 0x80000001u, const_cast<char *>("abcde")};
    EXPECT_EQ(encode(vapi_codec(xdr_Vx4ApiNotifyArgT), &old),
              std::vector<unsigned char>(golden.begin(), golden.end() - 4));
}

TEST(CallbackRecords, MessageAndDialogEventOrder)
{
    VxApiMessageArgT message{nullptr, 3, 4};  // a null text travels as ""
    EXPECT_EQ(encode(vapi_codec(xdr_VxApiMessageArgT), &message),
              (std::vector<unsigned char>{0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 4}));
    VxApiDialogEventArgT event{0, 1, 5};
    EXPECT_EQ(encode(vapi_codec(xdr_VxApiDialogEventArgT), &event),
              (std::vector<unsigned char>{0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 5}));
}

TEST(CallbackRecords, TruncatedInputFailsAndFreesCleanly)
{
    const std::vector<unsigned char> full = {0, 0, 0, 3, 'x', 'y', 'z', 0, 0, 0, 0, 9, 0, 0, 0, 8};
    for (size_t cut = 0; cut < full.size(); cut += 4) {
        SCOPED_TRACE(cut);
        VxApiMessageArgT message{};
        EXPECT_FALSE(decode(vapi_codec(xdr_VxApiMessageArgT), {full.begin(), full.begin() + cut}, &message));
        xdr_free(vapi_codec(xdr_VxApiMessageArgT), reinterpret_cast<char *>(&message));
    }
    VxApiMessageArgT message{};
    EXPECT_TRUE(decode(vapi_codec(xdr_VxApiMessageArgT), full, &message));
    xdr_free(vapi_codec(xdr_VxApiMessageArgT), reinterpret_cast<char *>(&message));
}

}  // namespace
