// VkQuestionDialog.cpp - question dialog manager.
#include "framework/VkQuestionDialog.h"

#include <Xm/MessageB.h>

VkQuestionDialog *gQuestionDialog = new VkQuestionDialog("QuestionDialogManager");

VkQuestionDialog::VkQuestionDialog(const char *name)
    : VkDialogManager(name)
{
    _showOK = 1;
    _showCancel = 1;
}

const char *VkQuestionDialog::className()
{
    return "VkQuestionDialog";
}

Widget VkQuestionDialog::createDialog(Widget parent)
{
    return XmCreateQuestionDialog(parent, _name, nullptr, 0);
}
