// test_dialogs.cpp - the program's own dialogs: the base class's lazy build, buttons and
// answers, the About dialog, and the add dialog with what it adds to the list.
#include <gtest/gtest.h>

#include "browser/addDialog.h"
#include "browser/aboutDialog.h"
#include "browser/optionsDialog.h"
#include "browser/sourceDialog.h"
#include "tests/browser/mainwin_harness.h"
#include "tests/framework/fwtest.h"

#include <Xm/Form.h>
#include <Xm/TextF.h>
#include <Xm/ToggleB.h>
#include <Xm/Xm.h>

#include <arpa/inet.h>

#include <string>

using namespace harness;

// A dialog that counts what the base class asks of it.
class CountingDialog : public Dialog {
public:
    CountingDialog(Widget parent, int buttons) : Dialog(parent, "CountingDialog")
    { _buttons = (unsigned char)buttons; }
    const char *className() override { return "CountingDialog"; }
    void apply() override { applied++; }
    void cancel() override { cancelled++; Dialog::cancel(); }
    Widget createContents(Widget form) override
    {
        built++;
        return XtVaCreateWidget("work", xmFormWidgetClass, form, nullptr);
    }
    int built = 0, applied = 0, cancelled = 0;
};

static void click(Widget button)
{
    ASSERT_NE(button, nullptr);
    XtCallCallbacks(button, XmNactivateCallback, nullptr);
}

static unsigned char attachment(Widget w, const char *side)
{
    unsigned char value = XmATTACH_NONE;
    XtVaGetValues(w, side, &value, nullptr);
    return value;
}

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { mWin = showWindow(); }
    Widget find(const char *path) { return XtNameToWidget(mWin->mainWindowWidget(), path); }
    bool shown(Dialog &d) { return d.baseWidget() && XtIsManaged(d.baseWidget()); }

    fwtest::Watchdog mWatchdog{30};
    TempHome         mHome;
    TestWin         *mWin = nullptr;
};

TEST_F(DialogTest, WidgetsAreBuiltOnceAndKeptAcrossShows)
{
    CountingDialog d(mWin->mainWindowWidget(), Dialog::Button_OK | Dialog::Button_Cancel);
    EXPECT_EQ(d.baseWidget(), nullptr);
    d.show();
    Widget form = d.form();
    d.hide();
    EXPECT_FALSE(shown(d));
    d.show();
    EXPECT_TRUE(shown(d));
    EXPECT_EQ(d.built, 1);
    EXPECT_EQ(d.form(), form);
    unsigned char style = 0;
    Boolean noResize = False;
    XtVaGetValues(form, XmNdialogStyle, &style, nullptr);
    XtVaGetValues(form, XmNnoResize, &noResize, nullptr);
    EXPECT_EQ(style, XmDIALOG_FULL_APPLICATION_MODAL);
    EXPECT_TRUE(noResize);
}

TEST_F(DialogTest, ButtonsFollowTheFlagsAndTheWorkAreaSitsAboveThem)
{
    CountingDialog okOnly(mWin->mainWindowWidget(), Dialog::Button_OK);
    okOnly.show();
    Widget row = XtNameToWidget(okOnly.form(), "actionArea");
    ASSERT_NE(row, nullptr);
    WidgetList children = nullptr;
    Cardinal count = 0;
    XtVaGetValues(row, XmNchildren, &children, XmNnumChildren, &count, nullptr);
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(okOnly.button(Dialog::Button_Apply), nullptr);
    EXPECT_EQ(attachment(okOnly.workWidget(), XmNbottomAttachment), XmATTACH_WIDGET);

    CountingDialog bare(mWin->mainWindowWidget(), Dialog::Button_Apply);
    bare.show();
    EXPECT_EQ(XtNameToWidget(bare.form(), "actionArea"), nullptr);
    EXPECT_EQ(attachment(bare.workWidget(), XmNbottomAttachment), XmATTACH_FORM);
}

