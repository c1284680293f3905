// test_infopane.cpp - the player and rule panes: the game's names in ASCII, player rows and
// connect times, and the panes filled for the single selected server, from a real query.
#include <gtest/gtest.h>

#include "framework/VkMenu.h"
#include "tests/browser/mainwin_harness.h"
#include "tests/framework/fwtest.h"
#include "widgets/Grid.h"

#include <Xm/Xm.h>

#include <cstdio>
#include <string>

using namespace harness;

// ---- Text, no window needed

TEST(QuakeNameTest, GameCharactersBecomePlainLettersDigitsAndBrackets)
{
    EXPECT_STREQ(quakeNameToAscii("\xc1\xe2\xe3"), "Abc");
    EXPECT_STREQ(quakeNameToAscii("\x90Team\x91 x"), "[Team] x");
    EXPECT_STREQ(quakeNameToAscii("\x10\x11\x0a\x0c\x0d"), "[]]]]");
    EXPECT_STREQ(quakeNameToAscii("\x92\x93\x9b"), "019");
    EXPECT_STREQ(quakeNameToAscii("\x12\x1b"), "09");
    EXPECT_STREQ(quakeNameToAscii(" ~\xa0\xfe"), " ~ ~");    // the ends of both plain ranges
    EXPECT_STREQ(quakeNameToAscii("a\x01\x0b\x0f\x1c\x7f\x80\x8f\x9c\x9f" "b"), "ab");
    EXPECT_STREQ(quakeNameToAscii(""), "");
}

// Names come from servers; a long one must end inside the buffer.
TEST(QuakeNameTest, LongNamesAreCutTo255Characters)
{
    std::string name(1000, '\xc1');
    EXPECT_EQ(std::string(quakeNameToAscii(name.c_str())), std::string(255, 'A'));
}

TEST(PlayerRowTextTest, ConnectTimeIsHoursMinutesSeconds)
{
    EXPECT_EQ(MainWin::connectTimeText(3725), "1h:02m:05s");
    EXPECT_EQ(MainWin::connectTimeText(0), "0h:00m:00s");
    EXPECT_EQ(MainWin::connectTimeText(36000), "10h:00m:00s");
    EXPECT_EQ(MainWin::connectTimeText(-5), "0h:00m:00s");
}

TEST(PlayerRowTextTest, NameIsKeptTo39CharactersAndStaysInItsCell)
{
    Player p;
    p.mName = std::string(50, 'x');
    p.mFrags = -3;
    p.mConnectTime = 61;
    EXPECT_EQ(MainWin::playerRowText(p), std::string(39, 'x') + "|-3|0h:01m:01s");
    p.mName = "Quad|Man\xfc";     // 0xFC is "|" in the game's high half
    EXPECT_EQ(MainWin::playerRowText(p), "Quad!Man!|-3|0h:01m:01s");
}

// ---- The panes of a shown window

class InfoPaneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mHome.writeSettings("filter all\nshowinfo true\nshowrules true\nsortServers name\n");
        mWin = showWindow();
    }
    FakeGameServer *addServer(const char *name, const std::vector<FakeRule> &rules,
                              const std::vector<FakePlayer> &players)
    {
        FakeGameScript script;
        script.hostName = name;
        script.rules = rules;
        script.players = players;
        return mFleet.add(mWin, script);
    }
    void queryAll()
    {
        mWin->options().queryRules = true;
        mWin->options().queryPlayers = true;
        mWin->refreshAll();
        ASSERT_TRUE(runToEnd(mWin));
    }
    int rows(Widget grid)
    {
        int n = -1;
        XtVaGetValues(grid, XmNrows, &n, nullptr);
        return n;
    }
    std::string text(Widget grid, int row, int column, int columns)
    {
        FILE *fp = tmpfile();
        XmLGridWritePos(grid, fp, XmFORMAT_DELIMITED, '|', False, XmCONTENT, row, XmCONTENT,
                        column, 1, columns);
        rewind(fp);
        char line[512] = "";
        if (!fgets(line, sizeof line, fp))
            line[0] = '\0';
        fclose(fp);
        return line;
    }
    std::string player(int row) { return text(mWin->playerGrid(), row, 2, 3); }
    std::string rule(int row) { return text(mWin->ruleGrid(), row, 0, 2); }
    Pixmap pixmap(int row, int column)
    {
        Widget grid = mWin->playerGrid();
        Pixmap p = 0;
        XtVaGetValues(grid, XmNrowPtr, XmLGridGetRow(grid, XmCONTENT, row), XmNcolumnPtr,
                      XmLGridGetColumn(grid, XmCONTENT, column), XmNcellPixmap, &p, nullptr);
        return p;
    }
    void clickSelect(int row) { XmLGridSelectRow(mWin->serverGrid(), row, True); }

    fwtest::Watchdog mWatchdog{30};
    TempHome         mHome;
    TestWin         *mWin = nullptr;
    FakeFleet        mFleet;
};

static FakePlayer fakePlayer(const char *name, unsigned int colours, int frags, int seconds)
{
    FakePlayer p;
    p.name = name;
    p.colours = colours;
    p.frags = frags;
    p.connectTime = seconds;
    return p;
}

TEST_F(InfoPaneTest, PanesStartEmptyWithTheirHeadings)
{
    ASSERT_NE(mWin->playerGrid(), nullptr);
    ASSERT_NE(mWin->ruleGrid(), nullptr);
    EXPECT_EQ(rows(mWin->playerGrid()), 0);
    EXPECT_EQ(rows(mWin->ruleGrid()), 0);
    FILE *fp = tmpfile();
    XmLGridWritePos(mWin->playerGrid(), fp, XmFORMAT_DELIMITED, '|', False, XmHEADING, 0,
                    XmCONTENT, 0, 1, 5);
    rewind(fp);
    char line[200] = "";
    ASSERT_NE(fgets(line, sizeof line, fp), nullptr);
    fclose(fp);
    EXPECT_STREQ(line, "||Player Name|Frags|Connect Time");
}

