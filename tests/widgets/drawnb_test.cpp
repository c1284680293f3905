// drawnb_test.cpp - drawn-button shapes and turned labels.
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include "xfixture.h"

#include <Xm/DrawnB.h>
#include <Xm/Label.h>
#include <Xm/RowColumn.h>

#include <algorithm>

namespace {

std::vector<std::pair<int, int>> Points(const XPoint *points, int count)
{
    std::vector<std::pair<int, int>> list;
    for (int i = 0; i < count; i++)
        list.push_back({points[i].x, points[i].y});
    return list;
}

using P = std::vector<std::pair<int, int>>;

TEST(DrawnButtonShapeTest, ArrowTurnsWithItsDirection)
{
    XPoint points[2][4];
    int counts[2];
    ASSERT_EQ(XmLDrawnButtonShape(XmDRAWNB_ARROW, XmDRAWNB_RIGHT, 12, points, counts), 1);
    EXPECT_EQ(Points(points[0], counts[0]), (P{{2, 2}, {2, 10}, {10, 6}}));
    XmLDrawnButtonShape(XmDRAWNB_ARROW, XmDRAWNB_LEFT, 12, points, counts);
    EXPECT_EQ(Points(points[0], counts[0]), (P{{10, 2}, {10, 10}, {2, 6}}));
    XmLDrawnButtonShape(XmDRAWNB_ARROW, XmDRAWNB_UP, 12, points, counts);
    EXPECT_EQ(Points(points[0], counts[0]), (P{{2, 10}, {10, 10}, {6, 2}}));
    XmLDrawnButtonShape(XmDRAWNB_ARROW, XmDRAWNB_DOWN, 12, points, counts);
    EXPECT_EQ(Points(points[0], counts[0]), (P{{2, 2}, {10, 2}, {6, 10}}));
}

TEST(DrawnButtonShapeTest, DoubleArrowMeetsInAnEvenSquare)
{
    XPoint points[2][4];
    int counts[2];
    ASSERT_EQ(XmLDrawnButtonShape(XmDRAWNB_DOUBLEARROW, XmDRAWNB_RIGHT, 13, points, counts), 2);
    EXPECT_EQ(Points(points[0], counts[0]), (P{{1, 1}, {1, 11}, {6, 6}}));
    EXPECT_EQ(Points(points[1], counts[1]), (P{{6, 1}, {6, 11}, {11, 6}}));
}

TEST(DrawnButtonShapeTest, BarsSitApart)
{
    XPoint points[2][4];
    int counts[2];
    ASSERT_EQ(XmLDrawnButtonShape(XmDRAWNB_ARROWLINE, XmDRAWNB_RIGHT, 20, points, counts), 2);
    EXPECT_EQ(Points(points[1], counts[1]), (P{{17, 4}, {17, 16}, {18, 16}, {18, 4}}));
    ASSERT_EQ(XmLDrawnButtonShape(XmDRAWNB_DOUBLEBAR, XmDRAWNB_UP, 20, points, counts), 2);
    EXPECT_EQ(Points(points[0], counts[0]), (P{{5, 14}, {15, 14}, {15, 12}, {5, 12}}));
    EXPECT_EQ(Points(points[1], counts[1]), (P{{5, 6}, {15, 6}, {15, 8}, {5, 8}}));
}

class DrawnButtonTest : public XTest {
protected:
    Widget button(const char *name, int width, int height)
    {
        return XtVaCreateManagedWidget(name, xmDrawnButtonWidgetClass, mShell, XmNwidth, width,
                                       XmNheight, height, XmNshadowThickness, 2,
                                       XmNhighlightThickness, 2, XmNforeground, kRed,
                                       XmNbackground, kWhite, NULL);
    }

    Widget labelButton(Widget parent, const char *name)
    {
        XmString label = XmStringCreateSimple((char *)"Servers");
        Widget w = XtVaCreateManagedWidget(
            name, xmDrawnButtonWidgetClass, parent, XmNlabelString, label,
            XmNhighlightThickness, 1, XmNshadowThickness, 2, XmNmarginWidth, 0,
            XmNmarginHeight, 0, XmNforeground, kRed, XmNbackground, kWhite, NULL);
        XmStringFree(label);
        return w;
    }

