// test_component.cpp - component life with its widget, and default resources.
// GoogleTest comes before the X headers, whose None and Bool macros it would trip over.
#include <gtest/gtest.h>

#include "framework/VkApp.h"
#include "framework/VkComponent.h"
#include "framework/VkResource.h"
#include "framework/VkSimpleWindow.h"
#include "tests/framework/fwtest.h"

#include <Xm/Label.h>
#include <Xm/Xm.h>

#include <string>

namespace {

class Panel : public VkComponent {
public:
    Panel(const char *name, Widget parent) : VkComponent(name)
    {
        if (parent) {
            _baseWidget = XmCreateLabel(parent, _name, nullptr, 0);
            addDestroyHandler();
        }
    }
    const char *className() override { return "Panel"; }
    int mSpacing = 0;
    char *mTitle = nullptr;
};

class Parent : public VkSimpleWindow {
public:
    Parent() : VkSimpleWindow("main") {}
};

void countCall(VkCallbackObject *, void *count, void *) { ++*(int *)count; }
void countDestroy(Widget, XtPointer count, XtPointer) { ++*(int *)count; }

class ComponentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fwtest::app();
        mWindow = new Parent;
        mWindow->show();
    }
    const char *lookup(const char *name, const char *className)
    {
        return lookupStringResource(mWindow->baseWidget(), name, className, "unset");
    }
    Parent *mWindow;
};

TEST_F(ComponentTest, DeletingAComponentDestroysItsWidgetAndTellsItsListeners)
{
    Panel *panel = new Panel("panel", mWindow->mainWindowWidget());
    int destroyed = 0, told = 0;
    XtAddCallback(panel->baseWidget(), XmNdestroyCallback, countDestroy, &destroyed);
    panel->addCallback(VkComponent::deleteCallback, countCall, &told);
    panel->show();
    EXPECT_TRUE(XtIsManaged(panel->baseWidget()));
    panel->hide();
    EXPECT_FALSE(XtIsManaged(panel->baseWidget()));
    delete panel;
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(told, 1);
    EXPECT_STREQ(VkComponent::deleteCallback, "VkComponentDeleteCallback");
}

TEST_F(ComponentTest, ComponentWhoseWidgetWentFirstOnlyForgetsIt)
{
    Panel *panel = new Panel("panel", mWindow->mainWindowWidget());
    int destroyed = 0;
    XtAddCallback(panel->baseWidget(), XmNdestroyCallback, countDestroy, &destroyed);
    XtDestroyWidget(panel->baseWidget());
    EXPECT_EQ(panel->baseWidget(), nullptr);
    delete panel;
    EXPECT_EQ(destroyed, 1);
}

TEST_F(ComponentTest, DefaultLinesApplyToTheComponentOrTheWholeApplication)
{
    Panel panel("panel", nullptr);
    const char *lines[] = {"*labelColour: green", "-*panelSpacing: 4", nullptr};
    panel.mergeDefaultResources(mWindow->baseWidget(), lines);
    EXPECT_STREQ(lookup("fwtest.panel.x.labelColour", "Vireo.Panel.X.LabelColour"), "green");
    EXPECT_STREQ(lookup("fwtest.other.x.labelColour", "Vireo.Other.X.LabelColour"), "unset");
    EXPECT_STREQ(lookup("fwtest.other.panelSpacing", "Vireo.Other.PanelSpacing"), "4");
}

TEST_F(ComponentTest, UserResourcesWinOverDefaultLines)
{
    XrmDatabase db = XtDatabase(gApplication->display());
    XrmPutLineResource(&db, "Vireo*panel*labelColour: blue");
    Panel panel("panel", nullptr);
    const char *lines[] = {"*labelColour: green", nullptr};
    panel.mergeDefaultResources(mWindow->baseWidget(), lines);
    panel.mergeDefaultResources(mWindow->baseWidget(), lines);    // twice is harmless
    EXPECT_STREQ(lookup("fwtest.panel.labelColour", "Vireo.Panel.LabelColour"), "blue");
}

TEST_F(ComponentTest, GetResourcesFillsTheComponentsOwnFields)
{
    Panel panel("panel", mWindow->mainWindowWidget());
    const char *lines[] = {"*spacing: 7", "*title: Vireo servers", nullptr};
    panel.mergeDefaultResources(mWindow->baseWidget(), lines);
    XtResource resources[] = {
        {(char *)"spacing", (char *)"Spacing", XtRInt, sizeof(int),
         (Cardinal)((char *)&panel.mSpacing - (char *)&panel), XtRImmediate, (XtPointer)0},
        {(char *)"title", (char *)"Title", XtRString, sizeof(char *),
         (Cardinal)((char *)&panel.mTitle - (char *)&panel), XtRImmediate, nullptr},
    };
    panel.getResources(resources, 2);
    EXPECT_EQ(panel.mSpacing, 7);
    EXPECT_STREQ(panel.mTitle, "Vireo servers");
}

TEST(ComponentDeathTest, GetResourcesWithoutAWidgetExits)
{
    EXPECT_EXIT({
        fwtest::app();
        Panel panel("panel", nullptr);
        panel.getResources(nullptr, 0);
    }, testing::ExitedWithCode(1), "_baseWidget NULL inside of getResources\n");
}

} // namespace
