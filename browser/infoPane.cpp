// infoPane.cpp - MainWin's bottom pane: the players and the rules of the single selected
// server, with the players' shirt and pants colours as numbered swatches.
#include "browser/mainwin.h"

#include "query/protocol.h"
#include "widgets/Grid.h"

#include <Xm/PanedW.h>
#include <Xm/Xm.h>

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <string>
#include <vector>

// ---- The swatches

// The game's colours 0-13, as a player's shirt and pants show them.
static const char *const sColours[MainWin::Swatches] = {
    "#787878", "#503818", "#4c4c70", "#343404", "#440000", "#5c4404", "#8c4030",
    "#7c503c", "#543440", "#5c303c", "#685444", "#004040", "#808000", "#004080",
};

// Digits 4 pixels wide and 5 high, drawn twice as high into image rows 3 to 12.
static const char *const sDigits[10][5] = {
    {"####", "#..#", "#..#", "#..#", "####"}, {"..#.", ".##.", "..#.", "..#.", ".###"},
    {"####", "...#", "####", "#...", "####"}, {"####", "...#", ".###", "...#", "####"},
    {"#..#", "#..#", "####", "...#", "...#"}, {"####", "#...", "####", "...#", "####"},
    {"####", "#...", "####", "#..#", "####"}, {"####", "...#", "..#.", ".#..", ".#.."},
    {"####", "#..#", "####", "#..#", "####"}, {"####", "#..#", "####", "...#", "####"},
};

static void drawDigit(std::vector<std::string> *image, int digit, int left)
{
    for (int y = 0; y < 10; y++) {
        for (int x = 0; x < 4; x++) {
            if (sDigits[digit][y / 2][x] == '#')
                (*image)[3 + y][left + x] = '.';
        }
    }
}

// An XPM text: the colour as "x", the number in the symbolic "Background" as ".".
static std::vector<std::string> swatchImage(int number)
{
    std::vector<std::string> lines = {"16 16 2 1", std::string("x c ") + sColours[number],
                                      ". s Background c #c0c0c0"};
    std::vector<std::string> image(16, std::string(16, 'x'));
    if (number < 10) {
        drawDigit(&image, number, 6);
    } else {
        drawDigit(&image, number / 10, 3);
        drawDigit(&image, number % 10, 8);
    }
    lines.insert(lines.end(), image.begin(), image.end());
    return lines;
}

void MainWin::createSwatches()
{
    for (int number = 0; number < Swatches; number++) {
        std::vector<std::string> lines = swatchImage(number);
        std::vector<const char *> data;
        for (const std::string &line : lines)
            data.push_back(line.c_str());
        mSwatches[number] = createPixmap(mPlayerGrid, data.data());
    }
}

Pixmap MainWin::swatch(int colour) const
{
    assert(colour >= 0 && colour < Swatches);
    return mSwatches[colour];
}

// ---- Building

static void raiseLeast(Widget pane, int least)
{
    Dimension now = 0;
    XtVaGetValues(pane, XmNpaneMinimum, &now, nullptr);
    if (least > now)
        XtVaSetValues(pane, XmNpaneMinimum, (Dimension)least, nullptr);
}

// A player row as fillPlayerGrid writes it: its swatches make it taller than the heading.
// Measured on a row written for the purpose (colour 0 has a swatch) and taken away again.
int MainWin::playerRowHeight()
{
    Player sample;
    sample.mName = "Player";
    XmLGridAddRows(mPlayerGrid, XmCONTENT, 0, 1);
    writePlayerRow(sample, 0);
    XRectangle row = {0, 0, 0, 0};
    XmLGridRowColumnToXY(mPlayerGrid, XmCONTENT, 0, XmCONTENT, 0, False, &row);
    XmLGridDeleteAllRows(mPlayerGrid, XmCONTENT);
    return row.height;
}

// However small the window or far the sash is dragged, the player list keeps its colours
// and names in view (the width) and its headings and two rows of rowHeight (the bottom
// pane's height). Measured while the new grid still shows all its columns; a larger least
// from the resources stands.
static void keepPlayersInView(Widget pane, Widget players, int rowHeight)
{
    XRectangle name = {0, 0, 0, 0};
    if (XmLGridRowColumnToXY(players, XmHEADING, 0, XmCONTENT, 2, False, &name) < 0)
        return;
    Widget hsb = nullptr, vsb = nullptr;
    Dimension shadow = 0, barMargin = 0, hsbHeight = 0, vsbWidth = 0, margin = 0;
    XtVaGetValues(players, XmNhorizontalScrollBar, &hsb, XmNverticalScrollBar, &vsb,
                  XmNshadowThickness, &shadow, XmNscrollBarMargin, &barMargin, nullptr);
    if (hsb)
        XtVaGetValues(hsb, XmNheight, &hsbHeight, nullptr);
    if (vsb)
        XtVaGetValues(vsb, XmNwidth, &vsbWidth, nullptr);
    XtVaGetValues(pane, XmNmarginHeight, &margin, nullptr);
    int width = name.x + name.width + shadow + barMargin + vsbWidth;
    int row = std::max(rowHeight, (int)name.height);
    // The headings and the rows are two bands, each inside shadows of its own.
    int height = 2 * margin + 4 * shadow + name.height + 2 * row + barMargin + hsbHeight;
    raiseLeast(players, width);
    raiseLeast(pane, height);
}

