// xml_test.cpp - warnings, the enumeration converter, shell lookup and the message box.
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include "widgets/Progress.h"
#include "xfixture.h"

#include <Xm/MessageB.h>
#include <Xm/PushB.h>
#include <X11/IntrinsicP.h>

namespace {

using WarningTest = XTest;

TEST_F(WarningTest, NamesTheClassThenTheWidget)
{
    Widget meter = XmLCreateProgress(mShell, (char *)"serverGrid", nullptr, 0);
    Widget unnamed = XmLCreateProgress(mShell, (char *)"", nullptr, 0);
    XmLWarning(meter, "AddRows() - count sanity check failed");
    XmLWarning(unnamed, "text");
    EXPECT_EQ(sWarnings, (std::vector<std::string>{
                             "XmLProgress: serverGrid: AddRows() - count sanity check failed\n",
                             "XmLProgress: [No Name]: text\n"}));
}

TEST_F(WarningTest, LongNamesAndTextsArriveWhole)
{
    std::string name(3000, 'n'), text(5000, 't');
    Widget meter = XmLCreateProgress(mShell, (char *)name.c_str(), nullptr, 0);
    XmLWarning(meter, text.c_str());
    ASSERT_EQ(sWarnings.size(), 1u);
    EXPECT_EQ(sWarnings[0], "XmLProgress: " + name + ": " + text + "\n");
}

class ConverterTest : public XTest {
protected:
    Boolean convert(const char *text, XrmValue *to)
    {
        static const XmLStringToUCharMap map[] = {{"ONE", 1}, {"TWO", 2}, {nullptr, 0}};
        XrmValue from;
        from.addr = (XPointer)text;
        from.size = (unsigned)strlen(text) + 1;
        return XmLCvtStringToUChar(mDisplay, "XmRNumber", map, &from, to);
    }
};

TEST_F(ConverterTest, StoresOrPointsAtTheValueOfAnExactName)
{
    unsigned char value = 0;
    XrmValue to = {1, (XPointer)&value};
    EXPECT_TRUE(convert("TWO", &to));
    EXPECT_EQ(value, 2);
    EXPECT_EQ(to.size, 1u);
    XrmValue empty = {0, nullptr};
    EXPECT_TRUE(convert("ONE", &empty));
    ASSERT_NE(empty.addr, nullptr);
    EXPECT_EQ(*(unsigned char *)empty.addr, 1);
    EXPECT_EQ(empty.size, 1u);
    EXPECT_TRUE(sWarnings.empty());
}

TEST_F(ConverterTest, AskForRoomWhenTheDestinationHasNone)
{
    unsigned char value = 9;
    XrmValue to = {0, (XPointer)&value};
    EXPECT_FALSE(convert("ONE", &to));
    EXPECT_EQ(to.size, 1u);
    EXPECT_EQ(value, 9);
}

TEST_F(ConverterTest, AnUnknownNameWarnsWithTheTypeAndConvertsNothing)
{
    unsigned char value = 9;
    XrmValue to = {1, (XPointer)&value};
    EXPECT_FALSE(convert("two", &to));
    EXPECT_EQ(value, 9);
    EXPECT_EQ(to.size, 0u);
    EXPECT_EQ(to.addr, nullptr);
    EXPECT_EQ(sWarnings, std::vector<std::string>{"Cannot convert string \"two\" to type XmRNumber"});
}

using ShellTest = XTest;

TEST_F(ShellTest, FindsTheNearestShellOrItself)
{
    Widget meter = XmLCreateProgress(mShell, (char *)"meter", nullptr, 0);
    Widget popup = XtVaCreatePopupShell("popup", transientShellWidgetClass, meter, NULL);
    Widget inner = XmLCreateProgress(popup, (char *)"inner", nullptr, 0);
    EXPECT_EQ(XmLShellOfWidget(meter), mShell);
    EXPECT_EQ(XmLShellOfWidget(mShell), mShell);
    EXPECT_EQ(XmLShellOfWidget(inner), popup);
    EXPECT_EQ(XmLShellOfWidget(nullptr), nullptr);
}

// Answers the message box by pressing one of its buttons, or by closing its
// window, as soon as it shows.
class MessageBoxTest : public XTest {
public:
    // Answers Cancel, then calls the OK callbacks of the doomed dialog.
    int askAndAnswerLate()
    {
        int answer = ask(XmDIALOG_CANCEL_BUTTON);
        EXPECT_TRUE(mDialog->core.being_destroyed);
        XmAnyCallbackStruct late = {XmCR_OK, nullptr};
        XtCallCallbacks(mDialog, XmNokCallback, &late);
        return answer;
    }

protected:
    void SetUp() override
    {
        XTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        XtVaSetValues(mShell, XmNtitle, "Vireo Test", XmNwidth, 100, XmNheight, 50, NULL);
        mButton = XtVaCreateManagedWidget("button", xmPushButtonWidgetClass, mShell, NULL);
        show();
    }

