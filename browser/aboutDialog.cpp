// aboutDialog.cpp - AboutDialog: four centred labels and an OK button.
#include "browser/aboutDialog.h"

#include <Xm/Label.h>
#include <Xm/RowColumn.h>
#include <Xm/Xm.h>

AboutDialog::AboutDialog(Widget parent) : Dialog(parent, "AboutDialog")
{
    _buttons = Button_OK;
}

const char *AboutDialog::className()
{
    return "AboutDialog";
}

Widget AboutDialog::createContents(Widget form)
{
    Widget rc = XtVaCreateWidget("rc", xmRowColumnWidgetClass, form,
                                 XmNorientation, XmVERTICAL,
                                 XmNentryAlignment, XmALIGNMENT_CENTER,
                                 XmNspacing, 0, nullptr);
    for (const char *name : {"titleLabel", "dateLabel", "authorLabel", "infoLabel"})
        XtVaCreateManagedWidget(name, xmLabelWidgetClass, rc, nullptr);
    return rc;
}
