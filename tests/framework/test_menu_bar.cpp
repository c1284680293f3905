// test_menu_bar.cpp - window menu bars, the help pane, radio submenus, popup and
// option menus.
// GoogleTest comes before the X headers, whose None and Bool macros it would trip over.
#include <gtest/gtest.h>

#include "framework/VkApp.h"
#include "framework/VkHelpPane.h"
#include "framework/VkInfoDialog.h"
#include "framework/VkMenuBar.h"
#include "framework/VkOptionMenu.h"
#include "framework/VkPopupMenu.h"
#include "framework/VkRadioSubMenu.h"
#include "framework/VkSubMenu.h"
#include "framework/VkWindow.h"
#include "tests/framework/fwtest.h"

#include <Xm/Form.h>
#include <Xm/MainW.h>
#include <Xm/RowColumn.h>
#include <Xm/ToggleBG.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>

namespace {

std::vector<std::string> gCalls;

void onChosen(Widget w, XtPointer clientData, XtPointer callData)
{
    std::string call = std::string(XtName(w)) + ":" + (clientData ? (const char *)clientData : "-");
    if (XmIsToggleButtonGadget(w) && callData)
        call += static_cast<XmToggleButtonCallbackStruct *>(callData)->set ? "=on" : "=off";
    gCalls.push_back(call);
}

char sWinData[] = "win";
char sOwnData[] = "own";

MenuDescription sSort[] = {
    {Toggle, "Name", onChosen, nullptr, nullptr, nullptr},
    {Toggle, "Ping", onChosen, nullptr, nullptr, nullptr},
    {Toggle, "Map", onChosen, nullptr, nullptr, nullptr},
    {End, nullptr, nullptr, nullptr, nullptr, nullptr},
};

MenuDescription sView[] = {
    {RadioSubmenu, "Sort", nullptr, sSort, nullptr, nullptr},
    {End, nullptr, nullptr, nullptr, nullptr, nullptr},
};

MenuDescription sFile[] = {
    {Action, "Open", onChosen, nullptr, nullptr, nullptr},
    {End, nullptr, nullptr, nullptr, nullptr, nullptr},
};

MenuDescription sBar[] = {
    {Submenu, "File", nullptr, sFile, sWinData, nullptr},
    {Action, "Stray", onChosen, nullptr, nullptr, nullptr},
    {Submenu, "View", nullptr, sView, sWinData, nullptr},
    {End, nullptr, nullptr, nullptr, nullptr, nullptr},
};

MenuDescription sTwoActions[] = {
    {Action, "First", onChosen, nullptr, nullptr, nullptr},
    {Action, "Second", onChosen, nullptr, nullptr, nullptr},
    {End, nullptr, nullptr, nullptr, nullptr, nullptr},
};

MenuDescription sPopup[] = {
    {Action, "Launch", onChosen, nullptr, nullptr, nullptr},
    {Separator, nullptr, nullptr, nullptr, nullptr, nullptr},
    {Submenu, "More", nullptr, sTwoActions, sOwnData, nullptr},
    {End, nullptr, nullptr, nullptr, nullptr, nullptr},
};

MenuDescription sSizes[] = {
    {Action, "Small", onChosen, nullptr, nullptr, nullptr},
    {Action, "Medium", onChosen, nullptr, nullptr, nullptr},
    {Action, "Large", onChosen, nullptr, nullptr, nullptr},
    {End, nullptr, nullptr, nullptr, nullptr, nullptr},
};

const char *const sHelpItems[] = {
    "helpOnContextMenuItem", "helpOverviewMenuItem", "separator", "helpIndexMenuItem",
    "helpKeysMenuItem", "separator", "helpVersionMenuItem",
};

void activate(VkMenuItem *item)
{
    ASSERT_NE(item, nullptr);
    ASSERT_NE(item->baseWidget(), nullptr);
    XtCallCallbacks(item->baseWidget(), XmNactivateCallback, nullptr);
}

class MenuWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fwtest::app();
        gCalls.clear();
        mWindow = new VkWindow("window");
    }
    fwtest::Watchdog mWatchdog;
    VkWindow *mWindow = nullptr;
};

// ---- VkWindow's bar

