// folder_fixture.h - a folder in known colours with tabs of known sizes, for the folder tests.
#ifndef VIREO_TESTS_WIDGETS_FOLDER_FIXTURE_H
#define VIREO_TESTS_WIDGETS_FOLDER_FIXTURE_H
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include "widgets/FolderP.h"
#include "xfixture.h"

#include <Xm/DrawnB.h>
#include <Xm/Form.h>

#include <string>

const Pixel kGrey = 0x808080;

class FolderTest : public XTest {
protected:
    // A folder of 300 by 200, in colours a pixel names:
    // white background, yellow top and blue bottom shadows, green blank areas,
    // cyan inactive tabs, red focus highlight. Once shown, it keeps its size:
    // the shell refuses the folder's requests for its natural size.
    Widget folder(ArgList args = nullptr, Cardinal count = 0)
    {
        XtVaSetValues(mShell, XmNallowShellResize, False, NULL);
        mFolder = XmLCreateFolder(mShell, (char *)"folder", args, count);
        XtVaSetValues(mFolder, XmNwidth, 300, XmNheight, 200,
                      XmNbackground, kWhite, XmNforeground, kBlack, XmNtopShadowColor, kYellow,
                      XmNbottomShadowColor, kBlue, XmNblankBackground, kGreen,
                      XmNinactiveBackground, kCyan, XmNinactiveForeground, kMagenta,
                      XmNhighlightColor, kRed, NULL);
        XtManageChild(mFolder);
        return mFolder;
    }

    // Shows the shell; the folder's window, too, keeps its contents when
    // another test's window covers it, so its pixels read back as drawn.
    void show()
    {
        XTest::show();
        if (!mFolder || !XtIsRealized(mFolder))
            return;
        XSetWindowAttributes attributes;
        attributes.backing_store = Always;
        XChangeWindowAttributes(mDisplay, XtWindow(mFolder), CWBackingStore, &attributes);
    }

    // A tab whose child keeps the size it is given.
    Widget tab(int width = 40, int height = 20, const char *name = "t")
    {
        return XtVaCreateManagedWidget(name, xmDrawnButtonWidgetClass, mFolder, XmNwidth, width,
                                       XmNheight, height, XmNrecomputeSize, False, NULL);
    }

    Widget page(const char *name = "page")
    {
        return XtVaCreateManagedWidget(name, xmFormWidgetClass, mFolder, XmNwidth, 50,
                                       XmNheight, 40, NULL);
    }

    XmLFolderPart &part() { return ((XmLFolderWidget)mFolder)->folder; }
    static XmLFolderConstraintPart &area(Widget child) { return *XmLFolderConstraints(child); }
    Widget tabAt(int i) { return part().tabWidgetList[i]; }

    // The warning as the toolkit prints it for the widget.
    static std::string warning(Widget w, const std::string &text)
    {
        return std::string(XtClass(w)->core_class.class_name) + ": " + XtName(w) + ": " + text +
               "\n";
    }

    bool warned(const std::string &message)
    {
        for (const std::string &w : sWarnings) {
            if (w == message)
                return true;
        }
        return false;
    }

    Widget mFolder = nullptr;
};

#endif
