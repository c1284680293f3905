// folder_draw_test.cpp - XmLFolder: outlines per corner style and side, body frame, blanks, pixmaps
#include "folder_fixture.h"

namespace {

// Two tabs of 40 by 20, the first active. Colours as in FolderTest: white
// face, yellow top and blue bottom shadows, green blank, cyan inactive tabs.
class FolderDrawTest : public FolderTest {
protected:
    void twoTabs(ArgList args = nullptr, Cardinal count = 0)
    {
        folder(args, count);
        show();
        tab();
        tab();
        XmLFolderSetActiveTab(mFolder, 0, False);
        settle();
    }
    static Arg arg(const char *name, XtArgVal value)
    {
        Arg a;
        XtSetArg(a, (char *)name, value);
        return a;
    }
    Pixmap solid(Pixel colour, int depth = 24)
    {
        Pixmap p = XCreatePixmap(mDisplay, DefaultRootWindow(mDisplay), 16, 16, depth);
        GC gc = XCreateGC(mDisplay, p, 0, NULL);
        XSetForeground(mDisplay, gc, colour);
        XFillRectangle(mDisplay, p, gc, 0, 0, 16, 16);
        XFreeGC(mDisplay, gc);
        mPixmaps.push_back(p);
        return p;
    }
    void TearDown() override
    {
        for (Pixmap p : mPixmaps)
            XFreePixmap(mDisplay, p);
        FolderTest::TearDown();     // closes the display
    }
    std::vector<Pixmap> mPixmaps;
};

TEST_F(FolderDrawTest, SquareCornersOutlineTabsAndOpenTheBodyUnderTheActiveOne)
{
    Arg args[] = {arg(XmNcornerStyle, XmCORNER_NONE)};
    twoTabs(args, 1);
    Snapshot s(mFolder);
    // Active tab (0, 0, 48, 26): lit left and far edges, dark right edge.
    EXPECT_EQ(s.at(1, 10), kYellow);
    EXPECT_EQ(s.at(10, 1), kYellow);
    EXPECT_EQ(s.at(46, 10), kBlue);
    // Its sides run on into the body frame; between them the frame is open.
    EXPECT_EQ(s.at(46, 26), kBlue);
    EXPECT_EQ(s.at(20, 26), kWhite);
    EXPECT_EQ(s.at(150, 26), kYellow);
    // The inactive tab is filled, outlined, and its child takes its colours.
    EXPECT_EQ(s.at(50, 3), kCyan);
    EXPECT_EQ(s.at(48, 10), kYellow);
    EXPECT_EQ(s.at(95, 10), kBlue);
    EXPECT_EQ(tabAt(1)->core.background_pixel, kCyan);
    EXPECT_EQ(tabAt(0)->core.background_pixel, kWhite);
    // The rest of the bar is blank; the body frame closes below.
    EXPECT_EQ(s.at(200, 10), kGreen);
    EXPECT_EQ(s.at(0, 100), kYellow);
    EXPECT_EQ(s.at(299, 100), kBlue);
    EXPECT_EQ(s.at(150, 198), kBlue);
}

TEST_F(FolderDrawTest, ArcCornersAreQuarterRingsOnBlank)
{
    twoTabs();
    Snapshot s(mFolder);
    // Corner boxes of 4 by 4 at both ends of the active tab (0, 0, 50, 27).
    EXPECT_EQ(s.at(0, 0), kGreen);
    EXPECT_EQ(s.at(49, 0), kGreen);
    EXPECT_GE(s.count(kYellow, 0, 0, 4, 4), 3);
    EXPECT_GE(s.count(kBlue, 46, 0, 4, 4), 3);
    EXPECT_EQ(s.at(3, 3), kWhite);
    EXPECT_EQ(s.count(kCyan, 0, 0, 4, 4), 0);
    // Sides start below the corner, the far edge after it.
    EXPECT_EQ(s.at(0, 4), kYellow);
    EXPECT_EQ(s.at(4, 0), kYellow);
    // The inactive tab's corner shows its own background inside the ring.
    EXPECT_EQ(s.at(50, 0), kGreen);
    EXPECT_EQ(s.at(53, 3), kCyan);
}

TEST_F(FolderDrawTest, LineCornersAreDiagonalBands)
{
    Arg args[] = {arg(XmNcornerStyle, XmCORNER_LINE)};
    twoTabs(args, 1);
    Snapshot s(mFolder);
    EXPECT_EQ(s.at(0, 0), kGreen);
    EXPECT_EQ(s.at(0, 3), kYellow);
    EXPECT_EQ(s.at(1, 2), kYellow);
    EXPECT_EQ(s.at(3, 0), kYellow);
    EXPECT_EQ(s.at(3, 3), kWhite);
    // At the top both corners take the top shadow.
    EXPECT_EQ(s.at(49, 0), kGreen);
    EXPECT_EQ(s.at(48, 2), kYellow);
    EXPECT_EQ(s.at(46, 3), kWhite);
}

TEST_F(FolderDrawTest, ABottomBarIsTheTopOneUpsideDown)
{
    Arg args[] = {arg(XmNcornerStyle, XmCORNER_LINE), arg(XmNtabPlacement, XmFOLDER_BOTTOM)};
    twoTabs(args, 2);
    Snapshot s(mFolder);
    // Active tab (0, 173, 50, 27); its outer edge is the bottom one.
    EXPECT_EQ(s.at(0, 199), kGreen);
    EXPECT_EQ(s.at(0, 196), kYellow);
    EXPECT_EQ(s.at(3, 196), kWhite);
    EXPECT_EQ(s.at(20, 199), kBlue);
    EXPECT_EQ(s.at(49, 199), kGreen);
    EXPECT_EQ(s.at(48, 197), kBlue);
    // The body frame's near edge is at the body's bottom, in the bottom shadow.
    EXPECT_EQ(s.at(150, 172), kBlue);
    EXPECT_EQ(s.at(20, 172), kWhite);
    EXPECT_EQ(s.at(150, 0), kYellow);
}

TEST_F(FolderDrawTest, SideBarsTurnTheOutlines)
{
    Arg args[] = {arg(XmNcornerStyle, XmCORNER_NONE), arg(XmNtabPlacement, XmFOLDER_LEFT),
                  arg(XmNrotateWhenLeftRight, False)};
    twoTabs(args, 3);
    {
        Snapshot s(mFolder);
        // Active tab (0, 0, 46, 28): lit top and outer edges, dark bottom edge.
        EXPECT_EQ(s.at(10, 0), kYellow);
        EXPECT_EQ(s.at(0, 10), kYellow);
        EXPECT_EQ(s.at(10, 27), kBlue);
        EXPECT_EQ(s.at(46, 1), kYellow);        // the top edge runs into the body
        EXPECT_EQ(s.at(46, 100), kYellow);
        EXPECT_EQ(s.at(10, 100), kGreen);
    }
    XtVaSetValues(mFolder, XmNtabPlacement, XmFOLDER_RIGHT, NULL);
    settle();
    Snapshot s(mFolder);
    EXPECT_EQ(s.at(299, 10), kBlue);
    EXPECT_EQ(s.at(280, 0), kYellow);
    EXPECT_EQ(s.at(253, 100), kBlue);
}

TEST_F(FolderDrawTest, NoShadowMeansNoOutlinesButStillFillsAndBlanks)
{
    Arg args[] = {arg(XmNshadowThickness, 0)};
    twoTabs(args, 1);
    Snapshot s(mFolder);
    EXPECT_EQ(s.at(0, 0), kWhite);
    EXPECT_EQ(s.at(46, 0), kCyan);
    EXPECT_EQ(s.at(150, 199), kWhite);
    EXPECT_EQ(s.at(0, 100), kWhite);
    EXPECT_EQ(s.at(200, 10), kGreen);
}

TEST_F(FolderDrawTest, WithoutAnActiveTabTheNearEdgeIsWhole)
{
    folder();
    show();
    tab();
    settle();
    Snapshot s(mFolder);
    EXPECT_EQ(s.at(20, 27), kYellow);
    EXPECT_EQ(s.at(10, 2), kCyan);
}

TEST_F(FolderDrawTest, InsetsOfRowsAwayFromTheBodyAndSpacingAreBlank)
{
    Arg args[] = {arg(XmNtabsPerRow, 2), arg(XmNspacing, 4)};
    folder(args, 2);
    show();
    for (int i = 0; i < 4; i++)
        tab();
    XmLFolderSetActiveTab(mFolder, 0, False);
    settle();
    Snapshot s(mFolder);
    // The inactive row (tabs 2 and 3) is at the top, inset by 2 at each end.
    EXPECT_EQ(s.at(0, 10), kGreen);
    EXPECT_EQ(s.at(299, 10), kGreen);
    EXPECT_EQ(s.at(2, 10), kYellow);
    // The gap after tab 2 is blank too.
    int gap = area(tabAt(2)).x + area(tabAt(2)).width;
    EXPECT_EQ(s.at(gap + 1, 10), kGreen);
    // The active row fills the bar's length.
    EXPECT_EQ(s.at(0, 40), kYellow);
}

TEST_F(FolderDrawTest, EachTabShowsThePixmapOfItsOwnState)
{
    folder();
    show();
    Widget a = tab(), b = tab();
    XtVaSetValues(a, XmNtabPixmap, solid(kRed), NULL);
    XtVaSetValues(b, XmNtabInactivePixmap, solid(kGrey), NULL);
    XmLFolderSetActiveTab(mFolder, 0, False);
    settle();
    // Tab a's child is at 23; its pixmap at (23 - 16 - 2 - 2, 5 + 20 - 16).
    int bx = b->core.x - 20, by = 9;
    {
        Snapshot s(mFolder);
        EXPECT_EQ(s.count(kRed, 3, 9, 16, 16), 256);
        EXPECT_EQ(s.count(kGrey, bx, by, 16, 16), 256);
    }
    XmLFolderSetActiveTab(mFolder, 1, False);
    settle();
    Snapshot s(mFolder);
    EXPECT_EQ(s.count(kRed, 3, 9, 16, 16), 0);
    EXPECT_EQ(s.count(kCyan, 3, 9, 16, 16), 256);
    EXPECT_EQ(s.count(kGrey, bx, by, 16, 16), 0);
}

TEST_F(FolderDrawTest, ABitmapPixmapIsDrawnInTheTabsColours)
{
    folder();
    show();
    Widget a = tab();
    // Copied as it is, a bitmap would make the server refuse the folder's drawing.
    XtVaSetValues(a, XmNtabPixmap, solid(1, 1), NULL);
    XmLFolderSetActiveTab(mFolder, 0, False);
    settle();
    Snapshot s(mFolder);
    EXPECT_EQ(s.count(kBlack, 3, 9, 16, 16), 256);
}

TEST_F(FolderDrawTest, TheFocusTabIsRingedInTheHighlightColour)
{
    twoTabs();
    Widget t = tabAt(1);
    XtCallActionProc(t, (char *)"XmLFolderPrimFocusIn", NULL, NULL, 0);
    XSync(mDisplay, False);
    {
        Snapshot s(mFolder);
        EXPECT_EQ(s.at(t->core.x - 1, t->core.y + 5), kRed);
        EXPECT_EQ(s.at(t->core.x - 2, t->core.y + 5), kRed);
    }
    XtCallActionProc(t, (char *)"XmLFolderPrimFocusOut", NULL, NULL, 0);
    XSync(mDisplay, False);
    Snapshot s(mFolder);
    EXPECT_EQ(s.at(t->core.x - 1, t->core.y + 5), kCyan);
}

TEST_F(FolderDrawTest, ANewInactiveColourRedrawsTheTabs)
{
    twoTabs();
    XtVaSetValues(mFolder, XmNinactiveBackground, kGrey, NULL);
    settle();
    Snapshot s(mFolder);
    EXPECT_EQ(s.at(53, 3), kGrey);
    EXPECT_EQ(tabAt(1)->core.background_pixel, kGrey);
}

}  // namespace
