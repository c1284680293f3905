// test_options.cpp - the options dialog: its fields show the window's Options, Apply and
// OK write them back, Cancel drops them; the sources it edits; Field's number checks.
#include <gtest/gtest.h>

#include "browser/field.h"
#include "browser/optionsDialog.h"
#include "browser/sourceDialog.h"
#include "framework/VkMenu.h"
#include "framework/VkMenuItem.h"
#include "tests/browser/mainwin_harness.h"
#include "tests/browser/option_flags.h"
#include "tests/framework/fwtest.h"

#include <Xm/List.h>
#include <Xm/TextF.h>
#include <Xm/ToggleB.h>
#include <Xm/Xm.h>
#include <X11/keysym.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

using namespace harness;

static void click(Widget button)
{
    ASSERT_NE(button, nullptr);
    XtCallCallbacks(button, XmNactivateCallback, nullptr);
}

static std::string textOf(Widget text)
{
    char *value = XmTextFieldGetString(text);
    std::string result = value;
    XtFree(value);
    return result;
}

// Leaving a field, as the keyboard focus moving on would.
static void leave(Field *f)
{
    XmTextVerifyCallbackStruct cbs = {};
    cbs.reason = XmCR_LOSING_FOCUS;
    cbs.doit = True;
    XtCallCallbacks(f->text(), XmNlosingFocusCallback, &cbs);
}

// A key typed at the end of a text field, as the keyboard would.
static void typeAtEnd(Widget text, KeySym key)
{
    XmTextFieldSetInsertionPosition(text, XmTextFieldGetLastPosition(text));
    XEvent e = {};
    e.xkey.type = KeyPress;
    e.xkey.display = XtDisplay(text);
    e.xkey.window = XtWindow(text);
    e.xkey.root = DefaultRootWindow(XtDisplay(text));
    e.xkey.keycode = XKeysymToKeycode(XtDisplay(text), key);
    e.xkey.same_screen = True;
    XtCallActionProc(text, (char *)"self-insert", &e, nullptr, 0);
}

class OptionsDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mWin = showWindow();
        mWin->setSources({"http://localhost/a.txt", "file:/tmp/b.txt"});
    }
    OptionsDialog *open()
    {
        mWin->showOptionsDialog();
        OptionsDialog *d = mWin->optionsDialog();
        EXPECT_NE(d, nullptr);
        return d;
    }
    Widget find(const char *name)
    { return XtNameToWidget(mWin->optionsDialog()->form(), name); }
    bool toggle(const char *name) { return XmToggleButtonGetState(find(name)); }
    void setToggle(const char *name, bool state)
    { XmToggleButtonSetState(find(name), state, True); }
    Field *field(const char *name) { return mWin->optionsDialog()->field(name); }
    void type(Field *f, const char *text) { XmTextFieldSetString(f->text(), (char *)text); }
    void press(const char *button) { click(find(button)); }
    std::vector<std::string> listed()
    {
        XmStringTable items = nullptr;
        int count = 0;
        XtVaGetValues(find("*sourceList"), XmNitems, &items, XmNitemCount, &count, nullptr);
        std::vector<std::string> result;
        for (int i = 0; i < count; i++) {
            char *text = (char *)XmStringUnparse(items[i], nullptr, XmCHARSET_TEXT,
                                                 XmCHARSET_TEXT, nullptr, 0, XmOUTPUT_ALL);
            result.push_back(text);
            XtFree(text);
        }
        return result;
    }
    bool shown() { return XtIsManaged(mWin->optionsDialog()->form()); }

    fwtest::Watchdog mWatchdog{30};
    TempHome         mHome;
    TestWin         *mWin = nullptr;
};

TEST_F(OptionsDialogTest, MenuItemAndToolOpenOneDialogOnFiveTabs)
{
    VkMenuItem *item = mWin->getMenu("View")->findItem("Options");
    ASSERT_NE(item, nullptr);
    click(item->baseWidget());
    OptionsDialog *d = mWin->optionsDialog();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(shown());
    press("*Cancel");
    EXPECT_FALSE(shown());
    click(XtNameToWidget(mWin->baseWidget(), "*toolBar.options"));
    EXPECT_EQ(mWin->optionsDialog(), d);
    EXPECT_TRUE(shown());
    int tabs = 0;
    XtVaGetValues(find("optionsFolder"), "tabCount", &tabs, nullptr);
    EXPECT_EQ(tabs, 5);
}

