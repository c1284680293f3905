// VkFileSelectionDialog.cpp - file-selection dialog manager.
#include "framework/VkFileSelectionDialog.h"

#include <Xm/FileSB.h>
#include <Xm/SelectioB.h>
#include <Xm/Xm.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

VkFileSelectionDialog *gFileSelectionDialog =
    new VkFileSelectionDialog("FileSelectionDialogManager");

VkFileSelectionDialog::VkFileSelectionDialog(const char *name)
    : VkDialogManager(name)
{
    _showOK = 1;
    _showCancel = 1;
    _showApply = 1;     // the box's Filter button
}

VkFileSelectionDialog::~VkFileSelectionDialog()
{
    free(_directory);
    free(_filterPattern);
    free(_selection);
    free(_fileName);
}

const char *VkFileSelectionDialog::className()
{
    return "VkFileSelectionDialog";
}

// The box's own width (20 columns) cuts folder names in its lists and paths in its text.
static const short TextColumns = 80;

Widget VkFileSelectionDialog::createDialog(Widget parent)
{
    Arg args[4];
    XmString strings[3];
    int n = 0;
    if (_directory) {
        strings[n] = XmStringCreateSimple(_directory);
        XtSetArg(args[n], XmNdirectory, strings[n]);
        n++;
    }
    if (_filterPattern) {
        strings[n] = XmStringCreateSimple(_filterPattern);
        XtSetArg(args[n], XmNpattern, strings[n]);
        n++;
    }
    if (_selection) {
        strings[n] = XmStringCreateSimple(_selection);
        XtSetArg(args[n], XmNdirSpec, strings[n]);
        n++;
    }
    XtSetArg(args[n], XmNtextColumns, TextColumns);
    Widget dialog = XmCreateFileSelectionDialog(parent, _name, args, n + 1);
    // The box's first search replaces the selection with the directory; set it again.
    if (_selection)
        XtVaSetValues(dialog, XmNdirSpec, strings[n - 1], nullptr);
    for (int i = 0; i < n; i++)
        XmStringFree(strings[i]);
    // The default button is a widget resource: it names the OK button itself.
    XtVaSetValues(dialog, XmNdefaultButton, XmSelectionBoxGetChild(dialog, XmDIALOG_OK_BUTTON),
                  nullptr);
    // First on the OK list, so the name is stored before the answer is recorded.
    XtAddCallback(dialog, XmNokCallback, &VkFileSelectionDialog::fileChosenCallback, this);
    return dialog;
}

void VkFileSelectionDialog::fileChosenCallback(Widget, XtPointer clientData,
                                               XtPointer callData)
{ static_cast<VkFileSelectionDialog *>(clientData)->fileChosen(callData); }

void VkFileSelectionDialog::fileChosen(XtPointer callData)
{
    auto *data = static_cast<XmFileSelectionBoxCallbackStruct *>(callData);
    char *text = nullptr;
    if (!data || !data->value
        || !XmStringGetLtoR(data->value, (char *)XmFONTLIST_DEFAULT_TAG, &text) || !text) {
        fputs("This program is probably going to dump core now... \n", stderr);
        return;
    }
    char *copy = strdup(text);
    XtFree(text);
    free(_fileName);
    _fileName = copy;
}

Widget VkFileSelectionDialog::postedDialog() const
{
    Widget dialog = lastPostedDialog();
    return dialog && XtIsManaged(dialog) ? dialog : nullptr;
}

static void store(char **field, const char *text)
{
    char *copy = text ? strdup(text) : nullptr;
    free(*field);
    *field = copy;
}

void VkFileSelectionDialog::setDirectory(const char *directory)
{
    if (Widget dialog = postedDialog(); dialog && directory) {
        XmString string = XmStringCreateSimple((char *)directory);
        XtVaSetValues(dialog, XmNdirectory, string, nullptr);
        XmStringFree(string);
    }
    store(&_directory, directory);
}

void VkFileSelectionDialog::setFilterPattern(const char *pattern)
{
    if (Widget dialog = postedDialog(); dialog && pattern) {
        XmString string = XmStringCreateSimple((char *)pattern);
        XtVaSetValues(dialog, XmNpattern, string, nullptr);
        XmFileSelectionDoSearch(dialog, string);
        XmStringFree(string);
    }
    store(&_filterPattern, pattern);
}

void VkFileSelectionDialog::setSelection(const char *selection)
{
    if (Widget dialog = postedDialog(); dialog && selection) {
        XmString string = XmStringCreateSimple((char *)selection);
        XtVaSetValues(dialog, XmNdirSpec, string, nullptr);
        XmStringFree(string);
    }
    store(&_selection, selection);
}
