// addDialog.cpp - AddDialog: host and port fields; Apply and OK add the server.
#include "browser/addDialog.h"

#include "browser/mainwin.h"
#include "browser/scanner.h"
#include "browser/settings.h"
#include "framework/VkErrorDialog.h"

#include <Xm/Label.h>
#include <Xm/RowColumn.h>
#include <Xm/TextF.h>
#include <Xm/Xm.h>

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
    XtVaCreateManagedWidget("portLabel", xmLabelWidgetClass, rc, nullptr);
    _portField = XtVaCreateManagedWidget("portField", xmTextFieldWidgetClass, rc,
                                         XmNcolumns, 5, XmNmaxLength, 5, nullptr);
    return rc;
}

// Blanks around a host or port are not part of it; a pasted name often has them.
static std::string trimmed(const std::string &text)
{
    size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos)
        return std::string();
    return text.substr(start, text.find_last_not_of(" \t") - start + 1);
}

static std::string fieldText(Widget field)
{
    char *value = XmTextFieldGetString(field);
    std::string text = value ? value : "";
    XtFree(value);
    return trimmed(text);
}

// The server record keeps 16 bits: a port of 65536-99999, which the field takes, would
// add a different server than the one asked for.
bool AddDialog::portNumber(const char *text, int *port)
{
    std::string digits = trimmed(text);
    if (digits.empty()) {
        *port = Server::DefaultPort;
        return true;
    }
    if (digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos)
        return false;
    int number = atoi(digits.c_str());
    if (number < 1 || number > 65535)
        return false;
    *port = number;
    return true;
}

// The new server is not queried; it shows with its defaults until the next refresh.
bool AddDialog::addServer()
{
    std::string host = fieldText(_hostField);
    std::string port = fieldText(_portField);
    if (host.empty())
        return true;        // nothing asked for
    ServerEntry entry;
    if (!portNumber(port.c_str(), &entry.port))
        return refuse("Port \"" + port + "\" is not a port number from 1 to 65535.");
    entry.host = host;
    Server s;
    // A name that does not resolve would leave the broadcast address in the record.
    if (!makeServer(entry, &s))
        return refuse("Could not find host \"" + host + "\".");
    if (!canBeServerAddress(s.mAddress.Address()))
        return refuse("No server can be at \"" + host + "\".");
    s.SetSelected(true);
    _win->addServer(s);
    _win->showAdded(s);
    return true;
}

// The dialog stays up with the text, to be corrected.
bool AddDialog::refuse(const std::string &why)
{
    gErrorDialog->postAndWait(why.c_str(), this);
    return false;
}

void AddDialog::apply()
{
    addServer();
}

void AddDialog::ok()
{
    if (addServer())
        hide();
}
