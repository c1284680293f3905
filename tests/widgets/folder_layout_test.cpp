// folder_layout_test.cpp - XmLFolder: rows of tabs, placements, natural size, body children.
#include "folder_fixture.h"

namespace {

// Tabs of 40 by 20 with the defaults: shadow 2, highlight 2, arc corners of 2
// (corner allowance 1), no margins: each tab area is 50 long and 27 thick.
class FolderLayoutTest : public FolderTest {
protected:
    void tabs(int n)
    {
        for (int i = 0; i < n; i++)
            tab();
    }
    void expectArea(Widget t, int x, int y, int width, int height)
    {
        EXPECT_EQ(area(t).x, x);
        EXPECT_EQ(area(t).y, y);
        EXPECT_EQ(area(t).width, width);
        EXPECT_EQ(area(t).height, height);
    }
};

TEST_F(FolderLayoutTest, OneRowPlacesTabsEndToEndWithChildrenAtTheBodySide)
{
    folder();
    show();
    tabs(3);
    Widget body = page();
    EXPECT_EQ(part().tabBarHeight, 27);
    expectArea(tabAt(0), 0, 0, 50, 27);
    expectArea(tabAt(2), 100, 0, 50, 27);
    EXPECT_EQ(tabAt(1)->core.x, 55);
    EXPECT_EQ(tabAt(1)->core.y, 5);
    EXPECT_EQ(body->core.x, 2);
    EXPECT_EQ(body->core.y, 29);
    EXPECT_EQ(body->core.width, 296);
    EXPECT_EQ(body->core.height, 169);
}

TEST_F(FolderLayoutTest, CornerStyleSetsTheRoomBesideEachTab)
{
    folder();
    show();
    tab();
    XtVaSetValues(mFolder, XmNcornerDimension, 10, NULL);
    EXPECT_EQ(area(tabAt(0)).width, 40 + 2 * (3 + 4));
    XtVaSetValues(mFolder, XmNcornerStyle, XmCORNER_LINE, NULL);
    EXPECT_EQ(area(tabAt(0)).width, 40 + 2 * (5 + 4));
    XtVaSetValues(mFolder, XmNcornerStyle, XmCORNER_NONE, XmNspacing, 3, NULL);
    EXPECT_EQ(area(tabAt(0)).width, 40 + 2 * 4);
}

TEST_F(FolderLayoutTest, BottomBarMirrorsTheTopOne)
{
    Arg args[1];
    XtSetArg(args[0], XmNtabPlacement, XmFOLDER_BOTTOM);
    folder(args, 1);
    show();
    tabs(2);
    Widget body = page();
    expectArea(tabAt(1), 50, 173, 50, 27);
    EXPECT_EQ(tabAt(1)->core.y, 175);
    EXPECT_EQ(body->core.y, 2);
    EXPECT_EQ(body->core.height, 169);
}

TEST_F(FolderLayoutTest, SideBarsStackTabsDownTheirSide)
{
    Arg args[2];
    XtSetArg(args[0], XmNtabPlacement, XmFOLDER_LEFT);
    XtSetArg(args[1], XmNrotateWhenLeftRight, False);
    folder(args, 2);
    show();
    tabs(2);
    Widget body = page();
    EXPECT_EQ(part().tabBarHeight, 47);
    EXPECT_EQ(part().tabWidth, 47);
    expectArea(tabAt(1), 0, 30, 47, 30);
    EXPECT_EQ(tabAt(1)->core.x, 5);
    EXPECT_EQ(tabAt(1)->core.y, 35);
    EXPECT_EQ(body->core.x, 49);
    EXPECT_EQ(body->core.width, 300 - 47 - 4);
    XtVaSetValues(mFolder, XmNtabPlacement, XmFOLDER_RIGHT, NULL);
    expectArea(tabAt(1), 253, 30, 47, 30);
    EXPECT_EQ(tabAt(1)->core.x, 255);
    EXPECT_EQ(body->core.x, 2);
}

TEST_F(FolderLayoutTest, TabsPerRowSpreadsRowsAndPutsTheActiveRowNextToTheBody)
{
    Arg args[1];
    XtSetArg(args[0], XmNtabsPerRow, 2);
    folder(args, 1);
    show();
    tabs(5);
    XmLFolderSetActiveTab(mFolder, 0, False);
    EXPECT_EQ(part().tabBarHeight, 81);
    // The active row fills the whole length; the others are inset by 2 at each end.
    expectArea(tabAt(0), 0, 54, 150, 27);
    expectArea(tabAt(1), 150, 54, 150, 27);
    EXPECT_EQ(tabAt(0)->core.x, 55);
    expectArea(tabAt(2), 2, 0, 148, 27);
    expectArea(tabAt(3), 150, 0, 148, 27);
    expectArea(tabAt(4), 2, 27, 296, 27);
    EXPECT_EQ(tabAt(4)->core.x, 130);
    XmLFolderSetActiveTab(mFolder, 4, False);
    EXPECT_EQ(part().activeRow, 2);
    EXPECT_EQ(area(tabAt(0)).y, 0);
    EXPECT_EQ(area(tabAt(2)).y, 27);
    expectArea(tabAt(4), 0, 54, 300, 27);
}

TEST_F(FolderLayoutTest, ANegativeTabsPerRowMeansOneRow)
{
    Arg args[1];
    XtSetArg(args[0], XmNtabsPerRow, -1);
    folder(args, 1);
    show();
    tabs(3);
    XmLFolderSetActiveTab(mFolder, 1, False);
    EXPECT_EQ(part().tabBarHeight, 27);
    expectArea(tabAt(0), 0, 0, 50, 27);
    expectArea(tabAt(2), 100, 0, 50, 27);
}

TEST_F(FolderLayoutTest, PixmapsLengthenAndThickenTheirTab)
{
    folder();
    show();
    tabs(2);
    Pixmap wide = XCreatePixmap(mDisplay, DefaultRootWindow(mDisplay), 16, 30, 24);
    XtVaSetValues(tabAt(0), XmNtabPixmap, wide, NULL);
    XtVaSetValues(tabAt(1), XmNtabInactivePixmap, wide, NULL);
    EXPECT_EQ(area(tabAt(0)).width, 50 + 16 + 2);
    EXPECT_EQ(area(tabAt(1)).width, 50 + 16 + 2);
    EXPECT_EQ(tabAt(0)->core.x, 5 + 18);
    EXPECT_EQ(part().tabBarHeight, 1 + 2 + 30 + 4);
    XFreePixmap(mDisplay, wide);
}

TEST_F(FolderLayoutTest, NaturalSizeHoldsTheLongestRowAndTheLargestPage)
{
    Arg args[1];
    XtSetArg(args[0], XmNtabsPerRow, 2);
    folder(args, 1);
    XtVaSetValues(mShell, XmNallowShellResize, True, NULL);
    tabs(3);
    Widget body = page();
    show();
    EXPECT_EQ(mFolder->core.width, 100 + 4);
    EXPECT_EQ(mFolder->core.height, 40 + 54 + 4);
    EXPECT_EQ(body->core.width, 100);
    // A page's own request is refused under the static policy...
    XtVaSetValues(body, XmNwidth, 400, NULL);
    EXPECT_EQ(body->core.width, 100);
    // ...and granted under the dynamic one, which grows the folder around it.
    XtVaSetValues(mFolder, XmNresizePolicy, XmRESIZE_DYNAMIC, NULL);
    XtVaSetValues(body, XmNwidth, 400, NULL);
    EXPECT_EQ(mFolder->core.width, 404);
    EXPECT_EQ(body->core.width, 400);
}

TEST_F(FolderLayoutTest, NoTabsLeaveTheWholeFolderToTheBody)
{
    folder();
    show();
    Widget body = page();
    EXPECT_EQ(part().tabBarHeight, 0);
    EXPECT_EQ(body->core.x, 2);
    EXPECT_EQ(body->core.y, 2);
    EXPECT_EQ(body->core.width, 296);
    EXPECT_EQ(body->core.height, 196);
}

TEST_F(FolderLayoutTest, ResizeNoneNeverAsksForASizeNorMovesPages)
{
    folder();
    show();
    tabs(2);
    Widget body = page();
    XtVaSetValues(mShell, XmNallowShellResize, True, NULL);
    XtVaSetValues(mFolder, XmNresizePolicy, XmRESIZE_NONE, NULL);
    XtConfigureWidget(body, 7, 8, 20, 30, 0);
    XtVaSetValues(mFolder, XmNspacing, 5, NULL);
    EXPECT_EQ(mFolder->core.width, 300);
    EXPECT_EQ(body->core.x, 7);
    EXPECT_EQ(body->core.width, 20);
    EXPECT_EQ(area(tabAt(1)).x, 55);
}

TEST_F(FolderLayoutTest, SixtyThreeRowsFitAndASixtyFourthIsRefused)
{
    Arg args[1];
    XtSetArg(args[0], XmNtabsPerRow, 1);
    folder(args, 1);
    show();
    tabs(63);
    EXPECT_EQ(part().tabBarHeight, 63 * 27);
    EXPECT_FALSE(warned(warning(mFolder, "Layout ERROR - too many rows\n")));
    tab();
    EXPECT_TRUE(warned(warning(mFolder, "Layout ERROR - too many rows\n")));
    EXPECT_EQ(part().tabBarHeight, 63 * 27);
}

TEST_F(FolderLayoutTest, HugeMarginsSaturateInsteadOfWrapping)
{
    folder();
    show();
    tabs(2);
    XtVaSetValues(mFolder, XmNmarginHeight, 40000, XmNmarginWidth, 20000, NULL);
    EXPECT_EQ(part().tabBarHeight, 65535);
    EXPECT_EQ(area(tabAt(1)).x, 32767);
    EXPECT_GT(area(tabAt(0)).width, 40000);
}

TEST_F(FolderLayoutTest, AnUnmanagedActiveTabMovesNoRow)
{
    Arg args[1];
    XtSetArg(args[0], XmNtabsPerRow, 2);
    folder(args, 1);
    show();
    tabs(5);
    XmLFolderSetActiveTab(mFolder, 4, False);
    XtUnmanageChild(tabAt(4));
    EXPECT_EQ(part().activeRow, -1);
    EXPECT_EQ(area(tabAt(4)).row, -1);
    EXPECT_EQ(area(tabAt(0)).y, 0);
    EXPECT_EQ(area(tabAt(2)).y, 27);
    EXPECT_EQ(part().tabBarHeight, 54);
}

TEST_F(FolderLayoutTest, AGrownTabPushesItsNeighbours)
{
    folder();
    show();
    tabs(2);
    XtVaSetValues(tabAt(0), XmNwidth, 60, NULL);
    EXPECT_EQ(area(tabAt(0)).width, 70);
    EXPECT_EQ(area(tabAt(1)).x, 70);
    EXPECT_EQ(tabAt(1)->core.x, 75);
    EXPECT_EQ(tabAt(0)->core.x, 5);     // the layout puts the tab back in its place
}

}  // namespace
