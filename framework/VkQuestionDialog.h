// VkQuestionDialog.h - the manager of Motif's question dialogs, and its program-wide instance.
#ifndef VIREO_FRAMEWORK_VKQUESTIONDIALOG_H
#define VIREO_FRAMEWORK_VKQUESTIONDIALOG_H

#include "framework/VkDialogManager.h"

class VkQuestionDialog : public VkDialogManager {
public:
    explicit VkQuestionDialog(const char *name);
    const char *className() override;
    Widget createDialog(Widget parent) override;
};

extern VkQuestionDialog *gQuestionDialog;   // made before main runs; lives until the process ends

#endif
