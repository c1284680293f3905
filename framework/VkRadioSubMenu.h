// VkRadioSubMenu.h - a submenu whose toggles behave as one radio group.
#ifndef VIREO_FRAMEWORK_VKRADIOSUBMENU_H
#define VIREO_FRAMEWORK_VKRADIOSUBMENU_H

#include "framework/VkSubMenu.h"

class VkRadioSubMenu : public VkSubMenu {
public:
    explicit VkRadioSubMenu(const char *name);
    const char *className() override;
    MenuItemKind menuType() override;
    void build(Widget parent) override;
};

#endif
