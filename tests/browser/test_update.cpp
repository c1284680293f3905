// test_update.cpp - the server-list update of a real window: web pages from a fake HTTP
// server on 127.0.0.1, "file:" sources, refused and silent sources, and list files.
#include <gtest/gtest.h>

#include "tests/browser/mainwin_harness.h"
#include "tests/framework/fwtest.h"
#include "tests/support/descriptors.h"
#include "tests/support/fake_http_server.h"

#include <Xm/Xm.h>

#include <cstdio>
#include <fstream>
#include <set>

using namespace harness;

class UpdateTest : public ::testing::Test {
protected:
    // The window reads its sources from the settings file, as at a real start.
    void show(const std::vector<std::string> &sources, const std::string &extra = "")
    {
        std::string text = extra;
        for (const std::string &source : sources)
            text += "serverList " + source + "\n";
        mHome.writeSettings(text);
        mWin = showWindow();
        FetchLimits limits;
        limits.connectMs = 500;
        limits.readMs = 500;
        limits.totalMs = 2000;
        mWin->setFetchLimits(limits);
    }
    std::string listFile(const std::string &name, const std::string &text)
    {
        std::string path = mHome.path() + "/" + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    std::set<std::string> serverTexts()
    {
        std::set<std::string> texts;
        for (Server &s : mWin->servers())
            texts.insert(std::string(s.mAddress.DottedString()) + ":" + std::to_string(s.mPort));
        return texts;
    }
    std::string countLine()
    {
        char text[64];
        snprintf(text, sizeof text, "%d/%d servers", mWin->rowCount(), mWin->serverCount());
        return text;
    }

    fwtest::Watchdog mWatchdog{60};
    TempHome         mHome;
    TestWin         *mWin = nullptr;
};

TEST_F(UpdateTest, WebPageIsScannedLineByLineHeadersAndAll)
{
    FakeHttpServer web("HTTP/1.0 200 OK\r\n"
                       "X-Mirror: 10.9.9.9\r\n"
                       "\r\n"
                       "Server at 10.0.0.1:27500 (deathmatch)\n"
                       "10.0.0.2 is up\n"
                       "loopback 127.0.0.1:26000 skipped\n"
                       "again 10.0.0.1:27500\n"
                       "no line feed 10.0.0.3");
    ASSERT_TRUE(web.Start());
    show({web.Url("/servers.txt")});
    mWin->updateList();

    ASSERT_EQ(web.Requests().size(), 1u);
    EXPECT_EQ(web.Requests()[0], "GET /servers.txt HTTP/1.0\n\n");
    EXPECT_EQ(serverTexts(),
              (std::set<std::string>{"10.9.9.9:26000", "10.0.0.1:27500", "10.0.0.2:26000"}));
    EXPECT_EQ(statusText(mWin), countLine());
    EXPECT_EQ(mWin->modeFlags(), 0u);
    EXPECT_TRUE(itemSensitive(mWin, "Server", "UpdateList"));
}

TEST_F(UpdateTest, ErrorPageIsReadLikeAnyOther)
{
    FakeHttpServer web("HTTP/1.0 404 Not Found\r\n\r\n<p>10.1.1.1 is not here</p>\n");
    ASSERT_TRUE(web.Start());
    FakeHttpServer second("10.2.2.2\n");
    ASSERT_TRUE(second.Start());
    show({web.Url("/gone"), second.Url()});
    mWin->updateList();
    EXPECT_EQ(serverTexts(), (std::set<std::string>{"10.1.1.1:26000", "10.2.2.2:26000"}));
    EXPECT_EQ(statusText(mWin), countLine());
}

TEST_F(UpdateTest, FileSourceIsReadToItsLastLine)
{
    std::string path = listFile("list.txt", "# my servers\n10.3.3.3:26001\n\nlast 10.3.3.4");
    show({"file:" + path}, "filter all\n");
    mWin->updateList();
    EXPECT_EQ(serverTexts(), (std::set<std::string>{"10.3.3.3:26001", "10.3.3.4:26000"}));
    EXPECT_EQ(shownAddresses(mWin), (std::vector<std::string>{"10.3.3.3:26001", "10.3.3.4"}));
    EXPECT_EQ(statusText(mWin), "2/2 servers");
}

// A failing source is told, and the sources after it are still read and shown: the
// built-in page comes first, and a player's own list must not hang on it.
TEST_F(UpdateTest, ASourceThatFailsLeavesTheLaterOnesRead)
{
    FakeHttpServer later("10.4.4.4\n");
    ASSERT_TRUE(later.Start());
    std::string refused = "http://127.0.0.1:" + std::to_string(ClosedTcpPort()) + "/";
    show({refused, later.Url()}, "server 10.5.5.5:26000 0\nfilter all\n");
    mWin->updateList();

    std::string status = statusText(mWin);
    std::string expected = "Could not connect to " + refused + ": ";
    EXPECT_EQ(status.substr(0, expected.size()), expected);
    EXPECT_NE(status.back(), '\n');                    // the text's line feed is not drawn
    EXPECT_GT(status.size(), expected.size());          // the system's reason
    EXPECT_EQ(later.Requests().size(), 1u);
    EXPECT_EQ(shownAddresses(mWin), (std::vector<std::string>{"10.4.4.4", "10.5.5.5"}));
    EXPECT_EQ(mWin->modeFlags(), 0u);
    EXPECT_TRUE(itemSensitive(mWin, "Server", "UpdateList"));
}

// The refresh that follows an update takes the status line while it runs; the count of
// failed sources comes back when it ends.
TEST_F(UpdateTest, FailedSourcesAreCountedAndTheListStillRefreshed)
{
    FakeGameServer game;
    ASSERT_TRUE(game.Start());
    FakeHttpServer page("no servers today\n");
    ASSERT_TRUE(page.Start());
    std::string refused = "http://127.0.0.1:" + std::to_string(ClosedTcpPort()) + "/";
    show({refused, "file:" + mHome.path() + "/none-such.txt", page.Url()},
         "server " + game.HostText() + " 0\noption queryOnLoad true\n"
         "option autoUpdate true\n");
    // Showing the window ran the update already, which then started the refresh.
    ASSERT_TRUE(runToEnd(mWin));
    EXPECT_EQ(page.Requests().size(), 1u);
    EXPECT_EQ(game.RequestCount(), 1u);
    EXPECT_EQ(statusText(mWin), "2 of 3 server list sources could not be read");
}

static std::string sNameAsked;
static bool noNameResolves(const char *name, uint32_t *)
{
    sNameAsked = name;
    return false;
}

// A host that cannot be found is named as such, not by what a connect to no address says.
TEST_F(UpdateTest, ASourceWhoseHostCannotBeFoundSaysUnknownHost)
{
    std::string source = "http://quake.example.test/servers.txt";
    show({source}, "server 10.5.5.5:26000 0\n");
    InetAddress::Resolver system = InetAddress::SetResolver(noNameResolves);
    mWin->updateList();
    InetAddress::SetResolver(system);
    EXPECT_EQ(sNameAsked, "quake.example.test");
    EXPECT_EQ(statusText(mWin), "Could not connect to " + source + ": Unknown host");
    EXPECT_EQ(serverTexts(), (std::set<std::string>{"10.5.5.5:26000"}));
}

TEST_F(UpdateTest, MissingFileSourceSaysSo)
{
    std::string source = "file:" + mHome.path() + "/none-such.txt";
    show({source});
    mWin->updateList();
    std::string expected = "Could not connect to " + source + ": ";
    EXPECT_EQ(statusText(mWin).substr(0, expected.size()), expected);
}

TEST_F(UpdateTest, SilentWebServerTimesOut)
{
    FakeHttpServer silent("", true);
    ASSERT_TRUE(silent.Start());
    show({silent.Url()});
    Clock::time_point start = Clock::now();
    mWin->updateList();
    EXPECT_LT(msBetween(start, Clock::now()), 2500);
    std::string expected = "Could not connect to " + silent.Url() + ": ";
    EXPECT_EQ(statusText(mWin).substr(0, expected.size()), expected);
    EXPECT_FALSE(mWin->isBusy());
}

// With queryOnLoad the update is followed by a refresh of every server, old ones too.
TEST_F(UpdateTest, QueryOnLoadRefreshesAfterTheUpdate)
{
    FakeGameServer game;
    ASSERT_TRUE(game.Start());
    std::string path = listFile("empty.txt", "");
    show({"file:" + path}, "server " + game.HostText() + " 0\noption queryOnLoad true\n"
                           "option autoUpdate true\n");
    // Showing the window ran the update already, which then started the refresh.
    ASSERT_TRUE(runToEnd(mWin));
    EXPECT_EQ(game.RequestCount(), 1u);
    EXPECT_FALSE(serverAt(mWin, game.HostText())->mDown);
}

TEST_F(UpdateTest, AutoUpdateRunsAtStart)
{
    FakeHttpServer web("10.6.6.6:27000\n");
    ASSERT_TRUE(web.Start());
    show({web.Url()}, "option autoUpdate true\n");
    EXPECT_EQ(web.Requests().size(), 1u);
    EXPECT_EQ(serverTexts(), (std::set<std::string>{"10.6.6.6:27000"}));
}

TEST_F(UpdateTest, ListFileAddsOneServerPerLine)
{
    show({});
    std::string path = listFile("saved.txt",
                                "10.7.7.1:26000\n"
                                "010.7.7.2\n"               // leading zeros are decimal
                                "version 1.06.2.1\n"
                                "10.7.7.1:26000\n"          // already listed
                                "10.0.0.1234\n"             // glued to a further digit
                                "a 10.7.7.3 b 10.7.7.4\n");
    FILE *fp = fopen(path.c_str(), "r");
    ASSERT_NE(fp, nullptr);
    size_t before = mWin->servers().size();
    mWin->setViewTab(0);        // shows servers that never answered
    std::string error;
    EXPECT_TRUE(mWin->updateFromFile(fp, "list", &error));
    fclose(fp);
    std::set<std::string> texts = serverTexts();
    EXPECT_EQ(mWin->servers().size(), before + 4);
    for (const char *added : {"10.7.7.1:26000", "10.7.7.2:26000", "1.6.2.1:26000",
                              "10.7.7.3:26000"})
        EXPECT_TRUE(texts.count(added)) << added;
    EXPECT_EQ(shownAddresses(mWin),
              (std::vector<std::string>{"1.6.2.1", "10.7.7.1", "10.7.7.2", "10.7.7.3"}));
    EXPECT_EQ(statusText(mWin), countLine());
}

// A list read under no name counts the servers it receives the way a named one does: those
// listed already and the one just read.
TEST_F(UpdateTest, AListReadWithoutANameCountsItsServers)
{
    show({}, "server 10.5.5.5:26000 0\nserver 10.5.5.6:26000 0\n");
    std::string path = listFile("list.txt", "10.7.7.1:26000\n");
    FILE *fp = fopen(path.c_str(), "r");
    ASSERT_NE(fp, nullptr);
    std::vector<std::string> texts;
    XtAddCallback(mWin->statusWidget(), XmNvalueChangedCallback, recordStatus, &texts);
    std::string error;
    EXPECT_TRUE(mWin->updateFromFile(fp, nullptr, &error)) << error;
    XtRemoveCallback(mWin->statusWidget(), XmNvalueChangedCallback, recordStatus, &texts);
    fclose(fp);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0], "Received 3 servers...");
    EXPECT_EQ(mWin->serverCount(), 3);
}