TEST_F(DialogTest, OkAppliesThenHidesApplyOnlyAppliesCancelOnlyHides)
{
    int all = Dialog::Button_Apply | Dialog::Button_OK | Dialog::Button_Cancel;
    CountingDialog d(mWin->mainWindowWidget(), all);
    d.show();
    click(d.button(Dialog::Button_Apply));
    EXPECT_EQ(d.applied, 1);
    EXPECT_TRUE(shown(d));
    click(d.button(Dialog::Button_OK));
    EXPECT_EQ(d.applied, 2);
    EXPECT_FALSE(shown(d));
    d.show();
    click(d.button(Dialog::Button_Cancel));
    EXPECT_EQ(d.applied, 2);
    EXPECT_FALSE(shown(d));
}

TEST_F(DialogTest, WindowManagerCloseIsCancel)
{
    CountingDialog d(mWin->mainWindowWidget(), Dialog::Button_OK);
    d.show();
    fwtest::pump(100);
    fwtest::sendProtocol(XtParent(d.form()), "WM_DELETE_WINDOW");
    ASSERT_TRUE(fwtest::pumpUntil([&] { return d.cancelled > 0; }, 3000));
    EXPECT_EQ(d.cancelled, 1);
    EXPECT_FALSE(shown(d));
    // Shown again, the close request is still handled once, not twice.
    d.show();
    fwtest::pump(100);
    fwtest::sendProtocol(XtParent(d.form()), "WM_DELETE_WINDOW");
    ASSERT_TRUE(fwtest::pumpUntil([&] { return d.cancelled > 1; }, 3000));
    fwtest::pump(50);
    EXPECT_EQ(d.cancelled, 2);
}

TEST_F(DialogTest, AboutShowsItsFourLabelsInOrderAndOkCloses)
{
    MainWin::aboutCB(nullptr, mWin, nullptr);
    Widget rc = find("*AboutDialog.rc");
    ASSERT_NE(rc, nullptr);
    WidgetList children = nullptr;
    Cardinal count = 0;
    XtVaGetValues(rc, XmNchildren, &children, XmNnumChildren, &count, nullptr);
    ASSERT_EQ(count, 4u);
    const char *names[] = {"titleLabel", "dateLabel", "authorLabel", "infoLabel"};
    for (Cardinal i = 0; i < count; i++)
        EXPECT_STREQ(XtName(children[i]), names[i]);
    Widget form = find("*AboutDialog");
    EXPECT_EQ(XtNameToWidget(form, "*Cancel"), nullptr);
    click(XtNameToWidget(form, "*OK"));
    EXPECT_FALSE(XtIsManaged(form));
    MainWin::aboutCB(nullptr, mWin, nullptr);
    EXPECT_EQ(find("*AboutDialog"), form);      // one dialog, kept
}

// Escape closed none of the program's dialogs, and Return did nothing in Options or About.
TEST_F(DialogTest, ReturnIsOKAndEscapeIsCancelInEveryDialog)
{
    auto up = [](Widget form) { return XtIsManaged(form); };
    mWin->showOptionsDialog();
    OptionsDialog *options = mWin->optionsDialog();
    pressKey(options->form(), XK_Escape);
    EXPECT_FALSE(up(options->form())) << "Escape in Options";
    mWin->showOptionsDialog();
    XmToggleButtonSetState(XtNameToWidget(options->form(), "*queryOnLoad"), True, True);
    pressKey(options->form(), XK_Return);
    EXPECT_FALSE(up(options->form())) << "Return in Options";
    EXPECT_TRUE(mWin->options().queryOnLoad) << "Return is OK, which applies";

    mWin->showOptionsDialog();
    fwtest::press(options->form(), fwtest::Apply);
    XtCallCallbacks(XtNameToWidget(options->form(), "*add"), XmNactivateCallback, nullptr);
    ASSERT_NE(options->sourceDialog(), nullptr);
    Widget source = options->sourceDialog()->form();
    pressKey(source, XK_Escape);
    EXPECT_FALSE(up(source)) << "Escape in Source";
    pressKey(options->form(), XK_Escape);

    mWin->showAddDialog();
    Widget add = find("*AddDialog");
    XmTextFieldSetString(XtNameToWidget(add, "*hostField"), (char *)"10.0.0.8");
    pressKey(add, XK_Escape);
    EXPECT_FALSE(up(add)) << "Escape in Add";
    EXPECT_EQ(mWin->serverCount(), 0);

    for (KeySym key : {XK_Return, XK_Escape}) {
        MainWin::aboutCB(nullptr, mWin, nullptr);
        Widget about = find("*AboutDialog");
        pressKey(about, key);
        EXPECT_FALSE(up(about)) << XKeysymToString(key) << " in About";
    }
}