TEST_F(InfoPaneTest, SelectedServerShowsItsPlayersSortedAndItsChangedRules)
{
    addServer("Alpha",
              {{"sv_gravity", "800"}, {"timelimit", "20"}, {"sv_maxspeed", "320"},
               {"sv_friction", "2"}},
              {fakePlayer("zed", 0x4d, 5, 3725), fakePlayer("\xc1\xe2\xe3", 0x0c, 9, 0),
               fakePlayer("mike", 0xf1, 1, 60)});
    queryAll();
    clickSelect(0);

    ASSERT_EQ(rows(mWin->ruleGrid()), 2);
    EXPECT_EQ(rule(0), "timelimit|20");
    EXPECT_EQ(rule(1), "sv_friction|2");

    // By name as the server sent it: the game's high-bit letters sort after plain ones.
    ASSERT_EQ(rows(mWin->playerGrid()), 3);
    EXPECT_EQ(player(0), "mike|1|0h:01m:00s");
    EXPECT_EQ(player(1), "zed|5|1h:02m:05s");
    EXPECT_EQ(player(2), "Abc|9|0h:00m:00s");
    EXPECT_EQ(pixmap(1, 0), mWin->swatch(4));
    EXPECT_EQ(pixmap(1, 1), mWin->swatch(13));
    EXPECT_EQ(pixmap(2, 0), mWin->swatch(0));
    EXPECT_EQ(pixmap(2, 1), mWin->swatch(12));
    EXPECT_NE(mWin->swatch(4), mWin->swatch(13));
    // Shirt 15 is no colour of the game: no swatch at all.
    EXPECT_EQ(pixmap(0, 0), (Pixmap)XmUNSPECIFIED_PIXMAP);
    EXPECT_EQ(pixmap(0, 1), mWin->swatch(1));

    mWin->setPlayerSortKey(2);      // frags, most first
    EXPECT_EQ(player(0), "Abc|9|0h:00m:00s");
    EXPECT_EQ(player(1), "zed|5|1h:02m:05s");
    mWin->setPlayerSortKey(0);      // team: the server's own order
    EXPECT_EQ(player(0), "zed|5|1h:02m:05s");
    EXPECT_EQ(player(2), "mike|1|0h:01m:00s");
}

TEST_F(InfoPaneTest, OnlyASingleSelectionFillsThePanes)
{
    addServer("Alpha", {{"teamplay", "1"}}, {fakePlayer("a", 0, 0, 0)});
    addServer("Beta", {{"sv_gravity", "100"}}, {fakePlayer("b", 0, 0, 0)});
    queryAll();
    clickSelect(1);
    EXPECT_EQ(rule(0), "sv_gravity|100");
    clickSelect(0);
    EXPECT_EQ(rows(mWin->ruleGrid()), 0);
    EXPECT_EQ(rows(mWin->playerGrid()), 0);
    XmLGridDeselectRow(mWin->serverGrid(), 1, True);
    EXPECT_EQ(rule(0), "teamplay|1");
    EXPECT_EQ(player(0), "a|0|0h:00m:00s");
}

// Every rebuild rewrites the rows; the panes follow the selected server's new answer, and
// a second selected server further down the list empties them.
TEST_F(InfoPaneTest, RebuildsRefillThePanesOfTheSelectedServer)
{
    FakeGameServer *alpha = addServer("Alpha", {{"teamplay", "1"}}, {});
    addServer("Beta", {}, {});
    queryAll();
    clickSelect(0);
    EXPECT_EQ(rows(mWin->playerGrid()), 0);
    FakeGameScript script;
    script.hostName = "Alpha";
    script.rules = {{"teamplay", "2"}};
    script.players = {fakePlayer("new", 0, 1, 1)};
    alpha->SetScript(script);
    mWin->refreshSelected();
    ASSERT_TRUE(runToEnd(mWin));
    EXPECT_EQ(rule(0), "teamplay|2");
    EXPECT_EQ(player(0), "new|1|0h:00m:01s");

    serverAt(mWin, mFleet.at(1)->HostText())->SetSelected(true);
    mWin->buildServerList();
    EXPECT_EQ(mWin->selectedCount(), 2);
    EXPECT_EQ(rows(mWin->ruleGrid()), 0);
    EXPECT_EQ(rows(mWin->playerGrid()), 0);
}

TEST_F(InfoPaneTest, DeletingTheShownServerEmptiesThePanes)
{
    addServer("Alpha", {{"teamplay", "1"}}, {fakePlayer("a", 0, 0, 0)});
    queryAll();
    clickSelect(0);
    ASSERT_EQ(rows(mWin->ruleGrid()), 1);
    mWin->deleteServers();
    EXPECT_EQ(rows(mWin->ruleGrid()), 0);
    EXPECT_EQ(rows(mWin->playerGrid()), 0);
}

TEST_F(InfoPaneTest, RulesPaneItemHidesAndShowsTheRuleGrid)
{
    Widget rules = mWin->ruleGrid();
    EXPECT_TRUE(XtIsManaged(rules));
    mWin->toggleRulesPane();
    EXPECT_FALSE(XtIsManaged(rules));
    const char *label = mWin->getMenu("View")->findItem("RulesPane")->label();
    EXPECT_STREQ(label, "Show Rules Pane");
    mWin->toggleRulesPane();
    EXPECT_TRUE(XtIsManaged(rules));
    EXPECT_STREQ(mWin->getMenu("View")->findItem("RulesPane")->label(), "Hide Rules Pane");
}
