// VkDialogManager.h - posts the standard Motif dialogs for a caller, reusing the
// dialogs it made: modeless, modal, and modal waiting for the answer.
#ifndef VIREO_FRAMEWORK_VKDIALOGMANAGER_H
#define VIREO_FRAMEWORK_VKDIALOGMANAGER_H

#include "framework/VkComponent.h"

#include <X11/Intrinsic.h>

#include <vector>

class VkDialogManager : public VkComponent {
public:
    enum { AnswerOK = 0, AnswerCancel = 2 };

    explicit VkDialogManager(const char *name);
    ~VkDialogManager() override;
    const char *className() override;

    // Chooses (or makes) the dialog for a post and configures it without showing it.
    // Texts are resource names first, shown literally when no such resource exists;
    // they are never used as printf formats.
    virtual Widget prepareDialog(const char *message, XtCallbackProc okCB,
                                 XtCallbackProc cancelCB, XtCallbackProc applyCB,
                                 XtPointer clientData, const char *helpText,
                                 VkComponent *parent);
    virtual Widget createDialog(Widget parent) = 0;
    virtual void ok(Widget dialog, XtPointer callData);
    virtual void cancel(Widget dialog, XtPointer callData);
    virtual void apply(Widget dialog, XtPointer callData);
    virtual Widget post(const char *message, XtCallbackProc okCB, XtCallbackProc cancelCB,
                        XtCallbackProc applyCB, XtPointer clientData, const char *helpText,
                        VkComponent *parent);
    virtual Widget postModal(const char *message, XtCallbackProc okCB, XtCallbackProc cancelCB,
                             XtCallbackProc applyCB, XtPointer clientData,
                             const char *helpText, VkComponent *parent);
    // Modal; returns once the dialog is answered, closed or taken down.
    virtual Widget postAndWait(const char *message, XtCallbackProc okCB,
                               XtCallbackProc cancelCB, XtCallbackProc applyCB,
                               XtPointer clientData, const char *helpText,
                               VkComponent *parent);
    virtual Widget postAndWait(const char *message, VkComponent *parent = nullptr);
    // Modal; returns AnswerOK or AnswerCancel. A window-manager close is Cancel.
    // The three numbers and the last word are accepted and not used.
    virtual int postBlocking(const char *message, int, int, int, const char *helpText,
                             VkComponent *parent, XtPointer);

    // Short forms. Those ending in "..." accept further arguments, use none and
    // post without a parent.
    Widget post(const char *message, VkComponent *parent);
    Widget post(const char *message, const char *helpText, VkComponent *parent);
    Widget post(const char *message, XtCallbackProc okCB, XtPointer clientData,
                VkComponent *parent);
    Widget post(const char *message, XtCallbackProc okCB, XtPointer clientData,
                const char *helpText, VkComponent *parent);
    Widget post(const char *message, XtCallbackProc okCB, XtCallbackProc cancelCB,
                XtPointer clientData, const char *helpText, VkComponent *parent);
    Widget post(const char *message, const char *helpText, ...);
    Widget post(const char *message, XtCallbackProc okCB, XtPointer clientData, ...);
    Widget post(const char *message, XtCallbackProc okCB, XtPointer clientData,
                const char *helpText, ...);
    Widget post(const char *message, XtCallbackProc okCB, XtCallbackProc cancelCB,
                XtPointer clientData, ...);
    Widget post(const char *message, XtCallbackProc okCB, XtCallbackProc cancelCB,
                XtPointer clientData, const char *helpText, ...);

    Widget postModal(const char *message, const char *helpText, VkComponent *parent);
    Widget postModal(const char *message, XtCallbackProc okCB, XtPointer clientData,
                     VkComponent *parent);
    Widget postModal(const char *message, XtCallbackProc okCB, XtPointer clientData,
                     const char *helpText, VkComponent *parent);
    Widget postModal(const char *message, XtCallbackProc okCB, XtCallbackProc cancelCB,
                     XtPointer clientData, VkComponent *parent);
    Widget postModal(const char *message, XtCallbackProc okCB, XtCallbackProc cancelCB,
                     XtPointer clientData, const char *helpText, VkComponent *parent);
    Widget postModal(const char *message, XtCallbackProc okCB, XtPointer clientData, ...);
    Widget postModal(const char *message, XtCallbackProc okCB, XtPointer clientData,
                     const char *helpText, ...);
    Widget postModal(const char *message, XtCallbackProc okCB, XtCallbackProc cancelCB,
                     XtPointer clientData, ...);
    Widget postModal(const char *message, XtCallbackProc okCB, XtCallbackProc cancelCB,
                     XtPointer clientData, const char *helpText, ...);

    int postBlocking(const char *message, VkComponent *parent = nullptr);
    Widget prepareDialog(const char *message, const char *helpText, VkComponent *parent);

    // Stays in force for every later post of this manager.
    void setTitle(const char *title);
    // For the next post only; a null text leaves that label alone.
    void setButtonLabels(const char *okLabel, const char *cancelLabel = nullptr,
                         const char *applyLabel = nullptr);
    void setCentred(Boolean centred) { _centred = centred; }

    void unpost(Widget dialog);
    void unpostAll();
    Widget lastPostedDialog() const;
    // A button or part by Motif's child code; null where the dialog has none.
    static Widget dialogChild(Widget dialog, int child);

    int numDialogs() const { return (int)_dialogs.size(); }
    int answer() const { return _answer; }

protected:
    unsigned char _showOK = 0;
    unsigned char _showCancel = 0;
    unsigned char _showApply = 0;
    unsigned char _showHelp = 0;

private:
    enum Style { Modeless, Modal };
    struct Record;
    struct Wait;

    static void sOkCB(Widget, XtPointer clientData, XtPointer callData);
    static void sCancelCB(Widget, XtPointer clientData, XtPointer callData);
    static void sApplyCB(Widget, XtPointer clientData, XtPointer callData);
    static void sWmCloseCB(Widget, XtPointer clientData, XtPointer callData);
    static void sDialogDestroyedCB(Widget, XtPointer clientData, XtPointer);
    void answered(Widget dialog, int answer);
    void wmClose(Widget shell);
    void dialogDestroyed(Widget dialog);

    Record *findRecord(Widget dialog);
    Record *chooseDialog(VkComponent *parent);
    void configureButton(Record *record, int child, const char *resource,
                         XtCallbackProc given, XtCallbackProc *previous,
                         XtCallbackProc handler, bool shown, char **label,
                         const char *labelResource, XtPointer clientData);
    void setTexts(Widget dialog, const char *message);
    void showDialog(Widget dialog, Style style);
    Widget postShown(Style style, const char *message, XtCallbackProc okCB,
                     XtCallbackProc cancelCB, XtCallbackProc applyCB, XtPointer clientData,
                     const char *helpText, VkComponent *parent);
    void centre(Widget shell);
    int wait(Widget dialog);

    unsigned char          _answered = 0;
    std::vector<Record *>  _dialogs;        // in order of creation
    unsigned char          _centred = 0;
    char                  *_okLabel = nullptr;
    char                  *_cancelLabel = nullptr;
    char                  *_applyLabel = nullptr;
    char                  *_title = nullptr;
    int                    _answer = AnswerOK;
    Wait                  *_waits = nullptr;    // innermost waiting post first
};

#endif
