// test_lists.cpp - the list commands: the printable list of the current view, favorites
// and never-ping marking, deleting the selection, and saving the list to a file.
#include <gtest/gtest.h>

#include "tests/browser/mainwin_harness.h"
#include "tests/framework/fwtest.h"

#include <arpa/inet.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

using namespace harness;

static std::string readFile(const std::string &path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class ListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mHome.writeSettings("server 10.0.0.1:26000 0\n"
                            "favorite 10.0.0.2:27500 0\n"
                            "avoid 10.0.0.3:26000 0\n");
        mWin = showWindow();
    }
    Server *at(const char *host) { return serverAt(mWin, host); }
    void showTab(int view) { mWin->setViewTab(view); }
    std::string printed() { return readFile(mHome.path() + "/.vireo.print"); }
    // The server lines of the print file, after its three header lines.
    std::string printedServers()
    {
        std::string text = printed();
        size_t at = 0;
        for (int line = 0; line < 3 && at != std::string::npos; line++)
            at = text.find('\n', at) + 1;
        return text.substr(at);
    }
    // The print of the favorites' tab, its one server named and on the map given.
    std::string printedFavorite(const char *name, const char *map)
    {
        Server *s = at("10.0.0.2:27500");
        s->mName = name;
        snprintf(s->mMap, sizeof s->mMap, "%s", map);
        showTab(3);
        mWin->printServers();
        return printedServers();
    }

    fwtest::Watchdog mWatchdog{30};
    TempHome         mHome;
    TestWin         *mWin = nullptr;
};

// A link the user made at the print file's place names the file written.
TEST_F(ListTest, PrintWritesTheHeaderAndTheServersOfTheView)
{
    std::string target = mHome.path() + "/servers.txt";
    std::ofstream(target) << "an older print\n";
    ASSERT_EQ(symlink(target.c_str(), (mHome.path() + "/.vireo.print").c_str()), 0);
    showTab(0);
    mWin->printServers();
    std::string text = printed();
    ASSERT_EQ(text.rfind("VIREO Server List: ", 0), 0u);
    EXPECT_NE(text.find("\n\nName                 IP               Ping  Map        Players\n"),
              std::string::npos);
    EXPECT_EQ(printedServers(),
              "10.0.0.1             10.0.0.1         99999            00/00\n"
              "10.0.0.2             10.0.0.2         99999            00/00\n"
              "10.0.0.3             10.0.0.3         99999            00/00\n");
    showTab(3);
    mWin->printServers();       // replaces the file
    EXPECT_EQ(printedServers(), "10.0.0.2             10.0.0.2         99999            00/00\n");
    EXPECT_EQ(readFile(target), printed());
}

TEST_F(ListTest, PrintedRowsTakeLongNamesWholeAndNoLineBreaks)
{
    Server *s = at("10.0.0.2:27500");
    s->mName = "A very long server name\nwith a break";
    s->mDown = 0;
    s->mPing = 45;
    snprintf(s->mMap, sizeof s->mMap, "dm4");
    s->mNumPlayers = 3;
    s->mMaxPlayers = 16;
    showTab(3);
    mWin->printServers();
    EXPECT_EQ(printedServers(),
              "A very long server name with a break 10.0.0.2         45    dm4        03/16\n");
    showTab(2);     // over the ping limit below: filtered out
    s->mFlags &= ~(unsigned int)Server::Flag_Favorite;
    mWin->options().filter.pingFilter = 1;
    mWin->options().filter.maxPing = 10;
    mWin->printServers();
    EXPECT_NE(printedServers().find("A very long"), std::string::npos);
}

// A DEL in a name, or a line break in a map, would garble the table as one in a name does.
TEST_F(ListTest, PrintedRowsBlankDeleteAndBreaksInTheMap)
{
    EXPECT_EQ(printedFavorite("Rubout\x7fServer", "dm\n4"),
              "Rubout Server        10.0.0.2         99999 dm 4       00/00\n");
}

// Quake writes names in its high characters (0x80-0xff), and newer servers send UTF-8: such
// bytes are no control characters, and are written as they came.
TEST_F(ListTest, PrintedRowsKeepBytesAboveTheAsciiRange)
{
    EXPECT_EQ(printedFavorite("\xce\xef\xe4\xe5 caf\xc3\xa9", "e1m\xb1"),
              "\xce\xef\xe4\xe5 caf\xc3\xa9           10.0.0.2         99999 e1m\xb1       00/00\n");
}

