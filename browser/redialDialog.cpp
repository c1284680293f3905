// redialDialog.cpp - RedialDialog: one label naming the server, OK joins it.
#include "browser/redialDialog.h"

#include "browser/mainwin.h"

#include <Xm/Label.h>
#include <Xm/Xm.h>

#include <cassert>
#include <string>

RedialDialog::RedialDialog(MainWin *win) : Dialog(win->baseWidget(), "RedialDialog"), _win(win)
{
    _buttons = Button_OK | Button_Cancel;
}

const char *RedialDialog::className()
{
    return "RedialDialog";
}

// The text goes in before the dialog is up, so that it is placed at its final size.
void RedialDialog::show()
{
    build();
    assert(_server);
    std::string text = "A slot has opened up on server '" +
                       MainWin::shownName(_server->GetName()) + "'. Connect?";
    XmString label = XmStringCreateLocalized((char *)text.c_str());
    XtVaSetValues(_label, XmNlabelString, label, nullptr);
    XmStringFree(label);
    VkComponent::show();
}

// The game goes to the server whose slot opened, not to the one selected now.
void RedialDialog::ok()
{
    Dialog::ok();
    _win->joinSlotServer();
}

Widget RedialDialog::createContents(Widget form)
{
    _label = XtVaCreateManagedWidget("label", xmLabelWidgetClass, form, nullptr);
    return _label;
}
