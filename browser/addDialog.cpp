// addDialog.cpp - AddDialog: host and port fields; Apply and OK add the server.
#include "browser/addDialog.h"

#include "browser/mainwin.h"

#include <Xm/Label.h>
#include <Xm/RowColumn.h>
#include <Xm/TextF.h>
#include <Xm/Xm.h>

#include <cerrno>
#include <cstdlib>
#include <string>

AddDialog::AddDialog(Widget parent, MainWin *win) : Dialog(parent, "AddDialog"), _win(win)
{
    _buttons = Button_Apply | Button_OK | Button_Cancel;
}

const char *AddDialog::className()
{
    return "AddDialog";
}

// The host is kept between shows; the port starts at the game's own each time.
void AddDialog::show()
{
    Dialog::show();
    XmTextFieldSetString(_portField, (char *)"26000");
}

Widget AddDialog::createContents(Widget form)
{
    Widget rc = XtVaCreateWidget("rc", xmRowColumnWidgetClass, form,
                                 XmNorientation, XmHORIZONTAL, nullptr);
    XtVaCreateManagedWidget("hostLabel", xmLabelWidgetClass, rc, nullptr);
    _hostField = XtVaCreateManagedWidget("hostField", xmTextFieldWidgetClass, rc, nullptr);
    XtAddCallback(_hostField, XmNactivateCallback, &Dialog::sOkCB, this);
    XtVaCreateManagedWidget("portLabel", xmLabelWidgetClass, rc, nullptr);
    _portField = XtVaCreateManagedWidget("portField", xmTextFieldWidgetClass, rc,
                                         XmNcolumns, 5, XmNmaxLength, 5, nullptr);
    return rc;
}

// A port of six digits cannot be typed, but one of 65536-99999 can; the server record
// would keep only its low 16 bits and add a different server than the one asked for.
bool AddDialog::hostText(const char *host, const char *port, std::string *text)
{
    if (!host || host[0] == '\0')
        return false;
    errno = 0;
    long number = port ? strtol(port, nullptr, 10) : 0;
    if (errno == ERANGE || number > 65535)
        return false;
    if (number <= 0)
        number = 26000;
    *text = std::string(host) + ":" + std::to_string(number);
    return true;
}

// The new server is not queried; it shows with its defaults until the next refresh.
void AddDialog::apply()
{
    char *host = XmTextFieldGetString(_hostField);
    char *port = XmTextFieldGetString(_portField);
    std::string text;
    bool named = hostText(host, port, &text);
    XtFree(host);
    XtFree(port);
    if (!named)
        return;
    Server s;
    s.SetHost(text.c_str());
    s.SetSelected(true);
    _win->addServer(s);
    _win->updateView();
}
