// test_callbacks.cpp - callback lists, the component list and message formatting.
// GoogleTest comes before the X headers, whose None and Bool macros it would trip over.
#include <gtest/gtest.h>

#include "framework/VkCallbackObject.h"
#include "framework/VkComponent.h"
#include "framework/VkComponentList.h"
#include "framework/VkResource.h"
#include "tests/framework/fwtest.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<std::string> gCalls;

void record(VkCallbackObject *, void *clientData, void *callData)
{
    gCalls.push_back(std::string((const char *)clientData) + ":" + (const char *)callData);
}

class Listener : public VkCallbackObject {
public:
    explicit Listener(const char *tag) : mTag(tag) {}
    void heard(VkCallbackObject *, void *, void *callData)
    { gCalls.push_back(mTag + ":" + (const char *)callData); }
    std::string mTag;
};

VkCallbackMethod heard = static_cast<VkCallbackMethod>(&Listener::heard);

class CallbackListTest : public ::testing::Test {
protected:
    void SetUp() override { gCalls.clear(); }
    VkCallbackObject mSource;
};

TEST_F(CallbackListTest, EntriesRunInInsertionOrderWithTheirData)
{
    Listener listener("m");
    mSource.addCallback("changed", record, (void *)"f1");
    mSource.addCallback("changed", &listener, heard);
    mSource.addCallback("changed", record, (void *)"f2");
    mSource.addCallback("other", record, (void *)"x");
    mSource.callCallbacks("changed", (void *)"now");
    EXPECT_EQ(gCalls, (std::vector<std::string>{"f1:now", "m:now", "f2:now"}));
}

TEST_F(CallbackListTest, ListWithoutEntriesOrNameDoesNothing)
{
    mSource.callCallbacks("nobody", (void *)"x");
    EXPECT_TRUE(gCalls.empty());
}

TEST_F(CallbackListTest, RemovalMatchesFunctionObjectAndClientData)
{
    Listener a("a"), b("b");
    mSource.addCallback("l", record, (void *)"keep");
    mSource.addCallback("l", record, (void *)"drop");
    mSource.addCallback("l", record, (void *)"drop");
    mSource.addCallback("l", &a, heard);
    mSource.addCallback("l", &b, heard);
    mSource.removeCallback("l", record, (void *)"drop");
    mSource.removeCallback("l", &a, heard);
    mSource.callCallbacks("l", (void *)"c");
    EXPECT_EQ(gCalls, (std::vector<std::string>{"keep:c", "b:c"}));
}

TEST_F(CallbackListTest, RemoveAllOfOneObjectKeepsTheOthers)
{
    Listener a("a"), b("b");
    mSource.addCallback("l1", &a, heard);
    mSource.addCallback("l2", &a, heard);
    mSource.addCallback("l2", &b, heard);
    mSource.addCallback("l2", record, (void *)"f");
    mSource.removeAllCallbacks(&a);
    mSource.callCallbacks("l1", (void *)"1");
    mSource.callCallbacks("l2", (void *)"2");
    EXPECT_EQ(gCalls, (std::vector<std::string>{"b:2", "f:2"}));
    mSource.removeAllCallbacks();
    EXPECT_EQ(mSource.numCallbacks("l2"), 0);
}

// Callbacks that change the list they are called from.
VkCallbackObject *gSource;

void removeLater(VkCallbackObject *, void *, void *)
{
    gCalls.push_back("remover");
    gSource->removeCallback("l", record, (void *)"victim");
}

void addMore(VkCallbackObject *, void *, void *)
{
    gCalls.push_back("adder");
    gSource->addCallback("l", record, (void *)"added");
}

void deleteSource(VkCallbackObject *, void *, void *)
{
    gCalls.push_back("deleter");
    delete gSource;
}

TEST_F(CallbackListTest, EntryRemovedByAnEarlierCallbackIsNotCalled)
{
    gSource = &mSource;
    mSource.addCallback("l", removeLater);
    mSource.addCallback("l", record, (void *)"victim");
    mSource.callCallbacks("l", (void *)"c");
    EXPECT_EQ(gCalls, (std::vector<std::string>{"remover"}));
}

TEST_F(CallbackListTest, EntryAddedDuringACallRunsFromTheNextCall)
{
    gSource = &mSource;
    mSource.addCallback("l", addMore);
    mSource.callCallbacks("l", (void *)"1");
    EXPECT_EQ(gCalls, (std::vector<std::string>{"adder"}));
    gCalls.clear();
    mSource.removeCallback("l", addMore);
    mSource.callCallbacks("l", (void *)"2");
    EXPECT_EQ(gCalls, (std::vector<std::string>{"added:2"}));
}

TEST_F(CallbackListTest, CallbackMayDeleteTheObjectThatCallsIt)
{
    gSource = new VkCallbackObject;
    gSource->addCallback("l", deleteSource);
    gSource->addCallback("l", record, (void *)"after");
    gSource->callCallbacks("l", (void *)"c");
    EXPECT_EQ(gCalls, (std::vector<std::string>{"deleter"}));
}

// ---- VkComponentList

class Item : public VkComponent {
public:
    explicit Item(const char *name) : VkComponent(name) {}
    const char *className() override { return "Item"; }
};

TEST(ComponentListTest, RemovingTheMiddleKeepsTheOrder)
{
    Item a("a"), b("b"), c("c");
    VkComponentList list;
    list.add(&a);
    list.add(&b);
    list.add(&c);
    list.remove(&b);
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0], &a);
    EXPECT_EQ(list[1], &c);
}

TEST(ComponentListTest, RemovingAnAbsentElementReportsAndChangesNothing)
{
    Item a("a"), b("b");
    VkComponentList list;
    list.add(&a);
    testing::internal::CaptureStderr();
    list.remove(&b);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Unable to find element in VkComponentList \n");
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list[0], &a);
}

TEST(ComponentListTest, GrowsPastItsFirstCapacity)
{
    std::vector<Item *> items;
    VkComponentList list;
    for (int i = 0; i < 45; i++) {
        items.push_back(new Item("i"));
        list.add(items.back());
    }
    ASSERT_EQ(list.size(), 45);
    EXPECT_EQ(list[44], items[44]);
    for (Item *item : items)
        delete item;
}

TEST(ComponentListDeathTest, RemovingNullIsAProgrammingError)
{
    VkComponentList list;
    EXPECT_DEATH(list.remove(nullptr), "c != nullptr");
}

// ---- expandAndFormat

TEST(ExpandAndFormatTest, ApplicationTokenBecomesTheClassName)
{
    fwtest::app();
    EXPECT_STREQ(expandAndFormat("About <application>"), "About Vireo");
    EXPECT_STREQ(expandAndFormat("<application>: <b> <app %d", 3), "Vireo: <b> <app 3");
}

TEST(ExpandAndFormatTest, LongResultIsCutInsideTheBuffer)
{
    fwtest::app();
    std::string longText(5000, 'x');
    const char *result = expandAndFormat("%s<application>", longText.c_str());
    EXPECT_EQ(strlen(result), 999u);
}

TEST(ExpandAndFormatTest, ItsOwnResultMayBeAnArgument)
{
    fwtest::app();
    const char *first = expandAndFormat("<application>");
    EXPECT_STREQ(expandAndFormat("[%s]", first), "[Vireo]");
}

TEST(ExpandAndFormatTest, PlainExpansionLeavesPercentSignsAlone)
{
    fwtest::app();
    EXPECT_EQ(expandApplicationName("100% <application> %s%n"), "100% Vireo %s%n");
}

} // namespace
