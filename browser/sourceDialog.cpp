// sourceDialog.cpp - SourceDialog: a text field whose text Apply and OK add as a source.
#include "browser/sourceDialog.h"

#include "browser/optionsDialog.h"

#include <Xm/TextF.h>
#include <Xm/Xm.h>

#include <cassert>
#include <string>

SourceDialog::SourceDialog(Widget parent, OptionsDialog *options)
    : Dialog(parent, "SourceDialog"), _options(options)
{
    assert(options);
    _buttons = Button_Apply | Button_OK | Button_Cancel;
}

const char *SourceDialog::className()
{
    return "SourceDialog";
}

Widget SourceDialog::createContents(Widget form)
{
    Widget field = XtVaCreateWidget("sourceField", xmTextFieldWidgetClass, form, nullptr);
    return field;
}

// The text stays in the field, so a mistyped source can be mended and added again.
void SourceDialog::apply()
{
    char *text = XmTextFieldGetString(sourceField());
    std::string source = text;
    XtFree(text);
    if (!source.empty())
        _options->appendSource(source);
}