Widget MainWin::createInfoPane(Widget parent)
{
    Widget pane = XtVaCreateWidget("infoPane", xmPanedWindowWidgetClass, parent,
                                   XmNorientation, XmHORIZONTAL,
                                   XmNallowResize, True, nullptr);
    mPlayerGrid = createPlayerGrid(pane);
    createSwatches();
    mRuleGrid = createRuleGrid(pane);
    keepPlayersInView(pane, mPlayerGrid, playerRowHeight());
    XtManageChild(pane);
    for (Widget grid : {mPlayerGrid, mRuleGrid})
        XtVaSetValues(grid, XmNhorizontalSizePolicy, XmCONSTANT,
                      XmNverticalSizePolicy, XmCONSTANT, XmNallowResize, True, nullptr);
    return pane;
}

Widget MainWin::createPlayerGrid(Widget pane)
{
    Arg args[7];
    Cardinal n = 0;
    XtSetArg(args[n], XmNcolumns, 5); n++;
    XtSetArg(args[n], XmNvisibleColumns, 5); n++;
    XtSetArg(args[n], XmNsimpleWidths, "1c 1c 20c 5c 12c"); n++;
    XtSetArg(args[n], XmNvsbDisplayPolicy, XmSTATIC); n++;
    XtSetArg(args[n], XmNselectionPolicy, XmSELECT_NONE); n++;
    XtSetArg(args[n], XmNglobalPixmapWidth, 16); n++;
    XtSetArg(args[n], XmNglobalPixmapHeight, 16); n++;
    Widget grid = XmLCreateGrid(pane, (char *)"playerGrid", args, n);
    XtManageChild(grid);
    XtVaSetValues(grid, XmNcellDefaults, True, XmNcellAlignment, XmALIGNMENT_LEFT, nullptr);
    XtVaSetValues(grid, XmNcellDefaults, True,
                  XmNcolumnRangeStart, 0, XmNcolumnRangeEnd, 1,
                  XmNcolumnSizePolicy, XmCONSTANT,
                  XmNcellType, XmPIXMAP_CELL,
                  XmNcolumnWidth, 18,
                  XmNcellLeftBorderType, XmBORDER_NONE,
                  XmNcellRightBorderType, XmBORDER_NONE,
                  XmNcellMarginLeft, 0,
                  XmNcellMarginRight, 0, nullptr);
    XmLGridAddRows(grid, XmHEADING, 0, 1);
    XmLGridSetStringsPos(grid, XmHEADING, 0, XmCONTENT, 2,
                         (char *)"Player Name|Frags|Connect Time");
    XtVaSetValues(grid, XmNrowType, XmHEADING, XmNrow, 0, XmNcolumn, 2,
                  XmNcellLeftBorderType, XmBORDER_NONE, nullptr);
    XtVaSetValues(grid, XmNcellDefaults, True,
                  XmNcellLeftBorderType, XmBORDER_NONE,
                  XmNcellRightBorderType, XmBORDER_NONE,
                  XmNcellTopBorderType, XmBORDER_NONE,
                  XmNcellBottomBorderType, XmBORDER_NONE,
                  XmNcellAlignment, XmALIGNMENT_LEFT, nullptr);
    return grid;
}

Widget MainWin::createRuleGrid(Widget pane)
{
    Arg args[7];
    Cardinal n = 0;
    XtSetArg(args[n], XmNheadingRows, 1); n++;
    XtSetArg(args[n], XmNcolumns, 2); n++;
    XtSetArg(args[n], XmNvisibleColumns, 2); n++;
    XtSetArg(args[n], XmNsimpleWidths, "14c 5c"); n++;
    XtSetArg(args[n], XmNsimpleHeadings, "Rule|Value"); n++;
    XtSetArg(args[n], XmNvsbDisplayPolicy, XmSTATIC); n++;
    XtSetArg(args[n], XmNselectionPolicy, XmSELECT_NONE); n++;
    Widget grid = XmLCreateGrid(pane, (char *)"ruleGrid", args, n);
    XtManageChild(grid);
    XtVaSetValues(grid, XmNcellAlignment, XmALIGNMENT_LEFT, nullptr);
    XtVaSetValues(grid, XmNcellDefaults, True,
                  XmNcellLeftBorderType, XmBORDER_NONE,
                  XmNcellRightBorderType, XmBORDER_NONE,
                  XmNcellTopBorderType, XmBORDER_NONE,
                  XmNcellBottomBorderType, XmBORDER_NONE,
                  XmNcellAlignment, XmALIGNMENT_LEFT, nullptr);
    return grid;
}

