// folder_activate_test.cpp - XmLFolder: activation by program, mouse and keys; the functions.
#include "folder_fixture.h"

#include <X11/keysym.h>


namespace {

// What activateCallback saw, and whether it lets the activation happen.
struct Calls {
    std::vector<int>     positions;
    std::vector<XEvent*> events;
    bool                 refuse = false;
};

class FolderActivateTest : public FolderTest {
protected:
    // A shown folder with n pages made by XmLFolderAddTabForm.
    void pages(int n)
    {
        folder();
        XtAddCallback(mFolder, XmNactivateCallback, sRecord, &mCalls);
        XmString label = XmStringCreateSimple((char *)"Page");
        for (int i = 0; i < n; i++)
            mPages.push_back(XmLFolderAddTabForm(mFolder, label));
        XmStringFree(label);
        show();
    }

    static void sRecord(Widget, XtPointer clientData, XtPointer callData)
    {
        Calls *calls = (Calls *)clientData;
        XmLFolderCallbackStruct *cbs = (XmLFolderCallbackStruct *)callData;
        EXPECT_EQ(cbs->reason, XmCR_ACTIVATE);
        EXPECT_TRUE(cbs->allowActivate);
        calls->positions.push_back(cbs->pos);
        calls->events.push_back(cbs->event);
        if (calls->refuse)
            cbs->allowActivate = False;
    }

    XEvent pressAt(Widget w, int type, int x, int y)
    {
        XEvent event = {};
        event.xbutton.type = type;
        event.xbutton.display = mDisplay;
        event.xbutton.window = XtWindow(w);
        event.xbutton.button = Button1;
        event.xbutton.x = x;
        event.xbutton.y = y;
        event.xbutton.same_screen = True;
        event.xbutton.time = CurrentTime;
        // Motif activates a button only where the pointer's root position lies on it.
        Window child;
        XTranslateCoordinates(mDisplay, XtWindow(w), DefaultRootWindow(mDisplay), x, y,
                              &event.xbutton.x_root, &event.xbutton.y_root, &child);
        return event;
    }

    void click(Widget w, int x, int y)
    {
        XEvent press = pressAt(w, ButtonPress, x, y);
        XtDispatchEvent(&press);
        XEvent release = pressAt(w, ButtonRelease, x, y);
        release.xbutton.state = Button1Mask;
        XtDispatchEvent(&release);
    }

    bool shown(int page) { return XtIsManaged(mPages[page]); }

    // Notes the active tab of a folder as it is destroyed.
    static void sNoteActiveTab(Widget w, XtPointer clientData, XtPointer)
    {
        *(int *)clientData = ((XmLFolderWidget)w)->folder.activeTab;
    }

