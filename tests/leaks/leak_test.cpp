// leak_test.cpp - our widget classes and the framework's dialogs, made, drawn and destroyed
// over and over: the heap must not grow with the count.
// GoogleTest comes before the X headers, whose None and Bool macros it would trip over.
#include <gtest/gtest.h>

#include "framework/VkApp.h"
#include "framework/VkBusyDialog.h"
#include "framework/VkErrorDialog.h"
#include "framework/VkFileSelectionDialog.h"
#include "framework/VkInfoDialog.h"
#include "framework/VkQuestionDialog.h"
#include "framework/VkSimpleWindow.h"
#include "tests/framework/fwtest.h"
#include "tests/leaks/heap.h"
#include "widgets/Folder.h"
#include "widgets/Grid.h"
#include "widgets/Progress.h"

#include <Xm/DrawnB.h>
#include <Xm/FileSB.h>
#include <Xm/Form.h>
#include <Xm/Label.h>
#include <Xm/MainW.h>
#include <Xm/MessageB.h>
#include <Xm/ScrollBar.h>
#include <Xm/Text.h>
#include <Xm/Xm.h>
#include <X11/Shell.h>

#include <functional>

// Motif keeps some records for good: one for every label window it has drawn, others
// by widget address (which the sanitizers' allocator never hands out twice), and its
// drop-site table grows with every list made. So widgets that come and go are realized
// but not shown, and measured against the same Motif widgets made without ours; what
// happens only on the screen is checked on widgets that stay, drawn again and again.
namespace {

// What a round may add on average without counting as a leak. The smallest thing
// these rounds could lose, a graphics context, takes 160 bytes.
const long kSlack = 64;

class Window : public VkSimpleWindow {
public:
    explicit Window(const char *name) : VkSimpleWindow(name) {}
};

VkDialogManager *const *Managers()
{
    static VkDialogManager *managers[] = {gInfoDialog, gErrorDialog, gQuestionDialog,
                                          gBusyDialog, gFileSelectionDialog, nullptr};
    return managers;
}

class LeakTest : public ::testing::Test {
protected:
    // The application ends with its last window; this one outlives the rounds.
    void SetUp() override
    {
        if (!heapCountIsExact())
            GTEST_SKIP() << "the heap is counted exactly only in the sanitizer build "
                            "(scripts/sanitize.sh)";
        fwtest::app();
        mMain = new Window("main");
        mMain->show();
    }

    // Handles every event the server has for us, so that windows map and draw.
    void settle()
    {
        Display *display = gApplication->display();
        XtAppContext context = gApplication->appContext();
        for (int i = 0; i < 3; i++) {
            XSync(display, False);
            while (XtAppPending(context) & XtIMXEvent)
                XtAppProcessEvent(context, XtIMXEvent);
        }
    }

    Widget topShell()
    {
        return XtVaCreatePopupShell("leakShell", topLevelShellWidgetClass,
                                    gApplication->baseWidget(), XmNwidth, 300, XmNheight, 200,
                                    NULL);
    }

    // What rounds that fill a shell, realize it and destroy it add to the heap.
    long madeAndDestroyed(const std::function<void(Widget)> &fill)
    {
        return growthPerRound([&] {
            Widget shell = topShell();
            fill(shell);
            XtRealizeWidget(shell);
            settle();
            XtDestroyWidget(shell);
            settle();
        });
    }

    // Our widget against the Motif widgets it is made of.
    void expectNoGrowthBeyondMotif(const std::function<void(Widget)> &ours,
                                   const std::function<void(Widget)> &motifAlone)
    {
        EXPECT_LT(madeAndDestroyed(ours) - madeAndDestroyed(motifAlone), kSlack);
    }

    // Rounds of change on a widget that stays on the screen; fewer, as each one draws.
    void changedWhileShown(const std::function<void(Widget)> &fill,
                           const std::function<void(int)> &change)
    {
        Widget shell = topShell();
        fill(shell);
        XtPopup(shell, XtGrabNone);
        settle();
        int round = 0;
        EXPECT_LT(growthPerRound([&] {
            change(round++);
            settle();
        }, 3, 10), kSlack);
        XtDestroyWidget(shell);
    }

