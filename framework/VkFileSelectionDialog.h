// VkFileSelectionDialog.h - asks for a file with Motif's file-selection box and
// remembers the chosen name.
#ifndef VIREO_FRAMEWORK_VKFILESELECTIONDIALOG_H
#define VIREO_FRAMEWORK_VKFILESELECTIONDIALOG_H

#include "framework/VkDialogManager.h"

class VkFileSelectionDialog : public VkDialogManager {
public:
    explicit VkFileSelectionDialog(const char *name);
    ~VkFileSelectionDialog() override;
    const char *className() override;
    Widget createDialog(Widget parent) override;

    // The name chosen with the last OK; Cancel leaves it, so read it only after OK.
    const char *fileName() const { return _fileName; }
    // Each applies to the dialog that is up, if any, and to every dialog made later.
    void setDirectory(const char *directory);
    void setFilterPattern(const char *pattern);
    void setSelection(const char *selection);

    static void fileChosenCallback(Widget, XtPointer clientData, XtPointer callData);

private:
    void fileChosen(XtPointer callData);
    Widget postedDialog() const;

    char *_directory = nullptr;
    char *_filterPattern = nullptr;
    char *_selection = nullptr;
    char *_fileName = nullptr;
};

extern VkFileSelectionDialog *gFileSelectionDialog;   // made before main runs

#endif
