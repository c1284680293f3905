// test_launch.cpp - the game launch from the selected server (connect file and command,
// recorded by the test window instead of run), and the redial dialog's offer to join.
#include <gtest/gtest.h>

#include "browser/redialDialog.h"
#include "browser/settings.h"
#include "framework/VkErrorDialog.h"
#include "tests/browser/mainwin_harness.h"
#include "tests/framework/fwtest.h"

#include <Xm/Xm.h>

#include <arpa/inet.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace harness;

class LaunchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mHome.writeSettings("server 10.0.0.5:26000 0\nserver 10.0.0.6:27500 0\n");
        mWin = showWindow();
        mGame = mHome.path() + "/quake";
        mkdir(mGame.c_str(), 0700);
        mkdir((mGame + "/id1").c_str(), 0700);
        mWin->options().quakePath = mGame;
        mWin->options().quakeCmd = "quake";
    }
    Server *select(const char *host)
    {
        Server *s = serverAt(mWin, host);
        selectServer(mWin, s);
        return s;
    }
    std::string connectFile()
    {
        std::ifstream in(mGame + "/id1/vireo.cfg");
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fwtest::Watchdog mWatchdog{30};
    TempHome         mHome;
    TestWin         *mWin = nullptr;
    std::string      mGame;
};

TEST_F(LaunchTest, WritesTheAddressAndRunsTheCommand)
{
    select("10.0.0.5:26000");
    mWin->launchGame();
    EXPECT_EQ(connectFile(), "connect 10.0.0.5\n");
    ASSERT_EQ(mWin->commands.size(), 1u);
    EXPECT_EQ(mWin->commands[0], "quake +exec vireo.cfg -udpport 26000 ");
}

// A server's own name is never shell text: it reaches neither the file nor the command.
TEST_F(LaunchTest, TheServersNameStaysOutOfTheCommand)
{
    Server *s = select("10.0.0.6:27500");
    s->mName = "x; touch /tmp/owned &";
    mWin->launchGame();
    ASSERT_EQ(mWin->commands.size(), 1u);
    EXPECT_EQ(mWin->commands[0], "quake +exec vireo.cfg -udpport 27500 ");
    EXPECT_EQ(connectFile(), "connect 10.0.0.6\n");
}

// A tab pasted into the options blocked every launch as a control character.
TEST_F(LaunchTest, ATabInTheOptionsPartsWordsAsABlankDoes)
{
    select("10.0.0.5:26000");
    mWin->options().quakeCmd = "printf '[%s]'";
    mWin->options().quakeOptions = "-fast\t+name tester";
    EXPECT_EQ(errorDuring([this] { mWin->launchGame(); }), "");
    ASSERT_EQ(mWin->commands.size(), 1u);
    FILE *shell = popen(mWin->commands[0].c_str(), "r");
    ASSERT_NE(shell, nullptr);
    char words[128] = "";
    size_t length = fread(words, 1, sizeof words - 1, shell);
    pclose(shell);
    EXPECT_EQ(std::string(words, length),
              "[+exec][vireo.cfg][-udpport][26000][-fast][+name][tester]");
}

TEST_F(LaunchTest, NoSingleSelectedServerLaunchesNothing)
{
    mWin->launchGame();
    select("10.0.0.5:26000");
    select("10.0.0.6:27500");
    mWin->launchGame();
    EXPECT_TRUE(mWin->commands.empty());
    EXPECT_EQ(connectFile(), "");
}

TEST_F(LaunchTest, MissingGameSettingsAreReportedAndNothingRuns)
{
    select("10.0.0.5:26000");
    mWin->options().quakePath.clear();
    std::string seen;
    readErrorLater(&seen);
    mWin->launchGame();
    EXPECT_EQ(seen, "Quake launch options not specified.");
    mWin->options().quakePath = mGame;
    mWin->options().quakeOptions = "-nosound\nxterm";
    readErrorLater(&seen);
    mWin->launchGame();
    EXPECT_EQ(seen, "Quake launch options hold a control character.");
    EXPECT_TRUE(mWin->commands.empty());
    EXPECT_EQ(connectFile(), "");
}

