// VkBusyDialog.h - the manager of Motif's working dialogs, and its program-wide instance.
#ifndef VIREO_FRAMEWORK_VKBUSYDIALOG_H
#define VIREO_FRAMEWORK_VKBUSYDIALOG_H

#include "framework/VkDialogManager.h"

class VkBusyDialog : public VkDialogManager {
public:
    explicit VkBusyDialog(const char *name);
    const char *className() override;
    Widget createDialog(Widget parent) override;
};

extern VkBusyDialog *gBusyDialog;   // made before main runs; lives until the process ends

#endif
