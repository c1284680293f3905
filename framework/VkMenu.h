// VkMenu.h - the container of menu items, filled from MenuDescription tables,
// with finding, enabling and removing items by name.
#ifndef VIREO_FRAMEWORK_VKMENU_H
#define VIREO_FRAMEWORK_VKMENU_H

#include "framework/VkMenuItem.h"

#include <Xm/Xm.h>

class VkSubMenu;
class VkRadioSubMenu;

// One entry of a menu description table; a table ends at the first End entry.
struct MenuDescription {
    int              kind;          // a MenuItemKind
    const char      *name;          // item and widget name; labels come from resources
    XtCallbackProc   callback;      // may be null
    MenuDescription *submenu;       // table of a Submenu or RadioSubmenu entry
    XtPointer        clientData;    // null: the menu's default client data
    XtPointer        reserved;      // read by nothing; 0 in every table
};

class VkMenu : public VkMenuItem {
public:
    ~VkMenu() override;
    const char *className() override;
    Boolean isContainer() override;
    void build(Widget parent) override;

    // Position -1, or any position outside 0..numItems(), appends.
    VkMenuAction *addAction(const char *name, XtCallbackProc func = nullptr,
                            XtPointer data = nullptr, int position = -1);
    VkMenuConfirmFirstAction *addConfirmFirstAction(const char *name,
                                                    XtCallbackProc func = nullptr,
                                                    XtPointer data = nullptr,
                                                    int position = -1);
    // A state of -1 leaves the toggle unset; any other value sets it.
    VkMenuToggle *addToggle(const char *name, XtCallbackProc func = nullptr,
                            XtPointer data = nullptr, int state = -1, int position = -1);
    VkMenuLabel *addLabel(const char *name, int position = -1);
    VkMenuSeparator *addSeparator(const char *name = "separator", int position = -1);
    VkSubMenu *addSubmenu(const char *name, int position = -1);
    VkSubMenu *addSubmenu(const char *name, MenuDescription *table,
                          XtPointer data = nullptr, int position = -1);
    VkRadioSubMenu *addRadioSubmenu(const char *name, int position = -1);
    VkRadioSubMenu *addRadioSubmenu(const char *name, MenuDescription *table,
                                    XtPointer data = nullptr, int position = -1);
    // The menu takes the item over; an item belongs to one menu at a time.
    VkMenuItem *addItem(VkMenuItem *item, int position = -1);

    // Searches this menu, then depth first its submenus and radio submenus.
    VkMenuItem *findItem(const char *name, bool caseless = false);
    // These two look at the direct items only.
    VkMenuItem *activateItem(const char *name);
    VkMenuItem *deactivateItem(const char *name);
    // Hands the item back to the caller, who then owns it; its widget stays, hidden.
    VkMenuItem *removeItem(const char *name);

    int numItems() const { return _numItems; }
    int capacity() const { return _maxItems; }
    VkMenuItem *item(int index) const;      // null outside 0..numItems()-1
    int indexOf(VkMenuItem *item) const;
    int indexOf(const char *name) const;
    int indexOf(Widget w) const;

protected:
    explicit VkMenu(const char *name);
    // Where the items' widgets go: the pulldown of submenus and option menus.
    virtual Widget itemParent();
    // Walks a table into this menu. Submenu entries get their own client data when
    // ownSubmenuData is set, else the default like every other walk.
    void addFromTable(MenuDescription *table, XtPointer defaultData, bool ownSubmenuData);
    void buildItems();
    void deleteItems();

    XtPointer _defaultClientData = nullptr;

private:
    void insert(VkMenuItem *item, int position, bool buildNow);
    void placeWidget(int position);
    int findDirect(const char *name) const;
    void forget(VkMenuItem *item);
    friend class VkMenuItem;

    int          _numItems = 0;
    int          _maxItems = 10;
    VkMenuItem **_items;
};

#endif
