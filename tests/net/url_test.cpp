// url_test.cpp - splitting and parsing server-list source texts.
#include "net/url.h"

#include <gtest/gtest.h>

#include <string>

TEST(URLTest, SchemeHostPortAndPath)
{
    URL url;
    EXPECT_TRUE(url.Parse("http://127.0.0.1:81/a/b"));
    EXPECT_STREQ(url.Scheme(), "http");
    EXPECT_STREQ(url.Address().DottedString(), "127.0.0.1");
    EXPECT_EQ(url.Port(), 81);
    EXPECT_STREQ(url.Path(), "/a/b");
}

TEST(URLTest, BareHostUsesTheSchemeService)
{
    URL url;
    EXPECT_TRUE(url.Parse("localhost"));
    EXPECT_STREQ(url.Scheme(), "http");
    EXPECT_STREQ(url.Path(), "/");
    EXPECT_EQ(url.Port(), 80);
    EXPECT_STREQ(url.Address().KnownHostName(), "localhost");
}

TEST(URLTest, PortZeroCountsAsNone)
{
    URL url;
    EXPECT_TRUE(url.Parse("http://127.0.0.1:0/list"));
    EXPECT_EQ(url.Port(), 80);
}

TEST(URLTest, UnknownSchemeWithoutPortFails)
{
    URL url;
    EXPECT_FALSE(url.Parse("nosuchscheme://127.0.0.1/x"));
    EXPECT_EQ(url.Port(), 0);
}

TEST(URLTest, UnresolvedHostLeavesNoAddress)
{
    URL url;
    ASSERT_TRUE(url.Parse("http://127.0.0.1/x"));
    EXPECT_TRUE(url.Parse(("http://" + std::string(64, 'a') + ".invalid:8080/").c_str()));
    EXPECT_EQ(url.Address().Address(), 0xFFFFFFFFu);
    EXPECT_STREQ(url.Address().KnownHostName(), "");
}

TEST(URLTest, LongTextsAreParsedWhole)
{
    std::string path(400, 'p');
    URL url;
    EXPECT_TRUE(url.Parse(("http://127.0.0.1:8080/" + path).c_str()));
    EXPECT_EQ(std::string(url.Path()), "/" + path);
}

TEST(SplitURLTest, FtpHostGivesFtpScheme)
{
    URLParts parts = SplitURL("ftp.example.org/pub/list.txt");
    EXPECT_EQ(parts.scheme, "ftp");
    EXPECT_EQ(parts.host, "ftp.example.org");
    EXPECT_EQ(parts.path, "/pub/list.txt");
    EXPECT_EQ(parts.port, 0);
}

TEST(SplitURLTest, PortStopsAtTheFirstNonDigitAndKeeps16Bits)
{
    EXPECT_EQ(SplitURL("h:80x/").port, 80);
    EXPECT_EQ(SplitURL("h:65617").port, 81);
    EXPECT_EQ(SplitURL("gopher://h").scheme, "gopher");
}
