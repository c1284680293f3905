// test_resources.cpp - the class resource file as the program reads it: every dialog has a
// title of its own, the About dialog's fonts are ones a standard X server has, and the rules
// pane opens wide enough for its columns.
#include <gtest/gtest.h>

#include "browser/optionsDialog.h"
#include "framework/VkDialogManager.h"
#include "framework/VkErrorDialog.h"
#include "framework/VkInfoDialog.h"
#include "framework/VkQuestionDialog.h"
#include "tests/browser/mainwin_harness.h"
#include "tests/framework/fwtest.h"
#include "widgets/Grid.h"

#include <Xm/Xm.h>

#include <cstdlib>
#include <string>

using namespace harness;

class ResourceFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // As main does for the program: the toolkit reads the file when the display opens.
        setenv("XENVIRONMENT", VIREO_RESOURCE_FILE, 1);
    }
    void show(const std::string &settings)
    {
        mHome.writeSettings(settings);
        mWin = showWindow();
    }
    static std::string shellTitle(Widget dialog)
    {
        char *title = nullptr;
        XtVaGetValues(XtParent(dialog), XmNtitle, &title, nullptr);
        return title ? title : "";
    }
    std::string postedTitle(VkDialogManager *manager)
    {
        Widget dialog = manager->post("A message.", (VkComponent *)nullptr);
        EXPECT_NE(dialog, nullptr);
        std::string title = dialog ? shellTitle(dialog) : "";
        manager->unpostAll();
        return title;
    }
    std::string dialogTitle(const char *name)
    {
        Widget form = XtNameToWidget(mWin->mainWindowWidget(), name);
        if (!form)
            form = XtNameToWidget(mWin->baseWidget(), name);
        EXPECT_NE(form, nullptr) << name;
        return form ? shellTitle(form) : "";
    }

    fwtest::Watchdog mWatchdog{30};
    TempHome         mHome;
    TestWin         *mWin = nullptr;
};

TEST_F(ResourceFileTest, EveryDialogHasATitleOfItsOwn)
{
    show("server 10.0.0.5:26000 0\n");
    EXPECT_EQ(postedTitle(gErrorDialog), "Vireo: Error");
    EXPECT_EQ(postedTitle(gInfoDialog), "Vireo: Information");
    EXPECT_EQ(postedTitle(gQuestionDialog), "Vireo: Question");

    mWin->showAddDialog();
    EXPECT_EQ(dialogTitle("*AddDialog"), "Add Server");
    MainWin::aboutCB(nullptr, mWin, nullptr);
    EXPECT_EQ(dialogTitle("*AboutDialog"), "About Vireo");
    mWin->slotOpened(&mWin->servers().front());
    EXPECT_EQ(dialogTitle("*RedialDialog"), "Busy Server Redial");
    mWin->showOptionsDialog();
    EXPECT_EQ(dialogTitle("*OptionsDialog"), "Options");
    mWin->optionsDialog()->addSourceCB();
    EXPECT_EQ(dialogTitle("*SourceDialog"), "Add Server-List Source");
}

// A font the server lacks leaves the label in the default font and the toolkit complains
// on standard error at every start of the dialog.
TEST_F(ResourceFileTest, AboutFontsAreFontsOfAStandardServer)
{
    show("");
    testing::internal::CaptureStderr();
    MainWin::aboutCB(nullptr, mWin, nullptr);
    fwtest::pump(100);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.find("Cannot convert"), std::string::npos) << said;
    Widget title = XtNameToWidget(mWin->mainWindowWidget(), "*AboutDialog*titleLabel");
    Widget date = XtNameToWidget(mWin->mainWindowWidget(), "*AboutDialog*dateLabel");
    ASSERT_NE(title, nullptr);
    ASSERT_NE(date, nullptr);
    Dimension titleHeight = 0, dateHeight = 0;
    XtVaGetValues(title, XmNheight, &titleHeight, nullptr);
    XtVaGetValues(date, XmNheight, &dateHeight, nullptr);
    EXPECT_GT(titleHeight, dateHeight);     // the title stands out
}

TEST_F(ResourceFileTest, TheRulesPaneOpensWideEnoughForBothColumns)
{
    show("showinfo true\nshowrules true\n");
    fwtest::pump(100);
    Widget rules = mWin->ruleGrid();
    XRectangle whole, shown;
    ASSERT_EQ(XmLGridRowColumnToXY(rules, XmHEADING, 0, XmCONTENT, 1, False, &whole), 0);
    ASSERT_EQ(XmLGridRowColumnToXY(rules, XmHEADING, 0, XmCONTENT, 1, True, &shown), 0);
    EXPECT_EQ(shown.x, whole.x);
    EXPECT_EQ(shown.width, whole.width);    // the "Value" column is not cut
}
