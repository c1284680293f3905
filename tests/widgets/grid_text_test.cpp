// grid_text_test.cpp - XmLGrid text exchange: reading, writing, files and the clipboard.
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include "grid_fixture.h"

#include <Xm/DragDrop.h>
#include <X11/Xatom.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

class GridTextTest : public GridTest {
protected:
    void make(int rows, int columns, int headingRows = 0)
    {
        Arg args[3];
        XtSetArg(args[0], XmNrows, rows);
        XtSetArg(args[1], XmNcolumns, columns);
        XtSetArg(args[2], XmNheadingRows, headingRows);
        grid(args, 3);
    }
    std::string written(int format, char delimiter, Boolean skipHidden = False)
    {
        FILE *file = tmpfile();
        XmLGridWrite(mGrid, file, format, delimiter, skipHidden);
        rewind(file);
        char *s = FileToString(file);
        std::string out = s ? s : "";
        free(s);
        fclose(file);
        return out;
    }
    // Motif keeps the clipboard in properties of the root window.
    void emptyClipboard()
    {
        Window root = DefaultRootWindow(mDisplay);
        int count = 0;
        Atom *atoms = XListProperties(mDisplay, root, &count);
        for (int i = 0; i < count; i++) {
            char *name = XGetAtomName(mDisplay, atoms[i]);
            if (name && !strncmp(name, "_MOTIF_CLIP_", 12))
                XDeleteProperty(mDisplay, root, atoms[i]);
            XFree(name);
        }
        XFree(atoms);
        XSync(mDisplay, False);
    }
    std::vector<GridCall> mPastes;
};

TEST_F(GridTextTest, DelimitedTextFillsRowsAndSkipsExtraFields)
{
    make(2, 2);
    EXPECT_EQ(Read(g(), XmFORMAT_DELIMITED, '|', 0, 0, "a|b|c\nd|e"), 4);
    EXPECT_EQ(text(0, 0), "a");
    EXPECT_EQ(text(1, 1), "e");
}

TEST_F(GridTextTest, ATrailingNewlineSetsAnEmptyCell)
{
    make(2, 1);
    Read(g(), XmFORMAT_DELIMITED, '|', 0, 0, "x\ny");
    EXPECT_EQ(Read(g(), XmFORMAT_DELIMITED, '|', 0, 0, "a\n"), 2);
    EXPECT_EQ(text(1, 0), "");
    EXPECT_EQ(Read(g(), XmFORMAT_DELIMITED, '|', 0, 0, ""), 1);
}

TEST_F(GridTextTest, TabbedFieldsLoseTheirQuotes)
{
    make(1, 3);
    EXPECT_EQ(Read(g(), XmFORMAT_TABBED, '|', 0, 0, "\"quoted\"\ta\"b\t\""), 3);
    EXPECT_EQ(text(0, 0), "quoted");
    EXPECT_EQ(text(0, 1), "a\"b") << "a quote inside stays";
    EXPECT_EQ(text(0, 2), "");
}

TEST_F(GridTextTest, LineBreaksTravelAsBackslashN)
{
    make(1, 1);
    Read(g(), XmFORMAT_DELIMITED, '|', 0, 0, "one\\ntwo");
    EXPECT_EQ(XmStringLineCount(CellGetString(GetCell(g(), 0, 0))), 2);
    EXPECT_EQ(written(XmFORMAT_DELIMITED, '|'), "one\\ntwo");
    Read(g(), XmFORMAT_DELIMITED, '|', 0, 0, "last\\n");
    EXPECT_EQ(XmStringLineCount(CellGetString(GetCell(g(), 0, 0))), 2) << "at the very end too";
}

TEST_F(GridTextTest, LongFieldsAreReadWhole)
{
    make(1, 1);
    std::string field(5000, 'x');
    EXPECT_EQ(Read(g(), XmFORMAT_DELIMITED, '|', 0, 0, field.c_str()), 1);
    EXPECT_EQ(text(0, 0), field);
}