    Calls               mCalls;
    std::vector<Widget> mPages;
};

TEST_F(FolderActivateTest, RealizeSelectsTheFirstTabQuietly)
{
    pages(3);
    EXPECT_EQ(part().activeTab, 0);
    EXPECT_TRUE(shown(0));
    EXPECT_FALSE(shown(1));
    EXPECT_FALSE(shown(2));
    EXPECT_TRUE(mCalls.positions.empty());
}

TEST_F(FolderActivateTest, PagesAreNamedAfterTheTabCountWithTheirTab)
{
    pages(3);
    EXPECT_STREQ(XtName(tabAt(0)), "tab0");
    EXPECT_STREQ(XtName(mPages[0]), "form1");
    EXPECT_STREQ(XtName(tabAt(2)), "tab2");
    EXPECT_STREQ(XtName(mPages[2]), "form3");
    EXPECT_EQ(area(tabAt(1)).tabManagedWidget, mPages[1]);
    EXPECT_EQ(mPages[1]->core.background_pixel, kWhite);
}

TEST_F(FolderActivateTest, TheProgramActivatesWithOrWithoutNotice)
{
    pages(3);
    XmLFolderSetActiveTab(mFolder, 2, True);
    EXPECT_EQ(part().activeTab, 2);
    EXPECT_TRUE(shown(2));
    EXPECT_FALSE(shown(0));
    EXPECT_EQ(mCalls.positions, std::vector<int>{2});
    EXPECT_EQ(mCalls.events[0], nullptr);
    XmLFolderSetActiveTab(mFolder, 2, True);        // already active: nothing at all
    XmLFolderSetActiveTab(mFolder, 1, False);
    EXPECT_EQ(part().activeTab, 1);
    EXPECT_EQ(mCalls.positions.size(), 1u);
}

TEST_F(FolderActivateTest, ACallbackCanRefuse)
{
    pages(2);
    mCalls.refuse = true;
    XmLFolderSetActiveTab(mFolder, 1, True);
    EXPECT_EQ(part().activeTab, 0);
    EXPECT_TRUE(shown(0));
    EXPECT_FALSE(shown(1));
}

// An activateCallback may destroy the tab being activated, another tab or the whole
// folder. Outside event dispatch Xt frees a widget at once; inside, it only marks it.
static void sDestroy(Widget, XtPointer clientData, XtPointer)
{
    XtDestroyWidget((Widget)clientData);
}

TEST_F(FolderActivateTest, DestroyingTheNewTabInTheCallbackStopsTheActivation)
{
    pages(3);
    Widget doomed = tabAt(1);
    XtAddCallback(mFolder, XmNactivateCallback, sDestroy, doomed);
    XmLFolderSetActiveTab(mFolder, 1, True);
    EXPECT_EQ(part().tabCount, 2);
    EXPECT_EQ(part().activeTab, 0);
    EXPECT_EQ(part().activeTabWidget, tabAt(0));
    EXPECT_TRUE(shown(0));
    EXPECT_FALSE(shown(1));
}

TEST_F(FolderActivateTest, ATabMarkedForDestructionDuringAClickIsNotActivated)
{
    pages(3);
    Widget doomed = tabAt(2);
    XtAddCallback(mFolder, XmNactivateCallback, sDestroy, doomed);
    const XmLFolderConstraintPart &a = area(doomed);
    XEvent inside = pressAt(mFolder, ButtonPress, a.x + 2, a.y + 3);
    XtDispatchEvent(&inside);       // the tab goes when the dispatch ends
    EXPECT_EQ(part().tabCount, 2);
    EXPECT_EQ(part().activeTab, 0);
    EXPECT_EQ(part().activeTabWidget, tabAt(0));
    EXPECT_TRUE(shown(0));
    EXPECT_FALSE(shown(2));
}

TEST_F(FolderActivateTest, DestroyingAnEarlierTabInTheCallbackRenumbersTheNewOne)
{
    pages(3);
    Widget chosen = tabAt(2);
    XtAddCallback(mFolder, XmNactivateCallback, sDestroy, tabAt(0));
    XmLFolderSetActiveTab(mFolder, 2, True);
    ASSERT_EQ(part().tabCount, 2);
    EXPECT_EQ(part().activeTab, 1);
    EXPECT_EQ(part().activeTabWidget, chosen);
    EXPECT_TRUE(shown(2));
    EXPECT_FALSE(shown(1));
}

// The folder is freed inside the callback; the sanitizer build sees any later touch.
TEST_F(FolderActivateTest, DestroyingTheFolderInTheCallbackEndsTheActivation)
{
    pages(2);
    XtAddCallback(mFolder, XmNactivateCallback, sDestroy, mFolder);
    Widget folder = mFolder;
    mFolder = nullptr;
    XmLFolderSetActiveTab(folder, 1, True);
    EXPECT_EQ(XtNameToWidget(mShell, "folder"), nullptr);
}

TEST_F(FolderActivateTest, AFolderMarkedForDestructionDuringAClickChangesNoMore)
{
    pages(2);
    XtAddCallback(mFolder, XmNactivateCallback, sDestroy, mFolder);
    int activeAtTheEnd = -2;
    XtAddCallback(mFolder, XmNdestroyCallback, sNoteActiveTab, &activeAtTheEnd);
    const XmLFolderConstraintPart &a = area(tabAt(1));
    XEvent inside = pressAt(mFolder, ButtonPress, a.x + 2, a.y + 3);
    mFolder = nullptr;
    XtDispatchEvent(&inside);
    EXPECT_EQ(XtNameToWidget(mShell, "folder"), nullptr);
    EXPECT_EQ(activeAtTheEnd, 0);
}

TEST_F(FolderActivateTest, BadCallsWarnAndChangeNothing)
{
    pages(2);
    XmString label = XmStringCreateSimple((char *)"x");
    EXPECT_EQ(XmLFolderAddTab(mShell, label), nullptr);
    EXPECT_EQ(XmLFolderAddTabForm(mShell, label), nullptr);
    EXPECT_EQ(XmLFolderAddBitmapTab(mShell, label, (char *)"\xff", 8, 1), nullptr);
    EXPECT_EQ(XmLFolderAddBitmapTabForm(mShell, label, (char *)"\xff", 8, 1), nullptr);
    XmStringFree(label);
    XmLFolderSetActiveTab(mShell, 0, True);
    XmLFolderSetActiveTab(mFolder, 2, True);
    XmLFolderSetActiveTab(mFolder, -1, True);
    EXPECT_EQ(part().activeTab, 0);
    EXPECT_TRUE(mCalls.positions.empty());
    EXPECT_EQ(sWarnings, (std::vector<std::string>{
                             warning(mShell, "AddTab() - widget not a XmLFolder"),
                             warning(mShell, "AddTabForm() - widget not a XmLFolder"),
                             warning(mShell, "AddBitmapTab() - widget not a XmLFolder"),
                             warning(mShell, "AddBitmapTabForm() - widget not a XmLFolder"),
                             warning(mShell, "SetActiveTab() - widget not a XmLFolder"),
                             warning(mFolder, "SetActiveTab() - invalid position"),
                             warning(mFolder, "SetActiveTab() - invalid position"),
                         }));
}

TEST_F(FolderActivateTest, APressInsideATabsAreaActivatesIt)
{
    pages(3);
    const XmLFolderConstraintPart &a = area(tabAt(2));
    XEvent edge = pressAt(mFolder, ButtonPress, a.x, a.y + 3);
    XtDispatchEvent(&edge);
    EXPECT_EQ(part().activeTab, 0);
    XtSetSensitive(tabAt(2), False);
    XEvent inside = pressAt(mFolder, ButtonPress, a.x + 1, a.y + 3);
    XtDispatchEvent(&inside);
    EXPECT_EQ(part().activeTab, 0);
    XtSetSensitive(tabAt(2), True);
    XtDispatchEvent(&inside);
    EXPECT_EQ(part().activeTab, 2);
    EXPECT_TRUE(shown(2));
    ASSERT_EQ(mCalls.events.size(), 1u);
    EXPECT_EQ(mCalls.events[0]->xbutton.x, a.x + 1);
}

TEST_F(FolderActivateTest, AClickOnTheTabItselfActivatesIt)
{
    pages(3);
    Widget t = tabAt(1);
    click(t, t->core.width / 2, t->core.height / 2);
    EXPECT_EQ(part().activeTab, 1);
    ASSERT_EQ(mCalls.positions, std::vector<int>{1});
    EXPECT_NE(mCalls.events[0], nullptr);
}

TEST_F(FolderActivateTest, TheSpaceKeyOnAFocusedTabActivatesIt)
{
    pages(3);
    Widget t = tabAt(2);
    ASSERT_TRUE(XmProcessTraversal(t, XmTRAVERSE_CURRENT));
    settle();
    XEvent key = {};
    key.xkey.type = KeyPress;
    key.xkey.display = mDisplay;
    key.xkey.window = XtWindow(t);
    key.xkey.root = DefaultRootWindow(mDisplay);
    key.xkey.keycode = XKeysymToKeycode(mDisplay, XK_space);
    key.xkey.same_screen = True;
    XtDispatchEvent(&key);
    EXPECT_EQ(part().activeTab, 2);
    EXPECT_EQ(mCalls.positions, std::vector<int>{2});
}

TEST_F(FolderActivateTest, FocusActionsTrackTheFocusTab)
{
    pages(2);
    XtCallActionProc(tabAt(1), (char *)"XmLFolderPrimFocusIn", NULL, NULL, 0);
    EXPECT_EQ(part().focusTab, tabAt(1));
    XtCallActionProc(tabAt(1), (char *)"XmLFolderPrimFocusOut", NULL, NULL, 0);
    EXPECT_EQ(part().focusTab, nullptr);
    XtCallActionProc(tabAt(0), (char *)"XmLFolderPrimFocusIn", NULL, NULL, 0);
    XtDestroyWidget(tabAt(0));
    EXPECT_EQ(part().focusTab, nullptr);
}

TEST_F(FolderActivateTest, APageNameWinsOverThePageWidget)
{
    pages(2);
    Widget named = page("named");
    XtVaSetValues(tabAt(1), XmNtabManagedName, "named", NULL);
    XmLFolderSetActiveTab(mFolder, 1, False);
    EXPECT_TRUE(XtIsManaged(named));
    EXPECT_FALSE(shown(1));
    XmLFolderSetActiveTab(mFolder, 0, False);
    EXPECT_FALSE(XtIsManaged(named));
}

TEST_F(FolderActivateTest, APageNameMatchingNothingWarnsWholeAndLeavesTheTabWithoutAPage)
{
    pages(2);
    std::string name(300, 'n');
    XtVaSetValues(tabAt(1), XmNtabManagedName, name.c_str(), NULL);
    XmLFolderSetActiveTab(mFolder, 1, False);
    EXPECT_EQ(part().activeTab, 1);
    EXPECT_FALSE(shown(0));
    EXPECT_TRUE(warned(warning(tabAt(1), "SetActiveTab() - managed widget named " + name +
                                             " not found")));
}

TEST_F(FolderActivateTest, WhenTwoTabsShareAPageTheLastOneDecides)
{
    pages(3);
    XtVaSetValues(tabAt(2), XmNtabManagedWidget, mPages[1], NULL);
    XmLFolderSetActiveTab(mFolder, 1, False);
    EXPECT_FALSE(shown(1));     // tab 2, processed after tab 1, hides it again
    XmLFolderSetActiveTab(mFolder, 2, False);
    EXPECT_TRUE(shown(1));
}

TEST_F(FolderActivateTest, BitmapTabsOwnTwoPixmapsInTheFoldersDepth)
{
    folder();
    show();
    static char bits[] = {(char)0xff, (char)0x81, (char)0x81, (char)0xff};
    XmString label = XmStringCreateSimple((char *)"bits");
    Widget form = XmLFolderAddBitmapTabForm(mFolder, label, bits, 8, 4);
    Widget bad = XmLFolderAddBitmapTab(mFolder, label, NULL, 8, 4);
    XmStringFree(label);
    ASSERT_NE(form, nullptr);
    const XmLFolderConstraintPart &c = area(tabAt(0));
    EXPECT_TRUE(c.tabFreePixmaps);
    EXPECT_NE(c.tabPixmap, c.tabInactivePixmap);
    EXPECT_EQ(c.pixmapWidth, 8);
    EXPECT_EQ(c.inactPixmapHeight, 4);
    EXPECT_EQ(c.pixmapDepth, (int)mFolder->core.depth);
    EXPECT_EQ(area(tabAt(0)).tabManagedWidget, form);
    // No bitmap: a plain tab and a warning instead of a server error.
    ASSERT_NE(bad, nullptr);
    EXPECT_EQ(area(bad).tabPixmap, (Pixmap)XmUNSPECIFIED_PIXMAP);
    EXPECT_TRUE(warned(warning(mFolder, "AddBitmapTab() - bad bitmap, tab made without it")));
}

// X sizes stop at 32767: the widest bitmap there can be is taken, one pixel more is not.
TEST_F(FolderActivateTest, BitmapTabsTakeTheWidestPixmapAndRefuseWider)
{
    folder();
    show();
    std::vector<char> bits(32768 / 8, (char)0xff);
    XmString label = XmStringCreateSimple((char *)"wide");
    Widget widest = XmLFolderAddBitmapTab(mFolder, label, bits.data(), 32767, 1);
    Widget wider = XmLFolderAddBitmapTab(mFolder, label, bits.data(), 32768, 1);
    XmStringFree(label);
    EXPECT_EQ(area(widest).pixmapWidth, 32767);
    EXPECT_EQ(area(wider).tabPixmap, (Pixmap)XmUNSPECIFIED_PIXMAP);
    EXPECT_EQ(sWarnings.size(), 1u);
}

}  // namespace