// The class resource file the program installs beside itself.
static std::string classResourceFile()
{
    std::string here = __FILE__;
    return here.substr(0, here.rfind("tests/browser/")) + "resources/Vireo";
}

static long brightness(Display *display, Pixel pixel)
{
    XColor colour;
    colour.pixel = pixel;
    XQueryColor(display, DefaultColormap(display, DefaultScreen(display)), &colour);
    return ((long)colour.red + colour.green + colour.blue) / 3 / 256;
}

// With the background for inactive tabs too, only the opening into the page told
// which tab is active.
TEST_F(OptionsDialogTest, InactiveTabsStandApartFromTheActiveOne)
{
    Display *display = XtDisplay(mWin->baseWidget());
    XrmDatabase db = XtDatabase(display);
    ASSERT_TRUE(XrmCombineFileDatabase(classResourceFile().c_str(), &db, True));
    open();
    Widget folder = find("optionsFolder");
    Pixel inactive = 0, background = 0;
    XtVaGetValues(folder, "inactiveBackground", &inactive, XmNbackground, &background, nullptr);
    long difference = brightness(display, background) - brightness(display, inactive);
    EXPECT_GE(difference < 0 ? -difference : difference, 24);
}

TEST_F(OptionsDialogTest, FieldsShowTheWindowsOptions)
{
    Options &o = mWin->options();
    o.autoUpdate = true;
    o.filter.pingFilter = 1;
    o.filter.maxPing = 250;
    o.filter.minPlayers = 3;
    o.filter.excludeFullServers = 1;
    strcpy(o.filter.excludeMap, "e1m*|dm4");
    o.queriesAtOnce = 9;
    o.queryPlayers = true;
    o.quakeCmd = "quake -game ctf";
    open();
    EXPECT_TRUE(toggle("*autoUpdate"));
    EXPECT_FALSE(toggle("*queryOnLoad"));
    EXPECT_TRUE(field("minPing")->getState());
    EXPECT_TRUE(XtIsSensitive(field("minPing")->text()));
    EXPECT_EQ(field("minPing")->getInt(), 250);
    EXPECT_FALSE(field("minPlayers")->getState());
    EXPECT_FALSE(XtIsSensitive(field("minPlayers")->text()));
    EXPECT_EQ(field("minPlayers")->getInt(), 3);
    EXPECT_TRUE(toggle("*fullServers"));
    EXPECT_EQ(field("mapExclude")->getString(), "e1m*|dm4");
    EXPECT_EQ(field("mapInclude")->getString(), "*");
    EXPECT_EQ(field("pingsAtOnce")->getInt(), 9);
    EXPECT_EQ(field("maxQueryWait")->getInt(), 800);
    EXPECT_TRUE(toggle("*queryPlayers"));
    EXPECT_EQ(textOf(find("*cmdField")), "quake -game ctf");
    EXPECT_EQ(listed(), mWin->sources());
}

