// fetch_test.cpp - reading server-list sources: files, web pages, refusals and silences.
#include "browser/fetch.h"

#include "tests/support/descriptors.h"
#include "tests/support/fake_http_server.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <unistd.h>

using Clock = std::chrono::steady_clock;

class FetchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char path[] = "/tmp/vireo-list-XXXXXX";
        int fd = mkstemp(path);
        ASSERT_GE(fd, 0);
        close(fd);
        mFile = path;
        mLimits.connectMs = 300;
        mLimits.readMs = 300;
        mLimits.totalMs = 3000;
    }
    void TearDown() override { unlink(mFile.c_str()); }

    bool fetch(const std::string &source)
    {
        mLines.clear();
        mError.clear();
        Clock::time_point start = Clock::now();
        bool ok = fetchSource(source.c_str(), [this](const char *line, size_t length) {
            mLines.emplace_back(line, length);
            return true;
        }, &mError, mLimits);
        mElapsedMs = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start)
                         .count();
        return ok;
    }
    std::string              mFile;
    FetchLimits              mLimits;
    std::vector<std::string> mLines;
    std::string              mError;
    long                     mElapsedMs = 0;
};

TEST_F(FetchTest, AFileSourceGivesEveryLineTheLastOneToo)
{
    std::ofstream(mFile) << "10.0.0.1:27500\n\nsecond line\nlast without feed";
    ASSERT_TRUE(fetch("file:" + mFile));
    EXPECT_EQ(mLines, (std::vector<std::string>{"10.0.0.1:27500\n", "\n", "second line\n",
                                                "last without feed"}));
}

// A reader that has had enough ends the source there, the last partial line unread.
TEST_F(FetchTest, ASinkThatWantsNoMoreEndsTheReading)
{
    std::ofstream(mFile) << "one\ntwo\nthree\nlast without feed";
    std::vector<std::string> lines;
    ASSERT_TRUE(fetchSource(("file:" + mFile).c_str(), [&lines](const char *line, size_t length) {
        lines.emplace_back(line, length);
        return lines.size() < 2;
    }, &mError, mLimits));
    EXPECT_EQ(lines, (std::vector<std::string>{"one\n", "two\n"}));
}

TEST_F(FetchTest, AFileThatCannotBeOpenedFailsWithItsReason)
{
    EXPECT_FALSE(fetch("file:/nonexistent/servers.txt"));
    EXPECT_EQ(mError, strerror(ENOENT));
    EXPECT_FALSE(fetch("file:/tmp"));           // a folder is no list
    EXPECT_EQ(mError, strerror(EISDIR));
}

TEST_F(FetchTest, LongLinesAreCutAndTheNextLineIsWhole)
{
    mLimits.maxLine = 16;
    std::ofstream(mFile) << std::string(100000, 'x') << "\n10.0.0.2\n";
    ASSERT_TRUE(fetch("file:" + mFile));
    EXPECT_EQ(mLines, (std::vector<std::string>{std::string(16, 'x'), "10.0.0.2\n"}));
}

TEST_F(FetchTest, ALineOf1023BytesIsWholeAndALongerOneIsCut)
{
    std::ofstream(mFile) << std::string(1023, 'x') << "\n" << std::string(1024, 'y') << "\n";
    ASSERT_TRUE(fetch("file:" + mFile));
    EXPECT_EQ(mLines, (std::vector<std::string>{std::string(1023, 'x') + "\n",
                                                std::string(1023, 'y')}));
}

TEST_F(FetchTest, AnEndlessFileEndsInATimeOut)
{
    mLimits.totalMs = 300;
    EXPECT_FALSE(fetch("file:/dev/zero"));
    EXPECT_EQ(mError, strerror(ETIMEDOUT));
    EXPECT_LT(mElapsedMs, 2000);
}

