// VkWindow.h - a top-level window with a menu bar.
#ifndef VIREO_FRAMEWORK_VKWINDOW_H
#define VIREO_FRAMEWORK_VKWINDOW_H

#include "framework/VkSimpleWindow.h"

class VkMenuBar;
struct MenuDescription;
class VkSubMenu;

class VkWindow : public VkSimpleWindow {
public:
    VkWindow(const char *name, ArgList args = nullptr, Cardinal argCount = 0);

    ~VkWindow() override;
    const char *className() override;
    // Builds the menu bar into the main window once, then shows as a simple window.
    void show() override;
    virtual VkMenuBar *menuBar() { return _menuBar; }

    // The window owns the bar; it is built at once when no bar has been built yet.
    void setMenuBar(VkMenuBar *menuBar);
    // Adds a submenu for each submenu entry of the table, making a bar if needed.
    void setMenuBarFromTable(MenuDescription *table);
    VkSubMenu *addMenuPane(const char *name);
    VkSubMenu *addMenuPane(const char *name, MenuDescription *table);

protected:
    VkMenuBar    *_menuBar = nullptr;
    unsigned char _menuBarInstalled = 0;

private:
    // Builds the bar into _mainWindowWidget unless it was built already.
    void installMenuBar();
    void deleteMenuBar();
};

#endif
