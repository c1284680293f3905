// VkInfoDialog.h - the manager of Motif's information dialogs, and its program-wide instance.
#ifndef VIREO_FRAMEWORK_VKINFODIALOG_H
#define VIREO_FRAMEWORK_VKINFODIALOG_H

#include "framework/VkDialogManager.h"

class VkInfoDialog : public VkDialogManager {
public:
    explicit VkInfoDialog(const char *name);
    const char *className() override;
    Widget createDialog(Widget parent) override;
};

extern VkInfoDialog *gInfoDialog;   // made before main runs; lives until the process ends

#endif