TEST_F(MenuWindowTest, BarFromTableHasItsPanesAndTheHelpMenuAtTheRightEnd)
{
    mWindow->setMenuBarFromTable(sBar);
    VkMenuBar *bar = mWindow->menuBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_STREQ(bar->name(), "Application");
    EXPECT_EQ(bar->baseWidget(), nullptr);      // built by the first show
    mWindow->show();
    ASSERT_NE(bar->baseWidget(), nullptr);

    ASSERT_EQ(bar->numItems(), 2);
    EXPECT_STREQ(bar->item(1)->name(), "View");
    VkHelpPane *help = bar->helpPane();
    ASSERT_NE(help, nullptr);
    Widget helpWidget = nullptr, menuBar = nullptr;
    XtVaGetValues(bar->baseWidget(), XmNmenuHelpWidget, &helpWidget, nullptr);
    XtVaGetValues(mWindow->mainWindowWidget(), XmNmenuBar, &menuBar, nullptr);
    EXPECT_EQ(helpWidget, help->baseWidget());
    EXPECT_EQ(menuBar, bar->baseWidget());
    EXPECT_EQ(bar->findItem("helpVersionMenuItem"), nullptr);
    EXPECT_NE(help->findItem("helpVersionMenuItem"), nullptr);

    activate(bar->findItem("Open"));
    EXPECT_EQ(gCalls, std::vector<std::string>{"Open:win"});
}

TEST_F(MenuWindowTest, BarSetBeforeShowIsBuiltOnce)
{
    VkMenuBar *bar = new VkMenuBar(sBar, sWinData, False);
    mWindow->setMenuBar(bar);
    Widget built = bar->baseWidget();
    Widget open = bar->findItem("Open")->baseWidget();
    ASSERT_NE(built, nullptr);
    ASSERT_NE(open, nullptr);
    mWindow->show();
    EXPECT_EQ(bar->baseWidget(), built);
    EXPECT_EQ(bar->findItem("Open")->baseWidget(), open);
}

int gBarsDeleted;
void countDeleted(VkCallbackObject *, void *, void *) { gBarsDeleted++; }

TEST_F(MenuWindowTest, NewBarReplacesAndDeletesTheOldOne)
{
    VkMenuBar *first = new VkMenuBar(sBar, nullptr, True);
    first->addCallback(VkComponent::deleteCallback, countDeleted);
    mWindow->setMenuBar(first);
    mWindow->show();
    gBarsDeleted = 0;

    VkMenuBar *second = new VkMenuBar("second", False);
    mWindow->setMenuBar(second);
    EXPECT_EQ(gBarsDeleted, 1);
    EXPECT_EQ(mWindow->menuBar(), second);
    Widget menuBar = nullptr;
    XtVaGetValues(mWindow->mainWindowWidget(), XmNmenuBar, &menuBar, nullptr);
    EXPECT_EQ(menuBar, second->baseWidget());
}

TEST_F(MenuWindowTest, PaneAddedToAShownWindowIsBuiltAtOnce)
{
    mWindow->show();
    fwtest::pump(20);
    VkSubMenu *empty = mWindow->addMenuPane("Empty");
    VkSubMenu *file = mWindow->addMenuPane("File", sFile);
    ASSERT_NE(mWindow->menuBar(), nullptr);
    EXPECT_STREQ(mWindow->menuBar()->name(), "menuBar");
    EXPECT_NE(mWindow->menuBar()->helpPane(), nullptr);
    EXPECT_NE(empty->baseWidget(), nullptr);
    ASSERT_NE(file->findItem("Open"), nullptr);
    EXPECT_NE(file->findItem("Open")->baseWidget(), nullptr);
    activate(file->findItem("Open"));
    EXPECT_EQ(gCalls, std::vector<std::string>{"Open:-"});
}

// ---- Radio submenus

TEST_F(MenuWindowTest, RadioSubmenuKeepsOneToggleSet)
{
    mWindow->setMenuBarFromTable(sBar);
    mWindow->show();
    auto *name = static_cast<VkMenuToggle *>(mWindow->menuBar()->findItem("Name"));
    auto *ping = static_cast<VkMenuToggle *>(mWindow->menuBar()->findItem("Ping"));
    ASSERT_NE(name, nullptr);
    ASSERT_NE(ping, nullptr);
    EXPECT_EQ(mWindow->menuBar()->findItem("Sort")->menuType(), RadioSubmenu);

    name->setStateAndNotify(True);
    ping->setStateAndNotify(True);
    EXPECT_FALSE(name->getState());
    EXPECT_TRUE(ping->getState());
    std::vector<std::string> expected = {"Name:win=on", "Name:win=off", "Ping:win=on"};
    EXPECT_EQ(gCalls, expected);
}

