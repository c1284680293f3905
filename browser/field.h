// field.h - Field, a labelled text field for a number or a short text, optionally with a
// toggle in place of the label that enables it.
#ifndef VIREO_BROWSER_FIELD_H
#define VIREO_BROWSER_FIELD_H

#include "framework/VkComponent.h"

#include <X11/Intrinsic.h>

#include <string>

class Field : public VkComponent {
public:
    enum Kind { Kind_Number = 0, Kind_Text = 1 };

    // The base form is made unmanaged; the creator shows the field when it is placed.
    Field(Widget parent, const char *name, int kind, bool hasToggle, int columns);
    ~Field() override;
    const char *className() override;
    void widgetDestroyed() override;

    char getState() const;
    // Sets the toggle as a click would, so the text's sensitivity follows it.
    void setState(char state);
    int getInt() const;
    std::string getString() const;
    void setInt(int value);
    void setString(const std::string &text);
    // A number field's bounds; the text is brought inside them when it is left.
    void setRange(int min, int max);
    int min() const { return _min; }
    int max() const { return _max; }
    // Brings a number field's text inside its bounds now.
    void bound();
    // Text fields take at most this many characters (0: no limit).
    void setMaxLength(int length);

    Widget toggle() const { return _toggle; }
    Widget text() const { return _text; }

    // The value of a field's digits: one too long for an int counts as the largest.
    static int textValue(const char *text);

private:
    static void sVerifyCB(Widget, XtPointer clientData, XtPointer callData);
    static void sToggleCB(Widget, XtPointer clientData, XtPointer callData);
    void verify(XtPointer callData);

    Widget _toggle = nullptr;
    Widget _text = nullptr;
    int    _min = 0;
    int    _max = 100;
    bool   _setting = false;    // the program, not the user, is changing the text
};

#endif
