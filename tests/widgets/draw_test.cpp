// draw_test.cpp - font lists, placement in cell rectangles, and string, pixmap and toggle drawing.
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include "tests/leaks/heap.h"
#include "xfixture.h"

#include <Xm/Label.h>

namespace {

TEST(FontAverageTest, SkipsZeroWidthsAndTruncates)
{
    XCharStruct chars[4] = {};
    chars[0].width = 6;
    chars[1].width = 6;
    chars[3].width = 8;
    XFontStruct font = {};
    font.min_char_or_byte2 = 32;
    font.max_char_or_byte2 = 35;
    font.per_char = chars;
    font.min_bounds.width = 3;
    EXPECT_EQ(XmLFontAverageWidth(&font), 6);
    chars[0].width = chars[1].width = chars[3].width = 0;
    EXPECT_EQ(XmLFontAverageWidth(&font), 3);
    font.per_char = nullptr;
    EXPECT_EQ(XmLFontAverageWidth(&font), 3);
}

class FontListTest : public XTest {
protected:
    XmFontList loadList(const char *name, XmFontType type)
    {
        XmFontListEntry entry = XmFontListEntryLoad(mDisplay, (char *)name, type,
                                                    (char *)XmFONTLIST_DEFAULT_TAG);
        if (!entry)
            return nullptr;
        XmFontList list = XmFontListAppendEntry(nullptr, entry);
        XmFontListEntryFree(&entry);
        return list;
    }
};

TEST_F(FontListTest, DefaultListMeasuresLikeItsFont)
{
    Widget label = XtVaCreateManagedWidget("label", xmLabelWidgetClass, mShell, NULL);
    XmFontList list = XmLFontListCopyDefault(label);
    ASSERT_NE(list, nullptr);
    Dimension maxWidth, averageWidth, height;
    XmLFontListGetDimensions(list, &maxWidth, &height, False);
    XmLFontListGetDimensions(list, &averageWidth, &height, True);
    EXPECT_GT(height, 5);
    EXPECT_GT(averageWidth, 2);
    EXPECT_GE(maxWidth, averageWidth);
    XmFontListFree(list);
    XmLFontListGetDimensions(nullptr, &maxWidth, &height, True);
    EXPECT_EQ(maxWidth, 0);
    EXPECT_EQ(height, 0);
}

// Each list used to keep a "fixed" font of its own, 3.5 KB, after it was freed.
TEST_F(FontListTest, DefaultListsLeaveNothingBehind)
{
    Widget w = canvas(10, 10);
    long growth = growthPerRound([w] {
        XmFontList list = XmLFontListCopyDefault(w);
        ASSERT_NE(list, nullptr);
        XmFontListFree(list);
    });
    EXPECT_LT(growth, 64);
}

TEST_F(FontListTest, FontSetsAreMeasured)
{
    XmFontList list = loadList("-*-fixed-medium-r-normal--13-*", XmFONT_IS_FONTSET);
    ASSERT_NE(list, nullptr);
    Dimension width, height;
    XmLFontListGetDimensions(list, &width, &height, True);
    EXPECT_GT(width, 2);
    EXPECT_GT(height, 5);
    XmFontListFree(list);
}

// Present only in the sanitizer build.
extern "C" void __lsan_disable() __attribute__((weak));
extern "C" void __lsan_enable() __attribute__((weak));

TEST_F(FontListTest, ClientSideFontsAreMeasuredAndDrawn)
{
    Arg args[4];
    XtSetArg(args[0], XmNfontName, "DejaVu Sans Mono");
    XtSetArg(args[1], XmNfontType, XmFONT_IS_XFT);
    XtSetArg(args[2], XmNfontSize, 12);
    XtSetArg(args[3], XmNloadModel, XmLOAD_IMMEDIATE);
    // Motif keeps part of a render table that holds an Xft font when the table is
    // freed; the leak checker is to look away from what it makes here.
    if (__lsan_disable)
        __lsan_disable();
    XmRendition rendition = XmRenditionCreate(mShell, (char *)XmFONTLIST_DEFAULT_TAG, args, 4);
    XmRenderTable table = XmRenderTableAddRenditions(nullptr, &rendition, 1, XmMERGE_REPLACE);
    if (__lsan_enable)
        __lsan_enable();
    XmRenditionFree(rendition);
    Dimension width, height;
    XmLFontListGetDimensions(table, &width, &height, True);
    if (height == 0) {
        XmRenderTableFree(table);
        GTEST_SKIP() << "no client-side font on this machine";
    }
    EXPECT_GT(width, 2);
    Widget w = canvas(80, 40);
    show();
    GC gc = makeGC(w, kBlack);
    XmString text = XmStringCreateSimple((char *)"Xy");
    XRectangle rect = {0, 0, 80, 40};
    XmLStringDraw(w, text, XmSTRING_DIRECTION_L_TO_R, table, XmALIGNMENT_LEFT, gc, &rect, &rect);
    XmLStringDrawDirection(mDisplay, XtWindow(w), table, text, gc, 60, 2, 36, XmALIGNMENT_BEGINNING,
                           XmSTRING_DIRECTION_L_TO_R, XmDRAWNB_DOWN);
    Snapshot shot(w);
    EXPECT_GT(shot.count(kWhite, 0, 0, 56, 40), 0);
    EXPECT_LT(shot.count(kWhite, 0, 0, 56, 40), 56 * 40);
    EXPECT_LT(shot.count(kWhite, 58, 0, 22, 40), 22 * 40);
    XmStringFree(text);
    XFreeGC(mDisplay, gc);
    XmRenderTableFree(table);
}

TEST_F(FontListTest, MissingFixedFontWarnsAndGivesNoList)
{
    xmlFixedFontName = "-vireo-no-such-font-*";
    Widget w = canvas(10, 10);
    XmFontList list = XmLFontListCopyDefault(w);
    if (list) {
        XmFontListFree(list);
        GTEST_SKIP() << "the shell supplies a default font list";
    }
    ASSERT_EQ(sWarnings.size(), 1u);
    EXPECT_EQ(sWarnings[0], "Core: canvas: FontListCopyDefault() - FATAL ERROR - can't load fixed font\n");
}

class PositionTest : public XTest {
protected:
    void SetUp() override
    {
        XTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        mCanvas = canvas(100, 100);
    }
    int place(int w, int h, unsigned char alignment, XRectangle rect, XRectangle clip)
    {
        return XmLDrawPosition(mCanvas, w, h, alignment, &rect, &clip, &mX, &mY);
    }
    Widget mCanvas = nullptr;
    int    mX = -1, mY = -1;
};

TEST_F(PositionTest, NothingWithoutAWindow)
{
    EXPECT_EQ(place(10, 10, XmALIGNMENT_CENTER, {0, 0, 30, 20}, {0, 0, 30, 20}), XmLDrawNothing);
}

TEST_F(PositionTest, CentredItemThatFits)
{
    show();
    XRectangle rect = {5, 7, 30, 20};
    EXPECT_EQ(place(10, 10, XmALIGNMENT_CENTER, rect, rect), XmLDrawFits);
    EXPECT_EQ(mX, 15);
    EXPECT_EQ(mY, 12);
    XRectangle narrower = {5, 7, 29, 20};
    EXPECT_EQ(place(10, 10, XmALIGNMENT_CENTER, rect, narrower), XmLDrawClipped);
}

TEST_F(PositionTest, AlignmentsKeepTwoPixelsFromTheEdges)
{
    show();
    XRectangle rect = {10, 20, 40, 30};
    place(10, 8, XmALIGNMENT_TOP_LEFT, rect, rect);
    EXPECT_EQ(mX, 12);
    EXPECT_EQ(mY, 22);
    place(10, 8, XmALIGNMENT_BOTTOM_RIGHT, rect, rect);
    EXPECT_EQ(mX, 38);
    EXPECT_EQ(mY, 40);
    place(10, 8, XmALIGNMENT_RIGHT, rect, rect);
    EXPECT_EQ(mX, 38);
    EXPECT_EQ(mY, 31);
    place(10, 8, XmALIGNMENT_BOTTOM, rect, rect);
    EXPECT_EQ(mX, 25);
    EXPECT_EQ(mY, 40);
}

TEST_F(PositionTest, ItemsLargerThanTheClipAreClipped)
{
    show();
    XRectangle rect = {0, 0, 20, 20};
    EXPECT_EQ(place(17, 5, XmALIGNMENT_LEFT, rect, rect), XmLDrawClipped);
    EXPECT_EQ(place(5, 17, XmALIGNMENT_LEFT, rect, rect), XmLDrawClipped);
    EXPECT_EQ(mY, (20 - 17) / 2);
    EXPECT_EQ(place(40, 5, XmALIGNMENT_CENTER, rect, rect), XmLDrawClipped);
    EXPECT_EQ(mX, -10);
}

TEST_F(PositionTest, TooSmallEmptyOrApartDrawsNothing)
{
    show();
    XRectangle rect = {0, 0, 30, 20};
    EXPECT_EQ(place(1, 1, XmALIGNMENT_CENTER, {0, 0, 30, 4}, {0, 0, 30, 4}), XmLDrawNothing);
    EXPECT_EQ(place(1, 1, XmALIGNMENT_CENTER, {0, 0, 4, 30}, {0, 0, 4, 30}), XmLDrawNothing);
    EXPECT_EQ(place(1, 1, XmALIGNMENT_CENTER, rect, {0, 0, 2, 20}), XmLDrawNothing);
    EXPECT_EQ(place(0, 5, XmALIGNMENT_CENTER, rect, rect), XmLDrawNothing);
    EXPECT_EQ(place(5, -3, XmALIGNMENT_CENTER, rect, rect), XmLDrawNothing);
    EXPECT_EQ(place(5, 5, XmALIGNMENT_CENTER, rect, {40, 0, 10, 10}), XmLDrawNothing);
    EXPECT_EQ(place(1, 1, XmALIGNMENT_CENTER, {0, 0, 5, 5}, {0, 0, 5, 5}), XmLDrawFits);
}

// Draws on a white canvas and reads it back.
class CellDrawTest : public XTest {
protected:
    void SetUp() override
    {
        XTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        mCanvas = canvas(100, 60);
        show();
        mGC = makeGC(mCanvas, kBlack);
    }
    void TearDown() override
    {
        if (mGC)
            XFreeGC(mDisplay, mGC);
        if (mPixmap)
            XFreePixmap(mDisplay, mPixmap);
        XTest::TearDown();
    }
    // A pixmap of the given colour, 10 by 10.
    Pixmap solidPixmap(Pixel colour)
    {
        mPixmap = XCreatePixmap(mDisplay, XtWindow(mCanvas), 10, 10, 24);
        XSetForeground(mDisplay, mGC, colour);
        XFillRectangle(mDisplay, mPixmap, mGC, 0, 0, 10, 10);
        return mPixmap;
    }
    Widget mCanvas = nullptr;
    GC     mGC = nullptr;
    Pixmap mPixmap = None;
};

TEST_F(CellDrawTest, StringStaysInsideItsClip)
{
    XmFontList list = XmLFontListCopyDefault(mCanvas);
    XmString text = XmStringCreateSimple((char *)"WWWWWWWWWWWWWWWW");
    XRectangle rect = {0, 0, 100, 60}, clip = {20, 0, 30, 60};
    XmLStringDraw(mCanvas, text, XmSTRING_DIRECTION_L_TO_R, list, XmALIGNMENT_LEFT, mGC, &rect,
                  &clip);
    Snapshot shot(mCanvas);
    EXPECT_EQ(shot.count(kWhite, 0, 0, 20, 60), 20 * 60);
    EXPECT_EQ(shot.count(kWhite, 50, 0, 50, 60), 50 * 60);
    EXPECT_GT(shot.count(kBlack, 20, 0, 30, 60), 0);
    XmLStringDraw(mCanvas, nullptr, XmSTRING_DIRECTION_L_TO_R, list, 0, mGC, &rect, &rect);
    XmLStringDraw(mCanvas, text, XmSTRING_DIRECTION_L_TO_R, nullptr, 0, mGC, &rect, &rect);
    Snapshot again(mCanvas);
    EXPECT_EQ(again.count(kWhite, 0, 0, 100, 60), shot.count(kWhite, 0, 0, 100, 60));
    XmStringFree(text);
    XmFontListFree(list);
}

TEST_F(CellDrawTest, PixmapIsCutToTheClip)
{
    XRectangle rect = {10, 10, 30, 20}, clip = {10, 10, 14, 9};
    XmLPixmapDraw(mCanvas, solidPixmap(kRed), XmUNSPECIFIED_PIXMAP, 10, 10, XmALIGNMENT_CENTER,
                  mGC, &rect, &clip);
    Snapshot shot(mCanvas);
    EXPECT_EQ(shot.count(kRed, 20, 15, 4, 4), 16);
    EXPECT_EQ(shot.count(kRed, 0, 0, 100, 60), 16);
}

TEST_F(CellDrawTest, PixmapBesideTheClipIsNotDrawn)
{
    XRectangle rect = {0, 0, 40, 40}, clip = {0, 0, 40, 10};
    XmLPixmapDraw(mCanvas, solidPixmap(kRed), XmUNSPECIFIED_PIXMAP, 10, 10,
                  XmALIGNMENT_BOTTOM_LEFT, mGC, &rect, &clip);
    Snapshot shot(mCanvas);
    EXPECT_EQ(shot.count(kRed, 0, 0, 100, 60), 0);
}

TEST_F(CellDrawTest, PixmapMaskLeavesTheRestAlone)
{
    Pixmap pixmap = solidPixmap(kRed);
    static const unsigned char leftHalf[20] = {
        0x1f, 0, 0x1f, 0, 0x1f, 0, 0x1f, 0, 0x1f, 0, 0x1f, 0, 0x1f, 0, 0x1f, 0, 0x1f, 0, 0x1f, 0};
    Pixmap mask = XCreateBitmapFromData(mDisplay, XtWindow(mCanvas), (const char *)leftHalf, 10, 10);
    XRectangle rect = {0, 0, 14, 14}, clip = {0, 0, 14, 14};
    XmLPixmapDraw(mCanvas, pixmap, mask, 10, 10, XmALIGNMENT_TOP_LEFT, mGC, &rect, &clip);
    Snapshot shot(mCanvas);
    EXPECT_EQ(shot.count(kRed, 2, 2, 5, 10), 50);
    EXPECT_EQ(shot.count(kRed, 7, 2, 5, 10), 0);
    XFreePixmap(mDisplay, mask);
}

TEST_F(CellDrawTest, ToggleBoxAndCheck)
{
    XRectangle rect = {0, 0, 40, 40};
    XmLDrawToggle(mCanvas, False, 16, XmALIGNMENT_TOP_LEFT, mGC, kYellow, kCyan, kBlue, kRed,
                  &rect, &rect);
    XRectangle second = {50, 0, 40, 40};
    XmLDrawToggle(mCanvas, True, 16, XmALIGNMENT_TOP_LEFT, mGC, kYellow, kCyan, kBlue, kRed,
                  &second, &second);
    XRectangle third = {0, 40, 20, 20};
    XmLDrawToggle(mCanvas, True, 2, XmALIGNMENT_TOP_LEFT, mGC, kYellow, kCyan, kBlue, kRed,
                  &third, &third);
    Snapshot shot(mCanvas);
    EXPECT_EQ(shot.at(2, 2), kCyan);
    EXPECT_EQ(shot.at(16, 2), kCyan);
    EXPECT_EQ(shot.at(17, 2), kBlue);
    EXPECT_EQ(shot.at(2, 16), kCyan);
    EXPECT_EQ(shot.at(17, 17), kBlue);
    EXPECT_EQ(shot.at(3, 17), kBlue);
    EXPECT_EQ(shot.count(kYellow, 3, 3, 14, 14), 14 * 14);
    EXPECT_EQ(shot.at(18, 18), kWhite);
    EXPECT_EQ(shot.count(kRed, 53, 3, 14, 14), shot.count(kRed, 0, 0, 100, 60));
    EXPECT_GT(shot.count(kRed, 53, 3, 14, 14), 20);
    EXPECT_EQ(shot.at(57, 13), kRed);
    EXPECT_EQ(shot.count(kWhite, 0, 40, 20, 20), 20 * 20) << "too small to draw";
}

}  // namespace
