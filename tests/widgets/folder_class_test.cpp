// folder_class_test.cpp - XmLFolder: resources, read-only values, converters, child records.
#include "folder_fixture.h"

#include <Xm/Label.h>
#include <Xm/LabelG.h>

#include <cstring>

namespace {

using FolderClassTest = FolderTest;

TEST_F(FolderClassTest, DefaultsAndInitialSize)
{
    Widget w = XmLCreateFolder(mShell, (char *)"plain", NULL, 0);
    XmLFolderWidget fw = (XmLFolderWidget)w;
    const XmLFolderPart &f = fw->folder;
    EXPECT_EQ(w->core.width, 100);
    EXPECT_EQ(w->core.height, 100);
    EXPECT_EQ(f.activeTab, -1);
    EXPECT_TRUE(f.autoSelect);
    EXPECT_EQ(f.cornerDimension, 2);
    EXPECT_EQ(f.cornerStyle, XmCORNER_ARC);
    EXPECT_EQ(f.highlightThickness, 2);
    EXPECT_EQ(f.pixmapMargin, 2);
    EXPECT_EQ(f.resizePolicy, XmRESIZE_STATIC);
    EXPECT_TRUE(f.rotateWhenLeftRight);
    EXPECT_EQ(f.tabPlacement, XmFOLDER_TOP);
    EXPECT_EQ(fw->manager.shadow_thickness, 2);
    EXPECT_EQ(f.blankBackground, w->core.background_pixel);
    EXPECT_EQ(f.inactiveBackground, w->core.background_pixel);
    EXPECT_EQ(f.inactiveForeground, fw->manager.foreground);
    EXPECT_EQ(f.blankBackgroundPixmap, (Pixmap)XmUNSPECIFIED_PIXMAP);
    EXPECT_NE(f.fontList, nullptr);
    EXPECT_EQ(f.tabAllocCount, 32);
    WidgetList list = nullptr;
    XtVaGetValues(w, XmNtabWidgetList, &list, NULL);
    EXPECT_EQ(list, f.tabWidgetList);
    EXPECT_TRUE(sWarnings.empty());
}

TEST_F(FolderClassTest, ReadOnlyValuesAreRefusedAtCreation)
{
    Arg args[4];
    XtSetArg(args[0], XmNtabBarHeight, 9);
    XtSetArg(args[1], XmNtabCount, 3);
    XtSetArg(args[2], XmNactiveTab, 1);
    XtSetArg(args[3], XmNcornerDimension, 0);
    folder(args, 4);
    EXPECT_EQ(part().tabBarHeight, 0);
    EXPECT_EQ(part().tabCount, 0);
    EXPECT_EQ(part().activeTab, -1);
    EXPECT_EQ(part().cornerDimension, 1);
    EXPECT_EQ(sWarnings, (std::vector<std::string>{
                             warning(mFolder, "Initialize() - can't set tabBarHeight"),
                             warning(mFolder, "Initialize() - can't set tabCount"),
                             warning(mFolder, "Initialize() - can't set activeTab"),
                             warning(mFolder, "Initialize() - cornerDimension can't be < 1"),
                         }));
}

TEST_F(FolderClassTest, ReadOnlyValuesAreRefusedLater)
{
    folder();
    show();
    tab();
    XmLFolderSetActiveTab(mFolder, 0, False);
    WidgetList list = part().tabWidgetList;
    XtVaSetValues(mFolder, XmNcornerDimension, 5, NULL);
    XtVaSetValues(mFolder, XmNtabBarHeight, 3, XmNtabCount, 7, XmNactiveTab, -1,
                  XmNcornerDimension, 0, XmNtabWidgetList, NULL, NULL);
    EXPECT_EQ(part().tabBarHeight, 28);
    EXPECT_EQ(part().tabCount, 1);
    EXPECT_EQ(part().activeTab, 0);
    EXPECT_EQ(part().cornerDimension, 5);
    EXPECT_EQ(part().tabWidgetList, list);
    EXPECT_EQ(sWarnings, (std::vector<std::string>{
                             warning(mFolder, "SetValues() - can't set tabBarHeight"),
                             warning(mFolder, "SetValues() - can't set tabCount"),
                             warning(mFolder, "SetValues() - can't set activeTab"),
                             warning(mFolder, "SetValues() - can't set tabWidgetList"),
                             warning(mFolder, "SetValues() - cornerDimension can't be < 1"),
                         }));
}

TEST_F(FolderClassTest, ConvertersTakeExactNamesOnly)
{
    folder();
    const char *style = "CORNER_LINE", *policy = "RESIZE_DYNAMIC", *place = "FOLDER_RIGHT";
    XtVaSetValues(mFolder, XtVaTypedArg, XmNcornerStyle, XmRString, style, strlen(style) + 1,
                  XtVaTypedArg, XmNresizePolicy, XmRString, policy, strlen(policy) + 1,
                  XtVaTypedArg, XmNtabPlacement, XmRString, place, strlen(place) + 1, NULL);
    EXPECT_EQ(part().cornerStyle, XmCORNER_LINE);
    EXPECT_EQ(part().resizePolicy, XmRESIZE_DYNAMIC);
    EXPECT_EQ(part().tabPlacement, XmFOLDER_RIGHT);
    EXPECT_TRUE(sWarnings.empty());
    const char *lower = "corner_none";
    XtVaSetValues(mFolder, XtVaTypedArg, XmNcornerStyle, XmRString, lower, strlen(lower) + 1,
                  NULL);
    EXPECT_EQ(part().cornerStyle, XmCORNER_LINE);
    ASSERT_FALSE(sWarnings.empty());
    EXPECT_NE(sWarnings[0].find("XmRCornerStyle"), std::string::npos) << sWarnings[0];
}

TEST_F(FolderClassTest, TheThirtyThirdTabDoublesTheListInCreationOrder)
{
    folder();
    std::vector<Widget> made;
    for (int i = 0; i < 33; i++)
        made.push_back(tab(10, 10));
    EXPECT_EQ(part().tabCount, 33);
    EXPECT_EQ(part().tabAllocCount, 64);
    for (int i = 0; i < 33; i++)
        EXPECT_EQ(tabAt(i), made[i]);
}

TEST_F(FolderClassTest, DestroyingTabsRenumbersOrClearsTheActiveTab)
{
    folder();
    show();
    Widget a = tab(), b = tab(), c = tab();
    int calls = 0;
    XtAddCallback(mFolder, XmNactivateCallback,
                  [](Widget, XtPointer data, XtPointer) { ++*(int *)data; }, &calls);
    XmLFolderSetActiveTab(mFolder, 2, False);
    XtDestroyWidget(a);
    EXPECT_EQ(part().tabCount, 2);
    EXPECT_EQ(part().activeTab, 1);
    EXPECT_EQ(tabAt(0), b);
    XtDestroyWidget(c);
    EXPECT_EQ(part().activeTab, -1);
    EXPECT_EQ(part().activeTabWidget, nullptr);
    EXPECT_EQ(calls, 0);
    EXPECT_TRUE(sWarnings.empty());
}

TEST_F(FolderClassTest, GadgetsAreBodyChildrenAndLabelsAreTabs)
{
    folder();
    show();
    // A hidden gadget takes the body's geometry too, though it has no window to map.
    Widget gadget = XtVaCreateWidget("gadget", xmLabelGadgetClass, mFolder, NULL);
    // A Label has no activate callback list; it still becomes a tab, quietly.
    Widget label = XtVaCreateManagedWidget("label", xmLabelWidgetClass, mFolder, NULL);
    EXPECT_EQ(part().tabCount, 1);
    EXPECT_EQ(tabAt(0), label);
    EXPECT_FALSE(XtIsManaged(gadget));
    EXPECT_EQ(gadget->core.x, 2);
    EXPECT_EQ(gadget->core.y, part().tabBarHeight + 2);
    EXPECT_EQ(gadget->core.width, 296);
    EXPECT_TRUE(sWarnings.empty()) << sWarnings[0];
}

TEST_F(FolderClassTest, PageNamesAreTheFoldersOwnCopies)
{
    folder();
    char name[16] = "first";
    Widget t = XtVaCreateManagedWidget("t", xmDrawnButtonWidgetClass, mFolder,
                                       XmNtabManagedName, name, NULL);
    strcpy(name, "wrong");
    EXPECT_STREQ(area(t).tabManagedName, "first");
    EXPECT_NE(area(t).tabManagedName, name);
    strcpy(name, "second");
    XtVaSetValues(t, XmNtabManagedName, name, NULL);
    strcpy(name, "wrong");
    EXPECT_STREQ(area(t).tabManagedName, "second");
}

// Records X errors instead of letting Xlib end the program.
static int sErrors;
static int CountError(Display *, XErrorEvent *)
{
    sErrors++;
    return 0;
}

TEST_F(FolderClassTest, DestroyedTabsFreeOnlyRealPixmapsTheyOwn)
{
    folder();
    Window root = DefaultRootWindow(mDisplay);
    Pixmap owned = XCreatePixmap(mDisplay, root, 8, 8, 24);
    Pixmap kept = XCreatePixmap(mDisplay, root, 8, 8, 24);
    Widget a = XtVaCreateManagedWidget("a", xmDrawnButtonWidgetClass, mFolder, XmNtabPixmap,
                                       owned, XmNtabInactivePixmap, None, XmNtabFreePixmaps,
                                       True, NULL);
    Widget b = XtVaCreateManagedWidget("b", xmDrawnButtonWidgetClass, mFolder, XmNtabPixmap,
                                       kept, NULL);
    XSync(mDisplay, False);
    sErrors = 0;
    XErrorHandler old = XSetErrorHandler(CountError);
    XtDestroyWidget(a);
    XtDestroyWidget(b);
    XSync(mDisplay, False);
    EXPECT_EQ(sErrors, 0);      // None is not freed
    Window r;
    int x, y;
    unsigned w, h, bw, depth;
    XGetGeometry(mDisplay, owned, &r, &x, &y, &w, &h, &bw, &depth);
    XSync(mDisplay, False);
    EXPECT_EQ(sErrors, 1);      // the owned pixmap is gone
    EXPECT_TRUE(XGetGeometry(mDisplay, kept, &r, &x, &y, &w, &h, &bw, &depth));
    XSync(mDisplay, False);
    XSetErrorHandler(old);
    XFreePixmap(mDisplay, kept);
}

// Without the trap, the server's BadPixmap for a second free would end the program.
TEST_F(FolderClassTest, APixmapGivenForBothStatesIsFreedOnce)
{
    folder();
    Pixmap shared = XCreatePixmap(mDisplay, DefaultRootWindow(mDisplay), 8, 8, 24);
    Widget t = XtVaCreateManagedWidget("t", xmDrawnButtonWidgetClass, mFolder, XmNtabPixmap,
                                       shared, XmNtabInactivePixmap, shared, XmNtabFreePixmaps,
                                       True, NULL);
    XSync(mDisplay, False);
    sErrors = 0;
    XErrorHandler old = XSetErrorHandler(CountError);
    XtDestroyWidget(t);
    XSync(mDisplay, False);
    EXPECT_EQ(sErrors, 0);
    Window r;
    int x, y;
    unsigned w, h, bw, depth;
    XGetGeometry(mDisplay, shared, &r, &x, &y, &w, &h, &bw, &depth);
    XSync(mDisplay, False);
    EXPECT_EQ(sErrors, 1);      // it is gone all the same
    XSetErrorHandler(old);
}

TEST_F(FolderClassTest, ADestroyedPageIsForgottenByItsTab)
{
    folder();
    show();
    XmString label = XmStringCreateSimple((char *)"one");
    Widget first = XmLFolderAddTabForm(mFolder, label);
    Widget second = XmLFolderAddTabForm(mFolder, label);
    XmStringFree(label);
    XtDestroyWidget(second);
    EXPECT_EQ(area(tabAt(1)).tabManagedWidget, nullptr);
    XmLFolderSetActiveTab(mFolder, 1, False);    // must not touch the freed page
    XmLFolderSetActiveTab(mFolder, 0, False);
    EXPECT_TRUE(XtIsManaged(first));
}

TEST_F(FolderClassTest, ANewFontListIsCopied)
{
    folder();
    XmFontList given = XmFontListCopy(part().fontList);
    XtVaSetValues(mFolder, XmNfontList, given, NULL);
    EXPECT_NE(part().fontList, given);
    XmFontListFree(given);
    XmString label = XmStringCreateSimple((char *)"tab");
    Widget t = XmLFolderAddTab(mFolder, label);
    XmStringFree(label);
    XmFontList used = nullptr;
    XtVaGetValues(t, XmNfontList, &used, NULL);
    EXPECT_NE(used, nullptr);
}

TEST_F(FolderClassTest, MovingTheBarToASideTurnsTheLabels)
{
    folder();
    show();
    XmString label = XmStringCreateSimple((char *)"a long label");
    Widget t = XmLFolderAddTab(mFolder, label);
    XmStringFree(label);
    EXPECT_GT(t->core.width, t->core.height);
    XtVaSetValues(mFolder, XmNtabPlacement, XmFOLDER_LEFT, NULL);
    EXPECT_LT(t->core.width, t->core.height);
    EXPECT_EQ(part().tabWidth, area(t).width);
    XtVaSetValues(mFolder, XmNrotateWhenLeftRight, False, NULL);
    EXPECT_GT(t->core.width, t->core.height);
}

}  // namespace