// ---- Filling

// Only the rules a player would not expect: the game's defaults say nothing.
void MainWin::fillRuleGrid(Server *server)
{
    if (!mRuleGrid)
        return;
    XmLGridDeleteAllRows(mRuleGrid, XmCONTENT);
    if (!server)
        return;
    int row = 0;
    for (const Rule &rule : server->mRules) {
        if (IsDefaultRule(rule))
            continue;
        XmLGridAddRows(mRuleGrid, XmCONTENT, row, 1);
        std::string text = cellText(rule.mName) + "|" + cellText(rule.mValue);
        XmLGridSetStringsPos(mRuleGrid, XmCONTENT, row, XmCONTENT, 0, (char *)text.c_str());
        row++;
    }
}

void MainWin::fillPlayerGrid(Server *server)
{
    if (!mPlayerGrid)
        return;
    XtVaSetValues(mPlayerGrid, XmNlayoutFrozen, True, nullptr);
    XmLGridDeleteAllRows(mPlayerGrid, XmCONTENT);
    if (server && !server->mPlayers.empty()) {
        std::vector<Player *> players;
        for (Player &p : server->mPlayers)
            players.push_back(&p);
        XmLGridAddRows(mPlayerGrid, XmCONTENT, 0, (int)players.size());
        sortPlayers(players.data(), (int)players.size());
        for (int row = 0; row < (int)players.size(); row++)
            writePlayerRow(*players[row], row);
    }
    XtVaSetValues(mPlayerGrid, XmNlayoutFrozen, False, nullptr);
}

void MainWin::writePlayerRow(const Player &p, int row)
{
    std::string text = playerRowText(p);
    XmLGridSetStringsPos(mPlayerGrid, XmCONTENT, row, XmCONTENT, 2, (char *)text.c_str());
    // A colour the game does not have keeps its cell empty.
    if (p.mShirt >= 0 && p.mShirt < Swatches)
        XtVaSetValues(mPlayerGrid, XmNrowType, XmCONTENT, XmNrow, row, XmNcolumn, 0,
                      XmNcellPixmap, mSwatches[p.mShirt], nullptr);
    if (p.mPants >= 0 && p.mPants < Swatches)
        XtVaSetValues(mPlayerGrid, XmNrowType, XmCONTENT, XmNrow, row, XmNcolumn, 1,
                      XmNcellPixmap, mSwatches[p.mPants], nullptr);
}

// ---- Text

std::string MainWin::connectTimeText(int seconds)
{
    if (seconds < 0)
        seconds = 0;    // a server's clock gone wrong; no negative minutes
    char text[32];
    snprintf(text, sizeof text, "%1dh:%02dm:%02ds", seconds / 3600, seconds % 3600 / 60,
             seconds % 60);
    return text;
}

std::string MainWin::playerRowText(const Player &p)
{
    std::string name = quakeNameToAscii(p.mName.c_str());
    name = cellText(name.substr(0, 39));
    return name + "|" + std::to_string(p.mFrags) + "|" + connectTimeText(p.mConnectTime);
}

static void appendAscii(unsigned char c, char *out, size_t *length)
{
    char plain = 0;
    if (c >= 0x20 && c <= 0x7e)
        plain = (char)c;
    else if (c >= 0xa0)
        plain = (char)(c & 0x7f);
    else if (c >= 0x92 && c <= 0x9b)
        plain = (char)(c - 0x62);
    else if (c >= 0x12 && c <= 0x1b)
        plain = (char)(c + 0x1e);
    else if (c == 0x10 || c == 0x90)
        plain = '[';
    else if (c == 0x11 || c == 0x91 || c == 0x0a || c == 0x0c || c == 0x0d)
        plain = ']';
    if (plain)
        out[(*length)++] = plain;
}

// The game's own character set: high-bit letters, coloured digits and brackets.
const char *quakeNameToAscii(const char *name)
{
    static char buffer[256];
    size_t length = 0;
    for (const char *s = name; s && *s && length < sizeof buffer - 1; s++)
        appendAscii((unsigned char)*s, buffer, &length);
    buffer[length] = '\0';
    return buffer;
}
