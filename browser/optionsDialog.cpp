// optionsDialog.cpp - OptionsDialog: the five tabs, loading them from the main window's
// Options and sources, and writing them back on Apply and OK.
#include "browser/optionsDialog.h"

#include "browser/field.h"
#include "browser/mainwin.h"
#include "browser/sourceDialog.h"
#include "widgets/Folder.h"

#include <Xm/Frame.h>
#include <Xm/Label.h>
#include <Xm/List.h>
#include <Xm/PushB.h>
#include <Xm/RowColumn.h>
#include <Xm/TextF.h>
#include <Xm/ToggleB.h>
#include <Xm/Xm.h>

#include <cassert>
#include <cstring>

// Columns of the number fields; a map pattern holds what the filter's field holds.
static const int sNumberColumns = 4;
static const int sMapLength = sizeof(ServerFilter::includeMap) - 1;

static const char *const sTabLabels[] = {
    "Vireo", "Server Source", "Filtering", "Query/Ping", "Quake",
};

OptionsDialog::OptionsDialog(Widget parent, MainWin *win)
    : Dialog(parent, "OptionsDialog"), _win(win)
{
    assert(win);
    _buttons = Button_Apply | Button_OK | Button_Cancel;
}

// The source dialog's shell and the fields' forms hang under this dialog's form.
OptionsDialog::~OptionsDialog()
{
    delete _sourceDialog;
    _sourceDialog = nullptr;
    for (Field *f : {_minPing, _minTimeout, _mapInclude, _mapExclude, _minPlayers,
                     _maxPlayers, _pingsAtOnce, _maxQueryWait})
        delete f;
}

const char *OptionsDialog::className()
{
    return "OptionsDialog";
}

// The parent took every widget, the fields' and the source dialog's too; the next show
// builds them all anew.
void OptionsDialog::widgetDestroyed()
{
    Dialog::widgetDestroyed();
    forgetWidgets();
}

void OptionsDialog::forgetWidgets()
{
    delete _sourceDialog;
    _sourceDialog = nullptr;
    Field **fields[] = {&_minPing, &_minTimeout, &_mapInclude, &_mapExclude, &_minPlayers,
                        &_maxPlayers, &_pingsAtOnce, &_maxQueryWait};
    for (Field **f : fields) {
        delete *f;
        *f = nullptr;
    }
    _folder = nullptr;
    for (Widget &tab : _tabs)
        tab = nullptr;
    _queryOnLoad = _autoUpdate = _promptToSave = _queryInfo = _fullServers = nullptr;
    _queryRules = _queryPlayers = _sourceList = _add = _remove = nullptr;
    _pathField = _cmdField = _optionsField = _autoConnect = nullptr;
}

Field *OptionsDialog::field(const char *name) const
{
    for (Field *f : {_minPing, _minTimeout, _mapInclude, _mapExclude, _minPlayers,
                     _maxPlayers, _pingsAtOnce, _maxQueryWait}) {
        if (f && strcmp(f->name(), name) == 0)
            return f;
    }
    return nullptr;
}

// ---- Building

Widget OptionsDialog::createContents(Widget form)
{
    _folder = XtVaCreateWidget("optionsFolder", xmlFolderWidgetClass, form, nullptr);
    for (int i = 0; i < 5; i++) {
        XmString label = XmStringCreateLocalized((char *)sTabLabels[i]);
        _tabs[i] = XmLFolderAddTabForm(_folder, label);
        XmStringFree(label);
        assert(_tabs[i]);
    }
    createVireoTab(_tabs[0]);
    createSourceTab(_tabs[1]);
    createFilterTab(_tabs[2]);
    createQueryTab(_tabs[3]);
    createQuakeTab(_tabs[4]);
    return _folder;
}

Widget OptionsDialog::createToggle(Widget parent, const char *name)
{
    return XtVaCreateManagedWidget(name, xmToggleButtonWidgetClass, parent, nullptr);
}

Widget OptionsDialog::createVireoTab(Widget tab)
{
    Widget rc = createColumn(tab);
    _queryOnLoad = createToggle(rc, "queryOnLoad");
    _autoUpdate = createToggle(rc, "autoUpdate");
    _promptToSave = createToggle(rc, "promptToSave");
    return rc;
}

