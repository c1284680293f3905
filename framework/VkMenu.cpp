// VkMenu.cpp - the item array of every menu, the add operations and the table walk.
#include "framework/VkMenu.h"

#include "framework/VkRadioSubMenu.h"
#include "framework/VkSubMenu.h"

#include <cassert>
#include <cstdlib>
#include <cstring>
#include <strings.h>

VkMenu::VkMenu(const char *name) : VkMenuItem(name)
{
    _items = static_cast<VkMenuItem **>(calloc(_maxItems, sizeof(VkMenuItem *)));
    assert(_items != nullptr);
}

// The items go before the menu's own widget, while their widgets still exist.
VkMenu::~VkMenu()
{
    deleteItems();
    free(_items);
}

const char *VkMenu::className() { return "VkMenu"; }

Boolean VkMenu::isContainer() { return True; }

void VkMenu::build(Widget) {}

// ---- Add operations

VkMenuAction *VkMenu::addAction(const char *name, XtCallbackProc func, XtPointer data,
                                int position)
{
    VkMenuAction *action = new VkMenuAction(name);
    action->_func = func;
    action->_data = data;
    insert(action, position, true);
    return action;
}

VkMenuConfirmFirstAction *VkMenu::addConfirmFirstAction(const char *name, XtCallbackProc func,
                                                        XtPointer data, int position)
{
    VkMenuConfirmFirstAction *action = new VkMenuConfirmFirstAction(name);
    action->_func = func;
    action->_data = data;
    insert(action, position, true);
    return action;
}

VkMenuToggle *VkMenu::addToggle(const char *name, XtCallbackProc func, XtPointer data,
                                int state, int position)
{
    VkMenuToggle *toggle = new VkMenuToggle(name);
    toggle->_func = func;
    toggle->_data = data;
    insert(toggle, position, true);
    // Last, so that a toggle built by the insertion shows it at once.
    toggle->setState(state != -1);
    return toggle;
}

VkMenuLabel *VkMenu::addLabel(const char *name, int position)
{
    VkMenuLabel *label = new VkMenuLabel(name);
    insert(label, position, true);
    return label;
}

VkMenuSeparator *VkMenu::addSeparator(const char *name, int position)
{
    VkMenuSeparator *separator = new VkMenuSeparator(name);
    insert(separator, position, true);
    return separator;
}

VkSubMenu *VkMenu::addSubmenu(const char *name, int position)
{
    VkSubMenu *submenu = new VkSubMenu(name);
    insert(submenu, position, true);
    return submenu;
}

// Filled before it is built, so that its items are built with it in one go.
VkSubMenu *VkMenu::addSubmenu(const char *name, MenuDescription *table, XtPointer data,
                              int position)
{
    VkSubMenu *submenu = new VkSubMenu(name);
    insert(submenu, position, false);
    submenu->addFromTable(table, data, true);
    if (_isBuilt) {
        submenu->build(itemParent());
        placeWidget(indexOf(submenu));
    }
    return submenu;
}

VkRadioSubMenu *VkMenu::addRadioSubmenu(const char *name, int position)
{
    VkRadioSubMenu *submenu = new VkRadioSubMenu(name);
    insert(submenu, position, true);
    return submenu;
}

VkRadioSubMenu *VkMenu::addRadioSubmenu(const char *name, MenuDescription *table,
                                        XtPointer data, int position)
{
    VkRadioSubMenu *submenu = new VkRadioSubMenu(name);
    insert(submenu, position, false);
    submenu->addFromTable(table, data, true);
    if (_isBuilt) {
        submenu->build(itemParent());
        placeWidget(indexOf(submenu));
    }
    return submenu;
}

VkMenuItem *VkMenu::addItem(VkMenuItem *item, int position)
{
    assert(item != nullptr);
    insert(item, position, true);
    return item;
}

// ---- Table walk

void VkMenu::addFromTable(MenuDescription *table, XtPointer defaultData, bool ownSubmenuData)
{
    for (MenuDescription *entry = table; entry && entry->kind != End; entry++) {
        XtPointer data = entry->clientData ? entry->clientData : defaultData;
        XtPointer submenuData = ownSubmenuData ? data : defaultData;
        switch (entry->kind) {
        case Action:
            addAction(entry->name, entry->callback, data);
            break;
        case ConfirmFirstAction:
            addConfirmFirstAction(entry->name, entry->callback, data);
            break;
        case Toggle:
            addToggle(entry->name, entry->callback, data, -1);
            break;
        case Label:
            addLabel(entry->name);
            break;
        case Separator:
            addSeparator("separator");
            break;
        case Submenu:
            addSubmenu(entry->name, entry->submenu, submenuData);
            break;
        case RadioSubmenu:
            addRadioSubmenu(entry->name, entry->submenu, submenuData);
            break;
        default:
            break;
        }
    }
}

