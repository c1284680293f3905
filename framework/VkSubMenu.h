// VkSubMenu.h - a cascade button with its pulldown menu, the usual menu-bar pane.
#ifndef VIREO_FRAMEWORK_VKSUBMENU_H
#define VIREO_FRAMEWORK_VKSUBMENU_H

#include "framework/VkMenu.h"

class VkSubMenu : public VkMenu {
public:
    explicit VkSubMenu(const char *name);
    ~VkSubMenu() override;
    const char *className() override;
    MenuItemKind menuType() override;
    void build(Widget parent) override;

    Widget pulldown() const { return _pulldown; }
    void setTearOff(Boolean tearOff);

protected:
    Widget itemParent() override;
    // Pulldown, cascade and items; radio pulldowns make their toggles one group.
    void buildSubMenu(Widget parent, Boolean radio);

private:
    static void sPulldownDestroyedCB(Widget, XtPointer clientData, XtPointer);

    Widget        _pulldown = nullptr;
    unsigned char _tearOff = 0;
};

#endif
