// settings_files_test.cpp - the settings file when it is not a plain file: pipes, devices,
// links, huge files, a file-size limit and saves killed half-way.
#include "browser/settings.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <csignal>
#include <filesystem>
#include <functional>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Runs action in a child process and gives its exit status: -1 when it had to be killed
// after timeoutMs, 128 + the signal when a signal ended it. A reader that blocks or spins
// so fails the test instead of holding the suite.
int inChild(const std::function<int()> &action, int timeoutMs = 3000)
{
    pid_t child = fork();
    if (child == 0)
        _exit(action());
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > until) {
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

mode_t typeOf(const std::string &path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0 ? st.st_mode & S_IFMT : 0;
}

// A record big enough that a save takes a while and passes any small size limit.
Settings manyServers(int count)
{
    Settings s;
    for (int i = 0; i < count; i++)
        s.servers.push_back({0, "10.0." + std::to_string(i / 250) + "." +
                                    std::to_string(i % 250), 26000, 0});
    return s;
}

class SettingsFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char dir[] = "/tmp/vireo-settings-files-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        mDir = dir;
        mPath = mDir + "/.vireorc";
    }
    void TearDown() override { fs::remove_all(mDir); }
    void put(const std::string &path, const std::string &text)
    {
        std::ofstream(path, std::ios::binary) << text;
    }
    std::string contents(const std::string &path) const
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::set<std::string> names() const
    {
        std::set<std::string> found;
        for (const auto &entry : fs::directory_iterator(mDir))
            found.insert(entry.path().filename().string());
        return found;
    }
    // 0 read, 1 not read and nothing said (no file), 2 not read and a problem told.
    int readInChild(const std::string &path)
    {
        return inChild([&path] {
            Settings s;
            std::string problem;
            bool read = readSettings(path.c_str(), &s, &problem);
            return read ? 0 : problem.empty() ? 1 : 2;
        });
    }

    std::string mDir;
    std::string mPath;
};

} // namespace

// ---- Reading

// A pipe with no writer blocked the start in open; a device that never ends (here the
// real zero device, only read) kept the reader busy for ever.
TEST_F(SettingsFilesTest, APipeOrADeviceIsNotReadAndHoldsNothingUp)
{
    ASSERT_EQ(mkfifo(mPath.c_str(), 0600), 0);
    EXPECT_EQ(readInChild(mPath), 2);
    EXPECT_EQ(typeOf(mPath), (mode_t)S_IFIFO);

    std::string zero = mDir + "/zero-rc";
    ASSERT_EQ(symlink("/dev/zero", zero.c_str()), 0);
    EXPECT_EQ(readInChild(zero), 2);
    EXPECT_EQ(readInChild(mDir + "/none"), 1);
}

TEST_F(SettingsFilesTest, AFileReadOnlyInPartIsTold)
{
    std::string text = "debug true\n";
    std::string comment = "# " + std::string(1000, '-') + "\n";
    while (text.size() < 5 * 1024 * 1024)
        text += comment;
    put(mPath, text + "server 10.0.0.9:26000 0\nfilter all\n");
    Settings s;
    std::string problem;
    EXPECT_TRUE(readSettings(mPath.c_str(), &s, &problem));
    EXPECT_TRUE(s.debug);
    EXPECT_TRUE(s.servers.empty());
    EXPECT_EQ(s.view, 1);
    EXPECT_EQ(problem, "larger than 4 MB");

    put(mPath, "debug true\n");
    problem.clear();
    EXPECT_TRUE(readSettings(mPath.c_str(), &s, &problem));
    EXPECT_EQ(problem, "");

    // A file of the bound is read whole; one byte more cuts its last line.
    for (size_t extra : {0, 1}) {
        std::string last = "filter all\n";
        std::string exact = "# " + std::string((4 << 20) - 3 - last.size() + extra, '-') + "\n";
        put(mPath, exact + last);
        Settings t;
        problem.clear();
        EXPECT_TRUE(readSettings(mPath.c_str(), &t, &problem));
        EXPECT_EQ(t.view, extra ? 1 : 0) << extra;
        EXPECT_EQ(problem.empty(), extra == 0) << extra;
    }

    // A read that fails once the file is open: this process's first page is never mapped.
    std::string mem = mDir + "/mem-rc";
    ASSERT_EQ(symlink("/proc/self/mem", mem.c_str()), 0);
    problem.clear();
    EXPECT_TRUE(readSettings(mem.c_str(), &s, &problem));
    EXPECT_EQ(problem, strerror(EIO));
}

// ---- Writing