    Window          *mMain = nullptr;
    fwtest::Watchdog mWatchdog{60};
};

void SetLabel(Widget w, const char *text)
{
    XmString label = XmStringCreateSimple((char *)text);
    XtVaSetValues(w, XmNlabelString, label, NULL);
    XmStringFree(label);
}

Widget sFolder;

Widget TabOf(Widget folder, int position)
{
    WidgetList tabs = nullptr;
    XtVaGetValues(folder, XmNtabWidgetList, &tabs, NULL);
    return tabs[position];
}

// Tabs of every kind: with a page, with a bitmap, with one pixmap for both states.
void MakeFolder(Widget shell, unsigned char placement)
{
    static char bits[] = {(char)0xff, (char)0x81, (char)0x81, (char)0xff};
    sFolder = XmLCreateFolder(shell, (char *)"folder", nullptr, 0);
    XtVaSetValues(sFolder, XmNtabPlacement, placement, NULL);
    XtManageChild(sFolder);
    XmString label = XmStringCreateSimple((char *)"Page");
    for (int i = 0; i < 3; i++) {
        Widget page = XmLFolderAddTabForm(sFolder, label);
        XtVaCreateManagedWidget("text", xmLabelWidgetClass, page, NULL);
    }
    XmLFolderAddBitmapTabForm(sFolder, label, bits, 8, 4);
    XmStringFree(label);
    Display *display = XtDisplay(shell);
    Pixmap shared = XCreatePixmap(display, DefaultRootWindow(display), 8, 8,
                                  DefaultDepthOfScreen(XtScreen(shell)));
    XtVaCreateManagedWidget("shared", xmLabelWidgetClass, sFolder, XmNtabPixmap, shared,
                            XmNtabInactivePixmap, shared, XmNtabFreePixmaps, True, NULL);
    SetLabel(TabOf(sFolder, 1), "Renamed");
    XmLFolderSetActiveTab(sFolder, 2, True);
}

// Turned labels are set anew at every label change, and drawn again.
void ChangeFolder(int round)
{
    SetLabel(TabOf(sFolder, 1), round % 2 ? "Page" : "Other page");
    XmLFolderSetActiveTab(sFolder, round % 3, True);
}

// The folder's children, made in a form.
void MakeFolderChildren(Widget shell)
{
    Widget form = XtVaCreateManagedWidget("folder", xmFormWidgetClass, shell, NULL);
    for (int i = 0; i < 4; i++) {
        XtVaCreateManagedWidget("tab", xmDrawnButtonWidgetClass, form, NULL);
        Widget page = XtVaCreateManagedWidget("form", xmFormWidgetClass, form, NULL);
        if (i < 3)
            XtVaCreateManagedWidget("text", xmLabelWidgetClass, page, NULL);
    }
    XtVaCreateManagedWidget("shared", xmLabelWidgetClass, form, NULL);
}

TEST_F(LeakTest, FoldersComeAndGoWithoutGrowth)
{
    expectNoGrowthBeyondMotif([](Widget shell) { MakeFolder(shell, XmFOLDER_TOP); },
                              MakeFolderChildren);
    expectNoGrowthBeyondMotif([](Widget shell) { MakeFolder(shell, XmFOLDER_LEFT); },
                              MakeFolderChildren);
}

// Turned labels draw through our own code, which is why the bar is at the side.
TEST_F(LeakTest, ShownFoldersChangeWithoutGrowth)
{
    changedWhileShown([](Widget shell) { MakeFolder(shell, XmFOLDER_RIGHT); }, ChangeFolder);
}

Widget sMeter;

void MakeMeter(Widget shell)
{
    sMeter = XmLCreateProgress(shell, (char *)"meter", nullptr, 0);
    XtVaSetValues(sMeter, XmNshowTime, True, XmNvalue, 40, NULL);
    XtManageChild(sMeter);
}

TEST_F(LeakTest, MetersComeAndGoWithoutGrowth)
{
    EXPECT_LT(madeAndDestroyed(MakeMeter), kSlack);
}

TEST_F(LeakTest, ShownMetersStepWithoutGrowth)
{
    changedWhileShown(MakeMeter, [](int round) {
        XtVaSetValues(sMeter, XmNvalue, round % 100, NULL);
    });
}

Widget sGrid;

void MakeGrid(Widget shell)
{
    sGrid = XmLCreateGrid(shell, (char *)"grid", nullptr, 0);
    XtVaSetValues(sGrid, XmNheadingRows, 1, XmNcolumns, 3, XmNrows, 20, NULL);
    XtManageChild(sGrid);
    XmLGridSetStringsPos(sGrid, XmHEADING, 0, XmCONTENT, 0, (char *)"Name|Ping|Map");
    XmLGridSetStringsPos(sGrid, XmCONTENT, 0, XmCONTENT, 0, (char *)"one|2|e1m1");
    XmLGridSelectRow(sGrid, 0, False);
}

// The grid's children: its scroll bars and its text field.
void MakeGridChildren(Widget shell)
{
    Widget form = XtVaCreateManagedWidget("grid", xmFormWidgetClass, shell, NULL);
    XtVaCreateManagedWidget("vsb", xmScrollBarWidgetClass, form, NULL);
    XtVaCreateManagedWidget("hsb", xmScrollBarWidgetClass, form, XmNorientation, XmHORIZONTAL,
                            NULL);
    XtVaCreateManagedWidget("text", xmTextWidgetClass, form, NULL);
}

TEST_F(LeakTest, GridsComeAndGoWithoutGrowth)
{
    expectNoGrowthBeyondMotif(MakeGrid, MakeGridChildren);
}

TEST_F(LeakTest, ShownGridsChangeWithoutGrowth)
{
    changedWhileShown(MakeGrid, [](int round) {
        XmLGridSetStringsPos(sGrid, XmCONTENT, round % 20, XmCONTENT, 0,
                             (char *)(round % 2 ? "two|35|dm4" : "three|999|e2m3"));
        XmLGridSelectRow(sGrid, round % 20, False);
        XmLGridRedrawAll(sGrid);
    });
}

// A dialog goes with its parent window, and its manager forgets it.
TEST_F(LeakTest, FrameworkDialogsComeAndGoWithoutGrowth)
{
    long ours = growthPerRound([&] {
        Window *parent = new Window("parent");
        for (VkDialogManager *const *m = Managers(); *m; m++) {
            (*m)->setTitle("Servers");
            (*m)->setButtonLabels("Yes", "No", nullptr);
            (*m)->prepareDialog("Servers not answering: 10.0.0.1 10.0.0.2", nullptr,
                                parent);
        }
        delete parent;
        settle();
    });
    long motifAlone = madeAndDestroyed([](Widget shell) {
        Widget main = XmCreateMainWindow(shell, (char *)"parent", nullptr, 0);
        XtManageChild(main);
        XmCreateInformationDialog(shell, (char *)"InfoDialogManager", nullptr, 0);
        XmCreateErrorDialog(shell, (char *)"ErrorDialogManager", nullptr, 0);
        XmCreateQuestionDialog(shell, (char *)"QuestionDialogManager", nullptr, 0);
        XmCreateWorkingDialog(shell, (char *)"BusyDialogManager", nullptr, 0);
        XmCreateFileSelectionDialog(shell, (char *)"FileSelectionDialogManager", nullptr, 0);
    });
    EXPECT_LT(ours - motifAlone, kSlack);
}

// Posted again and again under one parent, each manager reuses its dialog.
TEST_F(LeakTest, PostedDialogsComeBackWithoutGrowth)
{
    EXPECT_LT(growthPerRound([&] {
        for (VkDialogManager *const *m = Managers(); *m; m++) {
            (*m)->setTitle("Servers");
            Widget dialog = (*m)->post("Servers not answering: 10.0.0.1 10.0.0.2", nullptr,
                                       nullptr, nullptr, nullptr, nullptr, mMain);
            settle();
            (*m)->unpost(dialog);
            settle();
        }
    }), kSlack);
}

} // namespace