// ---- Help pane

class MenuHelpPaneTest : public MenuWindowTest {
protected:
    // A bar made with its help pane, built into the shown window.
    VkHelpPane *showHelp()
    {
        mWindow->setMenuBar(new VkMenuBar(sBar, nullptr, True));
        mWindow->show();
        return mWindow->menuBar()->helpPane();
    }
    Widget itemWidget(VkHelpPane *help, const char *name)
    { return help->findItem(name)->baseWidget(); }
};

TEST_F(MenuHelpPaneTest, StandardItemsFollowTheTablesItems)
{
    VkHelpPane bare("help", nullptr, nullptr);
    ASSERT_EQ(bare.numItems(), 7);
    for (int i = 0; i < 7; i++)
        EXPECT_STREQ(bare.item(i)->name(), sHelpItems[i]);
    EXPECT_EQ(bare.item(2)->menuType(), Separator);
    EXPECT_STREQ(bare.className(), "VkHelpPane");
    EXPECT_EQ(bare.menuType(), Submenu);

    VkHelpPane withTable("help", sTwoActions, nullptr);
    ASSERT_EQ(withTable.numItems(), 9);
    EXPECT_STREQ(withTable.item(0)->name(), "First");
    EXPECT_STREQ(withTable.item(1)->name(), "Second");
    EXPECT_STREQ(withTable.item(2)->name(), "helpOnContextMenuItem");
}

TEST_F(MenuHelpPaneTest, DefaultLabelsMnemonicsAndAccelerators)
{
    VkHelpPane *help = showHelp();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(fwtest::labelText(help->baseWidget()), "Help");
    Widget context = itemWidget(help, "helpOnContextMenuItem");
    EXPECT_EQ(fwtest::labelText(context), "Click for Help");
    XmString text = nullptr;
    char *accelerator = nullptr;
    KeySym mnemonic = 0;
    XtVaGetValues(context, XmNacceleratorText, &text, XmNaccelerator, &accelerator,
                  XmNmnemonic, &mnemonic, nullptr);
    char *plain = (char *)XmStringUnparse(text, nullptr, XmCHARSET_TEXT, XmCHARSET_TEXT,
                                          nullptr, 0, XmOUTPUT_ALL);
    EXPECT_STREQ(plain, "Shift+F1");
    EXPECT_STREQ(accelerator, "Shift<Key>F1");
    EXPECT_EQ(mnemonic, (KeySym)'C');
    XtFree(plain);
    XtFree(accelerator);        // a gadget hands out copies
    XmStringFree(text);
    EXPECT_EQ(fwtest::labelText(itemWidget(help, "helpKeysMenuItem")), "Keys & ShortCuts");
    EXPECT_EQ(fwtest::labelText(itemWidget(help, "helpVersionMenuItem")), "Product Info");
}

TEST_F(MenuHelpPaneTest, LabelsAlreadyInTheDatabaseWin)
{
    XrmDatabase db = XtDatabase(fwtest::app()->display());
    // As the class resource file gives them.
    XrmPutLineResource(&db, "Vireo*helpMenu.labelString: Aide");
    XrmPutLineResource(&db, "Vireo*helpMenu*helpIndexMenuItem.labelString: Sommaire");
    VkHelpPane *help = showHelp();
    EXPECT_EQ(fwtest::labelText(help->baseWidget()), "Aide");
    EXPECT_EQ(fwtest::labelText(itemWidget(help, "helpIndexMenuItem")), "Sommaire");
    EXPECT_EQ(fwtest::labelText(itemWidget(help, "helpOverviewMenuItem")), "Overview");
}