// A long page read again adds nothing, and finds each server listed at once rather than
// by walking the whole list for every line.
TEST_F(UpdateTest, LongListReadAgainAddsNothingAndIsQuick)
{
    const int count = 19000;    // under the most one update may add
    std::string text;
    for (int i = 0; i < count; i++)
        text += "10.8." + std::to_string(i / 250) + "." + std::to_string(i % 250 + 1) + "\n";
    show({"file:" + listFile("long.txt", text)});
    FetchLimits limits;
    limits.totalMs = 10000;
    mWin->setFetchLimits(limits);
    mWin->updateList();
    ASSERT_EQ(mWin->serverCount(), count);

    // Half a second at most with the sanitizers on a busy machine; a walk of the whole
    // list for each line would take a minute, and be cut at the ten seconds.
    Clock::time_point start = Clock::now();
    mWin->updateList();
    EXPECT_LT(msBetween(start, Clock::now()), 3000.0);
    EXPECT_EQ(mWin->serverCount(), count);
}

// Deleted servers are forgotten: the same address may be added again.
TEST_F(UpdateTest, DeletedServerCanBeReadAgain)
{
    show({"file:" + listFile("two.txt", "10.8.0.1\n10.8.0.2\n")});
    mWin->updateList();
    ASSERT_EQ(mWin->serverCount(), 2);
    mWin->setViewTab(0);        // Delete takes only what the view shows
    serverAt(mWin, "10.8.0.1:26000")->SetSelected(true);
    mWin->deleteServers();
    ASSERT_EQ(mWin->serverCount(), 1);
    mWin->updateList();
    EXPECT_EQ(mWin->serverCount(), 2);
    EXPECT_NE(serverAt(mWin, "10.8.0.1:26000"), nullptr);
}
