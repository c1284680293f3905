// inet_test.cpp - InetAddress resolution and ServicePort.
#include "net/inet.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>

#include <string>

namespace {

// A 64-character label is refused by the resolver itself, before any query is sent.
const std::string Unresolvable = std::string(64, 'a') + ".invalid";

} // namespace

TEST(InetAddressTest, NameKeepsTheGivenNameAndDottedClearsIt)
{
    InetAddress address;
    ASSERT_TRUE(address.Resolve("localhost"));
    EXPECT_STREQ(address.KnownHostName(), "localhost");
    EXPECT_STREQ(address.DottedString(), "127.0.0.1");
    ASSERT_TRUE(address.Resolve("127.0.0.2"));
    EXPECT_STREQ(address.KnownHostName(), "");
    EXPECT_EQ(address.Address(), inet_addr("127.0.0.2"));
}

TEST(InetAddressTest, FailedResolutionKeepsThePreviousValues)
{
    InetAddress fresh;
    EXPECT_FALSE(fresh.Resolve(Unresolvable.c_str()));
    EXPECT_STREQ(fresh.DottedString(), "255.255.255.255");
    EXPECT_FALSE(fresh.Resolve("127.0.0.1:26000"));     // not numeric: the resolver refuses it
    EXPECT_EQ(fresh.Address(), 0xFFFFFFFFu);
    EXPECT_STREQ(fresh.KnownHostName(), "");

    InetAddress known;
    ASSERT_TRUE(known.Resolve("localhost"));
    EXPECT_FALSE(known.Resolve(Unresolvable.c_str()));
    EXPECT_STREQ(known.DottedString(), "127.0.0.1");
    EXPECT_STREQ(known.KnownHostName(), "localhost");
}

// Knows one name; counts every name it is asked.
static int sAsked = 0;
static bool oneNameResolver(const char *name, uint32_t *networkOrder)
{
    sAsked++;
    if (std::string(name) != "game.test")
        return false;
    *networkOrder = inet_addr("10.9.8.7");
    return true;
}

TEST(InetAddressTest, NamesGoToTheResolverInPlaceAndNumbersNever)
{
    InetAddress::Resolver system = InetAddress::SetResolver(oneNameResolver);
    sAsked = 0;
    InetAddress address;
    ASSERT_TRUE(address.Resolve("game.test"));
    EXPECT_STREQ(address.DottedString(), "10.9.8.7");
    EXPECT_STREQ(address.KnownHostName(), "game.test");
    EXPECT_FALSE(address.Resolve("localhost"));         // the stand-in does not know it
    EXPECT_STREQ(address.DottedString(), "10.9.8.7");
    ASSERT_TRUE(address.Resolve("10.1.1.1"));
    EXPECT_EQ(sAsked, 2);
    EXPECT_EQ(InetAddress::SetResolver(system), oneNameResolver);
    EXPECT_TRUE(address.Resolve("localhost"));
    EXPECT_EQ(sAsked, 2);
}

TEST(InetAddressTest, NumericReadingTakesTheAddressBeforeThePort)
{
    InetAddress address;
    EXPECT_TRUE(address.ResolveNumeric("1.2.3.4:26000"));
    EXPECT_STREQ(address.DottedString(), "1.2.3.4");
    EXPECT_FALSE(address.ResolveNumeric("localhost:26000"));    // names are not looked up
    EXPECT_FALSE(address.ResolveNumeric(""));
    EXPECT_STREQ(address.DottedString(), "1.2.3.4");
}

TEST(InetAddressTest, EqualityIgnoresHostNames)
{
    InetAddress named, dotted;
    ASSERT_TRUE(named.Resolve("localhost"));
    ASSERT_TRUE(dotted.Resolve("127.0.0.1"));
    EXPECT_TRUE(named == dotted);
    ASSERT_TRUE(dotted.Resolve("127.0.0.2"));
    EXPECT_FALSE(named == dotted);
}

TEST(InetAddressTest, ReverseLookupFindsTheLoopbackName)
{
    InetAddress address;
    ASSERT_TRUE(address.Resolve("127.0.0.1"));
    EXPECT_STRNE(address.HostName(), "");
    EXPECT_STRNE(address.KnownHostName(), "");      // remembered
}

TEST(ServicePortTest, KnownUnknownAndBuiltIn)
{
    EXPECT_EQ(ServicePort("www", nullptr), 80);
    EXPECT_EQ(ServicePort("http", "tcp"), 80);
    EXPECT_EQ(ServicePort("no-such-service-here", nullptr), 0);
}
