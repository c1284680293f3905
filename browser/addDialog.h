// addDialog.h - AddDialog: a server typed in by host and port, added to the main
// window's list.
#ifndef VIREO_BROWSER_ADDDIALOG_H
#define VIREO_BROWSER_ADDDIALOG_H

#include "browser/dialog.h"

#include <string>

class MainWin;

class AddDialog : public Dialog {
public:
    AddDialog(Widget parent, MainWin *win);
    const char *className() override;
    void show() override;
    void apply() override;
    Widget createContents(Widget form) override;

    Widget hostField() const { return _hostField; }
    Widget portField() const { return _portField; }

    // The "host:port" text for the fields' contents, or false when they name no server:
    // an empty host, or a port beyond 65535. An empty or non-positive port is 26000.
    static bool hostText(const char *host, const char *port, std::string *text);

private:
    MainWin *_win;
    Widget   _hostField = nullptr;
    Widget   _portField = nullptr;
};

#endif