// The game started unconnected, or joined the server of an old connect file it could not
// replace; a redial that found a slot did the same.
TEST_F(LaunchTest, AConnectFileThatCannotBeWrittenIsNamedAndNoGameStarts)
{
    Server *s = select("10.0.0.5:26000");
    mWin->options().quakePath = mHome.path() + "/nowhere";
    std::string said = "Could not write " + mHome.path() + "/nowhere/id1/vireo.cfg: " +
                       strerror(ENOENT) + "; the game was not started.";
    EXPECT_EQ(errorDuring([this] { mWin->launchGame(); }), said);
    mWin->options().autoConnect = true;
    EXPECT_EQ(errorDuring([this, s] { mWin->slotOpened(s); }), said);
    EXPECT_TRUE(mWin->commands.empty());
}

// A FIFO with no reader held the launch in open for good: the window froze, unsaved.
TEST_F(LaunchTest, AConnectFileThatIsAFifoIsRefusedWithoutWaiting)
{
    std::string path = mGame + "/id1/vireo.cfg";
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    select("10.0.0.5:26000");
    EXPECT_EQ(errorDuring([this] { mWin->launchGame(); }),
              "Could not write " + path + ": Not a regular file; the game was not started.");
    EXPECT_TRUE(mWin->commands.empty());
}

// A name that did not resolve at start has no address: the connect file said
// "connect 255.255.255.255" and the game joined nothing.
static bool noNameResolves(const char *, uint32_t *) { return false; }
static bool nameResolves(const char *, uint32_t *address)
{
    *address = htonl(0x0a000009);       // 10.0.0.9
    return true;
}

TEST_F(LaunchTest, AServerWithoutAnAddressIsLookedUpAgainOrNotLaunched)
{
    Server named;
    named.mAddress.SetUnresolved("quake.example.test");
    mWin->addServer(named);
    Server *s = &mWin->servers().back();
    selectServer(mWin, s);
    InetAddress::Resolver system = InetAddress::SetResolver(noNameResolves);
    EXPECT_EQ(errorDuring([this] { mWin->launchGame(); }),
              "Could not find host \"quake.example.test\"; the game was not started.");
    EXPECT_TRUE(mWin->commands.empty());
    EXPECT_EQ(connectFile(), "");
    EXPECT_EQ(gridRowText(mWin->serverGrid(), s->mRow, 3, 1), "-");
    InetAddress::SetResolver(nameResolves);
    mWin->launchGame();
    InetAddress::SetResolver(system);
    EXPECT_EQ(connectFile(), "connect 10.0.0.9\n");
    EXPECT_EQ(mWin->commands.size(), 1u);
    EXPECT_EQ(gridRowText(mWin->serverGrid(), s->mRow, 3, 1), "10.0.0.9");  // its row at once
    Server again;
    again.SetHost("10.0.0.9:26000");
    mWin->addServer(again);
    EXPECT_EQ(mWin->serverCount(), 3) << "found under its address";
}

// Adds the servers of a list file holding these lines, as File > Load does.
static void loadList(MainWin *win, const std::string &path, const char *lines)
{
    FILE *fp = fopen(path.c_str(), "w+");
    ASSERT_NE(fp, nullptr);
    fputs(lines, fp);
    rewind(fp);
    std::string error;
    EXPECT_TRUE(win->updateFromFile(fp, path.c_str(), &error)) << error;
    fclose(fp);
}

// Found at Launch, the name made a second record for an address listed already.
TEST_F(LaunchTest, AServerFoundAtLaunchJoinsTheOneListedAtItsAddress)
{
    Server listed;
    listed.SetHost("10.0.0.9:26000");
    mWin->addServer(listed);
    Server named;
    named.mAddress.SetUnresolved("quake.example.test");
    named.mFlags |= Server::Flag_Favorite;
    mWin->addServer(named);
    selectServer(mWin, &mWin->servers().back());
    InetAddress::Resolver system = InetAddress::SetResolver(nameResolves);
    mWin->launchGame();
    InetAddress::SetResolver(system);
    EXPECT_EQ(mWin->serverCount(), 3);
    Server *joined = serverAt(mWin, "10.0.0.9:26000");
    EXPECT_TRUE(joined->TestFlag(Server::Flag_Favorite));
    EXPECT_EQ(connectFile(), "connect 10.0.0.9\n");
    EXPECT_EQ(mWin->selectedServer(), joined);
    mWin->addServer(listed);
    loadList(mWin, mHome.path() + "/list", "10.0.0.9:26000\n");
    EXPECT_EQ(mWin->serverCount(), 3);
}