    int ask(int child, Boolean okOnly = False)
    {
        mChild = child;
        XtAppAddTimeOut(mApp, 20, sAnswer, this);
        return XmLMessageBox(mButton, "Query all servers?\nThis may take a while.", okOnly);
    }

    static void sAnswer(XtPointer clientData, XtIntervalId *)
    {
        static_cast<MessageBoxTest *>(clientData)->answer();
    }

    void answer()
    {
        mDialog = XtNameToWidget(mShell, "*popup");
        if (!mDialog || !XtIsManaged(mDialog) || !viewable(XtWindow(XtParent(mDialog)))) {
            XtAppAddTimeOut(mApp, 20, sAnswer, this);
            return;
        }
        XmString title = nullptr;
        XtVaGetValues(mDialog, XmNdialogTitle, &title, NULL);
        char *text = nullptr;
        XmStringGetLtoR(title, (char *)XmFONTLIST_DEFAULT_TAG, &text);
        mTitle = text ? text : "";
        XtFree(text);
        XmStringFree(title);
        mCancelManaged = XtIsManaged(XmMessageBoxGetChild(mDialog, XmDIALOG_CANCEL_BUTTON));
        mHelpManaged = XtIsManaged(XmMessageBoxGetChild(mDialog, XmDIALOG_HELP_BUTTON));
        if (mChild < 0)
            closeWindow(XtParent(mDialog));
        else
            press(XmMessageBoxGetChild(mDialog, (unsigned char)mChild));
    }

    void press(Widget button)
    {
        XEvent event = {};
        event.xbutton.type = ButtonRelease;
        event.xbutton.display = mDisplay;
        event.xbutton.window = XtWindow(button);
        XmPushButtonCallbackStruct activate = {XmCR_ACTIVATE, &event, 1};
        XtCallCallbacks(button, XmNactivateCallback, &activate);
    }

    void closeWindow(Widget shell)
    {
        XEvent event = {};
        event.xclient.type = ClientMessage;
        event.xclient.window = XtWindow(shell);
        event.xclient.message_type = XInternAtom(mDisplay, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = (long)XInternAtom(mDisplay, "WM_DELETE_WINDOW", False);
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(mDisplay, XtWindow(shell), False, NoEventMask, &event);
    }

    Widget      mButton = nullptr;
    Widget      mDialog = nullptr;
    int         mChild = 0;
    bool        mCancelManaged = false;
    bool        mHelpManaged = false;
    std::string mTitle;
};

TEST_F(MessageBoxTest, EachButtonGivesItsAnswerUnderTheShellsTitle)
{
    EXPECT_EQ(ask(XmDIALOG_OK_BUTTON), XmLAnswerOk);
    EXPECT_EQ(ask(XmDIALOG_CANCEL_BUTTON), XmLAnswerCancel);
    EXPECT_EQ(ask(XmDIALOG_HELP_BUTTON), XmLAnswerHelp);
    EXPECT_EQ(mTitle, "Vireo Test");
}

TEST_F(MessageBoxTest, OkOnlyHidesCancelAndHelp)
{
    EXPECT_EQ(ask(XmDIALOG_OK_BUTTON, True), XmLAnswerOk);
    EXPECT_FALSE(mCancelManaged);
    EXPECT_FALSE(mHelpManaged);
    EXPECT_EQ(ask(XmDIALOG_OK_BUTTON), XmLAnswerOk);
    EXPECT_TRUE(mCancelManaged);
    EXPECT_TRUE(mHelpManaged);
}

TEST_F(MessageBoxTest, ClosingTheWindowAnswersOkAndTheDialogGoes)
{
    EXPECT_EQ(ask(-1), XmLAnswerOk);
    EXPECT_EQ(XtNameToWidget(mShell, "*popup"), nullptr);
}

// Asked from inside event dispatch, as a callback would: the toolkit defers
// the dialog's destruction, so its callbacks can still run after the answer.
static void sAskInDispatch(Widget, XtPointer clientData, XEvent *, Boolean *)
{
    auto *test = static_cast<MessageBoxTest *>(clientData);
    EXPECT_EQ(test->askAndAnswerLate(), XmLAnswerCancel);
}

TEST_F(MessageBoxTest, ALateAnswerAfterReturningIsHarmless)
{
    XtAddEventHandler(mButton, NoEventMask, True, sAskInDispatch, this);
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.display = mDisplay;
    event.xclient.window = XtWindow(mButton);
    event.xclient.format = 32;
    XtDispatchEvent(&event);
    settle();
    EXPECT_EQ(XtNameToWidget(mShell, "*popup"), nullptr);
}

}  // namespace
