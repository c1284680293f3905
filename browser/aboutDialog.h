// aboutDialog.h - AboutDialog: the program's title, date, author and a line of information,
// all texts from the class resource file.
#ifndef VIREO_BROWSER_ABOUTDIALOG_H
#define VIREO_BROWSER_ABOUTDIALOG_H

#include "browser/dialog.h"

class AboutDialog : public Dialog {
public:
    explicit AboutDialog(Widget parent);
    const char *className() override;
    Widget createContents(Widget form) override;
};

#endif
