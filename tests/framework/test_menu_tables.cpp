// test_menu_tables.cpp - menus from description tables: kinds, client data, finding,
// the item array, positions, removal and who deletes what.
// GoogleTest comes before the X headers, whose None and Bool macros it would trip over.
#include <gtest/gtest.h>

#include "framework/VkApp.h"
#include "framework/VkMenu.h"
#include "framework/VkMenuBar.h"
#include "framework/VkRadioSubMenu.h"
#include "framework/VkSubMenu.h"
#include "framework/VkWindow.h"
#include "tests/framework/fwtest.h"

#include <Xm/RowColumn.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> gCalls;

void onChosen(Widget w, XtPointer clientData, XtPointer)
{
    gCalls.push_back(std::string(XtName(w)) + ":" + (clientData ? (const char *)clientData : "-"));
}

char sWindowData[] = "window";
char sSubData[] = "sub";
char sOwnData[] = "own";

MenuDescription sNested[] = {
    {Action, "Deep", onChosen, nullptr, nullptr, nullptr},
    {End, nullptr, nullptr, nullptr, nullptr, nullptr},
};

MenuDescription sSort[] = {
    {Toggle, "ByName", onChosen, nullptr, nullptr, nullptr},
    {Toggle, "ByPing", onChosen, nullptr, sOwnData, nullptr},
    {End, nullptr, nullptr, nullptr, nullptr, nullptr},
};

MenuDescription sFile[] = {
    {Action, "Open", onChosen, nullptr, nullptr, nullptr},
    {ConfirmFirstAction, "Wipe", onChosen, nullptr, nullptr, nullptr},
    {Toggle, "Verbose", onChosen, nullptr, nullptr, nullptr},
    {Label, "Caption", nullptr, nullptr, nullptr, nullptr},
    {Separator, "line", nullptr, nullptr, nullptr, nullptr},
    {Submenu, "More", nullptr, sNested, sSubData, nullptr},
    {RadioSubmenu, "Sort", nullptr, sSort, nullptr, nullptr},
    {42, "Bogus", onChosen, nullptr, nullptr, nullptr},
    {Separator, "line", nullptr, nullptr, nullptr, nullptr},
    {End, "AfterEnd", onChosen, nullptr, nullptr, nullptr},
    {Action, "NeverSeen", onChosen, nullptr, nullptr, nullptr},
};

MenuDescription sBar[] = {
    {Submenu, "File", nullptr, sFile, nullptr, nullptr},
    {Action, "Stray", onChosen, nullptr, nullptr, nullptr},
    {Submenu, "View", nullptr, sNested, nullptr, nullptr},
    {End, nullptr, nullptr, nullptr, nullptr, nullptr},
};

MenuDescription sEmpty[] = {
    {End, "Open", onChosen, nullptr, nullptr, nullptr},
};

void choose(VkMenuItem *item)
{
    ASSERT_NE(item, nullptr);
    ASSERT_NE(item->baseWidget(), nullptr);
    XtCallCallbacks(item->baseWidget(),
                    item->menuType() == Toggle ? XmNvalueChangedCallback : XmNactivateCallback,
                    nullptr);
}

// A window whose bar is built from sBar with the window's client data.
class MenuTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fwtest::app();
        gCalls.clear();
        mWindow = new VkWindow("tables");
        mBar = new VkMenuBar(sBar, sWindowData, False);
        mWindow->setMenuBar(mBar);
        mWindow->show();
        mFile = static_cast<VkMenu *>(mBar->findItem("File"));
        ASSERT_NE(mFile, nullptr);
    }
    fwtest::Watchdog mWatchdog;
    VkWindow *mWindow = nullptr;
    VkMenuBar *mBar = nullptr;
    VkMenu *mFile = nullptr;
};

TEST_F(MenuTableTest, EveryKindBecomesItsItemUpToTheEnd)
{
    const MenuItemKind kinds[] = {Action, ConfirmFirstAction, Toggle, Label, Separator,
                                  Submenu, RadioSubmenu, Separator};
    const char *names[] = {"Open", "Wipe", "Verbose", "Caption", "separator",
                           "More", "Sort", "separator"};
    ASSERT_EQ(mFile->numItems(), 8);
    for (int i = 0; i < 8; i++) {
        EXPECT_EQ(mFile->item(i)->menuType(), kinds[i]) << i;
        EXPECT_STREQ(mFile->item(i)->name(), names[i]);
        EXPECT_NE(mFile->item(i)->baseWidget(), nullptr) << names[i];
    }
    EXPECT_EQ(mFile->findItem("Bogus"), nullptr);
    EXPECT_EQ(mFile->findItem("NeverSeen"), nullptr);
    EXPECT_EQ(mFile->findItem("separator"), mFile->item(4));
    EXPECT_STREQ(mFile->item(6)->className(), "VkRadioSubMenu");
    EXPECT_FALSE(static_cast<VkMenuToggle *>(mFile->item(2))->getState());
}