TEST_F(FetchTest, AWebPageIsAskedForAndReadWhole)
{
    FakeHttpServer server("HTTP/1.0 200 OK\nContent-Type: text/plain\n\n"
                          "10.0.0.1:27500\r\n10.0.0.2\nno feed at the end 10.0.0.3");
    ASSERT_TRUE(server.Start());
    ASSERT_TRUE(fetch(server.Url("/quake/list.txt")));
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0], "GET /quake/list.txt HTTP/1.0\n\n");
    EXPECT_EQ(mLines, (std::vector<std::string>{"HTTP/1.0 200 OK\n", "Content-Type: text/plain\n",
                                                "\n", "10.0.0.1:27500\r\n", "10.0.0.2\n"}));
    // A scheme in capitals is still http.
    ASSERT_TRUE(fetch("HTTP://127.0.0.1:" + std::to_string(server.Port()) + "/list"));
    ASSERT_TRUE(server.WaitForRequests(2, std::chrono::seconds(2)));
    EXPECT_EQ(server.Requests()[1], "GET /list HTTP/1.0\n\n");
    EXPECT_EQ(mLines.size(), 5u);
}

TEST_F(FetchTest, AnErrorPageIsReadLikeAnyOther)
{
    FakeHttpServer server("HTTP/1.0 404 Not Found\n\nNo list; try 10.0.0.9\n");
    ASSERT_TRUE(server.Start());
    ASSERT_TRUE(fetch(server.Url("/missing")));
    EXPECT_EQ(mLines.size(), 3u);
    EXPECT_EQ(mLines.back(), "No list; try 10.0.0.9\n");
}

TEST_F(FetchTest, ALongPathIsSentWhole)
{
    FakeHttpServer server("HTTP/1.0 200 OK\n\n");
    ASSERT_TRUE(server.Start());
    std::string path = "/" + std::string(400, 'p');
    ASSERT_TRUE(fetch(server.Url(path)));
    ASSERT_TRUE(server.WaitForRequests(1, std::chrono::seconds(2)));
    EXPECT_EQ(server.Requests()[0], httpRequest(path.c_str()));
}

TEST_F(FetchTest, ARefusedPortFailsAtOnce)
{
    FakeHttpServer server("");
    ASSERT_TRUE(server.Start());
    std::string url = server.Url("/");
    server.Stop();                              // nothing listens there now
    EXPECT_FALSE(fetch(url));
    EXPECT_EQ(mError, strerror(ECONNREFUSED));
    EXPECT_TRUE(mLines.empty());
}

// Only HTTP is spoken: a source of any other scheme is refused, its server never asked.
TEST_F(FetchTest, ASourceOfAnotherSchemeIsRefusedUnasked)
{
    FakeHttpServer server("10.0.0.1\n");
    ASSERT_TRUE(server.Start());
    EXPECT_FALSE(fetch("gopher://127.0.0.1:" + std::to_string(server.Port()) + "/"));
    EXPECT_EQ(mError, strerror(EPROTONOSUPPORT));
    EXPECT_FALSE(server.WaitForRequests(1, std::chrono::milliseconds(300)));
}

TEST_F(FetchTest, AServerThatNeverAnswersTimesOut)
{
    FakeHttpServer server("", true);
    ASSERT_TRUE(server.Start());
    EXPECT_FALSE(fetch(server.Url("/")));
    EXPECT_EQ(mError, strerror(ETIMEDOUT));
    EXPECT_GE(mElapsedMs, 250);
    EXPECT_LT(mElapsedMs, 2000);
}

TEST_F(FetchTest, AConnectThatHangsTimesOut)
{
    FullTcpListener listener;
    ASSERT_NE(listener.Port(), 0);
    mLimits.readMs = 10000;
    mLimits.totalMs = 20000;
    EXPECT_FALSE(fetch("http://127.0.0.1:" + std::to_string(listener.Port()) + "/"));
    EXPECT_EQ(mError, strerror(ETIMEDOUT));
    EXPECT_LT(mElapsedMs, 2000);                // the connect limit, not the read limit
}