TEST_F(GridTextTest, PasteOnlyReachesEditableContentCells)
{
    make(1, 2, 1);
    XtVaSetValues(mGrid, XmNcolumn, 1, XmNcellEditable, True, NULL);
    XtVaSetValues(mGrid, XmNrowType, XmHEADING, XmNcellEditable, True, NULL);
    record(XmNcellPasteCallback);
    EXPECT_EQ(Read(g(), XmFORMAT_PASTE, '|', 0, 0, "h0\th1\nc0\tc1"), 1);
    EXPECT_EQ(text(1, 1), "c1");
    EXPECT_EQ(text(0, 1), "") << "heading cells take no paste";
    EXPECT_EQ(text(1, 0), "") << "nor cells that are not editable";
    EXPECT_EQ(mCalls, (std::vector<GridCall>{{XmCR_CELL_PASTE, XmCONTENT, 0, XmCONTENT, 1}}));
}

TEST_F(GridTextTest, PadFormatIsNotRead)
{
    make(1, 1);
    EXPECT_EQ(Read(g(), XmFORMAT_PAD, '|', 0, 0, "a"), 0);
    EXPECT_TRUE(warned("Read() - FORMAT_PAD not supported"));
}

TEST_F(GridTextTest, WritingSeparatesCellsAndRows)
{
    make(2, 3);
    XmLGridSetStrings(mGrid, (char *)"a|b|c\nd|e|f");
    EXPECT_EQ(written(XmFORMAT_DELIMITED, ','), "a,b,c\nd,e,f");
    EXPECT_EQ(written(XmFORMAT_TABBED, ','), "a\tb\tc\nd\te\tf");
    XtVaSetValues(mGrid, XmNcolumn, 2, XmNcolumnWidth, 0, NULL);
    EXPECT_EQ(written(XmFORMAT_DELIMITED, ',', True), "a,b,\nd,e,") << "by position, not by cell";
}

TEST_F(GridTextTest, PadFormatPadsCharacterColumnsOnly)
{
    make(1, 2);
    XmLGridSetStrings(mGrid, (char *)"abc|abc");
    XtVaSetValues(mGrid, XmNcolumn, 1, XmNcolumnSizePolicy, XmCONSTANT, NULL);
    EXPECT_EQ(written(XmFORMAT_PAD, ','), "abc     abc");
}

TEST_F(GridTextTest, CopyingTakesSelectedRowsOrNothing)
{
    make(3, 2);
    XmLGridSetStrings(mGrid, (char *)"a|b\nc|d\ne|f");
    EXPECT_EQ(CopyDataToBuffer(g(), True, 0, 0, 0, 0), nullptr);
    XtVaSetValues(mGrid, XmNselectionPolicy, XmSELECT_MULTIPLE_ROW, NULL);
    XmLGridSelectRow(mGrid, 0, False);
    XmLGridSelectRow(mGrid, 2, False);
    char *s = CopyDataToBuffer(g(), True, 0, 0, 0, 0);
    ASSERT_NE(s, nullptr);
    EXPECT_STREQ(s, "a\tb\ne\tf");
    free(s);
    s = CopyDataToBuffer(g(), False, 1, 0, 5, 5);
    EXPECT_STREQ(s, "c\td\ne\tf") << "a range past the end takes what exists";
    free(s);
}

TEST_F(GridTextTest, FilesAreReadWhole)
{
    make(2, 2);
    FILE *file = tmpfile();
    fputs("1|2\n3|4", file);
    EXPECT_EQ(XmLGridRead(mGrid, file, XmFORMAT_DELIMITED, '|'), 4);
    EXPECT_EQ(text(1, 1), "4");
    fclose(file);
    EXPECT_EQ(XmLGridRead(mGrid, nullptr, XmFORMAT_DELIMITED, '|'), 0);
    EXPECT_TRUE(warned("Read() - file is NULL"));
}

