// VkErrorDialog.cpp - error dialog manager.
#include "framework/VkErrorDialog.h"

#include <Xm/MessageB.h>

VkErrorDialog *gErrorDialog = new VkErrorDialog("ErrorDialogManager");

VkErrorDialog::VkErrorDialog(const char *name)
    : VkDialogManager(name)
{
    _showOK = 1;
}

const char *VkErrorDialog::className()
{
    return "VkErrorDialog";
}

Widget VkErrorDialog::createDialog(Widget parent)
{
    return XmCreateErrorDialog(parent, _name, nullptr, 0);
}
