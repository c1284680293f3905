// progdir_test.cpp - finding the program's folder: real paths, links, PATH, long paths.
#include "browser/progdir.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

class ProgramDirTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char dir[] = "/tmp/vireo-progdir-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        char *real = realpath(dir, nullptr);
        mDir = real;
        free(real);
        mCwd = fs::current_path();
        const char *path = getenv("PATH");
        mHadPath = path != nullptr;
        mPath = path ? path : "";
    }
    void TearDown() override
    {
        fs::current_path(mCwd);
        if (mHadPath)
            setenv("PATH", mPath.c_str(), 1);
        else
            unsetenv("PATH");
        fs::remove_all(mDir);
    }
    // A program file at mDir/relative; returns its folder with the closing slash.
    std::string makeProgram(const std::string &relative)
    {
        fs::path file = fs::path(mDir) / relative;
        fs::create_directories(file.parent_path());
        std::ofstream(file) << "#!/bin/sh\n";
        return file.parent_path().string() + "/";
    }
    std::string locate(const char *argv0)
    {
        std::string dir = "untouched";
        ProgramDir::locateProgram(argv0, &dir);
        return dir;
    }

    std::string mDir;
    fs::path    mCwd;
    bool        mHadPath = false;
    std::string mPath;
};

TEST_F(ProgramDirTest, AnAbsoluteOrRelativePathGivesTheRealFolder)
{
    std::string bin = makeProgram("opt/v/bin/vireo");
    EXPECT_EQ(locate((bin + "vireo").c_str()), bin);
    fs::current_path(bin);
    EXPECT_EQ(locate("./vireo"), bin);
    fs::current_path(mDir + "/opt");
    EXPECT_EQ(locate("v/../v/bin/vireo"), bin);
}

TEST_F(ProgramDirTest, AProgramStartedThroughALinkFindsTheRealOne)
{
    std::string bin = makeProgram("real/bin/vireo");
    fs::create_directories(mDir + "/links");
    fs::create_symlink(bin + "vireo", mDir + "/links/vireo");
    EXPECT_EQ(locate((mDir + "/links/vireo").c_str()), bin);
    setenv("PATH", (mDir + "/links").c_str(), 1);
    fs::current_path(mDir);
    EXPECT_EQ(locate("vireo"), bin);
}

TEST_F(ProgramDirTest, TheFirstPathElementHoldingAFileWins)
{
    fs::create_directories(mDir + "/a/vireo");          // a folder of that name is passed over
    std::string b = makeProgram("b/vireo");
    makeProgram("c/vireo");
    setenv("PATH", (":" + mDir + "/a::" + mDir + "/b:" + mDir + "/c:").c_str(), 1);
    fs::current_path(mDir);
    EXPECT_EQ(locate("vireo"), b);
}

TEST_F(ProgramDirTest, NothingFoundLeavesTheFolderUntouched)
{
    fs::create_directories(mDir + "/vireo");
    fs::current_path(mDir);
    unsetenv("PATH");
    EXPECT_EQ(locate("vireo"), "untouched");            // a folder never counts
    EXPECT_EQ(locate("missing"), "untouched");
    EXPECT_EQ(locate(""), "untouched");
    EXPECT_EQ(locate(nullptr), "untouched");
    setenv("PATH", mDir.c_str(), 1);
    EXPECT_EQ(locate("vireo"), "untouched");
}

TEST_F(ProgramDirTest, PathsLongerThanTheOldBuffersWork)
{
    std::string deep;
    while (deep.size() < 3000)
        deep += std::string(200, 'd') + "/";
    std::string bin = makeProgram(deep + "vireo");
    ASSERT_GT(bin.size(), 3000u);
    ASSERT_LT(bin.size(), (size_t)PATH_MAX);
    EXPECT_EQ(locate((bin + "vireo").c_str()), bin);
    setenv("PATH", ("/nonexistent:" + bin).c_str(), 1);
    fs::current_path(mDir);
    EXPECT_EQ(locate("vireo"), bin);
}

TEST(ProgramDirEntryTest, EntryJoinsFolderAndClassName)
{
    EXPECT_EQ(ProgramDir::xEnvironmentEntry("/opt/v/bin/", "Vireo"),
              "XENVIRONMENT=/opt/v/bin/Vireo");
    EXPECT_EQ(ProgramDir::xEnvironmentEntry("", "Vireo"), "XENVIRONMENT=Vireo");
    std::string path = "/a/b/vireo";
    ProgramDir::stripFilename(&path);
    EXPECT_EQ(path, "/a/b/");
    path = "vireo";
    ProgramDir::stripFilename(&path);
    EXPECT_EQ(path, "vireo");
}

TEST(ProgramDirEntryTest, TheEnvironmentPointsBesideThisProgram)
{
    char *self = realpath("/proc/self/exe", nullptr);
    ASSERT_NE(self, nullptr);
    std::string dir = self;
    free(self);
    ProgramDir::stripFilename(&dir);
    ProgramDir::setXEnvironment((dir + "browser_data_tests").c_str(), "Vireo");
    ASSERT_NE(getenv("XENVIRONMENT"), nullptr);
    EXPECT_EQ(std::string(getenv("XENVIRONMENT")), dir + "Vireo");
    EXPECT_EQ(ProgramDir::appDirectory(), dir);
}
