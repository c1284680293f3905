// dialog.h - Dialog, the base of the program's own dialogs: a form dialog whose work area
// a subclass builds, with Apply, OK and Cancel buttons as the subclass chooses.
#ifndef VIREO_BROWSER_DIALOG_H
#define VIREO_BROWSER_DIALOG_H

#include "framework/VkComponent.h"

#include <X11/Intrinsic.h>

class Dialog : public VkComponent {
public:
    enum { Style_Modeless = 0x01, Style_Resizable = 0x02 };
    enum { Button_Apply = 0x01, Button_OK = 0x02, Button_Cancel = 0x04 };

    Dialog(Widget parent, const char *name);
    ~Dialog() override;
    const char *className() override = 0;
    void show() override;
    // The parent took the dialog's widgets with it; a later show builds them anew.
    void widgetDestroyed() override;
    virtual void apply();
    virtual void ok();
    virtual void cancel();
    // Builds the work area inside the form and returns its top widget.
    virtual Widget createContents(Widget form) = 0;
    virtual Widget createDialog(Widget parent);

    Widget form() const { return _form; }
    Widget workWidget() const { return _workWidget; }
    // The push button of a Button_ flag; null when the dialog has none.
    Widget button(int which) const;

    static void sApplyCB(Widget, XtPointer clientData, XtPointer);
    static void sOkCB(Widget, XtPointer clientData, XtPointer);
    static void sCancelCB(Widget, XtPointer clientData, XtPointer);

protected:
    // Makes the dialog's widgets on first use, without showing them.
    void build();
    Widget createActionArea(Widget form);

    unsigned char _style = 0;
    unsigned char _buttons = 0;

private:
    static void sFirstPopupCB(Widget shell, XtPointer clientData, XtPointer);

    Widget _parent;
    Widget _form = nullptr;
    Widget _workWidget = nullptr;
    Widget _apply = nullptr;
    Widget _ok = nullptr;
    Widget _cancel = nullptr;
};

#endif