// ---- The add dialog

class AddDialogTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        mWin->showAddDialog();
        mForm = find("*AddDialog");
        ASSERT_NE(mForm, nullptr);
    }
    void type(const char *field, const char *text)
    { XmTextFieldSetString(XtNameToWidget(mForm, field), (char *)text); }
    std::string text(const char *field)
    {
        char *value = XmTextFieldGetString(XtNameToWidget(mForm, field));
        std::string result = value;
        XtFree(value);
        return result;
    }
    void press(const char *button) { click(XtNameToWidget(mForm, button)); }

    Widget mForm = nullptr;
};

TEST_F(AddDialogTest, AddsTheTypedServerSelectedAndNotQueried)
{
    EXPECT_EQ(text("*portField"), "26000");
    type("*hostField", "10.0.0.7");
    type("*portField", "");
    press("*Apply");
    type("*portField", "27500");
    press("*OK");
    ASSERT_EQ(mWin->serverCount(), 2);
    EXPECT_NE(serverAt(mWin, "10.0.0.7:26000"), nullptr);
    Server *second = serverAt(mWin, "10.0.0.7:27500");
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->TestFlag(Server::Flag_Selected));
    EXPECT_FALSE(mWin->running());
    EXPECT_FALSE(XtIsManaged(mForm));
    // The host is kept for the next show; the port starts over.
    mWin->showAddDialog();
    EXPECT_EQ(text("*hostField"), "10.0.0.7");
    EXPECT_EQ(text("*portField"), "26000");
}

// The add selects the new server; on a tab that would hide it (a server that never answered
// fails the filter), the view changes to one that shows it, so no command on the selection
// acts on a server the user cannot see.
TEST_F(AddDialogTest, AServerAddedIsShownAtOnce)
{
    ASSERT_EQ(mWin->view(), 1);
    type("*hostField", "10.8.8.8");
    press("*OK");
    EXPECT_EQ(mWin->view(), 0);
    Server *added = serverAt(mWin, "10.8.8.8:26000");
    ASSERT_NE(added, nullptr);
    EXPECT_GE(added->mRow, 0);
    EXPECT_EQ(mWin->selectedServer(), added);
    EXPECT_EQ(statusText(mWin), "1/1 servers");
    // On a tab that shows it already the view stays.
    mWin->showAddDialog();
    type("*hostField", "10.8.8.9");
    press("*OK");
    EXPECT_EQ(mWin->view(), 0);
    EXPECT_EQ(mWin->selectedCount(), 2);
}

TEST_F(AddDialogTest, NothingIsAddedTwiceOrWithoutAHost)
{
    press("*Apply");
    EXPECT_EQ(mWin->serverCount(), 0);
    type("*hostField", "10.0.0.8");
    press("*Apply");
    press("*Apply");
    EXPECT_EQ(mWin->serverCount(), 1);
    type("*portField", "70000");
    EXPECT_EQ(errorDuring([this] { press("*Apply"); }),
              "Port \"70000\" is not a port number from 1 to 65535.");
    EXPECT_EQ(mWin->serverCount(), 1);
}

TEST_F(AddDialogTest, PortFieldTakesFiveCharactersAndReturnInTheHostIsOk)
{
    int maxLength = 0;
    XtVaGetValues(XtNameToWidget(mForm, "*portField"), XmNmaxLength, &maxLength, nullptr);
    EXPECT_EQ(maxLength, 5);
    type("*hostField", "10.0.0.9");
    XmProcessTraversal(XtNameToWidget(mForm, "*hostField"), XmTRAVERSE_CURRENT);
    pressKey(mForm, XK_Return);
    EXPECT_NE(serverAt(mWin, "10.0.0.9:26000"), nullptr);
    EXPECT_FALSE(XtIsManaged(mForm));
}