TEST_F(GridTextTest, ClipboardCopyAndPasteRoundTrip)
{
    make(2, 2);
    XtVaSetValues(mGrid, XmNcellEditable, True, NULL);
    XmLGridSetStrings(mGrid, (char *)"a|b\nc|d");
    EXPECT_FALSE(XmLGridCopyPos(mGrid, CurrentTime, XmCONTENT, 0, XmCONTENT, 0, 1, 2));
    EXPECT_TRUE(warned("Copy() - widget not realized"));
    show();
    DisplayLock clipboard(mDisplay, "clipboard");
    ASSERT_TRUE(XmLGridCopyPos(mGrid, CurrentTime, XmCONTENT, 0, XmCONTENT, 0, 1, 2));
    ASSERT_TRUE(XmLGridPastePos(mGrid, XmCONTENT, 1, XmCONTENT, 0));
    EXPECT_EQ(text(1, 0), "a");
    EXPECT_EQ(text(1, 1), "b");
}

// The clipboard belongs to the display that every test shares; the tests of this program
// hold it alone (a resource lock in CMakeLists.txt) and may therefore empty it.
TEST_F(GridTextTest, AnEmptyClipboardPastesNothingAtOnce)
{
    make(1, 1);
    XtVaSetValues(mGrid, XmNcellEditable, True, NULL);
    XmLGridSetStrings(mGrid, (char *)"kept");
    show();
    emptyClipboard();
    ASSERT_EQ(XmLGridSetFocus(mGrid, 0, 0), 0);
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(XmLGridPaste(mGrid));
    EXPECT_FALSE(XmLGridPastePos(mGrid, XmCONTENT, 0, XmCONTENT, 0));
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took.count(), 1.0);
    EXPECT_EQ(sWarnings, std::vector<std::string>()) << "nothing to paste is no failure";
    EXPECT_EQ(text(0, 0), "kept");
}

TEST_F(GridTextTest, TextIsReadFromAPipe)
{
    make(2, 2);
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const char data[] = "1|2\n3|4";
    ASSERT_EQ(write(fds[1], data, sizeof data - 1), (ssize_t)(sizeof data - 1));
    close(fds[1]);
    FILE *file = fdopen(fds[0], "r");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(XmLGridRead(mGrid, file, XmFORMAT_DELIMITED, '|'), 4);
    fclose(file);
    EXPECT_EQ(text(1, 1), "4");
    EXPECT_TRUE(sWarnings.empty());
}

TEST_F(GridTextTest, AllowDropMakesTheGridADropSite)
{
    make(1, 1);
    EXPECT_FALSE(XmDropSiteRegistered(mGrid));
    XtVaSetValues(mGrid, XmNallowDrop, True, NULL);
    EXPECT_TRUE(XmDropSiteRegistered(mGrid));
    XtVaSetValues(mGrid, XmNallowDrop, False, NULL);
    EXPECT_FALSE(XmDropSiteRegistered(mGrid));
    EXPECT_TRUE(sWarnings.empty());
}

TEST_F(GridTextTest, DropsOnlyOfEightBitStringsAreRead)
{
    make(1, 2);
    XtVaSetValues(mGrid, XmNcellEditable, True, NULL);
    part().dropRow = part().dropColumn = 0;
    auto drop = [&](Atom type, int format) {
        const char text[] = "a\tb";
        char *value = XtMalloc(sizeof text - 1);
        memcpy(value, text, sizeof text - 1);
        unsigned long length = sizeof text - 1;
        Atom selection = XA_PRIMARY;
        DropTransfer(mGrid, (XtPointer)g(), &selection, &type, value, &length, &format);
    };
    drop(XA_ATOM, 32);
    drop(XA_INTEGER, 8);
    drop(XA_STRING, 16);
    EXPECT_EQ(text(0, 0), "") << "refused";
    drop(XA_STRING, 8);
    EXPECT_EQ(text(0, 0), "a");
    EXPECT_EQ(text(0, 1), "b");
}

TEST(GridCellTextTest, StringsWithoutSegmentsHaveNoText)
{
    EXPECT_EQ(CellStringToText(nullptr), nullptr);
}

}  // namespace
