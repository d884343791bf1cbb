#include "platform/Ip4Address.h"
#include "platform/NetEndPoint.h"

#include <gtest/gtest.h>

using namespace Ixa;
using namespace Ixa::Net;

namespace {

TEST(NetAddressTest, ReadsOnlyDottedDecimalIpv4Text)
{
    const std::pair<const char*, const char*> valid[] = {
        {"127.0.0.1", "127.0.0.1"},
        {"0.0.0.0", "0.0.0.0"},
        {"255.255.255.255", "255.255.255.255"},
        {"10.020.3.004", "10.20.3.4"},
    };
    for (auto [text, canonical] : valid) {
        Ip4Address address{Base::String(text)};
        EXPECT_EQ(GetLastResult(), E_SUCCESS) << text;
        EXPECT_EQ(address.ToString().ToUtf8(), canonical);
        EXPECT_EQ(address.GetNetAddressFamily(), NET_AF_IPV4);
    }
    EXPECT_EQ(Ip4Address(Base::String("192.0.2.1")).GetAddress(), 0xC0000201u);

    const char* invalid[] = {"", "256.1.1.1", "1.2.3", "1.2.3.4.5", "a.b.c.d", "1..2.3",
        " 1.2.3.4", "1.2.3.4 ", "1234.1.1.1", "1.2.3.-4", "localhost", "1.2.3.4."};
    for (const char* text : invalid) {
        Ip4Address address{Base::String(text)};
        EXPECT_EQ(GetLastResult(), E_INVALID_ARG) << '"' << text << '"';
        EXPECT_EQ(address.GetAddress(), 0u) << text;
    }
}

TEST(NetAddressTest, EndPointKeepsItsOwnCopyOfTheAddress)
{
    auto address = std::make_unique<Ip4Address>(Base::String("192.0.2.9"));
    NetEndPoint endPoint(*address, 5223);
    address.reset();
    NetEndPoint copy(endPoint);
    EXPECT_EQ(copy.GetAddress()->ToString().ToUtf8(), "192.0.2.9");
    EXPECT_EQ(copy.GetPort(), 5223);
    EXPECT_TRUE(copy.Equals(endPoint));
    EXPECT_FALSE(copy.Equals(NetEndPoint(Ip4Address(Base::String("192.0.2.9")), 5222)));
    EXPECT_EQ(copy.GetHashCode(), endPoint.GetHashCode());
}

}  // namespace
