// array_test.cpp - XmLArray: growth, placement, moves, reorders and numbering.
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include "widgets/XmL.h"
#include "widgets/XmLP.h"

#include <cstring>
#include <string>
#include <tuple>

namespace {

// An item as the grid keeps them: its position first.
struct Item {
    int  pos;
    char name;
};

class ArrayTest : public ::testing::Test {
protected:
    void TearDown() override { XmLArrayFree(mArray); }

    // Fills the array with items named by the letters, in order.
    void fill(const char *names, char autoNumber = 1)
    {
        XmLArrayFree(mArray);
        mArray = XmLArrayNew(autoNumber, 0);
        int n = (int)strlen(names);
        XmLArrayAdd(mArray, 0, n);
        for (int i = 0; i < n; i++) {
            mItems[i] = {-1, names[i]};
            XmLArraySet(mArray, i, &mItems[i]);
        }
    }

    std::string names() const
    {
        std::string s;
        for (int i = 0; i < XmLArrayGetCount(mArray); i++) {
            Item *item = (Item *)XmLArrayGet(mArray, i);
            s += item ? item->name : '.';
        }
        return s;
    }

    bool numbered() const
    {
        for (int i = 0; i < XmLArrayGetCount(mArray); i++) {
            Item *item = (Item *)XmLArrayGet(mArray, i);
            if (item && item->pos != i)
                return false;
        }
        return true;
    }

    XmLArray mArray = XmLArrayNew(1, 0);
    Item     mItems[16];
};

TEST(ArrayGrowthTest, FastGrowthStartsAt256Spare)
{
    XmLArray array = XmLArrayNew(0, 1);
    XmLArrayAdd(array, 0, 1);
    EXPECT_EQ(array->size, 257);
    XmLArrayAdd(array, 0, 255);
    EXPECT_EQ(array->size, 257);
    XmLArrayAdd(array, 0, 1);
    EXPECT_EQ(array->count, 257);
    EXPECT_EQ(array->size, 514) << "an array that would be full grows";
    XmLArrayAdd(array, 0, 300);
    EXPECT_EQ(array->size, 1114);
    testing::internal::CaptureStderr();
    XmLArrayAdd(array, 0, 0x7fffffff);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "XmLArrayAdd: warning: array too large\n");
    EXPECT_EQ(array->count, 557);
    EXPECT_EQ(array->size, 1114);
    XmLArrayFree(array);
}

TEST(ArrayGrowthTest, ExactGrowthReallocatesToTheCountAndEmptyFreesTheVector)
{
    XmLArray array = XmLArrayNew(0, 0);
    static int a, b;
    XmLArrayAdd(array, 0, 6);
    XmLArraySet(array, 0, &a);
    XmLArraySet(array, 4, &b);
    ASSERT_EQ(XmLArrayDel(array, 5, 1), 0);
    XmLArrayAdd(array, -1, 1);
    EXPECT_EQ(array->size, 6);
    EXPECT_EQ(XmLArrayGet(array, 0), &a);
    EXPECT_EQ(XmLArrayGet(array, 4), &b);
    ASSERT_EQ(XmLArrayDel(array, 0, 6), 0);
    EXPECT_EQ(array->size, 0);
    EXPECT_EQ(array->items, nullptr);
    XmLArrayFree(array);
}

TEST_F(ArrayTest, AddAppendsOutsideAndOpensEmptySlotsInside)
{
    fill("abc");
    XmLArrayAdd(mArray, -1, 1);
    XmLArrayAdd(mArray, 99, 1);
    XmLArrayAdd(mArray, 1, 2);
    XmLArrayAdd(mArray, 0, 0);
    EXPECT_EQ(names(), "a..bc..");
    EXPECT_TRUE(numbered());
}

TEST_F(ArrayTest, DeleteRenumbersAndRefusesBadRanges)
{
    fill("abcde");
    for (auto [pos, n] : {std::pair{0, 0}, {1, -1}, {-1, 1}, {4, 2}, {6, 1}, {1, 0x7fffffff}})
        EXPECT_EQ(XmLArrayDel(mArray, pos, n), -1) << pos << " " << n;
    ASSERT_EQ(XmLArrayDel(mArray, 1, 2), 0);
    EXPECT_EQ(names(), "ade");
    EXPECT_TRUE(numbered());
    EXPECT_EQ(XmLArrayGet(mArray, 3), nullptr);
}

