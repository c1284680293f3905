// test_hostile.cpp - a real window against hostile files and texts: saving the list to a
// pipe, and server texts that the grid and the dialogs would read as layout.
#include <gtest/gtest.h>

#include "framework/VkErrorDialog.h"
#include "framework/VkFileSelectionDialog.h"
#include "tests/browser/mainwin_harness.h"
#include "tests/framework/fwtest.h"

#include <Xm/Xm.h>

#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace harness;

namespace {

class HostileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mHome.writeSettings("server 10.0.0.1:26000 0\nserver 10.0.0.2:27500 0\n");
        mWin = showWindow();
        mWin->setViewTab(0);
    }
    // Chooses name in the save dialog; the message of an error dialog that follows, if any.
    std::string saveTo(const std::string &name)
    {
        gFileSelectionDialog->setSelection(name.c_str());
        fwtest::pressLater(gFileSelectionDialog, fwtest::OK);
        mError.clear();
        readErrorLater(&mError);
        mWin->saveServers();
        fwtest::pump(100);
        return mError;
    }

    fwtest::Watchdog mWatchdog{30};
    TempHome         mHome;
    TestWin         *mWin = nullptr;
    std::string      mError;        // outlives the test's reader of error dialogs
};

bool isPipe(const std::string &path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0 && S_ISFIFO(st.st_mode);
}

} // namespace

// ---- Saving the list

// Opening a pipe for writing waited, with the window frozen, until some process read it;
// with a reader there, the list went down the pipe.
TEST_F(HostileTest, SavingToAPipeIsRefusedAtOnce)
{
    std::string pipe = mHome.path() + "/pipe";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(saveTo(pipe), "Could not create output file.");

    int reader = open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(saveTo(pipe), "Could not create output file.");
    char byte;
    EXPECT_LE(read(reader, &byte, 1), 0);
    close(reader);
    EXPECT_TRUE(isPipe(pipe));
}

TEST_F(HostileTest, SavingToANewNameOrOverAFileWritesTheList)
{
    std::string path = mHome.path() + "/list.txt";
    EXPECT_EQ(saveTo(path), "");
    std::ofstream(path) << "an older and longer list\n";
    EXPECT_EQ(saveTo(path), "");
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "10.0.0.1:26000\n10.0.0.2:27500\n");
    EXPECT_EQ(statusText(mWin), "2 servers saved to file");
}
