// VkResource.h - typed resource look-up and message formatting with the application name.
#ifndef VIREO_FRAMEWORK_VKRESOURCE_H
#define VIREO_FRAMEWORK_VKRESOURCE_H

#include <X11/Intrinsic.h>

#include <string>

// Whether text can be looked up as a resource name: at most 100 components of letters,
// digits, '_' and '-', joined by '.' and '*'. Xlib splits a name into a fixed array of
// that many components without a bound, so a longer text would overrun it.
bool isResourceName(const char *text);

// Looks name and class up in the database of the widget's display and converts the
// value to the target representation. Returns the address of the converted value -
// for the String type that is the text itself - or defaultValue when the resource is
// absent or cannot be converted, or when name or class is no resource name.
XtPointer lookupResource(Widget w, const char *name, const char *className,
                         const char *targetType, XtPointer defaultValue);

// The text of a String resource of that name and class, or defaultValue.
const char *lookupStringResource(Widget w, const char *name, const char *className,
                                 const char *defaultValue);

// Replaces every "<application>" in format by the application's class name, then
// formats it with the arguments. The result lives in one shared 1000-byte buffer
// that the next call overwrites; longer results are cut at 999 characters.
const char *expandAndFormat(const char *format, ...)
    __attribute__((format(printf, 1, 2)));

// Only the "<application>" replacement: for texts that must not be read as a format.
std::string expandApplicationName(const char *text);

#endif