TEST_F(OptionsDialogTest, ApplyAndOkWriteBackAndRefilterTheView)
{
    Server s;
    s.SetHost("10.0.0.1:26000");
    s.mDown = 0;
    s.mPing = 300;
    mWin->addServer(s);
    mWin->updateView();
    ASSERT_EQ(shownAddresses(mWin), std::vector<std::string>{"10.0.0.1"});
    open();
    EXPECT_TRUE(mWin->filterServer(s));
    field("minPing")->setState(1);
    type(field("minPing"), "200");
    setToggle("*queryRules", true);
    XmTextFieldSetString(find("*pathField"), (char *)"/opt/quake");
    press("*Apply");
    EXPECT_TRUE(shown());
    EXPECT_TRUE(mWin->options().filter.pingFilter);
    EXPECT_EQ(mWin->options().filter.maxPing, 200);
    EXPECT_TRUE(mWin->options().queryRules);
    EXPECT_EQ(mWin->options().quakePath, "/opt/quake");
    EXPECT_FALSE(mWin->filterServer(s));
    EXPECT_EQ(shownAddresses(mWin), std::vector<std::string>{});

    type(field("maxQueryWait"), "450");
    field("mapInclude")->setState(1);
    type(field("mapInclude"), "dm*");
    press("*OK");
    EXPECT_FALSE(shown());
    EXPECT_EQ(mWin->options().queryTimeout, 450);
    EXPECT_TRUE(mWin->options().filter.includeMapFilter);
    EXPECT_STREQ(mWin->options().filter.includeMap, "dm*");
}

TEST_F(OptionsDialogTest, CancelChangesNothingAndTheNextShowReloads)
{
    open();
    setToggle("*queryOnLoad", true);
    field("maxPlayers")->setState(1);
    type(field("pingsAtOnce"), "12");
    XmListSelectPos(find("*sourceList"), 1, True);
    press("*remove");
    EXPECT_EQ(listed().size(), 1u);
    press("*Cancel");
    Options defaults;
    EXPECT_FALSE(mWin->options().queryOnLoad);
    EXPECT_FALSE(mWin->options().filter.maxPlayerFilter);
    EXPECT_EQ(mWin->options().queriesAtOnce, defaults.queriesAtOnce);
    EXPECT_EQ(mWin->sources().size(), 2u);

    open();
    EXPECT_FALSE(toggle("*queryOnLoad"));
    EXPECT_FALSE(field("maxPlayers")->getState());
    EXPECT_FALSE(XtIsSensitive(field("maxPlayers")->text()));
    EXPECT_EQ(field("pingsAtOnce")->getInt(), 4);
    EXPECT_EQ(listed(), mWin->sources());
}

class OptionsFlagTest : public OptionsDialogTest {
protected:
    void choose(const OptionFlag &f, bool on)
    {
        if (Field *number = field(f.control))
            number->setState(on);
        else
            setToggle((std::string("*") + f.control).c_str(), on);
    }
    // The keys of the flags the dialog shows on.
    std::vector<std::string> shownOn()
    {
        std::vector<std::string> on;
        for (const OptionFlag &f : sOptionFlags) {
            Field *number = field(f.control);
            if (number ? number->getState() : toggle((std::string("*") + f.control).c_str()))
                on.push_back(f.key);
        }
        return on;
    }
};

// One flag at a time, so a flag read from or written to its neighbour shows.
TEST_F(OptionsFlagTest, EachFlagAloneShowsAndAppliesAsItsOwnOption)
{
    for (const OptionFlag &only : sOptionFlags) {
        setOnly(mWin->options(), only);
        open();
        EXPECT_EQ(shownOn(), std::vector<std::string>{only.key});
        press("*Cancel");
        setOnly(mWin->options(), only, true);
        open();
        for (const OptionFlag &f : sOptionFlags)
            choose(f, &f == &only);
        press("*Apply");
        EXPECT_EQ(flagsOn(mWin->options()), std::vector<std::string>{only.key});
        press("*Cancel");
    }
}