TEST_F(MenuTableTest, ClientDataIsTheEntrysOrTheMenusAndHandedToSubmenus)
{
    choose(mFile->findItem("Open"));
    choose(mFile->findItem("Deep"));
    choose(mFile->findItem("ByName"));
    choose(mFile->findItem("ByPing"));
    choose(static_cast<VkMenu *>(mBar->findItem("View"))->item(0));
    std::vector<std::string> expected = {"Open:window", "Deep:sub", "ByName:window",
                                         "ByPing:own", "Deep:window"};
    EXPECT_EQ(gCalls, expected);
}

TEST_F(MenuTableTest, BarTakesOnlyTheSubmenuEntries)
{
    ASSERT_EQ(mBar->numItems(), 2);
    EXPECT_STREQ(mBar->item(0)->name(), "File");
    EXPECT_STREQ(mBar->item(1)->name(), "View");
    EXPECT_EQ(mBar->findItem("Stray"), nullptr);
}

TEST_F(MenuTableTest, TableStartingWithEndOrNullGivesAnEmptyMenu)
{
    EXPECT_EQ(mBar->addSubmenu("Empty", sEmpty)->numItems(), 0);
    EXPECT_EQ(mBar->addRadioSubmenu("None", nullptr)->numItems(), 0);
    EXPECT_EQ(mBar->numItems(), 4);
}

TEST_F(MenuTableTest, FindSearchesSubmenusInDisplayOrderWithTheCaseRule)
{
    VkMenuItem *deep = mFile->findItem("Deep");
    ASSERT_NE(deep, nullptr);
    EXPECT_EQ(mBar->findItem("Deep"), deep);    // File's copy comes before View's
    EXPECT_EQ(mBar->findItem("deep"), nullptr);
    EXPECT_EQ(mBar->findItem("deep", true), deep);
    EXPECT_EQ(mBar->findItem("bYpInG", true), mFile->findItem("ByPing"));
    EXPECT_EQ(mBar->findItem(nullptr), nullptr);

    // A submenu is found before its own children of the same name.
    VkSubMenu *twin = mFile->addSubmenu("Twin");
    twin->addAction("Twin");
    EXPECT_EQ(mBar->findItem("Twin"), twin);
}

TEST_F(MenuTableTest, ActivateAndDeactivateLookAtDirectItemsOnly)
{
    VkMenuItem *open = mFile->findItem("Open");
    EXPECT_EQ(mBar->deactivateItem("Open"), nullptr);
    EXPECT_TRUE(XtIsSensitive(open->baseWidget()));

    EXPECT_EQ(mFile->deactivateItem("Open"), open);
    EXPECT_FALSE(XtIsSensitive(open->baseWidget()));
    EXPECT_EQ(mFile->activateItem("Open"), open);
    EXPECT_TRUE(XtIsSensitive(open->baseWidget()));
    EXPECT_EQ(mFile->activateItem("Missing"), nullptr);
}

TEST_F(MenuTableTest, IndexOfByItemNameAndWidget)
{
    VkMenuItem *sort = mFile->findItem("Sort");
    EXPECT_EQ(mFile->indexOf(sort), 6);
    EXPECT_EQ(mFile->indexOf("Sort"), 6);
    EXPECT_EQ(mFile->indexOf(sort->baseWidget()), 6);
    EXPECT_EQ(mFile->indexOf("Deep"), -1);          // in a submenu, not a direct item
    EXPECT_EQ(mFile->indexOf(mBar->findItem("View")), -1);
    EXPECT_EQ(mFile->indexOf((Widget) nullptr), -1);
}

TEST_F(MenuTableTest, ItemAddedToABuiltMenuIsBuiltAtItsPosition)
{
    VkMenuAction *first = mFile->addAction("First", onChosen, nullptr, 0);
    ASSERT_NE(first->baseWidget(), nullptr);
    EXPECT_TRUE(XtIsManaged(first->baseWidget()));
    EXPECT_EQ(XtParent(first->baseWidget()), static_cast<VkSubMenu *>(mFile)->pulldown());

    short firstIndex = -1, openIndex = -1;
    XtVaGetValues(first->baseWidget(), XmNpositionIndex, &firstIndex, nullptr);
    XtVaGetValues(mFile->findItem("Open")->baseWidget(), XmNpositionIndex, &openIndex, nullptr);
    EXPECT_LT(firstIndex, openIndex);

    VkMenuToggle *set = mFile->addToggle("Set", onChosen, nullptr, 0);
    EXPECT_TRUE(set->getState());
    EXPECT_TRUE(gCalls.empty());                    // shown set without notifying
}

// ---- The item array without widgets

class MenuArrayTest : public ::testing::Test {
protected:
    std::vector<std::string> names(VkMenu &menu)
    {
        std::vector<std::string> out;
        for (int i = 0; i < menu.numItems(); i++)
            out.push_back(menu.item(i)->name());
        return out;
    }
    VkSubMenu mMenu{"menu"};
};

