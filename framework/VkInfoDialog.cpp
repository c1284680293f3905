// VkInfoDialog.cpp - information dialog manager.
#include "framework/VkInfoDialog.h"

#include <Xm/MessageB.h>

VkInfoDialog *gInfoDialog = new VkInfoDialog("InfoDialogManager");

VkInfoDialog::VkInfoDialog(const char *name)
    : VkDialogManager(name)
{
    _showOK = 1;
}

const char *VkInfoDialog::className()
{
    return "VkInfoDialog";
}

Widget VkInfoDialog::createDialog(Widget parent)
{
    return XmCreateInformationDialog(parent, _name, nullptr, 0);
}
