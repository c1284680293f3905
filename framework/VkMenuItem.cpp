// VkMenuItem.cpp - menu leaves: actions, confirm-first actions, toggles, labels, separators.
#include "framework/VkMenuItem.h"

#include "framework/VkApp.h"
#include "framework/VkMenu.h"
#include "framework/VkQuestionDialog.h"
#include "framework/VkResource.h"
#include "framework/VkSimpleWindow.h"

#include <Xm/LabelG.h>
#include <Xm/PushBG.h>
#include <Xm/SeparatoG.h>
#include <Xm/ToggleBG.h>

#include <cstdlib>
#include <cstring>

// ---- VkMenuItem

VkMenuItem::VkMenuItem(const char *name) : VkComponent(name) {}

VkMenuItem::~VkMenuItem()
{
    // Deleting an item its menu still holds must not leave the menu a dangling pointer.
    if (_parentMenu)
        _parentMenu->forget(this);
    free(_label);
}

const char *VkMenuItem::className() { return "VkMenuItem"; }

// A menu's widget tree may already have taken the item's widget with it.
void VkMenuItem::show()
{
    if (_baseWidget)
        XtManageChild(_baseWidget);
}

void VkMenuItem::hide()
{
    if (_baseWidget)
        XtUnmanageChild(_baseWidget);
}

// Once its widget is gone the item counts as unbuilt, so a later build makes a new one.
void VkMenuItem::widgetDestroyed()
{
    VkComponent::widgetDestroyed();
    _isBuilt = 0;
}

void VkMenuItem::setLabel(const char *text)
{
    char *copy = text ? strdup(text) : nullptr;
    free(_label);
    _label = copy;
    if (_isBuilt)
        applyLabel();
}

Boolean VkMenuItem::isContainer() { return False; }

void VkMenuItem::build(Widget) {}

void VkMenuItem::activate()
{
    _sensitive = 1;
    applySensitivity();
}

void VkMenuItem::deactivate()
{
    _sensitive = 0;
    applySensitivity();
}

Widget VkMenuItem::labelWidget() { return _baseWidget; }

void VkMenuItem::finishBuild()
{
    addDestroyHandler();
    if (_label)
        applyLabel();
    _isBuilt = 1;
}

void VkMenuItem::applySensitivity()
{
    if (_baseWidget)
        XtSetSensitive(_baseWidget, _sensitive ? True : False);
}

void VkMenuItem::applyLabel()
{
    Widget w = labelWidget();
    if (!w || !_label)
        return;
    XmString text = XmStringCreateSimple(_label);
    XtVaSetValues(w, XmNlabelString, text, nullptr);
    XmStringFree(text);
}

// ---- VkMenuAction

VkMenuAction::VkMenuAction(const char *name) : VkMenuItem(name) {}

const char *VkMenuAction::className() { return "VkMenuAction"; }

MenuItemKind VkMenuAction::menuType() { return Action; }

void VkMenuAction::build(Widget parent)
{
    if (_isBuilt)
        return;
    _baseWidget = XmCreatePushButtonGadget(parent, (char *)name(), nullptr, 0);
    if (_func)
        XtAddCallback(_baseWidget, XmNactivateCallback, _func, _data);
    XtManageChild(_baseWidget);
    if (!_sensitive)
        applySensitivity();
    finishBuild();
}

// ---- VkMenuConfirmFirstAction

static const char sBuiltInQuestion[] =
    "This action cannot be undone.  Do you want to proceed anyway?";

VkMenuConfirmFirstAction::VkMenuConfirmFirstAction(const char *name) : VkMenuAction(name) {}

const char *VkMenuConfirmFirstAction::className() { return "VkMenuConfirmFirstAction"; }

MenuItemKind VkMenuConfirmFirstAction::menuType() { return ConfirmFirstAction; }