TEST_F(MenuArrayTest, TenthItemDoublesTheCapacityAndManyItemsKeepTheirOrder)
{
    for (int i = 0; i < 9; i++)
        mMenu.addLabel(std::to_string(i).c_str());
    EXPECT_EQ(mMenu.capacity(), 10);
    mMenu.addLabel("9");
    EXPECT_EQ(mMenu.capacity(), 20);
    for (int i = 10; i < 45; i++)
        mMenu.addLabel(std::to_string(i).c_str());
    ASSERT_EQ(mMenu.numItems(), 45);
    EXPECT_EQ(mMenu.capacity(), 80);
    for (int i = 0; i < 45; i++)
        EXPECT_EQ(mMenu.item(i)->name(), std::to_string(i));
}

TEST_F(MenuArrayTest, PositionInsertsAndAnythingOutsideTheMenuAppends)
{
    mMenu.addAction("A");
    mMenu.addAction("B");
    mMenu.addAction("front", nullptr, nullptr, 0);
    mMenu.addAction("end", nullptr, nullptr, -1);
    mMenu.addSeparator("middle", 2);
    mMenu.addLabel("far", 99);
    mMenu.addToggle("negative", nullptr, nullptr, -1, -7);
    mMenu.addLabel("justAfter", mMenu.numItems());
    std::vector<std::string> expected = {"front", "A", "middle", "B", "end",
                                         "far", "negative", "justAfter"};
    EXPECT_EQ(names(mMenu), expected);
    EXPECT_EQ(mMenu.item(-1), nullptr);
    EXPECT_EQ(mMenu.item(mMenu.numItems()), nullptr);
}

TEST_F(MenuArrayTest, RemovingEveryItemByTheFirstNameEmptiesTheMenu)
{
    std::vector<VkMenuItem *> added = {mMenu.addAction("A"), mMenu.addLabel("B"),
                                       mMenu.addSubmenu("C")};
    std::vector<VkMenuItem *> removed;
    while (mMenu.numItems() > 0)
        removed.push_back(mMenu.removeItem(mMenu.item(0)->name()));
    EXPECT_EQ(removed, added);
    EXPECT_EQ(mMenu.removeItem("A"), nullptr);
    for (VkMenuItem *item : removed) {
        EXPECT_EQ(item->parentMenu(), nullptr);
        delete item;                        // the caller owns what it removed
    }
}

TEST_F(MenuArrayTest, ItemBelongsToOneMenuAtATime)
{
    VkMenuItem *open = mMenu.addAction("Open");
    VkSubMenu other("other");
    EXPECT_DEATH(other.addItem(open), "_parentMenu == nullptr");
    ASSERT_EQ(mMenu.removeItem("Open"), open);
    EXPECT_EQ(other.addItem(open, 0), open);
    EXPECT_EQ(open->parentMenu(), &other);
}

// ---- Who deletes what

std::vector<std::string> gDeleted;
bool gPulldownAliveAtEveryItemDeletion = true;

void noteDeleted(VkCallbackObject *caller, void *clientData, void *)
{
    auto *menu = static_cast<VkSubMenu *>(clientData);
    gDeleted.push_back(static_cast<VkComponent *>(caller)->name());
    if (!menu->pulldown() || !menu->baseWidget())
        gPulldownAliveAtEveryItemDeletion = false;
}

class MenuLifeTest : public MenuTableTest {
protected:
    void watch(VkMenuItem *item, VkSubMenu *menu)
    { item->addCallback(VkComponent::deleteCallback, noteDeleted, menu); }
};

TEST_F(MenuLifeTest, MenuDeletesItsItemsBeforeItsOwnWidgets)
{
    VkSubMenu *edit = mBar->addSubmenu("Edit");
    watch(edit->addAction("Copy"), edit);
    watch(edit->addToggle("Wrap"), edit);
    VkSubMenu *nested = edit->addSubmenu("Nested");
    watch(nested->addAction("Inner"), nested);
    gDeleted.clear();

    delete mBar->removeItem("Edit");
    EXPECT_EQ(gDeleted.size(), 3u);
    EXPECT_TRUE(gPulldownAliveAtEveryItemDeletion);
}

TEST_F(MenuLifeTest, RemovedItemOutlivesItsMenuSafely)
{
    VkSubMenu *edit = mBar->addSubmenu("Edit");
    VkMenuItem *copy = edit->addAction("Copy");
    ASSERT_EQ(edit->removeItem("Copy"), copy);
    EXPECT_FALSE(XtIsManaged(copy->baseWidget()));

    delete mBar->removeItem("Edit");
    EXPECT_EQ(copy->baseWidget(), nullptr);     // went with the menu's widgets
    EXPECT_FALSE(copy->isBuilt());
    copy->deactivate();
    copy->setLabel("Gone");
    copy->hide();
    delete copy;
}

TEST_F(MenuLifeTest, DeletingAnItemTakesItOutOfItsMenu)
{
    VkMenuItem *open = mFile->findItem("Open");
    delete open;
    EXPECT_EQ(mFile->numItems(), 7);
    EXPECT_EQ(mFile->findItem("Open"), nullptr);
    EXPECT_STREQ(mFile->item(0)->name(), "Wipe");
}

} // namespace
