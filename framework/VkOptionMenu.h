// VkOptionMenu.h - an option menu: a button that shows the chosen item of its pulldown.
#ifndef VIREO_FRAMEWORK_VKOPTIONMENU_H
#define VIREO_FRAMEWORK_VKOPTIONMENU_H

#include "framework/VkMenu.h"

class VkOptionMenu : public VkMenu {
public:
    // Both build at once under the parent; a null table gives an empty option menu.
    VkOptionMenu(Widget parent, MenuDescription *table, XtPointer clientData = nullptr);
    VkOptionMenu(Widget parent, const char *name, MenuDescription *table,
                 XtPointer clientData = nullptr);
    ~VkOptionMenu() override;
    const char *className() override;
    MenuItemKind menuType() override;
    void build(Widget parent) override;

    Widget pulldown() const { return _pulldown; }
    // Each does nothing for an item the option menu does not hold or has not built.
    void setMenuHistory(const char *name);
    void setMenuHistory(int index);
    void setMenuHistory(VkMenuItem *item);
    int getIndex();             // -1 when nothing is shown
    VkMenuItem *getItem();

protected:
    Widget itemParent() override;
    Widget labelWidget() override;

private:
    static void sPulldownDestroyedCB(Widget, XtPointer clientData, XtPointer);

    Widget _pulldown = nullptr;
};

#endif