Widget OptionsDialog::createSourceTab(Widget tab)
{
    Widget rc = XtVaCreateManagedWidget("rc", xmRowColumnWidgetClass, tab,
                                        XmNorientation, XmHORIZONTAL,
                                        XmNentryAlignment, XmALIGNMENT_CENTER,
                                        XmNpacking, XmPACK_COLUMN,
                                        XmNleftAttachment, XmATTACH_FORM,
                                        XmNrightAttachment, XmATTACH_FORM,
                                        XmNbottomAttachment, XmATTACH_FORM, nullptr);
    _add = XtVaCreateManagedWidget("add", xmPushButtonWidgetClass, rc, nullptr);
    XtAddCallback(_add, XmNactivateCallback, &OptionsDialog::sAddCB, this);
    _remove = XtVaCreateManagedWidget("remove", xmPushButtonWidgetClass, rc,
                                      XmNsensitive, False, nullptr);
    XtAddCallback(_remove, XmNactivateCallback, &OptionsDialog::sRemoveCB, this);

    // One selection at a time: "remove" takes out exactly one source. The list keeps the
    // width the tab gives it and scrolls a long URL instead of widening the dialog.
    Arg args[2];
    XtSetArg(args[0], XmNselectionPolicy, XmBROWSE_SELECT);
    XtSetArg(args[1], XmNlistSizePolicy, XmCONSTANT);
    _sourceList = XmCreateScrolledList(tab, (char *)"sourceList", args, 2);
    XtVaSetValues(XtParent(_sourceList), XmNtopAttachment, XmATTACH_FORM,
                  XmNleftAttachment, XmATTACH_FORM, XmNrightAttachment, XmATTACH_FORM,
                  XmNbottomAttachment, XmATTACH_WIDGET, XmNbottomWidget, rc, nullptr);
    XtAddCallback(_sourceList, XmNbrowseSelectionCallback, &OptionsDialog::sSelectCB, this);
    XtManageChild(_sourceList);
    return rc;
}

// A vertical column filling a whole tab.
Widget OptionsDialog::createColumn(Widget tab)
{
    return XtVaCreateManagedWidget("rc", xmRowColumnWidgetClass, tab,
                                   XmNorientation, XmVERTICAL,
                                   XmNtopAttachment, XmATTACH_FORM,
                                   XmNbottomAttachment, XmATTACH_FORM,
                                   XmNleftAttachment, XmATTACH_FORM,
                                   XmNrightAttachment, XmATTACH_FORM, nullptr);
}

Widget OptionsDialog::createFrame(Widget parent, const char *title)
{
    Widget frame = XtVaCreateManagedWidget("frame", xmFrameWidgetClass, parent,
                                           XmNshadowType, XmSHADOW_ETCHED_IN, nullptr);
    XtVaCreateManagedWidget(title, xmLabelWidgetClass, frame,
                            XmNchildType, XmFRAME_TITLE_CHILD, nullptr);
    return XtVaCreateManagedWidget("rc", xmRowColumnWidgetClass, frame,
                                   XmNorientation, XmVERTICAL, nullptr);
}

Field *OptionsDialog::createField(Widget parent, const char *name, int kind, bool hasToggle)
{
    // A map pattern is shown whole: the player cannot tell which maps it names otherwise.
    int columns = kind == Field::Kind_Text ? sMapLength : sNumberColumns;
    Field *f = new Field(parent, name, kind, hasToggle, columns);
    f->show();
    return f;
}

Field *OptionsDialog::createNumber(Widget parent, const char *name, bool hasToggle, int min,
                                   int max)
{
    Field *f = createField(parent, name, Field::Kind_Number, hasToggle);
    f->setRange(min, max);
    return f;
}