TEST_F(MenuHelpPaneTest, ProductInfoNamesTheApplicationOrShowsItsText)
{
    VkHelpPane *help = showHelp();
    activate(help->findItem("helpVersionMenuItem"));
    Widget info = gInfoDialog->lastPostedDialog();
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(fwtest::messageText(info), "Application Name: Vireo");
    EXPECT_EQ(fwtest::shellTitle(XtParent(info)), fwtest::app()->applicationName());
    EXPECT_EQ(fwtest::app()->busyCount(), 0);
    XtUnmanageChild(info);

    fwtest::app()->setProductInfo("Vireo 1.1, 100% Quake");
    activate(help->findItem("helpVersionMenuItem"));
    ASSERT_NE(gInfoDialog->lastPostedDialog(), nullptr);
    EXPECT_EQ(fwtest::messageText(gInfoDialog->lastPostedDialog()), "Vireo 1.1, 100% Quake");
}

TEST_F(MenuHelpPaneTest, WidgetPathRunsFromTheWindowShellOrTheRootOfAForeignTree)
{
    VkHelpPane *help = showHelp();
    Widget open = mWindow->menuBar()->findItem("Open")->baseWidget();
    std::string path = VkHelpPane::widgetPath(open);
    EXPECT_EQ(path.rfind("window.window.", 0), 0u) << path;    // shell, then main window
    EXPECT_EQ(path.substr(path.size() - 5), ".Open");
    EXPECT_EQ(VkHelpPane::widgetPath(help->baseWidget()).find("fwtest"), std::string::npos);

    Widget foreign = XtAppCreateShell("elsewhere", "Other", applicationShellWidgetClass,
                                      fwtest::app()->display(), nullptr, 0);
    Widget child = XtCreateWidget(std::string(2000, 'c').c_str(), xmFormWidgetClass, foreign,
                                  nullptr, 0);
    EXPECT_EQ(VkHelpPane::widgetPath(child), "elsewhere." + std::string(2000, 'c'));
    XtDestroyWidget(foreign);
}

// ---- Popup menus

class PopupMenuTest : public MenuWindowTest {
protected:
    void SetUp() override
    {
        lockTheGrab();
        MenuWindowTest::SetUp();
        mArea = XtVaCreateWidget("area", xmFormWidgetClass, mWindow->mainWindowWidget(),
                                 XmNwidth, 200, XmNheight, 150, nullptr);
        mWindow->setView(mArea);
        mWindow->show();
        // Posting grabs the pointer, which needs a viewable window.
        fwtest::pumpUntil([this] {
            XWindowAttributes attributes;
            return XtIsRealized(mArea) &&
                   XGetWindowAttributes(XtDisplay(mArea), XtWindow(mArea), &attributes) &&
                   attributes.map_state == IsViewable;
        });
    }
    // Posting grabs pointer and keyboard. Two tests posting at once on one display
    // each get one of the two and both posts fail, so posting tests take turns; the
    // lock goes with the test process.
    static void lockTheGrab()
    {
        const char *display = getenv("DISPLAY");
        std::string path = std::string("/tmp/vireo-menu-grab") + (display ? display : "") + ".lock";
        int fd = open(path.c_str(), O_RDWR | O_CREAT, 0600);
        ASSERT_GE(fd, 0) << path;
        ASSERT_EQ(flock(fd, LOCK_EX), 0);
    }
    // Dispatches a press as if the server had delivered it to the area.
    void press(unsigned int button)
    {
        XEvent event;
        memset(&event, 0, sizeof event);
        XButtonEvent &b = event.xbutton;
        b.type = ButtonPress;
        b.display = XtDisplay(mArea);
        b.window = XtWindow(mArea);
        b.root = RootWindowOfScreen(XtScreen(mArea));
        b.button = button;
        b.x = b.y = 20;
        b.x_root = b.y_root = 40;
        b.time = CurrentTime;
        b.same_screen = True;
        XtDispatchEvent(&event);
        fwtest::pump(20);
    }
    static void sMapped(Widget, XtPointer clientData, XtPointer) { ++*(int *)clientData; }
    Widget mArea = nullptr;
};

TEST_F(PopupMenuTest, ButtonThreePostsOnceAndOtherButtonsDoNot)
{
    VkPopupMenu *popup = new VkPopupMenu(mArea, sPopup, sWinData);
    ASSERT_NE(popup->baseWidget(), nullptr);
    int maps = 0;
    XtAddCallback(popup->baseWidget(), XmNmapCallback, sMapped, &maps);
    press(Button1);
    press(Button2);
    EXPECT_FALSE(XtIsManaged(popup->baseWidget()));
    EXPECT_EQ(maps, 0);
    press(Button3);
    EXPECT_TRUE(XtIsManaged(popup->baseWidget()));
    EXPECT_EQ(maps, 1);
    delete popup;
}

