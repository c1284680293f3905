// VkBusyDialog.cpp - working dialog manager.
#include "framework/VkBusyDialog.h"

#include <Xm/MessageB.h>

VkBusyDialog *gBusyDialog = new VkBusyDialog("BusyDialogManager");

VkBusyDialog::VkBusyDialog(const char *name)
    : VkDialogManager(name)
{
}

const char *VkBusyDialog::className()
{
    return "VkBusyDialog";
}

Widget VkBusyDialog::createDialog(Widget parent)
{
    return XmCreateWorkingDialog(parent, _name, nullptr, 0);
}
