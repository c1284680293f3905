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
    // Closes only when the fields named a server that could be added.
    void ok() override;
    Widget createContents(Widget form) override;

    Widget hostField() const { return _hostField; }
    Widget portField() const { return _portField; }

    // The port field's port: the game's own when the field is empty, else a number of
    // 1-65535; false (and *port untouched) for anything else.
    static bool portNumber(const char *text, int *port);

private:
    // False when the fields were refused; the user has been told why.
    bool addServer();
    bool refuse(const std::string &why);

    MainWin *_win;
    Widget   _hostField = nullptr;
    Widget   _portField = nullptr;
};

#endif