    void labelExtent(Widget w, Dimension *width, Dimension *height)
    {
        XmFontList list = nullptr;
        XtVaGetValues(w, XmNfontList, &list, NULL);
        XmString label = XmStringCreateSimple((char *)"Servers");
        XmStringExtent(list, label, width, height);
        XmStringFree(label);
    }

    // The red pixels of a widget, cut to their bounding box.
    std::vector<std::string> ink(Widget w)
    {
        Snapshot shot(w);
        int left = shot.width(), right = -1, top = shot.height(), bottom = -1;
        for (int y = 0; y < shot.height(); y++) {
            for (int x = 0; x < shot.width(); x++) {
                if (shot.at(x, y) != kRed)
                    continue;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
        std::vector<std::string> rows;
        for (int y = top; y <= bottom; y++) {
            std::string row;
            for (int x = left; x <= right; x++)
                row += shot.at(x, y) == kRed ? '#' : '.';
            rows.push_back(row);
        }
        return rows;
    }
};

TEST_F(DrawnButtonTest, OtherWidgetsAreRefused)
{
    Widget label = XtVaCreateManagedWidget("label", xmLabelWidgetClass, mShell, NULL);
    XmLDrawnButtonSetType(label, XmDRAWNB_ARROW, XmDRAWNB_RIGHT);
    ASSERT_EQ(sWarnings.size(), 1u);
    EXPECT_EQ(sWarnings[0], "XmLabel: label: DrawnButtonSetType() - not an XmDrawnButton\n");
}

TEST_F(DrawnButtonTest, PlainStringLeavesNoDrawingBehind)
{
    Widget w = button("tab", 40, 20);
    XmLDrawnButtonSetType(w, XmDRAWNB_SQUARE, XmDRAWNB_UP);
    EXPECT_EQ(XtHasCallbacks(w, XmNexposeCallback), XtCallbackHasSome);
    XmLDrawnButtonSetType(w, XmDRAWNB_STRING, XmDRAWNB_RIGHT);
    EXPECT_EQ(XtHasCallbacks(w, XmNexposeCallback), XtCallbackHasNone);
    EXPECT_EQ(XtHasCallbacks(w, XmNresizeCallback), XtCallbackHasNone);
    unsigned char type;
    Boolean pushButton;
    XtVaGetValues(w, XmNlabelType, &type, XmNpushButtonEnabled, &pushButton, NULL);
    EXPECT_EQ(type, XmSTRING);
    EXPECT_TRUE(pushButton);
}

TEST_F(DrawnButtonTest, ArrowFillsTheMiddleSquare)
{
    Widget w = button("arrow", 20, 20);
    XmLDrawnButtonSetType(w, XmDRAWNB_ARROW, XmDRAWNB_RIGHT);
    show();
    Snapshot shot(w);
    EXPECT_EQ(shot.at(4 + 4, 4 + 6), kRed);
    EXPECT_EQ(shot.at(4 + 7, 4 + 6), kRed);
    EXPECT_NE(shot.at(4 + 9, 4 + 3), kRed);
    EXPECT_NE(shot.at(4 + 1, 4 + 6), kRed);
    EXPECT_EQ(shot.count(kRed, 0, 0, 20, 20), shot.count(kRed, 4, 4, 12, 12));
}

TEST_F(DrawnButtonTest, TooSmallForAShapeDrawsNone)
{
    Widget w = button("arrow", 11, 11);
    XmLDrawnButtonSetType(w, XmDRAWNB_DOUBLEARROW, XmDRAWNB_LEFT);
    show();
    Snapshot shot(w);
    EXPECT_EQ(shot.count(kRed, 0, 0, 11, 11), 0);
}

TEST_F(DrawnButtonTest, TurnedLabelSizesTheButton)
{
    Widget up = labelButton(mShell, "up");
    Dimension sw, sh;
    labelExtent(up, &sw, &sh);
    XmLDrawnButtonSetType(up, XmDRAWNB_STRING, XmDRAWNB_UP);
    Dimension width, height;
    unsigned char type;
    XtVaGetValues(up, XmNwidth, &width, XmNheight, &height, XmNlabelType, &type, NULL);
    EXPECT_EQ(width, sh + 6);
    EXPECT_EQ(height, sw + 6);
    EXPECT_EQ(type, XmPIXMAP);
}

TEST_F(DrawnButtonTest, HalfTurnedLabelKeepsItsSize)
{
    Widget left = labelButton(mShell, "left");
    Dimension sw, sh;
    labelExtent(left, &sw, &sh);
    XmLDrawnButtonSetType(left, XmDRAWNB_STRING, XmDRAWNB_LEFT);
    Dimension width, height;
    XtVaGetValues(left, XmNwidth, &width, XmNheight, &height, NULL);
    EXPECT_EQ(width, sw + 6);
    EXPECT_EQ(height, sh + 6);
}

TEST_F(DrawnButtonTest, UpAndDownAreHalfTurnsOfEachOther)
{
    Widget row = XtVaCreateManagedWidget("row", xmRowColumnWidgetClass, mShell, XmNorientation,
                                         XmHORIZONTAL, NULL);
    Widget up = labelButton(row, "up"), down = labelButton(row, "down");
    Widget right = labelButton(row, "right");
    XmLDrawnButtonSetType(up, XmDRAWNB_STRING, XmDRAWNB_UP);
    XmLDrawnButtonSetType(down, XmDRAWNB_STRING, XmDRAWNB_DOWN);
    show();
    std::vector<std::string> upInk = ink(up), downInk = ink(down), plain = ink(right);
    ASSERT_FALSE(upInk.empty());
    EXPECT_GT(upInk.size(), upInk[0].size());
    std::vector<std::string> turned(upInk.rbegin(), upInk.rend());
    for (std::string &line : turned)
        std::reverse(line.begin(), line.end());
    EXPECT_EQ(turned, downInk);
    ASSERT_FALSE(plain.empty());
    EXPECT_EQ(plain.size(), upInk[0].size()) << "text height across the turned label";
    EXPECT_EQ(plain[0].size(), upInk.size());
}

// How many procedures the button runs when destroyed.
int DestroyCallbacks(Widget w)
{
    XtCallbackList list = nullptr;
    XtVaGetValues(w, XmNdestroyCallback, &list, NULL);
    int n = 0;
    for (; list && list->callback; list++)
        n++;
    return n;
}

// A folder sets its turned labels anew at every label change; the button keeps
// one record of what it draws, not one per call.
TEST_F(DrawnButtonTest, SettingTheTypeAgainReplacesWhatTheButtonDraws)
{
    Widget w = labelButton(mShell, "w");
    show();
    // Drawn once turned, the button has all the toolkit's own callbacks.
    XmLDrawnButtonSetType(w, XmDRAWNB_STRING, XmDRAWNB_UP);
    settle();
    XmLDrawnButtonSetType(w, XmDRAWNB_STRING, XmDRAWNB_RIGHT);     // draws its own label
    int plain = DestroyCallbacks(w);
    for (int i = 0; i < 5; i++) {
        XmLDrawnButtonSetType(w, XmDRAWNB_STRING, XmDRAWNB_UP);
        settle();
    }
    EXPECT_EQ(DestroyCallbacks(w), plain + 1);
    XmLDrawnButtonSetType(w, XmDRAWNB_ARROW, XmDRAWNB_RIGHT);
    EXPECT_EQ(DestroyCallbacks(w), plain + 1);
    XmLDrawnButtonSetType(w, XmDRAWNB_STRING, XmDRAWNB_RIGHT);
    EXPECT_EQ(DestroyCallbacks(w), plain);
}

TEST_F(DrawnButtonTest, WithoutTheFixedFontTurnedLabelsWarnAndDrawNothing)
{
    xmlFixedFontName = "-vireo-no-such-font-*";
    Widget up = labelButton(mShell, "up");
    XmLDrawnButtonSetType(up, XmDRAWNB_STRING, XmDRAWNB_UP);
    show();
    ASSERT_FALSE(sWarnings.empty());
    EXPECT_EQ(sWarnings[0], "XmDrawnButton: up: DrawnBDrawString() - FATAL can't load fixed font\n");
    EXPECT_TRUE(ink(up).empty());
}

}  // namespace
