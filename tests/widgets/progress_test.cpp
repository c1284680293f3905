// progress_test.cpp - XmLProgress: defaults, repairs, texts, times and what it draws.
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include "widgets/ProgressP.h"
#include "xfixture.h"

#include <climits>

namespace {

static time_t sNow = 1000;
static time_t FakeClock()
{
    return sNow;
}

class ProgressTest : public XTest {
protected:
    void SetUp() override
    {
        sNow = 1000;
        xmlProgressClock = FakeClock;
        XTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
    }
    void TearDown() override
    {
        XTest::TearDown();
        xmlProgressClock = mSystemClock;
    }

    // A meter in known colours, blue filling yellow.
    Widget meter(ArgList args = nullptr, Cardinal count = 0)
    {
        mMeter = XmLCreateProgress(mShell, (char *)"meter", args, count);
        XtVaSetValues(mMeter, XmNforeground, kBlue, XmNbackground, kYellow, XmNshadowThickness, 2,
                      NULL);
        XtManageChild(mMeter);
        return mMeter;
    }
    XmLProgressPart &part() { return ((XmLProgressWidget)mMeter)->progress; }
    XmLProgressTexts texts()
    {
        XmLProgressTexts t;
        XmLProgressGetTexts((XmLProgressWidget)mMeter, &t);
        return t;
    }
    void set(const char *name, int value) { XtVaSetValues(mMeter, name, value, NULL); }
    std::string warning(const char *text) { return std::string("XmLProgress: meter: ") + text + "\n"; }