// Found at Launch, the name listed first gave way to the address listed after it: its
// name and its mark were dropped, where at start they hold.
TEST_F(LaunchTest, AtLaunchAsAtStartTheServerListedFirstKeepsItsNameAndMark)
{
    Server named;
    named.mAddress.SetUnresolved("quake.example.test");
    named.mFlags |= Server::Flag_Avoid;
    mWin->addServer(named);
    Server *first = &mWin->servers().back();
    Server between, listed;
    between.SetHost("10.0.0.7:26000");
    mWin->addServer(between);
    listed.SetHost("10.0.0.9:26000");
    listed.mFlags |= Server::Flag_Favorite;
    mWin->addServer(listed);
    Server *held = &mWin->servers().back();     // a query or a redial may hold it
    selectServer(mWin, first);
    InetAddress::Resolver system = InetAddress::SetResolver(nameResolves);
    testing::internal::CaptureStderr();
    mWin->launchGame();
    std::string said = testing::internal::GetCapturedStderr();
    InetAddress::SetResolver(system);
    ASSERT_EQ(mWin->serverCount(), 4);
    Server &joined = *std::next(mWin->servers().begin(), 2);    // in the first one's place
    EXPECT_EQ(&joined, held);
    EXPECT_STREQ(joined.mAddress.KnownHostName(), "quake.example.test");
    EXPECT_EQ(joined.mFlags & (Server::Flag_Avoid | Server::Flag_Favorite),
              (unsigned)Server::Flag_Avoid);
    EXPECT_EQ(said, "Vireo: favorite 10.0.0.9:26000: the same server as "
                    "quake.example.test:26000, marked otherwise before, ignored\n");
    EXPECT_EQ(connectFile(), "connect 10.0.0.9\n");
}

// The other order: the address listed first keeps its own text, place and mark; the name's
// record goes, its differing mark told as a later line's is.
TEST_F(LaunchTest, AtLaunchTheAddressListedBeforeTheNameKeepsItsTextPlaceAndMark)
{
    Server listed, between, named;
    listed.SetHost("10.0.0.9:26000");
    listed.mFlags |= Server::Flag_Avoid;
    mWin->addServer(listed);
    Server *held = &mWin->servers().back();
    between.SetHost("10.0.0.7:26000");
    mWin->addServer(between);
    named.mAddress.SetUnresolved("quake.example.test");
    named.mFlags |= Server::Flag_Favorite;
    mWin->addServer(named);
    selectServer(mWin, &mWin->servers().back());
    InetAddress::Resolver system = InetAddress::SetResolver(nameResolves);
    testing::internal::CaptureStderr();
    mWin->launchGame();
    std::string said = testing::internal::GetCapturedStderr();
    InetAddress::SetResolver(system);
    ASSERT_EQ(mWin->serverCount(), 4);
    Server &joined = *std::next(mWin->servers().begin(), 2);
    EXPECT_EQ(&joined, held);
    EXPECT_EQ(serverEntry(joined).host, "10.0.0.9");
    EXPECT_EQ(joined.mFlags & (Server::Flag_Avoid | Server::Flag_Favorite),
              (unsigned)Server::Flag_Avoid);
    EXPECT_EQ(&mWin->servers().back(), serverAt(mWin, "10.0.0.7:26000"));
    EXPECT_EQ(said, "Vireo: favorite quake.example.test:26000: the same server as "
                    "10.0.0.9:26000, marked otherwise before, ignored\n");
    EXPECT_EQ(connectFile(), "connect 10.0.0.9\n");
}

// Unlike the list and print files, even a link to a regular file: the game runs what the
// connect file says.
TEST_F(LaunchTest, ALinkInPlaceOfTheConnectFileIsNotFollowed)
{
    std::string path = mGame + "/id1/vireo.cfg", target = mHome.path() + "/elsewhere";
    std::ofstream(target) << "exec other.cfg\n";
    ASSERT_EQ(symlink(target.c_str(), path.c_str()), 0);
    select("10.0.0.5:26000");
    EXPECT_EQ(errorDuring([this] { mWin->launchGame(); }),
              "Could not write " + path + ": Not a regular file; the game was not started.");
    EXPECT_TRUE(mWin->commands.empty());
    EXPECT_EQ(connectFile(), "exec other.cfg\n");    // read through the link
}

// ---- A slot opens on a redialed server

