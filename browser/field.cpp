// field.cpp - Field: the form, its text field and its toggle or label; a number field
// takes digits only and keeps its value inside its bounds.
#include "browser/field.h"

#include <Xm/Form.h>
#include <Xm/Label.h>
#include <Xm/TextF.h>
#include <Xm/ToggleB.h>
#include <Xm/Xm.h>

#include <cassert>
#include <climits>
#include <string>

Field::Field(Widget parent, const char *name, int kind, bool hasToggle, int columns)
    : VkComponent(name)
{
    assert(parent && (kind == Kind_Number || kind == Kind_Text));
    _baseWidget = XtVaCreateWidget("form", xmFormWidgetClass, parent,
                                   XmNverticalSpacing, 0, XmNhorizontalSpacing, 0, nullptr);
    addDestroyHandler();
    _text = XtVaCreateManagedWidget("text", xmTextFieldWidgetClass, _baseWidget,
                                    XmNtopAttachment, XmATTACH_FORM,
                                    XmNrightAttachment, XmATTACH_FORM,
                                    XmNbottomAttachment, XmATTACH_FORM,
                                    XmNcolumns, columns,
                                    XmNsensitive, hasToggle ? False : True, nullptr);
    if (kind == Kind_Number) {
        for (const char *list : {XmNmodifyVerifyCallback, XmNlosingFocusCallback,
                                 XmNactivateCallback})
            XtAddCallback(_text, list, &Field::sVerifyCB, this);
    }
    WidgetClass labelClass = hasToggle ? xmToggleButtonWidgetClass : xmLabelWidgetClass;
    Widget label = XtVaCreateManagedWidget(name, labelClass, _baseWidget,
                                           XmNtopAttachment, XmATTACH_FORM,
                                           XmNbottomAttachment, XmATTACH_FORM,
                                           XmNleftAttachment, XmATTACH_FORM,
                                           XmNrightAttachment, XmATTACH_WIDGET,
                                           XmNrightWidget, _text,
                                           XmNalignment, XmALIGNMENT_BEGINNING, nullptr);
    if (hasToggle) {
        _toggle = label;
        XtAddCallback(_toggle, XmNvalueChangedCallback, &Field::sToggleCB, this);
    }
}

Field::~Field()
{
}

const char *Field::className()
{
    return "Field";
}

void Field::widgetDestroyed()
{
    VkComponent::widgetDestroyed();
    _toggle = _text = nullptr;
}

// ---- Values

char Field::getState() const
{
    assert(_toggle);
    return XmToggleButtonGetState(_toggle) ? 1 : 0;
}

void Field::setState(char state)
{
    assert(_toggle);
    XmToggleButtonSetState(_toggle, state ? True : False, True);
    // The toggle calls back only on a change; the text must follow in any case.
    XtSetSensitive(_text, state ? True : False);
}

int Field::textValue(const char *text)
{
    assert(text);
    const char *p = text;
    while (*p == ' ' || *p == '\t')
        p++;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        p++;
    long long n = 0;
    for (; *p >= '0' && *p <= '9'; p++) {
        n = n * 10 + (*p - '0');
        if (n > (long long)INT_MAX)
            return negative ? INT_MIN : INT_MAX;   // saturate, so bounds still apply
    }
    return (int)(negative ? -n : n);
}

int Field::getInt() const
{
    char *text = XmTextFieldGetString(_text);
    int value = textValue(text);
    XtFree(text);
    return value;
}

std::string Field::getString() const
{
    char *text = XmTextFieldGetString(_text);
    std::string value = text;
    XtFree(text);
    return value;
}

void Field::setInt(int value)
{
    setString(std::to_string(value));
}

// The verify callback passes the program's own text: a record read from the settings
// file may hold a negative number, which the user could not type.
void Field::setString(const std::string &text)
{
    _setting = true;
    XmTextFieldSetString(_text, (char *)text.c_str());
    _setting = false;
}

void Field::setRange(int min, int max)
{
    assert(min <= max);
    _min = min;
    _max = max;
}

void Field::setMaxLength(int length)
{
    XtVaSetValues(_text, XmNmaxLength, length > 0 ? length : INT_MAX, nullptr);
}

void Field::bound()
{
    int value = getInt();
    if (value < _min)
        setInt(_min);
    else if (value > _max)
        setInt(_max);
}

// ---- Callbacks

void Field::sVerifyCB(Widget, XtPointer clientData, XtPointer callData)
{ static_cast<Field *>(clientData)->verify(callData); }

void Field::sToggleCB(Widget, XtPointer clientData, XtPointer callData)
{
    Field *field = static_cast<Field *>(clientData);
    auto *cbs = static_cast<XmToggleButtonCallbackStruct *>(callData);
    XtSetSensitive(field->_text, cbs->set ? True : False);
}

// Typing and pasting insert digits only, so no minus sign; deletions always pass.
void Field::verify(XtPointer callData)
{
    auto *cbs = static_cast<XmAnyCallbackStruct *>(callData);
    if (!cbs || cbs->reason != XmCR_MODIFYING_TEXT_VALUE) {
        bound();
        return;
    }
    auto *modify = static_cast<XmTextVerifyCallbackStruct *>(callData);
    if (_setting || !modify->text || !modify->text->ptr)
        return;
    for (int i = 0; i < modify->text->length; i++) {
        char c = modify->text->ptr[i];
        if (c != '\0' && (c < '0' || c > '9')) {
            modify->doit = False;
            return;
        }
    }
}
