// util_test.cpp - XmLSort against a reference, rectangle intersection and the date functions.
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include "widgets/XmL.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <random>
#include <vector>

namespace {

static int CompareInts(void *, void *left, void *right)
{
    int a = *(int *)left, b = *(int *)right;
    return a < b ? -1 : a > b;
}

// A record wider than a pointer, so the byte-wise swap is exercised.
struct Wide {
    int  key;
    int  serial;
    char pad[5];
};

static int CompareWide(void *userData, void *left, void *right)
{
    int sign = *(int *)userData;
    int a = ((Wide *)left)->key, b = ((Wide *)right)->key;
    return sign * (a < b ? -1 : a > b);
}

TEST(SortTest, MatchesAReferenceOnRandomArrays)
{
    std::mt19937 random(20240601);
    for (int round = 0; round < 2000; round++) {
        int count = (int)(random() % 120);
        int range = 1 + (int)(random() % (round % 3 == 0 ? 4 : 1000));  // many repeats too
        std::vector<int> values(count);
        for (int &v : values)
            v = (int)(random() % range) - range / 2;
        std::vector<int> expected = values;
        std::sort(expected.begin(), expected.end());
        XmLSort(values.data(), count, sizeof(int), CompareInts, nullptr);
        ASSERT_EQ(values, expected) << "round " << round;
    }
}

TEST(SortTest, WideRecordsKeepTheirContentsAndUseTheUserData)
{
    std::mt19937 random(7);
    std::vector<Wide> records(300);
    for (int i = 0; i < 300; i++) {
        records[i] = Wide{(int)(random() % 50), i, "abcd"};
    }
    int descending = -1;
    XmLSort(records.data(), 300, sizeof(Wide), CompareWide, &descending);
    std::vector<bool> seen(300);
    for (int i = 0; i < 300; i++) {
        if (i > 0) {
            ASSERT_GE(records[i - 1].key, records[i].key);
        }
        EXPECT_STREQ(records[i].pad, "abcd");
        seen[records[i].serial] = true;
    }
    EXPECT_EQ(std::count(seen.begin(), seen.end(), true), 300);
}

// Sorts a small array of its own inside every comparison.
static int CompareWhileSorting(void *userData, void *left, void *right)
{
    int inner[5] = {4, 1, 3, 0, 2};
    XmLSort(inner, 5, sizeof(int), CompareInts, nullptr);
    for (int i = 0; i < 5; i++)
        EXPECT_EQ(inner[i], i);
    ++*(int *)userData;
    return CompareInts(nullptr, left, right);
}

TEST(SortTest, ACompareProcedureMaySortToo)
{
    int calls = 0;
    std::vector<int> values = {9, 3, 7, 1, 8, 2, 6, 4, 5, 0};
    XmLSort(values.data(), 10, sizeof(int), CompareWhileSorting, &calls);
    EXPECT_GT(calls, 0);
    for (int i = 0; i < 10; i++)
        EXPECT_EQ(values[i], i);
}

// Answers at random: the sort may leave any order but must stay inside the array.
static int CompareAtRandom(void *userData, void *, void *)
{
    return (int)((*(std::mt19937 *)userData)() % 3) - 1;
}

TEST(SortTest, AnInconsistentCompareStaysInsideTheArray)
{
    std::mt19937 random(3);
    for (int round = 0; round < 200; round++) {
        std::vector<int> values(50);
        for (int i = 0; i < 50; i++)
            values[i] = i;
        XmLSort(values.data(), 50, sizeof(int), CompareAtRandom, &random);
        std::sort(values.begin(), values.end());
        for (int i = 0; i < 50; i++)
            ASSERT_EQ(values[i], i);
    }
}

TEST(RectIntersectTest, InsidePartlyBesideOrEmpty)
{
    XRectangle b = {-5, -5, 20, 20}, inner = {0, 0, 15, 15}, overlapping = {10, 10, 10, 10};
    XRectangle touching = {15, -5, 4, 4}, empty = {0, 0, 0, 10};
    EXPECT_EQ(XmLRectIntersect(&b, &b), XmLRectInside);
    EXPECT_EQ(XmLRectIntersect(&inner, &b), XmLRectInside);
    EXPECT_EQ(XmLRectIntersect(&overlapping, &b), XmLRectPartial);
    EXPECT_EQ(XmLRectIntersect(&b, &inner), XmLRectPartial);
    EXPECT_EQ(XmLRectIntersect(&touching, &b), XmLRectOutside);
    EXPECT_EQ(XmLRectIntersect(&empty, &b), XmLRectOutside);
    EXPECT_EQ(XmLRectIntersect(&b, &empty), XmLRectOutside);
}

// An exposure that ends where a cell begins must not redraw that cell.
TEST(RectIntersectTest, RectanglesThatOnlyTouchDoNotOverlap)
{
    XRectangle b = {0, 0, 10, 10};
    XRectangle sides[4] = {{-4, 0, 4, 10}, {10, 0, 4, 10}, {0, -4, 10, 4}, {0, 10, 10, 4}};
    for (XRectangle &side : sides) {
        EXPECT_EQ(XmLRectIntersect(&side, &b), XmLRectOutside) << side.x << "," << side.y;
        EXPECT_EQ(XmLRectIntersect(&b, &side), XmLRectOutside) << side.x << "," << side.y;
    }
}

TEST(RectIntersectTest, WideRectanglesDoNotWrap)
{
    XRectangle wide = {30000, 0, 60000, 10}, b = {-30000, 0, 100, 10}, c = {32000, 0, 10, 10};
    EXPECT_EQ(XmLRectIntersect(&wide, &b), XmLRectOutside);
    EXPECT_EQ(XmLRectIntersect(&c, &wide), XmLRectInside);
}

TEST(DateTest, DaysInMonthAndItsRange)
{
    EXPECT_EQ(XmLDateDaysInMonth(2, 1900), 28);
    EXPECT_EQ(XmLDateDaysInMonth(2, 2000), 29);
    EXPECT_EQ(XmLDateDaysInMonth(2, 2024), 29);
    EXPECT_EQ(XmLDateDaysInMonth(4, 2023), 30);
    EXPECT_EQ(XmLDateDaysInMonth(12, 9999), 31);
    EXPECT_EQ(XmLDateDaysInMonth(2, 1752), -1);
    EXPECT_EQ(XmLDateDaysInMonth(1, 10000), -1);
    EXPECT_EQ(XmLDateDaysInMonth(13, 2000), -1);
}

TEST(DateTest, WeekDayRefusesDaysOutsideTheMonth)
{
    EXPECT_EQ(XmLDateWeekDay(1, 1, 2000), 6);
    EXPECT_EQ(XmLDateWeekDay(2, 29, 1900), -1);
    EXPECT_EQ(XmLDateWeekDay(4, 31, 2000), -1);
    EXPECT_EQ(XmLDateWeekDay(1, 0, 2000), -1);
    EXPECT_EQ(XmLDateWeekDay(12, 31, 1752), -1);
}

TEST(DateTest, WeekDayAgreesWithTheCLibrary)
{
    for (int year = 1753; year <= 9999; year += 37) {
        for (int month = 1; month <= 12; month++) {
            for (int day = 1; day <= XmLDateDaysInMonth(month, year); day += 6) {
                struct tm date = {};
                date.tm_year = year - 1900;
                date.tm_mon = month - 1;
                date.tm_mday = day;
                date.tm_hour = 12;
                time_t t = timegm(&date);
                struct tm back;
                gmtime_r(&t, &back);
                ASSERT_EQ(XmLDateWeekDay(month, day, year), back.tm_wday)
                    << year << "-" << month << "-" << day;
            }
        }
    }
}

}  // namespace