Widget OptionsDialog::createFilterTab(Widget tab)
{
    Widget rc = createColumn(tab);
    Widget include = createFrame(rc, "include");
    _queryInfo = createToggle(include, "queryInfo");
    _minPing = createNumber(include, "minPing", true, 0, 2000);
    _minTimeout = createNumber(include, "minTimeout", true, 0, 500);
    _mapInclude = createField(include, "mapInclude", Field::Kind_Text, true);
    _mapInclude->setMaxLength(sMapLength);

    Widget exclude = createFrame(rc, "exclude");
    _fullServers = createToggle(exclude, "fullServers");
    _maxPlayers = createNumber(exclude, "maxPlayers", true, 0, 16);
    _minPlayers = createNumber(exclude, "minPlayers", true, 0, 16);
    _mapExclude = createField(exclude, "mapExclude", Field::Kind_Text, true);
    _mapExclude->setMaxLength(sMapLength);
    return rc;
}

Widget OptionsDialog::createQueryTab(Widget tab)
{
    Widget rc = XtVaCreateManagedWidget("rc", xmRowColumnWidgetClass, tab,
                                        XmNorientation, XmVERTICAL, nullptr);
    _pingsAtOnce = createNumber(rc, "pingsAtOnce", false, 1, 16);
    _maxQueryWait = createNumber(rc, "maxQueryWait", false, 0, 1000);
    _queryRules = createToggle(rc, "queryRules");
    _queryPlayers = createToggle(rc, "queryPlayers");
    return rc;
}

Widget OptionsDialog::createText(Widget parent, const char *label, const char *name)
{
    XtVaCreateManagedWidget(label, xmLabelWidgetClass, parent, nullptr);
    return XtVaCreateManagedWidget(name, xmTextFieldWidgetClass, parent, nullptr);
}

Widget OptionsDialog::createQuakeTab(Widget tab)
{
    Widget rc = XtVaCreateManagedWidget("quakeTab", xmRowColumnWidgetClass, tab,
                                        XmNorientation, XmVERTICAL, nullptr);
    _pathField = createText(rc, "pathLabel", "pathField");
    _cmdField = createText(rc, "cmdLabel", "cmdField");
    _optionsField = createText(rc, "optionsLabel", "optionsField");
    _autoConnect = createToggle(rc, "autoConnect");
    return rc;
}

// ---- Loading

void OptionsDialog::setToggle(Widget toggle, bool state)
{
    XmToggleButtonSetState(toggle, state ? True : False, False);
}

bool OptionsDialog::toggleState(Widget toggle)
{
    return XmToggleButtonGetState(toggle) != False;
}

std::string OptionsDialog::textOf(Widget text)
{
    char *value = XmTextFieldGetString(text);
    std::string result = value;
    XtFree(value);
    return result;
}

// Unapplied edits of the last show are dropped: the window's values are loaded anew.
void OptionsDialog::show()
{
    Dialog::show();
    _options = _win->options();
    setToggle(_queryOnLoad, _options.queryOnLoad);
    setToggle(_autoUpdate, _options.autoUpdate);
    setToggle(_promptToSave, _options.promptToSave);
    _sources = _win->sources();
    fillSourceList();
    showFilter();
    _pingsAtOnce->setInt(_options.queriesAtOnce);
    _maxQueryWait->setInt(_options.queryTimeout);
    setToggle(_queryRules, _options.queryRules);
    setToggle(_queryPlayers, _options.queryPlayers);
    XmTextFieldSetString(_pathField, (char *)_options.quakePath.c_str());
    XmTextFieldSetString(_cmdField, (char *)_options.quakeCmd.c_str());
    XmTextFieldSetString(_optionsField, (char *)_options.quakeOptions.c_str());
    setToggle(_autoConnect, _options.autoConnect);
}

void OptionsDialog::showFilter()
{
    const ServerFilter &f = _options.filter;
    setToggle(_queryInfo, f.requireQueryInfo);
    _minPing->setState(f.pingFilter);
    _minPing->setInt(f.maxPing);
    _minTimeout->setState(f.timeoutFilter);
    _minTimeout->setInt(f.maxTimeouts);
    _mapInclude->setState(f.includeMapFilter);
    _mapInclude->setString(f.includeMap);
    setToggle(_fullServers, f.excludeFullServers);
    _maxPlayers->setState(f.maxPlayerFilter);
    _maxPlayers->setInt(f.maxPlayers);
    _minPlayers->setState(f.minPlayerFilter);
    _minPlayers->setInt(f.minPlayers);
    _mapExclude->setState(f.excludeMapFilter);
    _mapExclude->setString(f.excludeMap);
}