TEST_F(PopupMenuTest, NullEventPostsAtThePointerAndUnbuiltPopupIsIgnored)
{
    VkPopupMenu unbuilt(sPopup, nullptr);
    unbuilt.popup(nullptr);
    EXPECT_EQ(unbuilt.baseWidget(), nullptr);

    VkPopupMenu popup(mArea, sPopup, nullptr);
    popup.popup(nullptr);
    fwtest::pump(20);
    EXPECT_TRUE(XtIsManaged(popup.baseWidget()));
}

TEST_F(PopupMenuTest, SubmenusGetThePopupsDataNotTheirEntrys)
{
    VkPopupMenu popup(mArea, sPopup, sWinData);
    EXPECT_STREQ(popup.item(1)->name(), "separator");
    activate(popup.findItem("Launch"));
    activate(popup.findItem("Second"));
    std::vector<std::string> expected = {"Launch:win", "Second:win"};
    EXPECT_EQ(gCalls, expected);
}

TEST_F(PopupMenuTest, DeletedPopupNoLongerAnswersPresses)
{
    delete new VkPopupMenu(mArea, "gridMenu", sPopup, nullptr);
    press(Button3);                 // would reach the deleted popup's handler
    VkPopupMenu *next = new VkPopupMenu(mArea, sPopup, nullptr);
    press(Button3);
    EXPECT_TRUE(XtIsManaged(next->baseWidget()));
    delete next;
}

TEST_F(PopupMenuTest, PopupOutlivesTheWidgetItWasAttachedTo)
{
    VkPopupMenu popup(mArea, sPopup, nullptr);
    VkMenuItem *launch = popup.findItem("Launch");
    XtDestroyWidget(mArea);
    fwtest::pump(20);
    EXPECT_EQ(popup.baseWidget(), nullptr);
    EXPECT_EQ(launch->baseWidget(), nullptr);
    EXPECT_FALSE(popup.isBuilt());
}

// ---- Option menus

class OptionMenuTest : public MenuWindowTest {
protected:
    void SetUp() override
    {
        MenuWindowTest::SetUp();
        mArea = XtVaCreateManagedWidget("area", xmFormWidgetClass, mWindow->mainWindowWidget(),
                                        nullptr);
    }
    Widget mArea = nullptr;
};

TEST_F(OptionMenuTest, HistoryFollowsNameIndexAndItemAndIgnoresWhatIsNotThere)
{
    VkOptionMenu option(mArea, "size", sSizes, nullptr);
    EXPECT_EQ(option.numItems(), 3);
    EXPECT_TRUE(XtIsManaged(option.baseWidget()));
    EXPECT_STREQ(XtName(option.pulldown()), "size_pulldown");

    option.setMenuHistory("Medium");
    EXPECT_EQ(option.getIndex(), 1);
    EXPECT_STREQ(option.getItem()->name(), "Medium");
    option.setMenuHistory(7);
    option.setMenuHistory(-1);
    option.setMenuHistory("Huge");
    option.setMenuHistory((VkMenuItem *)nullptr);
    EXPECT_EQ(option.getIndex(), 1);
    option.setMenuHistory(2);
    EXPECT_STREQ(option.getItem()->name(), "Large");
    option.setMenuHistory(option.item(0));
    EXPECT_EQ(option.getIndex(), 0);
}

TEST_F(OptionMenuTest, LabelGoesToTheOptionLabelAndLongNamesFit)
{
    std::string name(300, 'o');
    VkOptionMenu option(mArea, name.c_str(), nullptr, nullptr);
    EXPECT_EQ(option.numItems(), 0);
    EXPECT_EQ(std::string(XtName(option.pulldown())), name + "_pulldown");
    EXPECT_EQ(fwtest::labelText(XmOptionLabelGadget(option.baseWidget())), "");
    option.setLabel("Size:");
    EXPECT_EQ(fwtest::labelText(XmOptionLabelGadget(option.baseWidget())), "Size:");
    EXPECT_EQ(option.menuType(), OptionMenu);
}

} // namespace