// Numbers and texts that differ from each other, so none can land in another's place.
TEST_F(OptionsDialogTest, EachNumberAndTextShowsAndAppliesInItsOwnField)
{
    Options &o = mWin->options();
    o.filter.maxPing = 250;
    o.filter.maxTimeouts = 7;
    o.filter.maxPlayers = 12;
    o.filter.minPlayers = 3;
    o.queriesAtOnce = 9;
    o.queryTimeout = 450;
    strcpy(o.filter.includeMap, "e1m?");
    strcpy(o.filter.excludeMap, "dm*");
    o.quakePath = "/opt/quake";
    o.quakeCmd = "quake -game ctf";
    o.quakeOptions = "-nosound";
    open();
    std::vector<int> numbers;
    for (const char *name : {"minPing", "minTimeout", "maxPlayers", "minPlayers", "pingsAtOnce",
                             "maxQueryWait"})
        numbers.push_back(field(name)->getInt());
    EXPECT_EQ(numbers, (std::vector<int>{250, 7, 12, 3, 9, 450}));
    EXPECT_EQ(field("mapInclude")->getString(), "e1m?");
    EXPECT_EQ(field("mapExclude")->getString(), "dm*");
    EXPECT_EQ(textOf(find("*pathField")), "/opt/quake");
    EXPECT_EQ(textOf(find("*cmdField")), "quake -game ctf");
    EXPECT_EQ(textOf(find("*optionsField")), "-nosound");

    const char *typed[][2] = {{"minPing", "1500"}, {"minTimeout", "40"}, {"maxPlayers", "16"},
                              {"minPlayers", "1"}, {"pingsAtOnce", "2"}, {"maxQueryWait", "990"},
                              {"mapInclude", "e2*"}, {"mapExclude", "start"}};
    for (auto &t : typed)
        type(field(t[0]), t[1]);
    XmTextFieldSetString(find("*pathField"), (char *)"/usr/games");
    XmTextFieldSetString(find("*cmdField"), (char *)"glquake");
    XmTextFieldSetString(find("*optionsField"), (char *)"+skill 3");
    press("*Apply");
    const ServerFilter &f = o.filter;
    EXPECT_EQ((std::vector<int>{f.maxPing, f.maxTimeouts, f.maxPlayers, f.minPlayers,
                                o.queriesAtOnce, o.queryTimeout}),
              (std::vector<int>{1500, 40, 16, 1, 2, 990}));
    EXPECT_STREQ(f.includeMap, "e2*");
    EXPECT_STREQ(f.excludeMap, "start");
    EXPECT_EQ(o.quakePath, "/usr/games");
    EXPECT_EQ(o.quakeCmd, "glquake");
    EXPECT_EQ(o.quakeOptions, "+skill 3");
}

// ---- Sources

TEST_F(OptionsDialogTest, RemoveTakesTheSelectedSourceOnlyWhenOneIsSelected)
{
    open();
    Widget remove = find("*remove");
    EXPECT_FALSE(XtIsSensitive(remove));
    mWin->optionsDialog()->removeSource();          // nothing selected: nothing goes
    EXPECT_EQ(listed().size(), 2u);
    XmListSelectPos(find("*sourceList"), 2, True);
    EXPECT_TRUE(XtIsSensitive(remove));
    click(remove);
    EXPECT_EQ(listed(), std::vector<std::string>{"http://localhost/a.txt"});
    EXPECT_FALSE(XtIsSensitive(remove));
    EXPECT_EQ(mWin->sources().size(), 2u);          // only Apply reaches the window
    press("*Apply");
    EXPECT_EQ(mWin->sources(), std::vector<std::string>{"http://localhost/a.txt"});
}

TEST_F(OptionsDialogTest, RemovingTheMiddleThenTheFirstOfThreeSourcesKeepsTheOthers)
{
    mWin->setSources({"file:/one", "file:/two", "file:/three"});
    open();
    XmListSelectPos(find("*sourceList"), 2, True);
    press("*remove");
    EXPECT_EQ(listed(), (std::vector<std::string>{"file:/one", "file:/three"}));
    XmListSelectPos(find("*sourceList"), 1, True);
    press("*remove");
    EXPECT_EQ(listed(), std::vector<std::string>{"file:/three"});
    press("*OK");
    EXPECT_EQ(mWin->sources(), std::vector<std::string>{"file:/three"});
}

