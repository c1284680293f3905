// test_menu_items.cpp - menu items: state kept until they are built, toggles, labels,
// and confirm-first actions that ask before they act.
// GoogleTest comes before the X headers, whose None and Bool macros it would trip over.
#include <gtest/gtest.h>

#include "framework/VkApp.h"
#include "framework/VkMenuBar.h"
#include "framework/VkQuestionDialog.h"
#include "framework/VkSubMenu.h"
#include "framework/VkWindow.h"
#include "tests/framework/fwtest.h"

#include <Xm/MessageB.h>
#include <Xm/PushBG.h>
#include <Xm/ToggleBG.h>

#include <string>
#include <vector>

namespace {

struct Call {
    Widget      widget;
    std::string data;
    int         set;        // toggles only; -1 for actions
};
std::vector<Call> gCalls;

void onAction(Widget w, XtPointer clientData, XtPointer)
{ gCalls.push_back({w, clientData ? (const char *)clientData : "", -1}); }

void onToggle(Widget w, XtPointer clientData, XtPointer callData)
{
    auto *toggle = static_cast<XmToggleButtonCallbackStruct *>(callData);
    gCalls.push_back({w, clientData ? (const char *)clientData : "", toggle ? toggle->set : -1});
}

char sData[] = "data";

// Items are made in an unbuilt submenu; build() puts it into a shown window's bar.
class MenuItemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fwtest::app();
        gCalls.clear();
        mWindow = new VkWindow("items");
        mBar = new VkMenuBar(False);
        mWindow->setMenuBar(mBar);
        mWindow->show();
        mMenu = new VkSubMenu("Things");
    }
    void build() { mBar->addItem(mMenu); }
    void activate(VkMenuItem *item)
    {
        XmPushButtonCallbackStruct data = {XmCR_ACTIVATE, nullptr, 1};
        XtCallCallbacks(item->baseWidget(), XmNactivateCallback, &data);
    }
    fwtest::Watchdog mWatchdog;
    VkWindow *mWindow = nullptr;
    VkMenuBar *mBar = nullptr;
    VkSubMenu *mMenu = nullptr;
};

TEST_F(MenuItemTest, SensitivityStateAndLabelSetBeforeTheBuildAreApplied)
{
    VkMenuAction *off = mMenu->addAction("Off", onAction, sData);
    VkMenuToggle *on = mMenu->addToggle("On", onToggle, sData);
    VkMenuLabel *caption = mMenu->addLabel("Caption");
    off->deactivate();
    on->setState(True);
    caption->setLabel("Servers found");
    EXPECT_FALSE(on->getState());           // an unbuilt toggle reads unset
    EXPECT_EQ(caption->baseWidget(), nullptr);

    build();
    EXPECT_FALSE(XtIsSensitive(off->baseWidget()));
    EXPECT_TRUE(on->getState());
    EXPECT_TRUE(XmToggleButtonGadgetGetState(on->baseWidget()));
    EXPECT_TRUE(gCalls.empty());            // applied without notifying
    EXPECT_EQ(fwtest::labelText(caption->baseWidget()), "Servers found");

    caption->setLabel("Later");
    EXPECT_EQ(fwtest::labelText(caption->baseWidget()), "Later");
    off->activate();
    EXPECT_TRUE(XtIsSensitive(off->baseWidget()));
}

TEST_F(MenuItemTest, SubmenuMadeInsensitiveBeforeTheBuildComesUpInsensitive)
{
    mMenu->addAction("Open");
    mMenu->deactivate();
    build();
    EXPECT_FALSE(XtIsSensitive(mMenu->baseWidget()));
}

TEST_F(MenuItemTest, ItemsWithoutCallbackDoNothingWhenChosen)
{
    VkMenuAction *plain = mMenu->addAction("Plain");
    VkMenuConfirmFirstAction *confirm = mMenu->addConfirmFirstAction("Confirm");
    build();
    EXPECT_EQ(XtHasCallbacks(plain->baseWidget(), XmNactivateCallback), XtCallbackHasNone);
    EXPECT_EQ(XtHasCallbacks(confirm->baseWidget(), XmNactivateCallback), XtCallbackHasNone);
}

// ---- Confirm-first actions

class MenuConfirmTest : public MenuItemTest {
protected:
    VkMenuConfirmFirstAction *make(const char *name)
    {
        VkMenuConfirmFirstAction *wipe = mMenu->addConfirmFirstAction(name, onAction, sData);
        build();
        return wipe;
    }
    // As a click on the dialog's button would; the buttons are gadgets.
    void press(Widget question, unsigned char child)
    {
        Widget button = XmMessageBoxGetChild(question, child);
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(XtIsManaged(button));
        XmPushButtonCallbackStruct data = {XmCR_ACTIVATE, nullptr, 1};
        XtCallCallbacks(button, XmNactivateCallback, &data);
    }
    // Chooses the item and returns the question it posted.
    Widget choose(VkMenuItem *item)
    {
        activate(item);
        Widget question = gQuestionDialog->lastPostedDialog();
        EXPECT_NE(question, nullptr);
        return question;
    }
};

TEST_F(MenuConfirmTest, ActionRunsOnlyAfterOK)
{
    VkMenuConfirmFirstAction *wipe = make("Wipe");
    Widget question = choose(wipe);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(fwtest::messageText(question),
              "This action cannot be undone.  Do you want to proceed anyway?");
    EXPECT_TRUE(gCalls.empty());
    press(question, XmDIALOG_CANCEL_BUTTON);
    EXPECT_TRUE(gCalls.empty());

    question = choose(wipe);
    ASSERT_NE(question, nullptr);
    press(question, XmDIALOG_OK_BUTTON);
    ASSERT_EQ(gCalls.size(), 1u);
    EXPECT_EQ(gCalls[0].data, "data");
    EXPECT_EQ(gCalls[0].widget, question);  // the dialog, not the menu item
    EXPECT_FALSE(XtIsManaged(question));
}

TEST_F(MenuConfirmTest, QuestionComesFromTheItemsResource)
{
    XrmDatabase db = XtDatabase(fwtest::app()->display());
    XrmPutLineResource(&db, "*Wipe.noUndoQuestion: Forget every server?");
    Widget question = choose(make("Wipe"));
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(fwtest::messageText(question), "Forget every server?");
}

TEST_F(MenuConfirmTest, LongNameStillFindsItsResource)
{
    std::string name(300, 'w');
    XrmDatabase db = XtDatabase(fwtest::app()->display());
    XrmPutLineResource(&db, ("*" + name + ".noUndoQuestion: Long one?").c_str());
    VkMenuConfirmFirstAction *wipe = make(name.c_str());
    EXPECT_EQ(std::string(wipe->questionText()), "*" + name + ".noUndoQuestion");
    Widget question = choose(wipe);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(fwtest::messageText(question), "Long one?");
}

} // namespace
