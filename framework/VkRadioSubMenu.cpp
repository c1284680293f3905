// VkRadioSubMenu.cpp - a submenu whose pulldown keeps one toggle set at a time.
#include "framework/VkRadioSubMenu.h"

VkRadioSubMenu::VkRadioSubMenu(const char *name) : VkSubMenu(name) {}

const char *VkRadioSubMenu::className() { return "VkRadioSubMenu"; }

MenuItemKind VkRadioSubMenu::menuType() { return RadioSubmenu; }

void VkRadioSubMenu::build(Widget parent) { buildSubMenu(parent, True); }
