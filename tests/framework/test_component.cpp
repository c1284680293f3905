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

// A name of n components joined by sep.
std::string parts(int n, const char *sep = ".")
{
    std::string name = "p";
    for (int i = 1; i < n; i++)
        name += std::string(sep) + "p";
    return name;
}

TEST(ResourceNameTest, ComponentsOfNameCharactersJoinedByBindingsAreNames)
{
    EXPECT_TRUE(isResourceName("serverGreeting"));
    EXPECT_TRUE(isResourceName("*Add_2.noUndoQuestion"));
    EXPECT_TRUE(isResourceName("fwtest.main*x-y.labelString"));
    EXPECT_TRUE(isResourceName(parts(100).c_str()));
    EXPECT_TRUE(isResourceName(parts(100, "*").c_str()));
}

TEST(ResourceNameTest, OtherTextsAreNot)
{
    EXPECT_FALSE(isResourceName(nullptr));
    EXPECT_FALSE(isResourceName(""));
    EXPECT_FALSE(isResourceName("*"));
    EXPECT_FALSE(isResourceName("Could not open specified file."));
    EXPECT_FALSE(isResourceName("two words"));
    EXPECT_FALSE(isResourceName("colon:x"));
    EXPECT_FALSE(isResourceName("line\nbreak"));
    EXPECT_FALSE(isResourceName("caf\xc3\xa9"));
    EXPECT_FALSE(isResourceName(parts(101).c_str()));
    EXPECT_FALSE(isResourceName(parts(101, "*.").c_str()));
}

// Xlib would split a longer name into a fixed array without a bound.
TEST_F(ComponentTest, LookupTakesOnlyResourceNames)
{
    XrmDatabase db = XtDatabase(gApplication->display());
    XrmPutLineResource(&db, "*two words: found");
    XrmPutLineResource(&db, ("*" + parts(100) + ": deep").c_str());
    EXPECT_STREQ(lookup("two words", "two words"), "unset");
    EXPECT_STREQ(lookup(parts(100).c_str(), parts(100).c_str()), "deep");
    EXPECT_STREQ(lookup(parts(101).c_str(), "P"), "unset");
    EXPECT_STREQ(lookup("p", parts(160).c_str()), "unset");
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
