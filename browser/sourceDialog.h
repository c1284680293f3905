// sourceDialog.h - SourceDialog: one server-list source typed in and added to the
// options dialog's working list.
#ifndef VIREO_BROWSER_SOURCEDIALOG_H
#define VIREO_BROWSER_SOURCEDIALOG_H

#include "browser/dialog.h"

class OptionsDialog;

class SourceDialog : public Dialog {
public:
    SourceDialog(Widget parent, OptionsDialog *options);
    const char *className() override;
    void apply() override;
    Widget createContents(Widget form) override;

    Widget sourceField() const { return workWidget(); }

private:
    OptionsDialog *_options;
};

#endif