TEST_F(OptionsDialogTest, SourceDialogAddsTypedSourcesTwiceButNeverAnEmptyOne)
{
    OptionsDialog *d = open();
    press("*add");
    SourceDialog *sd = d->sourceDialog();
    ASSERT_NE(sd, nullptr);
    EXPECT_TRUE(XtIsManaged(sd->form()));
    Widget text = sd->sourceField();
    click(sd->button(Dialog::Button_Apply));      // empty: nothing
    EXPECT_EQ(d->workingSources().size(), 2u);
    XmTextFieldSetString(text, (char *)"file:/srv/list");
    click(sd->button(Dialog::Button_Apply));
    EXPECT_EQ(textOf(text), "file:/srv/list");    // kept for the next one
    XmProcessTraversal(text, XmTRAVERSE_CURRENT);
    pressKey(text, XK_Return);                              // Return is OK
    EXPECT_FALSE(XtIsManaged(sd->form()));
    std::vector<std::string> expected = {"http://localhost/a.txt", "file:/tmp/b.txt",
                                         "file:/srv/list", "file:/srv/list"};
    EXPECT_EQ(listed(), expected);
    EXPECT_EQ(mWin->sources().size(), 2u);
    press("*OK");
    EXPECT_EQ(mWin->sources(), expected);
    press("*add");
    EXPECT_EQ(d->sourceDialog(), sd);                       // one source dialog, kept
}

// ---- Numbers and patterns

TEST_F(OptionsDialogTest, NumberFieldsTakeDigitsOnlyAndClampWhenLeft)
{
    open();
    Field *ping = field("minPing");
    type(ping, "12");
    XmTextFieldInsert(ping->text(), 2, (char *)"-3");
    XmTextFieldInsert(ping->text(), 0, (char *)"x");
    EXPECT_EQ(textOf(ping->text()), "12");
    XmTextFieldInsert(ping->text(), 2, (char *)"7");
    EXPECT_EQ(textOf(ping->text()), "127");
    type(ping, "3000");
    leave(ping);
    EXPECT_EQ(textOf(ping->text()), "2000");
    Field *queries = field("pingsAtOnce");
    type(queries, "0");
    XmAnyCallbackStruct enter = {XmCR_ACTIVATE, nullptr};
    XtCallCallbacks(queries->text(), XmNactivateCallback, &enter);     // Return
    EXPECT_EQ(textOf(queries->text()), "1");
    // A number too long for an int is as far out as it gets, not a wrapped-round one.
    type(queries, "99999999999");
    leave(queries);
    EXPECT_EQ(queries->getInt(), 16);
    // Map patterns are text: anything goes in, up to what the filter holds.
    Field *map = field("mapInclude");
    XmTextFieldInsert(map->text(), 0, (char *)"e1m?");
    EXPECT_EQ(map->getString(), "e1m?*");
    map->setString("e1m?|e2m?|e3m?|e4m");          // 18 characters
    typeAtEnd(map->text(), XK_1);
    typeAtEnd(map->text(), XK_2);
    EXPECT_EQ(map->getString(), "e1m?|e2m?|e3m?|e4m1");
    Field *excluded = field("mapExclude");
    excluded->setString("e1m?|e2m?|e3m?|e4m");
    typeAtEnd(excluded->text(), XK_1);
    typeAtEnd(excluded->text(), XK_2);
    EXPECT_EQ(excluded->getString(), "e1m?|e2m?|e3m?|e4m1");
    // Four columns showed a few characters of such a pattern.
    short columns = 0;
    XtVaGetValues(map->text(), XmNcolumns, &columns, nullptr);
    EXPECT_GE(columns, 19);
}

TEST_F(OptionsDialogTest, ApplyBoundsNumbersNotYetLeftAndCutsLongPatterns)
{
    mWin->options().filter.maxPlayers = -5;         // a hand-edited settings file
    open();
    EXPECT_EQ(field("maxPlayers")->getInt(), -5);   // shown as the record holds it
    type(field("pingsAtOnce"), "40");
    type(field("maxQueryWait"), "70000");
    type(field("minTimeout"), "4294967297");
    field("mapExclude")->setString("e1m1|e1m2|e1m3|e1m4|e1m5");
    press("*Apply");
    const Options &o = mWin->options();
    EXPECT_EQ(o.queriesAtOnce, 16);
    EXPECT_EQ(o.queryTimeout, 1000);
    EXPECT_EQ(o.filter.maxTimeouts, 500);
    EXPECT_EQ(o.filter.maxPlayers, 0);
    EXPECT_STREQ(o.filter.excludeMap, "e1m1|e1m2|e1m3|e1m4");
    EXPECT_EQ(textOf(field("pingsAtOnce")->text()), "16");
}