TEST_F(LaunchTest, SlotOpenedAsksFirstAndOkJoinsThatServerWhateverIsSelected)
{
    Server *s = select("10.0.0.6:27500");
    s->mName = "Full House";
    mWin->slotOpened(s);
    Widget form = XtNameToWidget(mWin->baseWidget(), "*RedialDialog");
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(XtIsManaged(form));
    EXPECT_EQ(fwtest::labelText(XtNameToWidget(form, "label")),
              "A slot has opened up on server 'Full House'. Connect?");
    EXPECT_TRUE(mWin->commands.empty());
    s->SetSelected(false);
    select("10.0.0.5:26000");       // the user looks at another server meanwhile
    XtCallCallbacks(XtNameToWidget(form, "*OK"), XmNactivateCallback, nullptr);
    EXPECT_FALSE(XtIsManaged(form));
    ASSERT_EQ(mWin->commands.size(), 1u);
    EXPECT_EQ(mWin->commands[0], "quake +exec vireo.cfg -udpport 27500 ");
    EXPECT_EQ(connectFile(), "connect 10.0.0.6\n");
}

TEST_F(LaunchTest, CancelOnlyClosesAndAutoConnectJoinsWithoutAsking)
{
    Server *s = select("10.0.0.5:26000");
    mWin->slotOpened(s);
    Widget form = XtNameToWidget(mWin->baseWidget(), "*RedialDialog");
    ASSERT_NE(form, nullptr);
    XtCallCallbacks(XtNameToWidget(form, "*Cancel"), XmNactivateCallback, nullptr);
    EXPECT_FALSE(XtIsManaged(form));
    EXPECT_TRUE(mWin->commands.empty());

    mWin->options().autoConnect = true;
    mWin->slotOpened(s);
    EXPECT_FALSE(XtIsManaged(form));
    EXPECT_EQ(mWin->commands.size(), 1u);
}

TEST_F(LaunchTest, AutoConnectJoinsTheServerWithTheSlotWithoutASelection)
{
    Server *s = select("10.0.0.6:27500");
    s->SetSelected(false);
    mWin->updateView();
    ASSERT_EQ(mWin->selectedServer(), nullptr);
    mWin->options().autoConnect = true;
    mWin->slotOpened(s);
    ASSERT_EQ(mWin->commands.size(), 1u);
    EXPECT_EQ(mWin->commands[0], "quake +exec vireo.cfg -udpport 27500 ");
    EXPECT_EQ(connectFile(), "connect 10.0.0.6\n");
}

TEST_F(LaunchTest, OkAfterTheServerWasDeletedSaysSoAndLaunchesNothing)
{
    Server *s = select("10.0.0.6:27500");
    mWin->slotOpened(s);
    Widget form = XtNameToWidget(mWin->baseWidget(), "*RedialDialog");
    ASSERT_NE(form, nullptr);
    mWin->deleteServers();
    ASSERT_EQ(serverAt(mWin, "10.0.0.6:27500"), nullptr);
    select("10.0.0.5:26000");
    std::string seen = errorDuring(
        [form] { XtCallCallbacks(XtNameToWidget(form, "*OK"), XmNactivateCallback, nullptr); });
    EXPECT_EQ(seen, "The server with the free slot was deleted; nothing was launched.");
    EXPECT_TRUE(mWin->commands.empty());
    EXPECT_EQ(connectFile(), "");
}

// ---- The command text itself

TEST(LaunchCommandTest, CommandIsTheUsersCommandWithThePortAndOptions)
{
    Options o;
    o.quakeCmd = "quake";
    std::string command;
    ASSERT_TRUE(MainWin::launchCommand(o, 26000, &command));
    EXPECT_EQ(command, "quake +exec vireo.cfg -udpport 26000 ");
    o.quakeOptions = "+set name me";
    ASSERT_TRUE(MainWin::launchCommand(o, 27500, &command));
    EXPECT_EQ(command, "quake +exec vireo.cfg -udpport 27500 +set name me");
    // Longer than the 255 characters a fixed buffer would have held.
    o.quakeOptions = std::string(400, 'x');
    ASSERT_TRUE(MainWin::launchCommand(o, 1, &command));
    EXPECT_EQ(command.size(), std::string("quake +exec vireo.cfg -udpport 1 ").size() + 400);
}

TEST(LaunchCommandTest, ControlCharactersOrNoCommandRefuseTheLaunch)
{
    Options o;
    std::string command = "kept";
    EXPECT_FALSE(MainWin::launchCommand(o, 26000, &command));
    o.quakeCmd = "quake";
    o.quakeOptions = "-nosound\nxterm";
    EXPECT_FALSE(MainWin::launchCommand(o, 26000, &command));
    o.quakeOptions.clear();
    o.quakeCmd = "quake\r";
    EXPECT_FALSE(MainWin::launchCommand(o, 26000, &command));
    EXPECT_EQ(command, "kept");
}