// Opening a FIFO with no reader held the window for good.
TEST_F(ListTest, PrintToAFifoIsSkippedWithoutWaiting)
{
    std::string path = mHome.path() + "/.vireo.print";
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    mWin->printServers();
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST_F(ListTest, FavoritesAreAddedElsewhereAndRemovedOnTheirOwnTab)
{
    showTab(0);
    at("10.0.0.1:26000")->SetSelected(true);
    mWin->toggleFavorites();
    EXPECT_TRUE(at("10.0.0.1:26000")->TestFlag(Server::Flag_Favorite));
    mWin->toggleFavorites();
    EXPECT_TRUE(at("10.0.0.1:26000")->TestFlag(Server::Flag_Favorite));
    showTab(3);
    mWin->toggleFavorites();
    EXPECT_FALSE(at("10.0.0.1:26000")->TestFlag(Server::Flag_Favorite));
    EXPECT_FALSE(mWin->filterServer(*at("10.0.0.1:26000")));
    EXPECT_EQ(shownAddresses(mWin), std::vector<std::string>{"10.0.0.2:27500"});
    // The other marked server was not selected and keeps its mark.
    EXPECT_TRUE(at("10.0.0.2:27500")->TestFlag(Server::Flag_Favorite));
}

TEST_F(ListTest, NeverPingFollowsTheAvoidTabAndLivesBesideFavorites)
{
    Server *fav = at("10.0.0.2:27500");
    fav->SetSelected(true);
    showTab(0);     // "passed" would hide it: it never answered
    mWin->toggleNeverPing();
    EXPECT_TRUE(fav->TestFlag(Server::Flag_Avoid | Server::Flag_Favorite));
    showTab(4);
    at("10.0.0.3:26000")->SetSelected(true);
    mWin->toggleNeverPing();
    EXPECT_FALSE(fav->TestFlag(Server::Flag_Avoid));
    EXPECT_FALSE(at("10.0.0.3:26000")->TestFlag(Server::Flag_Avoid));
}

// A command on the selection acts on the servers the user sees selected, never on one the
// view hides.
TEST_F(ListTest, DeleteRemovesOnlySelectedServersTheViewShows)
{
    showTab(3);     // shows only 10.0.0.2
    at("10.0.0.2:27500")->SetSelected(true);
    at("10.0.0.3:26000")->SetSelected(true);
    mWin->deleteServers();
    EXPECT_EQ(mWin->serverCount(), 2);
    EXPECT_EQ(mWin->servers().size(), 2u);
    EXPECT_EQ(at("10.0.0.2:27500"), nullptr);
    ASSERT_NE(at("10.0.0.3:26000"), nullptr);
    EXPECT_TRUE(at("10.0.0.3:26000")->TestFlag(Server::Flag_Selected));
    EXPECT_EQ(shownAddresses(mWin), std::vector<std::string>{});
}

// Checked in the grid: the rows left are those of the servers not deleted.
TEST_F(ListTest, DeletingTheMiddleThenTheFirstServerLeavesTheOthersShown)
{
    showTab(0);
    at("10.0.0.2:27500")->SetSelected(true);
    mWin->deleteServers();
    EXPECT_EQ(shownAddresses(mWin), (std::vector<std::string>{"10.0.0.1", "10.0.0.3"}));
    at("10.0.0.1:26000")->SetSelected(true);
    mWin->deleteServers();
    EXPECT_EQ(shownAddresses(mWin), std::vector<std::string>{"10.0.0.3"});
    EXPECT_EQ(statusText(mWin), "1/1 servers");
}

TEST_F(ListTest, MarksGoOnlyOnSelectedServersTheViewShows)
{
    showTab(4);     // shows only 10.0.0.3
    at("10.0.0.1:26000")->SetSelected(true);
    at("10.0.0.3:26000")->SetSelected(true);
    mWin->toggleFavorites();
    EXPECT_TRUE(at("10.0.0.3:26000")->TestFlag(Server::Flag_Favorite));
    EXPECT_FALSE(at("10.0.0.1:26000")->TestFlag(Server::Flag_Favorite));
    mWin->toggleNeverPing();    // on its own tab: takes the shown one off the list
    EXPECT_FALSE(at("10.0.0.3:26000")->TestFlag(Server::Flag_Avoid));
    showTab(3);
    mWin->toggleNeverPing();    // shows 10.0.0.2 and 10.0.0.3; only 10.0.0.3 is selected
    EXPECT_TRUE(at("10.0.0.3:26000")->TestFlag(Server::Flag_Avoid));
    EXPECT_FALSE(at("10.0.0.1:26000")->TestFlag(Server::Flag_Avoid));
    EXPECT_FALSE(at("10.0.0.2:27500")->TestFlag(Server::Flag_Avoid));
}

// Every server a save writes comes back when that file is opened: host names (without a
// reverse lookup on saving) and our own machine too.
TEST_F(ListTest, SavedFileHoldsTheViewAndLoadsBackTheSameServers)
{
    Server named;
    named.SetHost("localhost:26001");
    named.mFlags |= Server::Flag_Favorite;
    mWin->addServer(named);
    Server loopback;
    loopback.SetHost("127.0.0.2:27450");
    loopback.mFlags |= Server::Flag_Favorite;
    mWin->addServer(loopback);
    showTab(3);
    std::string path = mHome.path() + "/list.txt";
    FILE *fp = fopen(path.c_str(), "w");
    ASSERT_NE(fp, nullptr);
    mWin->writeServerFile(fp);
    fclose(fp);
    EXPECT_EQ(readFile(path), "10.0.0.2:27500\nlocalhost:26001\n127.0.0.2:27450\n");
    EXPECT_EQ(statusText(mWin), "3 servers saved to file");

    showTab(0);
    mWin->selectAll();
    mWin->deleteServers();
    ASSERT_EQ(mWin->serverCount(), 0);
    fp = fopen(path.c_str(), "r");
    ASSERT_NE(fp, nullptr);
    std::string error;
    EXPECT_TRUE(mWin->updateFromFile(fp, path.c_str(), &error));
    fclose(fp);
    ASSERT_EQ(mWin->serverCount(), 3);
    EXPECT_NE(at("10.0.0.2:27500"), nullptr);
    EXPECT_NE(at("127.0.0.1:26001"), nullptr);
    EXPECT_STREQ(at("127.0.0.1:26001")->mAddress.KnownHostName(), "localhost");
    EXPECT_NE(at("127.0.0.2:27450"), nullptr);
}

// Names that resolve nowhere are neither added as the broadcast address nor passed over
// without a word.
static bool gameTestResolver(const char *name, uint32_t *networkOrder)
{
    if (std::string(name) != "game.test")
        return false;
    *networkOrder = inet_addr("10.9.8.7");
    return true;
}

TEST_F(ListTest, ListNamesThatDoNotResolveAreSaidAndLeftOut)
{
    InetAddress::Resolver system = InetAddress::SetResolver(gameTestResolver);
    std::string path = mHome.path() + "/names.txt";
    std::ofstream(path) << "game.test:27000\nno.such.host.invalid:26000\n"
                           "other.invalid:26001\n10.1.1.1:26000\n";
    FILE *fp = fopen(path.c_str(), "r");
    ASSERT_NE(fp, nullptr);
    std::string error;
    std::string seen = errorDuring([&] { mWin->updateFromFile(fp, path.c_str(), &error); });
    fclose(fp);
    InetAddress::SetResolver(system);
    EXPECT_EQ(seen, "Could not find host \"no.such.host.invalid\" and 1 more; they were not "
                    "loaded.");
    EXPECT_EQ(mWin->serverCount(), 5);
    ASSERT_NE(at("10.9.8.7:27000"), nullptr);
    EXPECT_STREQ(at("10.9.8.7:27000")->mAddress.KnownHostName(), "game.test");
    EXPECT_NE(at("10.1.1.1:26000"), nullptr);
    EXPECT_EQ(at("255.255.255.255:26000"), nullptr);
    EXPECT_EQ(at("255.255.255.255:26001"), nullptr);

    std::ofstream(path) << "no.such.host.invalid:26000\n";
    fp = fopen(path.c_str(), "r");
    ASSERT_NE(fp, nullptr);
    InetAddress::SetResolver(gameTestResolver);
    seen = errorDuring([&] { mWin->updateFromFile(fp, path.c_str(), &error); });
    fclose(fp);
    InetAddress::SetResolver(system);
    EXPECT_EQ(seen, "Could not find host \"no.such.host.invalid\"; it was not loaded.");
}

TEST_F(ListTest, ListAddressesNoServerCanHaveAreSaidAndLeftOut)
{
    std::string path = mHome.path() + "/reserved.txt";
    std::ofstream(path) << "0.0.0.0:26000\n224.0.0.1:26000\n10.1.1.1:26000\n";
    FILE *fp = fopen(path.c_str(), "r");
    ASSERT_NE(fp, nullptr);
    std::string error;
    std::string seen = errorDuring([&] { mWin->updateFromFile(fp, path.c_str(), &error); });
    fclose(fp);
    EXPECT_EQ(seen, "No server can be at \"0.0.0.0\" and 1 more; they were not loaded.");
    EXPECT_EQ(mWin->serverCount(), 3 + 1);
    EXPECT_NE(at("10.1.1.1:26000"), nullptr);
}
