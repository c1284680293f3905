// geometry.h - a window's size and place as a geometry text gives them ("800x600+10+20"):
// read, merged part by part, and fitted to the screen so that the window starts in view.
#ifndef VIREO_BROWSER_GEOMETRY_H
#define VIREO_BROWSER_GEOMETRY_H

#include <string>

struct WindowGeometry {
    int          mask = 0;          // XParseGeometry's: the parts given
    // As written: under XNegative (YNegative) x (y) counts from the screen's right (bottom)
    // edge to the window's, as XParseGeometry gives it: -10 for "-10".
    int          x = 0, y = 0;
    unsigned int width = 0, height = 0;
};

// False, with *why saying so, when text is no size and place, or gives a size of nothing.
bool readGeometry(const char *text, WindowGeometry *geometry, std::string *why);
// The parts given replace those of base; the others stay.
WindowGeometry mergeGeometry(const WindowGeometry &base, const WindowGeometry &given);
// Whether the window keeps enough of itself on a screen of that size to be seen and
// dragged back; true when it has no place of its own.
bool placeOnScreen(const WindowGeometry &geometry, int screenWidth, int screenHeight);
// A size larger than the screen is cut to it, and the window moved whole onto the screen
// along that side; one of a few pixels is raised to a size that can be seen; a place that
// leaves the window off the screen is moved onto it.
void fitGeometry(WindowGeometry *geometry, int screenWidth, int screenHeight);
// The text XParseGeometry reads back as geometry.
std::string geometryText(const WindowGeometry &geometry);

#endif