// The save replaced whatever stood at the path or at the end of a link by renaming a new
// file over it: a pipe or device became a regular file, a dangling link lost its link.
TEST_F(SettingsFilesTest, NothingButARegularFileIsReplaced)
{
    ASSERT_EQ(mkfifo(mPath.c_str(), 0600), 0);
    std::string why;
    EXPECT_FALSE(writeSettings(mPath.c_str(), Settings(), &why));
    EXPECT_NE(why, "");
    EXPECT_EQ(typeOf(mPath), (mode_t)S_IFIFO);
    EXPECT_EQ(names(), std::set<std::string>{".vireorc"});
    unlink(mPath.c_str());

    // The pipe stands in for a device node: a link to it must not be written through.
    std::string device = mDir + "/device";
    ASSERT_EQ(mkfifo(device.c_str(), 0600), 0);
    ASSERT_EQ(symlink(device.c_str(), mPath.c_str()), 0);
    EXPECT_FALSE(writeSettings(mPath.c_str(), Settings(), &why));
    EXPECT_EQ(typeOf(mPath), (mode_t)S_IFLNK);
    EXPECT_EQ(typeOf(device), (mode_t)S_IFIFO);
    unlink(mPath.c_str());

    std::string missing = mDir + "/missing";
    ASSERT_EQ(symlink(missing.c_str(), mPath.c_str()), 0);
    EXPECT_FALSE(writeSettings(mPath.c_str(), Settings(), &why));
    EXPECT_EQ(typeOf(mPath), (mode_t)S_IFLNK);
    EXPECT_EQ(typeOf(missing), (mode_t)0);
    EXPECT_EQ(names(), (std::set<std::string>{".vireorc", "device"}));
}

TEST_F(SettingsFilesTest, ALinkToARegularFileIsWrittenBesideItsTarget)
{
    fs::create_directories(mDir + "/dots");
    std::string real = mDir + "/dots/vireorc";
    put(real, "debug true\n");
    ASSERT_EQ(symlink("dots/vireorc", mPath.c_str()), 0);
    Settings s;
    s.debug = false;
    ASSERT_TRUE(writeSettings(mPath.c_str(), s));
    EXPECT_EQ(typeOf(mPath), (mode_t)S_IFLNK);
    EXPECT_EQ(contents(real).substr(0, 35), "# Vireo resource file\n\ndebug false\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(mDir + "/dots"), fs::directory_iterator()),
              1);
}

// Under a file-size limit the kernel sends SIGXFSZ, which ended the program mid-save.
TEST_F(SettingsFilesTest, AFileSizeLimitFailsTheSaveAndNothingElse)
{
    put(mPath, "debug true\n");
    std::string path = mPath;
    int status = inChild([path] {
        signal(SIGXFSZ, SIG_DFL);
        struct rlimit small;
        getrlimit(RLIMIT_FSIZE, &small);
        small.rlim_cur = 4096;
        if (setrlimit(RLIMIT_FSIZE, &small) != 0)
            return 10;
        bool written = writeSettings(path.c_str(), manyServers(1000));
        int error = errno;
        struct sigaction now;
        sigaction(SIGXFSZ, nullptr, &now);
        if (now.sa_handler != SIG_DFL)
            return 11;              // the program's own handling is left as it was
        return written ? 0 : error == EFBIG ? 1 : 12;
    }, 10000);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(contents(mPath), "debug true\n");
    EXPECT_EQ(names(), std::set<std::string>{".vireorc"});
}

// kill -9 during saves left a temporary file per kill; the next save that succeeds takes
// them away, and leaves alone what is not one of them or belongs to a running save.
TEST_F(SettingsFilesTest, LeftoversOfKilledSavesGoAtTheNextSave)
{
    Settings big = manyServers(20000);
    std::string path = mPath;
    int leftovers = 0;
    for (int round = 0; round < 300 && leftovers < 1; round++) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;)
                writeSettings(path.c_str(), big);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(2000 + 997 * (round % 13)));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        leftovers = (int)names().size() - 1;
    }
    ASSERT_GE(leftovers, 1) << "no save was ever caught half-way";
    put(mDir + "/.vireorc.backup", "mine\n");
    put(mDir + "/.vireorc.saving-1-abcdef", "a save of a running program\n");
    // No process has a number of nine digits; ten may stand for another one cut short.
    put(mDir + "/.vireorc.saving-999999999-abcdef", "gone\n");
    put(mDir + "/.vireorc.saving-1000000001-abcdef", "not ours to judge\n");
    ASSERT_TRUE(writeSettings(mPath.c_str(), Settings()));
    EXPECT_EQ(names(), (std::set<std::string>{".vireorc", ".vireorc.backup",
                                              ".vireorc.saving-1-abcdef",
                                              ".vireorc.saving-1000000001-abcdef"}));
}