void OptionsDialog::fillSourceList()
{
    XmListDeleteAllItems(_sourceList);
    for (const std::string &source : _sources) {
        XmString item = XmStringCreateLocalized((char *)source.c_str());
        XmListAddItemUnselected(_sourceList, item, 0);
        XmStringFree(item);
    }
    updateRemoveButton();
}

void OptionsDialog::updateRemoveButton()
{
    int *positions = nullptr;
    int count = 0;
    bool selected = XmListGetSelectedPos(_sourceList, &positions, &count) && count > 0;
    XtFree((char *)positions);
    XtSetSensitive(_remove, !_sources.empty() && selected);
}

// ---- Writing back

void OptionsDialog::apply()
{
    _options.queryOnLoad = toggleState(_queryOnLoad);
    _options.autoUpdate = toggleState(_autoUpdate);
    _options.promptToSave = toggleState(_promptToSave);
    _win->setSources(_sources);
    readFilter();
    // A number typed just before Apply has not been checked by leaving its field.
    _pingsAtOnce->bound();
    _maxQueryWait->bound();
    _options.queriesAtOnce = Options::boundQueriesAtOnce(_pingsAtOnce->getInt());
    _options.queryTimeout = _maxQueryWait->getInt();
    _options.queryRules = toggleState(_queryRules);
    _options.queryPlayers = toggleState(_queryPlayers);
    _options.quakePath = textOf(_pathField);
    _options.quakeCmd = textOf(_cmdField);
    _options.quakeOptions = textOf(_optionsField);
    _options.autoConnect = toggleState(_autoConnect);
    _win->options() = _options;
    _win->updateView();
}

void OptionsDialog::readFilter()
{
    ServerFilter &f = _options.filter;
    for (Field *number : {_minPing, _minTimeout, _maxPlayers, _minPlayers})
        number->bound();
    f.requireQueryInfo = toggleState(_queryInfo);
    f.pingFilter = _minPing->getState();
    f.maxPing = _minPing->getInt();
    f.timeoutFilter = _minTimeout->getState();
    f.maxTimeouts = _minTimeout->getInt();
    f.includeMapFilter = _mapInclude->getState();
    copyMapPattern(f.includeMap, sizeof f.includeMap, _mapInclude->getString().c_str());
    f.excludeFullServers = toggleState(_fullServers);
    f.maxPlayerFilter = _maxPlayers->getState();
    f.maxPlayers = _maxPlayers->getInt();
    f.minPlayerFilter = _minPlayers->getState();
    f.minPlayers = _minPlayers->getInt();
    f.excludeMapFilter = _mapExclude->getState();
    copyMapPattern(f.excludeMap, sizeof f.excludeMap, _mapExclude->getString().c_str());
}

// ---- Sources

void OptionsDialog::removeSource()
{
    int *positions = nullptr;
    int count = 0;
    if (!XmListGetSelectedPos(_sourceList, &positions, &count) || count == 0)
        return;
    int position = positions[0];
    XtFree((char *)positions);
    assert(count == 1);
    assert(position >= 1 && position <= (int)_sources.size());
    _sources.erase(_sources.begin() + (position - 1));
    fillSourceList();
}

void OptionsDialog::addSourceCB()
{
    if (!_sourceDialog)
        _sourceDialog = new SourceDialog(baseWidget(), this);
    _sourceDialog->show();
}

void OptionsDialog::appendSource(const std::string &source)
{
    _sources.push_back(source);
    XmString item = XmStringCreateLocalized((char *)source.c_str());
    XmListAddItemUnselected(_sourceList, item, 0);
    XmStringFree(item);
    updateRemoveButton();
}

void OptionsDialog::sAddCB(Widget, XtPointer clientData, XtPointer)
{ static_cast<OptionsDialog *>(clientData)->addSourceCB(); }

void OptionsDialog::sRemoveCB(Widget, XtPointer clientData, XtPointer)
{ static_cast<OptionsDialog *>(clientData)->removeSource(); }

void OptionsDialog::sSelectCB(Widget, XtPointer clientData, XtPointer)
{ static_cast<OptionsDialog *>(clientData)->updateRemoveButton(); }