void VkMenuConfirmFirstAction::build(Widget parent)
{
    if (_isBuilt)
        return;
    _baseWidget = XmCreatePushButtonGadget(parent, (char *)name(), nullptr, 0);
    if (_func)
        XtAddCallback(_baseWidget, XmNactivateCallback, sConfirmCB, this);
    XtManageChild(_baseWidget);
    if (!_sensitive)
        applySensitivity();
    finishBuild();
}

void VkMenuConfirmFirstAction::sConfirmCB(Widget, XtPointer clientData, XtPointer)
{ static_cast<VkMenuConfirmFirstAction *>(clientData)->confirmCallback(); }

const char *VkMenuConfirmFirstAction::questionText()
{
    // The dialog manager looks a message up as a resource name again, so handing it
    // the item's resource path shows the resource's text. The path serves as the class
    // too, as the dialog manager asks with both the same: what is found here is then
    // certain to be found there.
    std::string path = std::string("*") + (name() ? name() : "") + ".noUndoQuestion";
    XtPointer found = lookupResource(_baseWidget, path.c_str(), path.c_str(), XmRString,
                                     nullptr);
    _question = found ? path : sBuiltInQuestion;
    return _question.c_str();
}

void VkMenuConfirmFirstAction::confirmCallback()
{
    const char *question = questionText();
    // The action runs from the dialog's OK button only; Cancel just takes it down.
    gQuestionDialog->post(question, _func, nullptr, nullptr, _data, nullptr,
                          gApplication->mainWindow());
}

// ---- VkMenuToggle

VkMenuToggle::VkMenuToggle(const char *name) : VkMenuAction(name) {}

const char *VkMenuToggle::className() { return "VkMenuToggle"; }

MenuItemKind VkMenuToggle::menuType() { return Toggle; }

void VkMenuToggle::build(Widget parent)
{
    if (_isBuilt)
        return;
    _baseWidget = XmCreateToggleButtonGadget(parent, (char *)name(), nullptr, 0);
    if (_func)
        XtAddCallback(_baseWidget, XmNvalueChangedCallback, _func, _data);
    XtManageChild(_baseWidget);
    XmToggleButtonGadgetSetState(_baseWidget, _state ? True : False, False);
    if (!_sensitive)
        applySensitivity();
    finishBuild();
}

void VkMenuToggle::setState(Boolean state)
{
    _state = state ? 1 : 0;
    if (_isBuilt)
        XmToggleButtonGadgetSetState(_baseWidget, state, False);
}

void VkMenuToggle::setStateAndNotify(Boolean state)
{
    _state = state ? 1 : 0;
    if (_isBuilt)
        XmToggleButtonGadgetSetState(_baseWidget, state, True);
}

// The gadget follows the user's clicks, so once built it is the one to ask.
Boolean VkMenuToggle::getState()
{
    if (!_isBuilt)
        return False;
    return XmToggleButtonGadgetGetState(_baseWidget);
}

// ---- VkMenuLabel

VkMenuLabel::VkMenuLabel(const char *name) : VkMenuItem(name) {}

const char *VkMenuLabel::className() { return "VkMenuLabel"; }

MenuItemKind VkMenuLabel::menuType() { return Label; }

void VkMenuLabel::build(Widget parent)
{
    if (_isBuilt)
        return;
    _baseWidget = XmCreateLabelGadget(parent, (char *)name(), nullptr, 0);
    XtManageChild(_baseWidget);
    if (!_sensitive)
        applySensitivity();
    finishBuild();
}

// ---- VkMenuSeparator

VkMenuSeparator::VkMenuSeparator(const char *name) : VkMenuLabel(name) {}

const char *VkMenuSeparator::className() { return "VkMenuSeparator"; }

MenuItemKind VkMenuSeparator::menuType() { return Separator; }

void VkMenuSeparator::build(Widget parent)
{
    if (_isBuilt)
        return;
    _baseWidget = XmCreateSeparatorGadget(parent, (char *)name(), nullptr, 0);
    XtManageChild(_baseWidget);
    finishBuild();
}
