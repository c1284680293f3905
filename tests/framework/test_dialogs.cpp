// test_dialogs.cpp - dialog managers: buttons, texts, reuse, callbacks, modality, waiting posts.
// GoogleTest comes before the X headers, whose None and Bool macros it would trip over.
#include <gtest/gtest.h>

#include "framework/VkApp.h"
#include "framework/VkBusyDialog.h"
#include "framework/VkErrorDialog.h"
#include "framework/VkInfoDialog.h"
#include "framework/VkQuestionDialog.h"
#include "framework/VkSimpleWindow.h"
#include "tests/framework/fwtest.h"

#include <Xm/MessageB.h>
#include <Xm/Xm.h>

#include <string>
#include <vector>

namespace {

using fwtest::press;
using fwtest::pressLater;

std::vector<std::string> gCalls;

void okA(Widget, XtPointer data, XtPointer) { gCalls.push_back(std::string("A:") + (char *)data); }
void okB(Widget, XtPointer data, XtPointer) { gCalls.push_back(std::string("B:") + (char *)data); }
void cancelC(Widget, XtPointer data, XtPointer)
{ gCalls.push_back(std::string("C:") + (char *)data); }

class Parent : public VkSimpleWindow {
public:
    explicit Parent(const char *name) : VkSimpleWindow(name) {}
};

// Counts the manager's own answers, to see its handlers run once per press.
class CountingQuestions : public VkQuestionDialog {
public:
    CountingQuestions() : VkQuestionDialog("QuestionDialogManager") {}
    void ok(Widget dialog, XtPointer callData) override
    {
        mOks++;
        VkQuestionDialog::ok(dialog, callData);
    }
    int mOks = 0;
};

bool managed(Widget dialog, int child)
{
    Widget w = VkDialogManager::dialogChild(dialog, child);
    return w && XtIsManaged(w);
}

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        gCalls.clear();
        fwtest::app();
        mMain = new Parent("main");
        mMain->show();
        mOther = new Parent("other");
        mOther->show();
    }
    Parent *mMain;
    Parent *mOther;
    CountingQuestions mQuestions;
    fwtest::Watchdog mWatchdog;
};

TEST_F(DialogTest, EachKindShowsItsOwnButtons)
{
    Widget info = gInfoDialog->post("i", nullptr, nullptr, nullptr, nullptr, "help", mMain);
    Widget error = gErrorDialog->post("e", nullptr, nullptr, nullptr, nullptr, nullptr, mMain);
    Widget question = mQuestions.post("q", nullptr, nullptr, nullptr, nullptr, nullptr, mMain);
    Widget busy = gBusyDialog->post("b", nullptr, nullptr, nullptr, nullptr, nullptr, mMain);
    for (Widget d : {info, error})
        EXPECT_TRUE(managed(d, XmDIALOG_OK_BUTTON) && !managed(d, XmDIALOG_CANCEL_BUTTON)
                    && !managed(d, XmDIALOG_HELP_BUTTON));
    EXPECT_TRUE(managed(question, XmDIALOG_OK_BUTTON) && managed(question, XmDIALOG_CANCEL_BUTTON));
    EXPECT_FALSE(managed(busy, XmDIALOG_OK_BUTTON) || managed(busy, XmDIALOG_CANCEL_BUTTON));
    EXPECT_EQ(VkDialogManager::dialogChild(info, XmDIALOG_APPLY_BUTTON), nullptr);
    EXPECT_STREQ(XtName(info), "InfoDialogManager");
    EXPECT_STREQ(gErrorDialog->className(), "VkErrorDialog");
    EXPECT_EQ(fwtest::messageText(error), "e");
}

// Texts are resource names first and never printf formats.
TEST_F(DialogTest, TextsAreShownLiterallyOrAsTheResourceTheyName)
{
    XrmDatabase db = XtDatabase(gApplication->display());
    XrmPutLineResource(&db, "*serverGreeting: Hello there");
    gInfoDialog->setTitle("Load 100% %s");
    Widget a = gInfoDialog->post("Server 50% full %s %n", nullptr, nullptr, nullptr, nullptr,
                                 nullptr, mMain);
    Widget b = gInfoDialog->post("serverGreeting", nullptr, nullptr, nullptr, nullptr, nullptr,
                                 mMain);
    Widget c = gInfoDialog->post("About <application>", nullptr, nullptr, nullptr, nullptr,
                                 nullptr, mOther);
    EXPECT_EQ(fwtest::messageText(a), "Server 50% full %s %n");
    EXPECT_EQ(fwtest::messageText(b), "Hello there");
    EXPECT_EQ(fwtest::messageText(c), "About Vireo");
    for (Widget d : {a, b, c})
        EXPECT_EQ(fwtest::shellTitle(XtParent(d)), "Load 100% %s");
}