// ---- Finding and changing items

VkMenuItem *VkMenu::findItem(const char *name, bool caseless)
{
    if (!name)
        return nullptr;
    for (int i = 0; i < _numItems; i++) {
        VkMenuItem *candidate = _items[i];
        const char *itemName = candidate->name();
        if (!itemName)
            continue;
        if ((caseless ? strcasecmp(itemName, name) : strcmp(itemName, name)) == 0)
            return candidate;
        MenuItemKind kind = candidate->menuType();
        if (kind == Submenu || kind == RadioSubmenu) {
            VkMenuItem *found = static_cast<VkMenu *>(candidate)->findItem(name, caseless);
            if (found)
                return found;
        }
    }
    return nullptr;
}

VkMenuItem *VkMenu::activateItem(const char *name)
{
    VkMenuItem *found = item(findDirect(name));
    if (found)
        found->activate();
    return found;
}

VkMenuItem *VkMenu::deactivateItem(const char *name)
{
    VkMenuItem *found = item(findDirect(name));
    if (found)
        found->deactivate();
    return found;
}

VkMenuItem *VkMenu::removeItem(const char *name)
{
    int index = findDirect(name);
    VkMenuItem *removed = item(index);
    if (!removed)
        return nullptr;
    memmove(&_items[index], &_items[index + 1], (_numItems - index - 1) * sizeof(VkMenuItem *));
    _items[--_numItems] = nullptr;
    removed->_parentMenu = nullptr;
    removed->hide();
    return removed;
}

VkMenuItem *VkMenu::item(int index) const
{
    if (index < 0 || index >= _numItems)
        return nullptr;
    return _items[index];
}

int VkMenu::indexOf(VkMenuItem *wanted) const
{
    for (int i = 0; i < _numItems; i++)
        if (_items[i] == wanted)
            return i;
    return -1;
}

int VkMenu::indexOf(const char *name) const
{
    return findDirect(name);
}

int VkMenu::indexOf(Widget w) const
{
    if (!w)
        return -1;
    for (int i = 0; i < _numItems; i++)
        if (_items[i]->baseWidget() == w)
            return i;
    return -1;
}

// ---- Helpers

Widget VkMenu::itemParent() { return _baseWidget; }

void VkMenu::buildItems()
{
    Widget parent = itemParent();
    for (int i = 0; i < _numItems; i++)
        _items[i]->build(parent);
}

// Each item destroys its own widget; forgetting it first keeps the array out of
// the items' destructors.
void VkMenu::deleteItems()
{
    while (_numItems > 0) {
        VkMenuItem *last = _items[--_numItems];
        _items[_numItems] = nullptr;
        last->_parentMenu = nullptr;
        delete last;
    }
}

void VkMenu::insert(VkMenuItem *newItem, int position, bool buildNow)
{
    assert(newItem->_parentMenu == nullptr);
    // One slot always stays free beyond the last item.
    if (_numItems == _maxItems - 1) {
        int grown = _maxItems * 2;
        VkMenuItem **items =
            static_cast<VkMenuItem **>(realloc(_items, grown * sizeof(VkMenuItem *)));
        assert(items != nullptr);
        memset(items + _maxItems, 0, (grown - _maxItems) * sizeof(VkMenuItem *));
        _items = items;
        _maxItems = grown;
    }
    if (position < 0 || position > _numItems)
        position = _numItems;
    memmove(&_items[position + 1], &_items[position],
            (_numItems - position) * sizeof(VkMenuItem *));
    _items[position] = newItem;
    _numItems++;
    newItem->_parentMenu = this;
    if (buildNow && _isBuilt) {
        newItem->build(itemParent());
        placeWidget(position);
    }
}

// A row column appends new children; an item inserted into a built menu moves
// to where the item after it stands, hidden items and tear-off controls counted.
void VkMenu::placeWidget(int position)
{
    Widget w = _items[position]->baseWidget();
    VkMenuItem *next = item(position + 1);
    Widget nextWidget = next ? next->baseWidget() : nullptr;
    if (!w || !nextWidget || XtParent(w) != XtParent(nextWidget))
        return;
    short index = 0;
    XtVaGetValues(nextWidget, XmNpositionIndex, &index, nullptr);
    XtVaSetValues(w, XmNpositionIndex, index, nullptr);
}

int VkMenu::findDirect(const char *name) const
{
    if (!name)
        return -1;
    for (int i = 0; i < _numItems; i++) {
        const char *itemName = _items[i]->name();
        if (itemName && strcmp(itemName, name) == 0)
            return i;
    }
    return -1;
}

void VkMenu::forget(VkMenuItem *gone)
{
    int index = indexOf(gone);
    if (index < 0)
        return;
    memmove(&_items[index], &_items[index + 1], (_numItems - index - 1) * sizeof(VkMenuItem *));
    _items[--_numItems] = nullptr;
}