TEST_F(OptionsDialogTest, EachNumberKeepsBothEndsOfItsRangeAndNothingPast)
{
    open();
    struct { const char *name; int low, high; } ranges[] = {
        {"minPing", 0, 2000}, {"minTimeout", 0, 500}, {"maxPlayers", 0, 16},
        {"minPlayers", 0, 16}, {"pingsAtOnce", 1, 16}, {"maxQueryWait", 0, 1000},
    };
    for (const auto &r : ranges) {
        Field *f = field(r.name);
        std::vector<int> kept;
        for (int value : {r.low - 1, r.low, r.high, r.high + 1}) {
            f->setInt(value);
            leave(f);
            kept.push_back(f->getInt());
        }
        EXPECT_EQ(kept, (std::vector<int>{r.low, r.low, r.high, r.high})) << r.name;
    }
}

TEST_F(OptionsDialogTest, ParentDestroyedTheDialogIsBuiltAnew)
{
    OptionsDialog *d = open();
    press("*add");
    XtDestroyWidget(XtParent(d->form()));
    fwtest::pump(20);
    EXPECT_EQ(d->form(), nullptr);
    EXPECT_EQ(d->field("minPing"), nullptr);
    EXPECT_EQ(d->sourceDialog(), nullptr);
    mWin->options().filter.maxPing = 123;
    open();
    ASSERT_NE(d->field("minPing"), nullptr);
    EXPECT_EQ(d->field("minPing")->getInt(), 123);
    press("*add");
    ASSERT_NE(d->sourceDialog(), nullptr);
    EXPECT_TRUE(XtIsManaged(d->sourceDialog()->form()));
}

// ---- Field by itself

class FieldTest : public ::testing::Test {
protected:
    void SetUp() override { mWin = showWindow(); }

    fwtest::Watchdog mWatchdog{30};
    TempHome         mHome;
    TestWin         *mWin = nullptr;
};

TEST_F(FieldTest, ToggleDecidesTheTextsSensitivity)
{
    Field f(mWin->mainWindowWidget(), "limit", Field::Kind_Number, true, 4);
    EXPECT_FALSE(XtIsManaged(f.baseWidget()));
    EXPECT_FALSE(XtIsSensitive(f.text()));
    XmToggleButtonSetState(f.toggle(), True, True);        // a click
    EXPECT_TRUE(XtIsSensitive(f.text()));
    f.setState(0);
    EXPECT_FALSE(f.getState());
    EXPECT_FALSE(XtIsSensitive(f.text()));
    f.setState(0);                                         // no change, still follows
    EXPECT_FALSE(XtIsSensitive(f.text()));
    short columns = 0;
    XtVaGetValues(f.text(), XmNcolumns, &columns, nullptr);
    EXPECT_EQ(columns, 4);

    Field plain(mWin->mainWindowWidget(), "plain", Field::Kind_Text, false, 10);
    EXPECT_EQ(plain.toggle(), nullptr);
    EXPECT_TRUE(XtIsSensitive(plain.text()));
    EXPECT_DEATH(plain.getState(), "_toggle");
}

TEST(FieldValueTest, DigitsSignsAndNumbersTooLongForAnInt)
{
    EXPECT_EQ(Field::textValue(""), 0);
    EXPECT_EQ(Field::textValue("abc"), 0);
    EXPECT_EQ(Field::textValue("42x"), 42);
    EXPECT_EQ(Field::textValue("-17"), -17);
    EXPECT_EQ(Field::textValue("2147483647"), INT_MAX);
    EXPECT_EQ(Field::textValue("2147483648"), INT_MAX);
    EXPECT_EQ(Field::textValue("-99999999999999999999"), INT_MIN);
}

TEST(FieldValueTest, APlusSignReadsAsThePositiveNumber)
{
    EXPECT_EQ(Field::textValue("+5"), 5);
}
