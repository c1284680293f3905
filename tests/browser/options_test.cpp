// options_test.cpp - the Options record's option values: conversions and bounds.
#include "browser/options.h"

#include "tests/browser/option_flags.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

TEST(SettingValueTest, BoolsAndIntsReadLikeTheFileWritesThem)
{
    EXPECT_TRUE(Setting::TestBool("tRuE"));
    EXPECT_FALSE(Setting::TestBool("yes"));
    EXPECT_FALSE(Setting::TestBool(" true"));
    EXPECT_EQ(Setting::GetInt("  -12abc"), -12);
    EXPECT_EQ(Setting::GetInt("abc"), 0);
    int n = 5;
    EXPECT_TRUE(Setting::ScanInt("2147483647", &n));
    EXPECT_EQ(n, INT_MAX);
    EXPECT_TRUE(Setting::ScanInt("-2147483648", &n));
    EXPECT_EQ(n, INT_MIN);
    EXPECT_FALSE(Setting::ScanInt("2147483648", &n));
    EXPECT_FALSE(Setting::ScanInt("-2147483649", &n));
    EXPECT_FALSE(Setting::ScanInt("-99999999999999999999999", &n));
    EXPECT_EQ(n, INT_MIN);                      // a refused number stores nothing
}

class OptionsParseTest : public ::testing::Test {
protected:
    Options mOptions;
};

TEST_F(OptionsParseTest, OneSeparatorThenTheValueBlanksIncluded)
{
    mOptions.parse("quakeOptions  -nosound");
    EXPECT_EQ(mOptions.quakeOptions, " -nosound");
    mOptions.parse("\tqueryOnLoad\tTRUE");
    EXPECT_TRUE(mOptions.queryOnLoad);
}

TEST_F(OptionsParseTest, MissingValuesAndUnknownKeysChangeNothing)
{
    mOptions.quakePath = "/usr/games/quake";
    mOptions.parse("quakePath ");
    mOptions.parse("quakePath");
    mOptions.parse("includeMap ");
    mOptions.parse("QueryRules true");
    mOptions.parse("nosuchkey true");
    EXPECT_EQ(mOptions.quakePath, "/usr/games/quake");
    EXPECT_STREQ(mOptions.filter.includeMap, "*");
    EXPECT_FALSE(mOptions.queryRules);
}

TEST_F(OptionsParseTest, QueriesAtOnceIsKeptBetweenOneAndSixtyFour)
{
    struct { const char *text; int stored; } cases[] = {
        {"0", 1}, {"-20", 1}, {"1000", 64}, {"16", 16},
        {"4294967300", 16},     // does not fit: refused, the value stays
        {"65", 64}, {"1", 1}, {"64", 64},
    };
    for (const auto &c : cases) {
        mOptions.parse((std::string("queriesAtOnce ") + c.text).c_str());
        EXPECT_EQ(mOptions.queriesAtOnce, c.stored) << c.text;
    }
}

TEST_F(OptionsParseTest, MapPatternsAreCutToTheirField)
{
    std::string longList = "e1m1|e1m2|e1m3|e1m4|e1m5|e1m6";
    mOptions.parse(("includeMap " + longList).c_str());
    EXPECT_EQ(std::string(mOptions.filter.includeMap), longList.substr(0, 19));
    EXPECT_EQ(mOptions.filter.excludeMap[0], '\0');     // the next field is untouched
}

// What write puts out, read back line by line as the settings reader hands the lines on.
static Options writtenAndRead(const Options &o)
{
    char *text = nullptr;
    size_t size = 0;
    FILE *fp = open_memstream(&text, &size);
    o.write(fp);
    fclose(fp);
    Options back;
    for (char *save = nullptr, *line = strtok_r(text, "\n", &save); line;
         line = strtok_r(nullptr, "\n", &save))
        back.parse(line + strlen("option "));
    free(text);
    return back;
}

// One flag at a time, so a flag written or read as its neighbour shows.
TEST(OptionsFileTest, EachFlagAloneComesBackAsItself)
{
    for (const OptionFlag &only : sOptionFlags) {
        Options o;
        setOnly(o, only);
        EXPECT_EQ(flagsOn(writtenAndRead(o)), std::vector<std::string>{only.key});
    }
}
