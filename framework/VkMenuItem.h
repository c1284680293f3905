// VkMenuItem.h - the leaves of every menu: actions, confirm-first actions, toggles,
// labels and separators, on the base that the menus themselves build on.
#ifndef VIREO_FRAMEWORK_VKMENUITEM_H
#define VIREO_FRAMEWORK_VKMENUITEM_H

#include "framework/VkComponent.h"

#include <Xm/Xm.h>

#include <string>

class VkMenu;

// The kind word of a MenuDescription entry, and what menuType reports.
enum MenuItemKind {
    Action = 0,
    ConfirmFirstAction = 1,
    Toggle = 2,
    Label = 3,
    Separator = 4,
    Submenu = 5,
    RadioSubmenu = 6,
    MenuBar = 7,
    OptionMenu = 8,
    PopupMenu = 9,
    End = 11
};

class VkMenuItem : public VkComponent {
public:
    ~VkMenuItem() override;
    const char *className() override;
    void show() override;
    void hide() override;
    void widgetDestroyed() override;

    // Kept until the item is built when it has no widget yet.
    virtual void setLabel(const char *text);
    virtual MenuItemKind menuType() = 0;
    virtual Boolean isContainer();
    virtual void build(Widget parent);

    void activate();
    void deactivate();
    bool isBuilt() const { return _isBuilt; }
    bool isSensitive() const { return _sensitive; }
    const char *label() const { return _label; }
    VkMenu *parentMenu() const { return _parentMenu; }

protected:
    explicit VkMenuItem(const char *name);
    // The widget whose "labelString" setLabel changes; null where a label means nothing.
    virtual Widget labelWidget();
    // The common end of every build: watch the widget, apply what was set before.
    void finishBuild();
    void applySensitivity();

    unsigned char _isBuilt = 0;
    unsigned char _sensitive = 1;

private:
    friend class VkMenu;
    void applyLabel();

    char   *_label = nullptr;       // owned copy of the last setLabel text
    VkMenu *_parentMenu = nullptr;  // the menu whose item array holds this item
};

class VkMenuAction : public VkMenuItem {
public:
    explicit VkMenuAction(const char *name);
    const char *className() override;
    MenuItemKind menuType() override;
    void build(Widget parent) override;

protected:
    friend class VkMenu;
    XtCallbackProc _func = nullptr;
    XtPointer      _data = nullptr;
};

class VkMenuConfirmFirstAction : public VkMenuAction {
public:
    explicit VkMenuConfirmFirstAction(const char *name);
    const char *className() override;
    MenuItemKind menuType() override;
    void build(Widget parent) override;

    // The text the question dialog is asked to show: a resource name when the
    // database holds the item's noUndoQuestion, else the built-in question.
    const char *questionText();

private:
    static void sConfirmCB(Widget, XtPointer clientData, XtPointer);
    void confirmCallback();

    std::string _question;          // the text handed to the question dialog last
};

class VkMenuToggle : public VkMenuAction {
public:
    explicit VkMenuToggle(const char *name);
    const char *className() override;
    MenuItemKind menuType() override;
    void build(Widget parent) override;

    void setState(Boolean state);
    void setStateAndNotify(Boolean state);
    Boolean getState();

private:
    unsigned char _state = 0;
};

class VkMenuLabel : public VkMenuItem {
public:
    explicit VkMenuLabel(const char *name);
    const char *className() override;
    MenuItemKind menuType() override;
    void build(Widget parent) override;
};

class VkMenuSeparator : public VkMenuLabel {
public:
    explicit VkMenuSeparator(const char *name);
    const char *className() override;
    MenuItemKind menuType() override;
    void build(Widget parent) override;
};

#endif
