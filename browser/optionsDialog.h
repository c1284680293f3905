// optionsDialog.h - OptionsDialog: the main window's Options and server-list sources,
// edited as copies on five folder tabs.
#ifndef VIREO_BROWSER_OPTIONSDIALOG_H
#define VIREO_BROWSER_OPTIONSDIALOG_H

#include "browser/dialog.h"
#include "browser/options.h"

#include <string>
#include <vector>

class Field;
class MainWin;
class SourceDialog;

class OptionsDialog : public Dialog {
public:
    OptionsDialog(Widget parent, MainWin *win);
    ~OptionsDialog() override;
    const char *className() override;
    void show() override;
    void widgetDestroyed() override;
    void apply() override;
    Widget createContents(Widget form) override;

    void removeSource();
    void addSourceCB();
    // The source dialog's way in: appended to the working list and shown at its end.
    void appendSource(const std::string &source);

    // What the dialog holds now, for the source dialog and the tests.
    const std::vector<std::string> &workingSources() const { return _sources; }
    Field *field(const char *name) const;
    SourceDialog *sourceDialog() const { return _sourceDialog; }

private:
    static void sAddCB(Widget, XtPointer clientData, XtPointer);
    static void sRemoveCB(Widget, XtPointer clientData, XtPointer);
    static void sSelectCB(Widget, XtPointer clientData, XtPointer);

    Widget createVireoTab(Widget tab);
    Widget createSourceTab(Widget tab);
    Widget createFilterTab(Widget tab);
    Widget createColumn(Widget tab);
    Widget createFrame(Widget parent, const char *title);
    Widget createQueryTab(Widget tab);
    Widget createQuakeTab(Widget tab);
    Widget createToggle(Widget parent, const char *name);
    Widget createText(Widget parent, const char *label, const char *name);
    Field *createField(Widget parent, const char *name, int kind, bool hasToggle);
    Field *createNumber(Widget parent, const char *name, bool hasToggle, int min, int max);

    void fillSourceList();
    void updateRemoveButton();
    void showFilter();
    void readFilter();
    static void setToggle(Widget toggle, bool state);
    static bool toggleState(Widget toggle);
    static std::string textOf(Widget text);
    void forgetWidgets();

    MainWin      *_win;
    Options       _options;
    Widget        _folder = nullptr;
    Widget        _tabs[5] = {};
    Widget        _queryOnLoad = nullptr;
    Widget        _autoUpdate = nullptr;
    Widget        _promptToSave = nullptr;
    Widget        _queryInfo = nullptr;
    Widget        _fullServers = nullptr;
    Field        *_minPing = nullptr;
    Field        *_minTimeout = nullptr;
    Field        *_mapInclude = nullptr;
    Field        *_mapExclude = nullptr;
    Field        *_minPlayers = nullptr;
    Field        *_maxPlayers = nullptr;
    Field        *_pingsAtOnce = nullptr;
    Field        *_maxQueryWait = nullptr;
    Widget        _queryRules = nullptr;
    Widget        _queryPlayers = nullptr;
    Widget        _sourceList = nullptr;
    Widget        _add = nullptr;
    Widget        _remove = nullptr;
    std::vector<std::string> _sources;
    Widget        _pathField = nullptr;
    Widget        _cmdField = nullptr;
    Widget        _optionsField = nullptr;
    Widget        _autoConnect = nullptr;
    SourceDialog *_sourceDialog = nullptr;
};

#endif
