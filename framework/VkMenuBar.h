// VkMenuBar.h - a window's menu bar: submenus from a table, with the help
// menu at the right end.
#ifndef VIREO_FRAMEWORK_VKMENUBAR_H
#define VIREO_FRAMEWORK_VKMENUBAR_H

#include "framework/VkMenu.h"

class VkHelpPane;

class VkMenuBar : public VkMenu {
public:
    // No further defaults: with them, VkMenuBar(False) would be ambiguous.
    explicit VkMenuBar(Boolean helpPane = True);
    VkMenuBar(const char *name, Boolean helpPane);
    // Only the Submenu entries of the table become panes of the bar.
    VkMenuBar(MenuDescription *table, XtPointer clientData, Boolean helpPane = True);
    VkMenuBar(const char *name, MenuDescription *table, XtPointer clientData,
              Boolean helpPane = True);
    ~VkMenuBar() override;
    const char *className() override;
    MenuItemKind menuType() override;
    void build(Widget parent) override;

    // Not one of the bar's items: findItem on the bar does not see it.
    VkHelpPane *helpPane() const { return _helpPane; }

protected:
    Widget labelWidget() override;

private:
    void addPanes(MenuDescription *table);
    void makeHelpPane(Boolean helpPane);

    VkHelpPane *_helpPane = nullptr;
};

#endif
