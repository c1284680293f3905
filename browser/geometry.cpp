// geometry.cpp - a window's size and place from a geometry text, fitted to the screen.
#include "browser/geometry.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cassert>
#include <cstring>

// A window must keep this much of itself on the screen to be found and dragged back, and
// be as large: the toolkit lays a window of a few pixels out so narrow that its tool bar
// does not come back whole when the window is raised to its least.
static const int MinOnScreen = 32;
// No screen is this many digits wide; longer numbers would overflow the parser.
static const size_t MaxDigits = 5;

bool readGeometry(const char *text, WindowGeometry *geometry, std::string *why)
{
    assert(text && geometry && why);
    WindowGeometry read;
    bool tooLong = false;
    for (const char *c = text; *c; c++)
        tooLong = tooLong || strspn(c, "0123456789") > MaxDigits;
    if (!tooLong)
        read.mask = XParseGeometry(text, &read.x, &read.y, &read.width, &read.height);
    if (read.mask == NoValue) {
        *why = "not a size and place such as 800x600+10+20";
        return false;
    }
    if (((read.mask & WidthValue) && read.width == 0) ||
        ((read.mask & HeightValue) && read.height == 0)) {
        *why = "a window of no width or height cannot be shown";
        return false;
    }
    *geometry = read;
    return true;
}

WindowGeometry mergeGeometry(const WindowGeometry &base, const WindowGeometry &given)
{
    WindowGeometry merged = base;
    if (given.mask & WidthValue)
        merged.width = given.width;
    if (given.mask & HeightValue)
        merged.height = given.height;
    if (given.mask & XValue) {
        merged.x = given.x;
        merged.mask = (merged.mask & ~XNegative) | (given.mask & XNegative);
    }
    if (given.mask & YValue) {
        merged.y = given.y;
        merged.mask = (merged.mask & ~YNegative) | (given.mask & YNegative);
    }
    merged.mask |= given.mask & (WidthValue | HeightValue | XValue | YValue);
    return merged;
}

// ---- One side of the screen at a time: across (x, width) or down (y, height)

// The window's length along the side, for the test of its place: without a size of its
// own, the least of it that must show.
static int shownLength(bool sized, unsigned int length)
{
    return sized ? (int)length : MinOnScreen;
}

// Where the window begins: an offset from the far edge is turned round.
static int windowStart(int offset, bool fromFar, int length, int screen)
{
    return fromFar ? screen + offset - length : offset;
}

static bool sideOnScreen(int start, int length, int screen)
{
    return std::min(start + length, screen) - std::max(start, 0) >= MinOnScreen;
}

static void fitSide(int *offset, unsigned int *length, int *mask, int placeBit, int farBit,
                    int sizeBit, int screen)
{
    bool sized = (*mask & sizeBit) != 0;
    bool cut = sized && *length > (unsigned int)screen;
    if (cut)
        *length = (unsigned int)screen;
    else if (sized && *length < (unsigned int)MinOnScreen)
        *length = MinOnScreen;
    if (!(*mask & placeBit))
        return;
    int shown = shownLength(sized, *length);
    int start = windowStart(*offset, (*mask & farBit) != 0, shown, screen);
    if (!cut && sideOnScreen(start, shown, screen))
        return;
    // Whole on the screen, as near to where it was asked as it fits.
    *offset = std::max(0, std::min(start, screen - shown));
    *mask &= ~farBit;
}

bool placeOnScreen(const WindowGeometry &g, int screenWidth, int screenHeight)
{
    if (g.mask & XValue) {
        int width = shownLength(g.mask & WidthValue, g.width);
        if (!sideOnScreen(windowStart(g.x, g.mask & XNegative, width, screenWidth), width,
                          screenWidth))
            return false;
    }
    if (g.mask & YValue) {
        int height = shownLength(g.mask & HeightValue, g.height);
        if (!sideOnScreen(windowStart(g.y, g.mask & YNegative, height, screenHeight), height,
                          screenHeight))
            return false;
    }
    return true;
}

void fitGeometry(WindowGeometry *g, int screenWidth, int screenHeight)
{
    fitSide(&g->x, &g->width, &g->mask, XValue, XNegative, WidthValue, screenWidth);
    fitSide(&g->y, &g->height, &g->mask, YValue, YNegative, HeightValue, screenHeight);
}

// ---- Text

// The sign says which edge the offset counts from, and the number may have one of its own:
// "-0" is at the right edge, "+-4" four pixels past the left one.
static std::string offsetText(int offset, bool fromFar)
{
    return (fromFar ? "-" : "+") + std::to_string(fromFar ? -offset : offset);
}

std::string geometryText(const WindowGeometry &g)
{
    std::string text;
    if (g.mask & WidthValue)
        text += std::to_string(g.width);
    if (g.mask & HeightValue)
        text += "x" + std::to_string(g.height);
    if (g.mask & XValue)
        text += offsetText(g.x, g.mask & XNegative);
    if (g.mask & YValue)
        text += offsetText(g.y, g.mask & YNegative);
    return text;
}