// A message listing many addresses has far more '.'-separated parts than a
// resource name may have; it is shown as it stands.
TEST_F(DialogTest, AnyTextCanBePostedAndTextsNoResourceNameHoldsAreShownAsTheyStand)
{
    std::string message = "Servers not answering:";
    for (int i = 1; i <= 40; i++)
        message += " 10.0.0." + std::to_string(i);
    std::string title(300, '.');
    XrmDatabase db = XtDatabase(gApplication->display());
    XrmPutLineResource(&db, "*two words: Resolved");
    gErrorDialog->setTitle(title.c_str());
    Widget a = gErrorDialog->post(message.c_str(), nullptr, nullptr, nullptr, nullptr,
                                  nullptr, mMain);
    Widget b = gErrorDialog->post("two words", nullptr, nullptr, nullptr, nullptr, nullptr,
                                  mOther);
    EXPECT_EQ(fwtest::messageText(a), message);
    EXPECT_EQ(fwtest::shellTitle(XtParent(a)), title);
    EXPECT_EQ(fwtest::messageText(b), "two words");
}

TEST_F(DialogTest, ShortPostWithAParentSaysSo)
{
    testing::internal::CaptureStdout();
    gInfoDialog->post("i", mMain);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "parent is not null here\n");
}

TEST_F(DialogTest, DialogIsReusedForItsParentOnceAnswered)
{
    Widget first = mQuestions.post("1", nullptr, nullptr, nullptr, nullptr, nullptr, mMain);
    Widget second = mQuestions.post("2", nullptr, nullptr, nullptr, nullptr, nullptr, mMain);
    EXPECT_NE(first, second);
    ASSERT_TRUE(press(first, fwtest::OK));
    EXPECT_FALSE(XtIsManaged(first));
    EXPECT_EQ(mQuestions.post("3", nullptr, nullptr, nullptr, nullptr, nullptr, mMain), first);
    EXPECT_NE(mQuestions.post("4", nullptr, nullptr, nullptr, nullptr, nullptr, mOther), first);
    EXPECT_EQ(mQuestions.numDialogs(), 3);
    EXPECT_EQ(mQuestions.lastPostedDialog(), mQuestions.postModal("5", nullptr, nullptr,
                                                                  (VkComponent *)mOther));
}

TEST_F(DialogTest, ReusedDialogRunsOnlyTheCallbacksOfItsLatestPost)
{
    Widget d = mQuestions.post("1", okA, cancelC, (XtPointer) "1", nullptr, mMain);
    ASSERT_TRUE(press(d, fwtest::OK));
    ASSERT_EQ(mQuestions.post("2", okB, nullptr, (XtPointer) "2", nullptr, mMain), d);
    ASSERT_TRUE(press(d, fwtest::OK));
    ASSERT_EQ(mQuestions.post("3", nullptr, nullptr, nullptr, nullptr, mMain), d);
    ASSERT_TRUE(press(d, fwtest::Cancel));
    EXPECT_EQ(gCalls, (std::vector<std::string>{"A:1", "B:2"}));
    EXPECT_EQ(mQuestions.mOks, 2);
}

TEST_F(DialogTest, ButtonLabelsServeTheNextPostOnly)
{
    mQuestions.setButtonLabels("Connect");
    Widget d = mQuestions.post("q", nullptr, nullptr, nullptr, nullptr, nullptr, mMain);
    Widget fresh = mQuestions.post("q", nullptr, nullptr, nullptr, nullptr, nullptr, mMain);
    EXPECT_EQ(fwtest::labelText(VkDialogManager::dialogChild(d, XmDIALOG_OK_BUTTON)), "Connect");
    EXPECT_EQ(fwtest::labelText(VkDialogManager::dialogChild(fresh, XmDIALOG_OK_BUTTON)), "OK");
    EXPECT_EQ(fwtest::labelText(VkDialogManager::dialogChild(d, XmDIALOG_CANCEL_BUTTON)),
              "Cancel");
}

TEST_F(DialogTest, ModalPostsAreFullApplicationModalAndPlainPostsNot)
{
    Widget d = mQuestions.postModal("q", nullptr, nullptr, (VkComponent *)mMain);
    unsigned char style = 0;
    XtVaGetValues(d, XmNdialogStyle, &style, nullptr);
    EXPECT_EQ(style, XmDIALOG_FULL_APPLICATION_MODAL);
    ASSERT_TRUE(press(d, fwtest::Cancel));
    ASSERT_EQ(mQuestions.post("q", nullptr, nullptr, nullptr, nullptr, nullptr, mMain), d);
    XtVaGetValues(d, XmNdialogStyle, &style, nullptr);
    EXPECT_EQ(style, XmDIALOG_MODELESS);
}

TEST_F(DialogTest, CentredDialogSitsInTheMiddleOfTheScreen)
{
    mQuestions.setCentred(True);
    Widget d = mQuestions.post("centre me", nullptr, nullptr, nullptr, nullptr, nullptr, mMain);
    Widget shell = XtParent(d);
    fwtest::pump(100);
    Display *dpy = XtDisplay(shell);
    XWindowAttributes a;
    XGetWindowAttributes(dpy, XtWindow(shell), &a);
    int x = 0, y = 0;
    ::Window child;
    XTranslateCoordinates(dpy, XtWindow(shell), DefaultRootWindow(dpy), 0, 0, &x, &y, &child);
    EXPECT_NEAR(x, (WidthOfScreen(a.screen) - a.width) / 2, 2);
    EXPECT_NEAR(y, (HeightOfScreen(a.screen) - a.height) / 2, 2);
}