// A name server of one name, so that no test waits on a real one.
static bool gameTestResolver(const char *name, uint32_t *networkOrder)
{
    if (std::string(name) != "game.test")
        return false;
    *networkOrder = inet_addr("10.9.8.7");
    return true;
}

class AddDialogCheckTest : public AddDialogTest {
protected:
    void SetUp() override
    {
        mSystem = InetAddress::SetResolver(gameTestResolver);
        AddDialogTest::SetUp();
    }
    void TearDown() override { InetAddress::SetResolver(mSystem); }
    // Presses a button and returns the error the press brought up ("" when none).
    std::string pressForError(const char *button)
    {
        return errorDuring([this, button] { press(button); });
    }

    InetAddress::Resolver mSystem = nullptr;
};

TEST_F(AddDialogCheckTest, AHostThatDoesNotResolveIsSaidAndTheDialogStays)
{
    type("*hostField", "no.such.host.invalid");
    EXPECT_EQ(pressForError("*OK"), "Could not find host \"no.such.host.invalid\".");
    EXPECT_EQ(mWin->serverCount(), 0);
    EXPECT_TRUE(XtIsManaged(mForm));
    EXPECT_EQ(text("*hostField"), "no.such.host.invalid");
    EXPECT_EQ(pressForError("*Apply"), "Could not find host \"no.such.host.invalid\".");
    // No fixed buffer cuts a long name before it is looked up or named.
    std::string longHost(300, 'h');
    type("*hostField", longHost.c_str());
    EXPECT_EQ(pressForError("*OK"), "Could not find host \"" + longHost + "\".");
    EXPECT_EQ(mWin->serverCount(), 0);
}

TEST_F(AddDialogCheckTest, AnAddressNoServerCanHaveIsSaidAndTheDialogStays)
{
    type("*hostField", "224.0.0.1");
    EXPECT_EQ(pressForError("*OK"), "No server can be at \"224.0.0.1\".");
    EXPECT_EQ(mWin->serverCount(), 0);
    EXPECT_TRUE(XtIsManaged(mForm));
}

TEST_F(AddDialogCheckTest, APortOutsideTheRangeIsSaidAndTheDialogStays)
{
    type("*hostField", "10.0.0.7");
    for (const char *port : {"99999", "0", "-3", "27a"}) {
        type("*portField", port);
        EXPECT_EQ(pressForError("*OK"),
                  std::string("Port \"") + port + "\" is not a port number from 1 to 65535.");
        EXPECT_TRUE(XtIsManaged(mForm));
        EXPECT_EQ(text("*portField"), port);
    }
    EXPECT_EQ(mWin->serverCount(), 0);
}

TEST_F(AddDialogCheckTest, ANameThatResolvesIsAddedUnderThatName)
{
    type("*hostField", " game.test ");
    type("*portField", "27600");
    EXPECT_EQ(pressForError("*OK"), "");
    EXPECT_FALSE(XtIsManaged(mForm));
    ASSERT_EQ(mWin->serverCount(), 1);
    Server &added = mWin->servers().front();
    EXPECT_STREQ(added.mAddress.DottedString(), "10.9.8.7");
    EXPECT_STREQ(added.mAddress.KnownHostName(), "game.test");
    EXPECT_EQ(added.mPort, 27600);
}

TEST(AddPortTest, AnEmptyFieldIsTheGamesPortAndOthersMustBeAPort)
{
    int port = 0;
    ASSERT_TRUE(AddDialog::portNumber("", &port));
    EXPECT_EQ(port, 26000);
    ASSERT_TRUE(AddDialog::portNumber(" ", &port));
    EXPECT_EQ(port, 26000);
    ASSERT_TRUE(AddDialog::portNumber("27500", &port));
    EXPECT_EQ(port, 27500);
    ASSERT_TRUE(AddDialog::portNumber("1", &port));
    EXPECT_EQ(port, 1);
    ASSERT_TRUE(AddDialog::portNumber("65535", &port));
    EXPECT_EQ(port, 65535);
    port = 7;
    for (const char *bad : {"0", "-3", "65536", "99999", "99999999999", "2x", "+5"})
        EXPECT_FALSE(AddDialog::portNumber(bad, &port)) << bad;
    EXPECT_EQ(port, 7);
}
