// VkResource.cpp - resource look-up and "<application>" expansion.
#include "framework/VkResource.h"

#include "framework/VkApp.h"

#include <X11/StringDefs.h>
#include <X11/Xresource.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

static const char sAppToken[] = "<application>";

// Xlib's limit on the components of a name it looks up.
static const int sMaxComponents = 100;

static bool isBinding(char c)
{
    return c == '.' || c == '*';
}

static bool isNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           c == '_' || c == '-';
}

bool isResourceName(const char *text)
{
    if (!text)
        return false;
    int components = 0;
    const char *p = text;
    while (isBinding(*p))
        p++;
    while (*p) {
        if (!isNameChar(*p))
            return false;
        while (isNameChar(*p))
            p++;
        if (++components > sMaxComponents)
            return false;
        if (!*p)
            break;
        if (!isBinding(*p))
            return false;
        while (isBinding(*p))
            p++;
        if (!*p)
            return false;       // a name does not end in a binding
    }
    return components > 0;
}

XtPointer lookupResource(Widget w, const char *name, const char *className,
                         const char *targetType, XtPointer defaultValue)
{
    if (!w || !targetType || !isResourceName(name) || !isResourceName(className))
        return defaultValue;
    XrmDatabase db = XtDatabase(XtDisplayOfObject(w));
    char *type = nullptr;
    XrmValue value;
    if (!XrmGetResource(db, name, className, &type, &value))
        return defaultValue;
    XrmValue converted = {0, nullptr};
    if (!XtConvertAndStore(w, XtRString, &value, targetType, &converted))
        return defaultValue;
    return converted.addr;
}

const char *lookupStringResource(Widget w, const char *name, const char *className,
                                 const char *defaultValue)
{
    return (const char *)lookupResource(w, name, className, XtRString,
                                        (XtPointer)defaultValue);
}

// In a format the class name must stay literal, so its '%' signs are doubled.
static std::string expand(const char *text, bool forFormat)
{
    const char *appClass = gApplication ? gApplication->className() : "";
    std::string out;
    size_t tokenLength = strlen(sAppToken);
    for (const char *p = text; *p;) {
        if (strncmp(p, sAppToken, tokenLength) == 0) {
            for (const char *c = appClass; *c; c++) {
                out += *c;
                if (forFormat && *c == '%')
                    out += '%';
            }
            p += tokenLength;
        } else {
            out += *p++;
        }
    }
    return out;
}

std::string expandApplicationName(const char *text)
{
    return text ? expand(text, false) : std::string();
}

const char *expandAndFormat(const char *format, ...)
{
    static char buffer[1000];
    if (!format) {
        buffer[0] = '\0';
        return buffer;
    }
    std::string expanded = expand(format, true);
    // Format into a private buffer first: an argument may be this very buffer.
    char work[sizeof buffer];
    va_list args;
    va_start(args, format);
    vsnprintf(work, sizeof work, expanded.c_str(), args);
    va_end(args);
    memcpy(buffer, work, sizeof buffer);
    return buffer;
}
