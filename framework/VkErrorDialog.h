// VkErrorDialog.h - the manager of Motif's error dialogs, and its program-wide instance.
#ifndef VIREO_FRAMEWORK_VKERRORDIALOG_H
#define VIREO_FRAMEWORK_VKERRORDIALOG_H

#include "framework/VkDialogManager.h"

class VkErrorDialog : public VkDialogManager {
public:
    explicit VkErrorDialog(const char *name);
    const char *className() override;
    Widget createDialog(Widget parent) override;
};

extern VkErrorDialog *gErrorDialog;   // made before main runs; lives until the process ends

#endif