TEST_F(DialogTest, UnpostTouchesOnlyTheManagersOwnDialogs)
{
    Widget q = mQuestions.post("q", nullptr, nullptr, nullptr, nullptr, nullptr, mMain);
    Widget e = gErrorDialog->post("e", nullptr, nullptr, nullptr, nullptr, nullptr, mMain);
    mQuestions.unpost(e);
    EXPECT_TRUE(XtIsManaged(e));
    mQuestions.post("q2", nullptr, nullptr, nullptr, nullptr, nullptr, mOther);
    mQuestions.unpostAll();
    EXPECT_FALSE(XtIsManaged(q));
    EXPECT_EQ(mQuestions.lastPostedDialog(), nullptr);
    EXPECT_EQ(gErrorDialog->lastPostedDialog(), e);
}

// A dialog goes with its parent's widgets and must be forgotten with them.
TEST_F(DialogTest, DialogOfADestroyedParentIsForgotten)
{
    Parent *doomed = new Parent("doomed");
    doomed->show();
    Widget d = mQuestions.post("q", nullptr, nullptr, nullptr, nullptr, nullptr, doomed);
    mQuestions.post("q", nullptr, nullptr, nullptr, nullptr, nullptr, mMain);
    ASSERT_EQ(mQuestions.numDialogs(), 2);
    delete doomed;
    fwtest::pump(50);
    EXPECT_EQ(mQuestions.numDialogs(), 1);
    mQuestions.unpostAll();
    EXPECT_EQ(mQuestions.lastPostedDialog(), nullptr);
    Parent *successor = new Parent("successor");
    successor->show();
    EXPECT_NE(mQuestions.post("q", nullptr, nullptr, nullptr, nullptr, nullptr, successor), d);
    EXPECT_EQ(mQuestions.numDialogs(), 2);
}

// ---- Waiting posts

TEST_F(DialogTest, PostBlockingAnswersZeroForOkAndTwoForCancel)
{
    pressLater(&mQuestions, fwtest::OK);
    EXPECT_EQ(mQuestions.postBlocking("Connect?", mMain), 0);
    pressLater(&mQuestions, fwtest::Cancel);
    EXPECT_EQ(mQuestions.postBlocking("Connect?", mMain), 2);
}

TEST_F(DialogTest, PostAndWaitWithoutParentMakesANewErrorDialogEachTime)
{
    gErrorDialog->setTitle("Vireo error");
    pressLater(gErrorDialog, fwtest::OK);
    Widget first = gErrorDialog->postAndWait("Could not open specified file.");
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(XtIsManaged(first));
    EXPECT_EQ(fwtest::messageText(first), "Could not open specified file.");
    EXPECT_EQ(fwtest::shellTitle(XtParent(first)), "Vireo error");
    pressLater(gErrorDialog, fwtest::OK);
    EXPECT_NE(gErrorDialog->postAndWait("Could not open specified file."), first);
}

TEST_F(DialogTest, WindowManagerCloseAnswersCancel)
{
    fwtest::later(30, [this] {
        fwtest::sendProtocol(XtParent(mQuestions.lastPostedDialog()), "WM_DELETE_WINDOW");
    });
    EXPECT_EQ(mQuestions.postBlocking("close me", mMain), 2);

    Widget d = mQuestions.postModal("and me", okA, cancelC, (XtPointer) "x",
                                    (VkComponent *)mMain);
    fwtest::sendProtocol(XtParent(d), "WM_DELETE_WINDOW");
    EXPECT_TRUE(fwtest::pumpUntil([d] { return !XtIsManaged(d); }));
    EXPECT_EQ(gCalls, (std::vector<std::string>{"C:x"}));
}

TEST_F(DialogTest, DialogTakenDownByOthersEndsTheWait)
{
    fwtest::later(30, [] { gBusyDialog->unpostAll(); });
    EXPECT_EQ(gBusyDialog->postBlocking("Working...", mMain), 2);
}

TEST_F(DialogTest, NestedWaitOnTheSameManagerDoesNotEndTheOuterOne)
{
    int inner = -1;
    bool outerStillUp = false;
    fwtest::later(30, [&] {
        Widget outer = mQuestions.lastPostedDialog();
        pressLater(&mQuestions, fwtest::OK);        // answers the inner dialog
        inner = mQuestions.postBlocking("inner", mOther);
        outerStillUp = XtIsManaged(outer);
        fwtest::later(30, [outer] { press(outer, fwtest::Cancel); });
    });
    EXPECT_EQ(mQuestions.postBlocking("outer", mMain), 2);
    EXPECT_EQ(inner, 0);
    EXPECT_TRUE(outerStillUp);
}

} // namespace