TEST_F(ArrayTest, SetRefusesBadSlotsAndNullWhenNumbering)
{
    fill("abc");
    Item x = {-1, 'x'};
    EXPECT_EQ(XmLArraySet(mArray, 3, &x), -1);
    EXPECT_EQ(XmLArraySet(mArray, -1, &x), -1);
    EXPECT_EQ(XmLArraySet(mArray, 1, nullptr), -1);
    EXPECT_EQ(names(), "abc");
    testing::internal::CaptureStderr();
    EXPECT_EQ(XmLArraySet(mArray, 1, &x), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "XmLArraySet: warning: overwriting pointer\n");
    EXPECT_EQ(names(), "axc");
    EXPECT_EQ(x.pos, 1);
}

TEST_F(ArrayTest, MoveUpAndDownOrRefuse)
{
    fill("pqrstu");
    ASSERT_EQ(XmLArrayMove(mArray, 0, 3, 2), 0);
    EXPECT_EQ(names(), "stpqru");
    EXPECT_TRUE(numbered());
    fill("pqrstu");
    ASSERT_EQ(XmLArrayMove(mArray, 3, 0, 2), 0);
    EXPECT_EQ(names(), "rstpqu");
    EXPECT_TRUE(numbered());
    for (auto [to, from, n] : {std::tuple{5, 0, 2}, {0, 5, 2}, {-1, 0, 1}, {0, 1, 0}, {0, 1, 0x7fffffff}})
        EXPECT_EQ(XmLArrayMove(mArray, to, from, n), -1) << to << " " << from << " " << n;
    EXPECT_EQ(names(), "rstpqu");
}

TEST_F(ArrayTest, ReorderTakesEachSlotFromTheList)
{
    fill("pqr");
    int fromStart[3] = {2, 0, 1};
    ASSERT_EQ(XmLArrayReorder(mArray, fromStart, 0, 3), 0);
    EXPECT_EQ(names(), "rpq");
    fill("xpqr");
    int list[3] = {3, 1, 2};
    ASSERT_EQ(XmLArrayReorder(mArray, list, 1, 3), 0);
    EXPECT_EQ(names(), "xrpq");
    EXPECT_TRUE(numbered());
}

TEST_F(ArrayTest, ReorderWithoutAPermutationIsRefused)
{
    fill("pqr");
    int outside[3] = {2, 0, 3}, repeated[3] = {2, 2, 0}, negative[3] = {-1, 0, 1};
    EXPECT_EQ(XmLArrayReorder(mArray, outside, 0, 3), -1);
    EXPECT_EQ(XmLArrayReorder(mArray, repeated, 0, 3), -1);
    EXPECT_EQ(XmLArrayReorder(mArray, negative, 0, 3), -1);
    EXPECT_EQ(XmLArrayReorder(mArray, outside, 1, 3), -1);
    EXPECT_EQ(names(), "pqr");
}

static int ByName(void *userData, void *left, void *right)
{
    Item *a = *(Item **)left, *b = *(Item **)right;
    return *(int *)userData * (a->name - b->name);
}

TEST_F(ArrayTest, SortOrdersARangeAndRenumbers)
{
    fill("zdbcaz");
    int ascending = 1, descending = -1;
    ASSERT_EQ(XmLArraySort(mArray, ByName, &ascending, 1, 4), 0);
    EXPECT_EQ(names(), "zabcdz");
    ASSERT_EQ(XmLArraySort(mArray, ByName, &descending, 0, 6), 0);
    EXPECT_EQ(names(), "zzdcba");
    EXPECT_TRUE(numbered());
    EXPECT_EQ(XmLArraySort(mArray, ByName, &ascending, 3, 4), -1);
    EXPECT_EQ(names(), "zzdcba");
}

}  // namespace
