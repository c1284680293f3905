// redialDialog.h - RedialDialog: tells the user that a watched full server has a free
// slot and offers to join it.
#ifndef VIREO_BROWSER_REDIALDIALOG_H
#define VIREO_BROWSER_REDIALDIALOG_H

#include "browser/dialog.h"

class MainWin;
class Server;

class RedialDialog : public Dialog {
public:
    explicit RedialDialog(MainWin *win);
    const char *className() override;
    void show() override;
    void ok() override;
    Widget createContents(Widget form) override;

    // The server the next show reports; it stays in the window's list while shown.
    void setServer(Server *s) { _server = s; }
    Widget label() const { return _label; }

private:
    MainWin *_win;
    Server  *_server = nullptr;
    Widget   _label = nullptr;
};

#endif
