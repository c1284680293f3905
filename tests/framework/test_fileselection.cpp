// test_fileselection.cpp - the file-selection dialog manager: chosen name, filter, settings.
// GoogleTest comes before the X headers, whose None and Bool macros it would trip over.
#include <gtest/gtest.h>

#include "framework/VkApp.h"
#include "framework/VkFileSelectionDialog.h"
#include "framework/VkSimpleWindow.h"
#include "tests/framework/fwtest.h"

#include <Xm/FileSB.h>
#include <Xm/List.h>
#include <Xm/Xm.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

using fwtest::pressLater;

class Parent : public VkSimpleWindow {
public:
    Parent() : VkSimpleWindow("main") {}
};

std::string fileSpec(Widget dialog, const char *resource)
{
    XmString string = nullptr;
    XtVaGetValues(dialog, resource, &string, nullptr);
    char *text = (char *)XmStringUnparse(string, nullptr, XmCHARSET_TEXT, XmCHARSET_TEXT,
                                         nullptr, 0, XmOUTPUT_ALL);
    std::string result = text ? text : "";
    XtFree(text);
    XmStringFree(string);
    return result;
}

class FileSelectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fwtest::app();
        (new Parent)->show();
        char pattern[] = "/tmp/fwtest-files.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        mDir = pattern;
        std::ofstream(mDir + "/servers.txt") << "127.0.0.1:26000\n";
        std::ofstream(mDir + "/notes.dat") << "x\n";
        mFiles.setDirectory(mDir.c_str());
    }
    void TearDown() override
    {
        std::string command = "rm -rf '" + mDir + "'";
        ASSERT_EQ(system(command.c_str()), 0);
    }
    int fileCount(Widget dialog)
    {
        int count = -1;
        XtVaGetValues(VkDialogManager::dialogChild(dialog, XmDIALOG_LIST), XmNitemCount, &count,
                      nullptr);
        return count;
    }
    std::string mDir;
    VkFileSelectionDialog mFiles{"FileSelectionDialogManager"};
    fwtest::Watchdog mWatchdog;
};

// The box was 214 pixels wide: folder names were cut and a path did not fit the text.
TEST_F(FileSelectionTest, TheDialogHasRoomForAPath)
{
    Dimension width = 0;
    fwtest::later(20, [this, &width] {
        XtVaGetValues(mFiles.lastPostedDialog(), XmNwidth, &width, nullptr);
    });
    pressLater(&mFiles, fwtest::Cancel);
    EXPECT_EQ(mFiles.postBlocking(nullptr), 2);
    EXPECT_GE(width, 480);      // some 80 characters of the test's 6-pixel font
}

TEST_F(FileSelectionTest, OkStoresTheFullPathAndCancelKeepsIt)
{
    std::string path = mDir + "/servers.txt";
    mFiles.setSelection(path.c_str());
    pressLater(&mFiles, fwtest::OK);
    EXPECT_EQ(mFiles.postBlocking(nullptr), 0);
    ASSERT_NE(mFiles.fileName(), nullptr);
    EXPECT_EQ(std::string(mFiles.fileName()), path);

    mFiles.setSelection((mDir + "/notes.dat").c_str());
    pressLater(&mFiles, fwtest::Cancel);
    EXPECT_EQ(mFiles.postBlocking(nullptr), 2);
    EXPECT_EQ(std::string(mFiles.fileName()), path);
}

TEST_F(FileSelectionTest, NewDialogStartsInTheStoredDirectoryWithOkAsDefault)
{
    mFiles.setFilterPattern("*.txt");
    Widget d = mFiles.post(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(fileSpec(d, XmNdirectory).rfind(mDir, 0), 0u);
    EXPECT_EQ(fileSpec(d, XmNpattern), "*.txt");
    EXPECT_EQ(fileCount(d), 1);
    Widget defaultButton = nullptr;
    XtVaGetValues(d, XmNdefaultButton, &defaultButton, nullptr);
    EXPECT_EQ(defaultButton, VkDialogManager::dialogChild(d, XmDIALOG_OK_BUTTON));
    for (int child : {XmDIALOG_OK_BUTTON, XmDIALOG_APPLY_BUTTON, XmDIALOG_CANCEL_BUTTON})
        EXPECT_TRUE(XtIsManaged(VkDialogManager::dialogChild(d, child)));
}

TEST_F(FileSelectionTest, FilterButtonDoesNotEndTheWait)
{
    bool upAfterFilter = false;
    fwtest::later(30, [&] {
        Widget d = mFiles.lastPostedDialog();
        ASSERT_TRUE(fwtest::press(d, fwtest::Apply));
        fwtest::later(50, [&, d] {
            upAfterFilter = XtIsManaged(d);
            fwtest::press(d, fwtest::Cancel);
        });
    });
    EXPECT_EQ(mFiles.postBlocking(nullptr), 2);
    EXPECT_TRUE(upAfterFilter);
}

TEST_F(FileSelectionTest, PatternSetWhileUpSearchesAtOnce)
{
    Widget d = mFiles.post(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(fileCount(d), 2);
    mFiles.setFilterPattern("*.dat");
    EXPECT_EQ(fileCount(d), 1);
    mFiles.unpostAll();
    mFiles.setFilterPattern("*.txt");      // a dialog that is down keeps what it had
    EXPECT_EQ(fileSpec(d, XmNpattern), "*.dat");
}

TEST_F(FileSelectionTest, UnreadableChoiceKeepsTheEarlierName)
{
    XmFileSelectionBoxCallbackStruct data = {};
    data.reason = XmCR_OK;
    testing::internal::CaptureStderr();
    VkFileSelectionDialog::fileChosenCallback(nullptr, &mFiles, &data);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "This program is probably going to dump core now... \n");
    EXPECT_EQ(mFiles.fileName(), nullptr);
}

} // namespace