    Widget mMeter = nullptr;
    time_t (*mSystemClock)(void) = xmlProgressClock;
};

TEST_F(ProgressTest, DefaultsAndInitialSize)
{
    meter();
    EXPECT_EQ(mMeter->core.width, 200);
    EXPECT_EQ(mMeter->core.height, 30);
    EXPECT_EQ(part().completeValue, 100);
    EXPECT_EQ(part().numBoxes, 10);
    EXPECT_EQ(part().value, 0);
    EXPECT_EQ(part().meterStyle, XmMETER_BAR);
    EXPECT_FALSE(part().showTime);
    EXPECT_TRUE(part().showPercentage);
    EXPECT_NE(part().fontList, nullptr);
    Boolean traversal = True;
    XtVaGetValues(mMeter, XmNtraversalOn, &traversal, NULL);
    EXPECT_FALSE(traversal);
    EXPECT_TRUE(sWarnings.empty());
}

TEST_F(ProgressTest, CreationRepairsBadValuesWithWarnings)
{
    Arg args[3];
    XtSetArg(args[0], XmNcompleteValue, 0);
    XtSetArg(args[1], XmNnumBoxes, -4);
    XtSetArg(args[2], XmNvalue, -5);
    meter(args, 3);
    EXPECT_EQ(part().completeValue, 1);
    EXPECT_EQ(part().numBoxes, 1);
    EXPECT_EQ(part().value, 0);
    EXPECT_EQ(sWarnings, (std::vector<std::string>{
                             warning("Initialize() - complete value can't be < 1"),
                             warning("Initialize() - number of boxes can't be < 1"),
                             warning("Initialize() - value can't be < 0"),
                         }));
}

TEST_F(ProgressTest, CreationCapsTheValue)
{
    Arg args[2];
    XtSetArg(args[0], XmNcompleteValue, 20);
    XtSetArg(args[1], XmNvalue, 21);
    meter(args, 2);
    EXPECT_EQ(part().value, 20);
    EXPECT_EQ(sWarnings,
              std::vector<std::string>{warning("Initialize() - value can't be > completeValue")});
}

TEST_F(ProgressTest, SettingRepairsBadValuesWithWarnings)
{
    meter();
    set(XmNvalue, 150);
    EXPECT_EQ(part().value, 100);
    EXPECT_EQ(texts().percent, std::string("100%"));
    set(XmNvalue, 50);
    set(XmNcompleteValue, 0);
    EXPECT_EQ(part().completeValue, 1);
    EXPECT_EQ(part().value, 1);
    set(XmNnumBoxes, 0);
    set(XmNvalue, -1);
    EXPECT_EQ(part().numBoxes, 1);
    EXPECT_EQ(part().value, 0);
    EXPECT_EQ(sWarnings, (std::vector<std::string>{
                             warning("SetValues() - value can't be > completeValue"),
                             warning("SetValues() - complete value can't be < 1"),
                             warning("SetValues() - value can't be > completeValue"),
                             warning("SetValues() - number of boxes can't be < 1"),
                             warning("SetValues() - value can't be < 0"),
                         }));
}

TEST_F(ProgressTest, StyleComesFromTheResourceDatabase)
{
    XrmDatabase database = XtDatabase(mDisplay);
    XrmPutLineResource(&database, "*meter.meterStyle: METER_BOXES");
    meter();
    EXPECT_EQ(part().meterStyle, XmMETER_BOXES);
}

TEST_F(ProgressTest, AnUnknownStyleKeepsTheDefaultAndNamesItsType)
{
    meter();
    XtVaSetValues(mMeter, XtVaTypedArg, XmNmeterStyle, XmRString, "METER_DIAL", 11, NULL);
    EXPECT_EQ(part().meterStyle, XmMETER_BAR);
    ASSERT_GE(sWarnings.size(), 1u);
    EXPECT_EQ(sWarnings[0], "Cannot convert string \"METER_DIAL\" to type XmRMeterStyle");
    XtVaSetValues(mMeter, XtVaTypedArg, XmNmeterStyle, XmRString, "METER_BOXES", 12, NULL);
    EXPECT_EQ(part().meterStyle, XmMETER_BOXES);
}

TEST_F(ProgressTest, PercentageTruncates)
{
    meter();
    set(XmNcompleteValue, 3);
    set(XmNvalue, 1);
    EXPECT_EQ(texts().percent, std::string("33%"));
    set(XmNvalue, 2);
    EXPECT_EQ(texts().percent, std::string("66%"));
    set(XmNshowPercentage, False);
    EXPECT_EQ(texts().percent, std::string(""));
}

TEST_F(ProgressTest, LargeValuesDoNotOverflow)
{
    meter();
    set(XmNcompleteValue, INT_MAX);
    set(XmNvalue, INT_MAX - 100);
    EXPECT_EQ(texts().percent, std::string("99%"));
    set(XmNvalue, INT_MAX / 2);
    EXPECT_EQ(texts().percent, std::string("49%"));
}

TEST_F(ProgressTest, TimesShowElapsedAndRemaining)
{
    meter();
    sNow = 1030;
    set(XmNvalue, 25);
    EXPECT_EQ(texts().elapsed, std::string("")) << "not without showTime";
    set(XmNshowTime, True);
    EXPECT_EQ(texts().elapsed, std::string("30 sec"));
    EXPECT_EQ(texts().remaining, std::string("1:30 min"));
    set(XmNvalue, 100);
    EXPECT_EQ(texts().elapsed, std::string(""));
    EXPECT_EQ(texts().remaining, std::string(""));
}

TEST_F(ProgressTest, TimesAreFormattedBySize)
{
    meter();
    set(XmNshowTime, True);
    set(XmNvalue, 50);
    const std::pair<time_t, const char *> cases[] = {
        {9, "9 sec"}, {69, "1:09 min"}, {70, "1:10 min"}, {3600 + 9 * 60, "1:09 hr"},
        {36000 + 600, "10:10 hr"}, {500 * 3600, "99:00 hr"},
    };
    for (auto &c : cases) {
        sNow = 1000 + c.first;
        EXPECT_EQ(texts().elapsed, std::string(c.second));
        EXPECT_EQ(texts().remaining, std::string(c.second)) << "half way, as much again";
    }
}

TEST_F(ProgressTest, ValueZeroRestartsTheClockAndHidesTheTimes)
{
    meter();
    set(XmNshowTime, True);
    sNow = 5000;
    set(XmNvalue, 0);
    EXPECT_EQ(texts().elapsed, std::string(""));
    sNow = 5010;
    set(XmNvalue, 10);
    EXPECT_EQ(texts().elapsed, std::string("10 sec"));
    EXPECT_EQ(texts().remaining, std::string("1:30 min"));
    sNow = 4000;
    EXPECT_EQ(texts().elapsed, std::string("")) << "a clock set back shows no time";
}

// Rows 3 and 4 lie inside the frame and above any text.
TEST_F(ProgressTest, BarFillsToTheValueAtOnce)
{
    meter();
    show();
    set(XmNvalue, 50);
    Snapshot shot(mMeter);
    EXPECT_EQ(shot.at(2, 4), kBlue);
    EXPECT_EQ(shot.at(99, 4), kBlue);
    EXPECT_EQ(shot.at(100, 4), kYellow);
    EXPECT_EQ(shot.at(197, 4), kYellow);
    EXPECT_NE(shot.at(0, 4), kBlue) << "the frame stays";
    set(XmNvalue, 100);
    Snapshot full(mMeter);
    EXPECT_EQ(full.count(kBlue, 2, 3, 196, 2), 2 * 196);
}

TEST_F(ProgressTest, TextChangesColourAtTheFillEdge)
{
    meter();
    show();
    set(XmNvalue, 50);
    Snapshot shot(mMeter);
    EXPECT_GT(shot.count(kYellow, 80, 2, 20, 26), 0) << "text over the filled part";
    EXPECT_GT(shot.count(kBlue, 100, 2, 20, 26), 0) << "text over the rest";
    EXPECT_EQ(shot.count(kYellow, 2, 2, 60, 26), 0) << "no text far from the middle";
}

TEST_F(ProgressTest, TimeTextsAppearAtTheEnds)
{
    meter();
    show();
    Snapshot before(mMeter);
    set(XmNshowTime, True);
    sNow = 1030;
    set(XmNvalue, 25);
    Snapshot shot(mMeter);
    EXPECT_EQ(before.count(kBlue, 150, 2, 45, 26), 0);
    EXPECT_GT(shot.count(kYellow, 7, 2, 30, 26), 0) << "elapsed, over the fill";
    EXPECT_GT(shot.count(kBlue, 150, 2, 45, 26), 0) << "remaining, over the rest";
}

TEST_F(ProgressTest, BoxesFillByWholeBoxes)
{
    Arg args[1];
    XtSetArg(args[0], XmNmeterStyle, XmMETER_BOXES);
    meter(args, 1);
    show();
    set(XmNvalue, 35);
    Snapshot shot(mMeter);
    // Inner width 196: box 2 spans 39 to 58, box 3 58 to 78, each inset by 2.
    EXPECT_EQ(shot.count(kBlue, 2 + 41, 4, 15, 22), 15 * 22);
    EXPECT_EQ(shot.count(kYellow, 2 + 60, 4, 16, 22), 16 * 22);
    EXPECT_EQ(shot.count(kBlue, 2 + 58, 2, 138, 26), 0);
}

TEST_F(ProgressTest, BoxesThatDoNotFitAreNotDrawn)
{
    Arg args[3];
    XtSetArg(args[0], XmNmeterStyle, XmMETER_BOXES);
    XtSetArg(args[1], XmNwidth, 40);
    XtSetArg(args[2], XmNvalue, 100);
    meter(args, 3);
    show();
    Snapshot shot(mMeter);
    EXPECT_EQ(shot.count(kBlue, 0, 0, 40, 30), 0);
    XtVaSetValues(mMeter, XmNwidth, 64, NULL);
    settle();
    Snapshot wider(mMeter);
    EXPECT_EQ(wider.count(kBlue, 0, 0, 64, 30), 10 * 2 * 22) << "ten boxes, each 2 pixels inside";
    // Ten boxes of shadows 2 pixels thick need 40 pixels inside the meter's own shadow.
    XtVaSetValues(mMeter, XmNwidth, 43, NULL);
    settle();
    Snapshot tight(mMeter);
    EXPECT_EQ(tight.count(kYellow, 2, 2, 39, 26), 39 * 26) << "no box";
    XtVaSetValues(mMeter, XmNwidth, 44, NULL);
    settle();
    Snapshot fits(mMeter);
    EXPECT_EQ(fits.count(kYellow, 2, 2, 40, 26), 0) << "ten boxes, all shadow";
}

TEST_F(ProgressTest, HugeBoxCountsDrawAtOnce)
{
    Arg args[3];
    XtSetArg(args[0], XmNmeterStyle, XmMETER_BOXES);
    XtSetArg(args[1], XmNnumBoxes, INT_MAX);
    XtSetArg(args[2], XmNvalue, 60);
    meter(args, 3);
    XtVaSetValues(mMeter, XmNshadowThickness, 0, NULL);
    show();
    set(XmNvalue, 70);
    Snapshot shot(mMeter);
    EXPECT_EQ(shot.count(kBlue, 0, 0, 200, 30), 0);
}

TEST_F(ProgressTest, ResizeRedrawsTheFill)
{
    meter();
    set(XmNvalue, 50);
    show();
    XtVaSetValues(mMeter, XmNwidth, 300, NULL);
    settle();
    Snapshot shot(mMeter);
    EXPECT_EQ(shot.width(), 300);
    EXPECT_EQ(shot.at(149, 4), kBlue);
    EXPECT_EQ(shot.at(150, 4), kYellow);
}

TEST_F(ProgressTest, WithoutTheFixedFontTheBarStillDraws)
{
    xmlFixedFontName = "-vireo-no-such-font-*";
    meter();
    EXPECT_EQ(sWarnings, (std::vector<std::string>{
                             warning("FontListCopyDefault() - FATAL ERROR - can't load fixed font"),
                             warning("- fatal error - font list NULL"),
                         }));
    show();
    set(XmNvalue, 50);
    Snapshot shot(mMeter);
    EXPECT_EQ(shot.at(99, 4), kBlue);
    EXPECT_EQ(shot.at(100, 4), kYellow);
}

TEST_F(ProgressTest, WithoutAFontListTheBarDrawsWithoutText)
{
    meter();
    XmFontListFree(part().fontList);
    part().fontList = nullptr;
    show();
    set(XmNvalue, 50);
    Snapshot shot(mMeter);
    EXPECT_EQ(shot.count(kBlue, 2, 2, 98, 26), 98 * 26);
    EXPECT_EQ(shot.count(kYellow, 100, 2, 98, 26), 98 * 26);
}

TEST_F(ProgressTest, AGivenFontListIsCopied)
{
    XFontStruct *font = XLoadQueryFont(mDisplay, "fixed");
    ASSERT_NE(font, nullptr);
    XmFontList mine = XmFontListCreate(font, (char *)XmSTRING_DEFAULT_CHARSET);
    meter();
    XtVaSetValues(mMeter, XmNfontList, mine, NULL);
    EXPECT_NE(part().fontList, mine);
    XmFontListFree(mine);
    show();
    set(XmNvalue, 50);
    Snapshot shot(mMeter);
    EXPECT_GT(shot.count(kYellow, 80, 2, 20, 26), 0);
    XFreeFont(mDisplay, font);
}

}  // namespace
