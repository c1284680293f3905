// settings_test.cpp - the settings file: exact text, round trips, hostile files, safe writes.
#include "browser/settings.h"

#include "browser/geometry.h"
#include "query/server.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char dir[] = "/tmp/vireo-settings-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        mDir = dir;
        mPath = mDir + "/.vireorc";
    }
    void TearDown() override
    {
        chmod(mDir.c_str(), 0700);
        fs::remove_all(mDir);
    }
    void put(const std::string &text)
    {
        std::ofstream(mPath, std::ios::binary) << text;
    }
    std::string contents() const
    {
        std::ifstream in(mPath, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    Settings readText(const std::string &text)
    {
        put(text);
        Settings settings;
        EXPECT_TRUE(readSettings(mPath.c_str(), &settings));
        return settings;
    }
    std::string writeText(const Settings &settings)
    {
        EXPECT_TRUE(writeSettings(mPath.c_str(), settings));
        return contents();
    }
    int filesInDir() const
    {
        return (int)std::distance(fs::directory_iterator(mDir), fs::directory_iterator());
    }

    std::string mDir;
    std::string mPath;
};

// A record in which every keyword and option differs from its default.
static Settings everythingSet()
{
    Settings s;
    s.debug = true;
    s.geometry = formatGeometry(800, 600, -4, 20);
    s.infoPaneHeight = 150;
    s.rulePaneWidth = 220;
    s.showInfo = s.showRules = true;
    s.view = 3;
    s.serverSortKey = 5;
    s.playerSortKey = 0;
    Options &o = s.options;
    o.queryOnLoad = o.autoUpdate = o.promptToSave = o.queryRules = o.queryPlayers = true;
    o.autoConnect = true;
    o.queriesAtOnce = 16;
    o.queryTimeout = 1500;
    o.quakePath = "/opt/quake";
    o.quakeCmd = "./glquake";
    o.quakeOptions = " -nosound\t +color 4";
    ServerFilter &f = o.filter;
    f.requireQueryInfo = f.pingFilter = f.timeoutFilter = f.includeMapFilter = 1;
    f.excludeMapFilter = f.excludeFullServers = f.minPlayerFilter = f.maxPlayerFilter = 1;
    f.maxPing = 300;
    f.maxTimeouts = 3;
    f.minPlayers = 2;
    f.maxPlayers = 12;
    snprintf(f.includeMap, sizeof f.includeMap, "e1m?|dm*");
    snprintf(f.excludeMap, sizeof f.excludeMap, "start");
    s.sources = {"http://127.0.0.1:8080/list.txt", "file:/tmp/servers.txt"};
    s.servers = {{0, "10.0.0.1", 27500, 0}, {Server::Flag_Favorite, "localhost", 26000, 0},
                 {Server::Flag_Avoid, "192.168.1.10", 26001, 0}};
    return s;
}

TEST_F(SettingsFileTest, AFreshFileHasTheKnownText)
{
    Settings settings;
    EXPECT_FALSE(readSettings(mPath.c_str(), &settings));   // no file yet
    settings.geometry = formatGeometry(640, 480, 10, 20);
    EXPECT_EQ(writeText(settings),
              std::string("# Vireo resource file\n\ndebug false\n\nmainwin 640x480+10+20\n"
              "infoPaneHeight 0\nrulePaneWidth 0\n\n# options\nshowinfo false\n"
              "showrules false\nfilter passed\nsortServers ping\nsortPlayers name\n\n"
              "option queryOnLoad false\noption autoUpdate false\noption promptToSave false\n"
              "option queryRules false\noption queryPlayers false\noption queriesAtOnce 4\n"
              "option queryTimeout 800\noption quakePath \noption quakeCmd \n"
              "option quakeOptions \noption autoConnect false\n"
              "option requireQueryInfo false\noption pingFilter false\n"
              "option timeoutFilter false\noption includeMapFilter false\n"
              "option excludeMapFilter false\noption excludeFullServers false\n"
              "option minPlayerFilter false\noption maxPlayerFilter false\n"
              "option maxPing 500\noption maxTimeouts 1\noption minPlayers 0\n"
              "option maxPlayers 16\noption includeMap *\noption excludeMap \n"
              "serverList ") + defaultSource + "\n\n# servers (hostname:port timeout)\n");
}

TEST_F(SettingsFileTest, EveryKeywordAndOptionComesBackTheSame)
{
    std::string first = writeText(everythingSet());
    Settings read;
    ASSERT_TRUE(readSettings(mPath.c_str(), &read));
    EXPECT_EQ(writeText(read), first);
    std::string crlf;               // as written on another system
    for (char c : first)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(writeText(readText(crlf)), first);
    EXPECT_EQ(read.options.quakeOptions, " -nosound\t +color 4");
    EXPECT_EQ(read.sources.size(), 2u);            // no default page added
    ASSERT_EQ(read.servers.size(), 3u);
    EXPECT_EQ(read.servers[1].kind, (unsigned)Server::Flag_Favorite);
    EXPECT_NE(first.find("mainwin 800x600+-4+20\n"), std::string::npos);
    EXPECT_NE(first.find("\nserver 10.0.0.1:27500 0\nfavorite localhost:26000 0\n"
                         "avoid 192.168.1.10:26001 0\n"), std::string::npos);
}

TEST_F(SettingsFileTest, EveryNameOfTheTablesComesBack)
{
    for (int i = 0; i < 6; i++) {
        Settings s;
        s.view = i % 5;
        s.serverSortKey = i;
        s.playerSortKey = 5 - i;    // never the same: one cannot pass for the other
        writeText(s);
        Settings read = readText(contents());
        EXPECT_EQ(read.view, i % 5);
        EXPECT_EQ(read.serverSortKey, i);
        EXPECT_EQ(read.playerSortKey, 5 - i);
    }
}

TEST_F(SettingsFileTest, NamesKeywordsAndBoolsAreReadExactly)
{
    Settings s = readText("filter Passed\nsortServers timeout\nsortPlayers frags\n"
                          "Debug true\n  # not a comment, an unknown keyword\n");
    EXPECT_EQ(s.view, 1);
    EXPECT_EQ(s.serverSortKey, 1);
    EXPECT_EQ(s.playerSortKey, 2);
    EXPECT_FALSE(s.debug);
    EXPECT_EQ(readText("sortServers timeOut\n").serverSortKey, 2);
    EXPECT_TRUE(readText("debug TRUE\n").debug);
    EXPECT_FALSE(readText("debug true\ndebug yes\n").debug);
    EXPECT_FALSE(readText("debug true\ndebug  true\n").debug);  // the value begins with a blank
}

TEST_F(SettingsFileTest, ALineBreakInsideATextCannotStartALine)
{
    Settings s;
    s.options.quakeCmd = "quake\nserver 10.9.9.9";
    s.options.quakeOptions = "+name\rme";
    s.options.quakePath = "/games\x01/quake\x1b\x7f";
    s.sources = {"file:/a\rfilter all"};
    writeText(s);
    Settings read = readText(contents());
    EXPECT_EQ(read.options.quakeCmd, "quake server 10.9.9.9");
    // Nor is a text lost with the line a control character would make unreadable.
    EXPECT_EQ(read.options.quakeOptions, "+name me");
    EXPECT_EQ(read.options.quakePath, "/games /quake  ");
    EXPECT_TRUE(read.servers.empty());
    EXPECT_EQ(read.view, 1);
}

TEST_F(SettingsFileTest, ServerLinesGiveHostAndPortOrNothing)
{
    Settings s = readText("server 10.0.0.1:27500 7\nfavorite 10.0.0.2\navoid 10.0.0.3:0 1\n"
                          "server\tlocalhost:26001\n"
                          // no server can come from these
                          "server 10.0.0.1:70000\nserver :27500\nserver 10.0.0.1:-1\n"
                          "server 10.0.0.1:99999999999\nserver bad/host\n");
    ASSERT_EQ(s.servers.size(), 4u);
    EXPECT_EQ(s.servers[0].host, "10.0.0.1");
    EXPECT_EQ(s.servers[0].port, 27500);
    EXPECT_EQ(s.servers[0].timeouts, 0);        // the count is not read back
    EXPECT_EQ(s.servers[1].port, 26000);
    EXPECT_EQ(s.servers[2].port, 26000);
    EXPECT_EQ(s.servers[2].kind, (unsigned)Server::Flag_Avoid);
    EXPECT_EQ(s.servers[3].host, "localhost");
}

// Each bound keeps its own value and passes over the next one.
TEST_F(SettingsFileTest, LargestPaneSizePortHostAndLineAreReadTheNextAreNot)
{
    std::string lineOf65536 = "option quakeCmd " + std::string(65536 - 16, 'c');
    Settings s = readText("rulePaneWidth 32767\ninfoPaneHeight 32768\n"
                          "server 10.0.0.1:65535\nserver 10.0.0.2:65536\n"
                          "server " + std::string(255, 'h') + "\nserver " +
                          std::string(256, 'h') + "\n" + lineOf65536 + "\n" +
                          "option quakeOptions " + std::string(65537 - 20, 'o') + "\n");
    EXPECT_EQ(s.rulePaneWidth, 32767);
    EXPECT_EQ(s.infoPaneHeight, 0);
    ASSERT_EQ(s.servers.size(), 2u);
    EXPECT_EQ(s.servers[0].port, 65535);
    EXPECT_EQ(s.servers[1].host, std::string(255, 'h'));
    EXPECT_EQ(s.options.quakeCmd.size(), lineOf65536.size() - 16);
    EXPECT_EQ(s.options.quakeOptions, "");
    s.infoPaneHeight = 150;
    parseSettingsLine("infoPaneHeight -1", &s);
    EXPECT_EQ(s.infoPaneHeight, 150);
    parseSettingsLine("infoPaneHeight 0", &s);
    EXPECT_EQ(s.infoPaneHeight, 0);
}

// Favorite and never-ping are two marks; a server can carry both, neither or either.
TEST_F(SettingsFileTest, EveryCombinationOfTheTwoMarksComesBack)
{
    const unsigned kinds[] = {0, Server::Flag_Favorite, Server::Flag_Avoid,
                              Server::Flag_Favorite | Server::Flag_Avoid};
    Settings s;
    s.sources = {defaultSource};
    for (unsigned kind : kinds)
        s.servers.push_back({kind, "10.0.0." + std::to_string(kind >> 12),
                             26000 + (int)(kind >> 12), 0});
    std::string first = writeText(s);
    Settings read = readText(first);
    ASSERT_EQ(read.servers.size(), 4u);
    for (size_t i = 0; i < 4; i++) {
        EXPECT_EQ(read.servers[i].kind, kinds[i]) << i;
        EXPECT_EQ(read.servers[i].port, s.servers[i].port) << i;
    }
    EXPECT_EQ(writeText(read), first);
    // Never-ping first: a reader that takes only the first line of a server keeps the mark
    // that stops it from being queried.
    EXPECT_NE(first.find("avoid 10.0.0.3:26003 0\nfavorite 10.0.0.3:26003 0\n"),
              std::string::npos);
}

TEST_F(SettingsFileTest, ALaterLineForAServerAddsItsMark)
{
    Settings s = readText("server 10.0.0.1:27500 7\nfavorite 10.0.0.2:26000 0\n"
                          "favorite 10.0.0.1:27500 0\navoid 10.0.0.2 0\n"
                          "server Game.Example:26000 0\navoid game.example:26000 0\n"
                          "server 10.0.0.1:27501 0\n");
    ASSERT_EQ(s.servers.size(), 4u);
    EXPECT_EQ(s.servers[0].host, "10.0.0.1");
    EXPECT_EQ(s.servers[0].kind, (unsigned)Server::Flag_Favorite);
    EXPECT_EQ(s.servers[1].kind, (unsigned)(Server::Flag_Favorite | Server::Flag_Avoid));
    EXPECT_EQ(s.servers[2].host, "Game.Example");       // host names ignore case
    EXPECT_EQ(s.servers[2].kind, (unsigned)Server::Flag_Avoid);
    EXPECT_EQ(s.servers[3].port, 27501);                // another port, another server
    EXPECT_EQ(s.servers[3].kind, 0u);
}

// The server lines of a file written before a server could carry both marks in the file.
TEST_F(SettingsFileTest, ServerLinesOfTheEarlierFormatReadTheSame)
{
    Settings s = readText("# servers (hostname:port timeout)\n"
                          "server 10.0.0.1:26000 0\nfavorite localhost:27500 2\n"
                          "avoid 10.0.0.3:26001 0\navoid 10.0.0.4:26000 1\n");
    ASSERT_EQ(s.servers.size(), 4u);
    const unsigned kinds[] = {0, Server::Flag_Favorite, Server::Flag_Avoid, Server::Flag_Avoid};
    for (size_t i = 0; i < 4; i++)
        EXPECT_EQ(s.servers[i].kind, kinds[i]) << i;
    EXPECT_EQ(s.servers[1].host, "localhost");
    EXPECT_EQ(s.servers[1].port, 27500);
}

// Lines are still dropped when nothing can come from them, but never silently: the next
// save would lose them for good. A port that is not a number made another server (26000),
// and lines with a NUL or a lone CR vanished without a word; nor was a map list that the
// filter keeps only the start of.
TEST_F(SettingsFileTest, DroppedAndCutLinesAreNamedOnStandardErrorOnce)
{
    testing::internal::CaptureStderr();
    Settings s = readText("# servers\n"
                          "server 10.0.0.1:26000 0\n"
                          "favorite bad|host:26000 0\n"
                          "server 10.0.0.2:99999 0\n"
                          "filter nowhere\n"                    // not a server line: quiet
                          "avoid 10.0.0.3:26001 0\n"
                          "server :27500 0\n"
                          "server " + std::string(300, '!') + "\n"
                          "server 10.0.0.3:abc 0\n"
                          "server 10.0.0.4:26000\r0\n" +
                          std::string("server 10.0.0.5\0:26000 0\n", 25) +
                          "server 10.0.0.6: 0\n"
                          "option includeMap e1m*|e2m*|e3m*|e4m*|dm*|start*\n"
                          "option excludeMap e1m?|e2m?|e3m?|dm?x\n"
                          "option excludeMap start|end|e1m8|dm6|x\n"
                          "debug includeMap e1m*|e2m*|e3m*|e4m*|dm*|start*\n");  // no option
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(s.servers.size(), 2u);
    EXPECT_STREQ(s.options.filter.includeMap, "e1m*|e2m*|e3m*|e4m*");
    EXPECT_EQ(said, "~/.vireorc line 3: favorite bad|host:26000 0: not a host and port, ignored\n"
                    "~/.vireorc line 4: server 10.0.0.2:99999 0: not a host and port, ignored\n"
                    "~/.vireorc line 7: server :27500 0: not a host and port, ignored\n"
                    "~/.vireorc line 8: server " + std::string(73, '!') +
                    "...: not a host and port, ignored\n"
                    "~/.vireorc line 9: server 10.0.0.3:abc 0: not a host and port, ignored\n"
                    "~/.vireorc line 10: server 10.0.0.4:26000\\x0d0: holds a control "
                    "character, ignored\n"
                    "~/.vireorc line 11: server 10.0.0.5\\x00:26000 0: holds a control "
                    "character, ignored\n"
                    "~/.vireorc line 12: server 10.0.0.6: 0: not a host and port, ignored\n"
                    "~/.vireorc line 13: option includeMap e1m*|e2m*|e3m*|e4m*|dm*|start*: "
                    "includeMap longer than the 19 characters it keeps, cut to "
                    "\"e1m*|e2m*|e3m*|e4m*\"\n"
                    "~/.vireorc line 15: option excludeMap start|end|e1m8|dm6|x: excludeMap "
                    "longer than the 19 characters it keeps, cut to \"start|end|e1m8|dm6|\"\n");
}

TEST_F(SettingsFileTest, AMissingFileGivesDefaultsAndTheDefaultPage)
{
    Settings s;
    EXPECT_FALSE(readSettings((mDir + "/none").c_str(), &s));
    EXPECT_EQ(s.sources, std::vector<std::string>{defaultSource});
    EXPECT_EQ(s.view, 1);
    EXPECT_EQ(s.options.queriesAtOnce, 4);
    EXPECT_FALSE(readSettings("", &s));
    EXPECT_EQ(s.sources.size(), 1u);
}

TEST_F(SettingsFileTest, HostileLinesAreSkippedAndGoodOnesKept)
{
    std::string huge(1 << 20, 'x');
    std::string longOptions(5000, 'o');
    std::string text = "filter all\r\n"                      // written on another system
                       "debug true\n"
                       "option maxPing 7" + huge + "\n"       // a line far too long
                       "option quakeOptions " + longOptions + "\n"
                       "sortServers mapZgarbage\n"            // binary junk: Z becomes a NUL
                       "\x7f\x01\x02\xff\xfe\n"
                       "infoPaneHeight 99999999999\n"
                       "rulePaneWidth 40000\n"
                       "option queriesAtOnce 2147483648\n"
                       "option minPlayers 3\n"
                       "serverList file:/a\nserverList file:/a\n"   // duplicates kept in order
                       "serverList \n"                         // a blank is no value
                       "filter favorites\n"                    // the later line wins
                       "showinfo true";                        // no line feed at the end
    text[text.find("mapZ") + 3] = '\0';
    Settings s = readText(text);
    EXPECT_EQ(s.view, 3);
    EXPECT_TRUE(s.debug);
    EXPECT_EQ(s.options.filter.maxPing, 500);
    EXPECT_EQ(s.options.quakeOptions, longOptions);
    EXPECT_EQ(s.serverSortKey, 1);
    EXPECT_EQ(s.infoPaneHeight, 0);
    EXPECT_EQ(s.rulePaneWidth, 0);
    EXPECT_EQ(s.options.queriesAtOnce, 4);
    EXPECT_EQ(s.options.filter.minPlayers, 3);
    EXPECT_EQ(s.sources, (std::vector<std::string>{"file:/a", "file:/a"}));
    EXPECT_TRUE(s.showInfo);
}

TEST_F(SettingsFileTest, AFailedWriteLeavesTheOldFileWhole)
{
    put("debug true\n");
    ASSERT_EQ(chmod(mDir.c_str(), 0555), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // root writes anywhere; as nobody the folder is read-only
        if (geteuid() == 0) {
            struct passwd *nobody = getpwnam("nobody");
            if (!nobody || setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0)
                _exit(3);
        }
        _exit(writeSettings(mPath.c_str(), everythingSet()) ? 0 : errno == EACCES ? 1 : 2);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(contents(), "debug true\n");
    EXPECT_EQ(filesInDir(), 1);
}

TEST_F(SettingsFileTest, AWriteCutShortLeavesTheOldFileWhole)
{
    put("debug true\n");
    // A file-size limit fails the write part of the way in, as a full disk would.
    signal(SIGXFSZ, SIG_IGN);
    struct rlimit old, small = {200, 200};
    getrlimit(RLIMIT_FSIZE, &old);
    small.rlim_max = old.rlim_max;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool written = writeSettings(mPath.c_str(), everythingSet());
    int error = errno;
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_FALSE(written);
    EXPECT_EQ(error, EFBIG);
    EXPECT_EQ(contents(), "debug true\n");
    EXPECT_EQ(filesInDir(), 1);     // no temporary file left behind
}

TEST_F(SettingsFileTest, ALinkedFileStaysLinkedAndKeepsItsMode)
{
    std::string real = mDir + "/real-vireorc";
    std::ofstream(real) << "debug true\n";
    chmod(real.c_str(), 0600);
    ASSERT_EQ(symlink(real.c_str(), mPath.c_str()), 0);
    Settings s;
    s.debug = false;
    ASSERT_TRUE(writeSettings(mPath.c_str(), s));
    struct stat st;
    ASSERT_EQ(lstat(mPath.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(contents().substr(0, 35), "# Vireo resource file\n\ndebug false\n");
}

TEST(SettingsPathTest, HomeOrElseThePasswordDatabase)
{
    const char *saved = getenv("HOME");
    std::string home = saved ? saved : "";
    setenv("HOME", "/some/where", 1);
    EXPECT_EQ(settingsPath(), "/some/where/.vireorc");
    struct passwd *pw = getpwuid(getuid());
    ASSERT_NE(pw, nullptr);
    unsetenv("HOME");
    EXPECT_EQ(settingsPath(), std::string(pw->pw_dir) + "/.vireorc");
    setenv("HOME", "", 1);
    EXPECT_EQ(settingsPath(), std::string(pw->pw_dir) + "/.vireorc");
    if (saved)
        setenv("HOME", home.c_str(), 1);
}

TEST(SettingsServerTest, EntriesAndServersCarryKindHostAndPort)
{
    Server server;
    server.SetHost("10.1.2.3:27501");
    server.mFlags |= Server::Flag_Avoid | Server::Flag_Favorite | Server::Flag_Selected;
    server.mTimeouts = 4;
    ServerEntry entry = serverEntry(server);
    EXPECT_EQ(entry.host, "10.1.2.3");          // no reverse lookup for the file
    EXPECT_EQ(entry.port, 27501);
    EXPECT_EQ(entry.timeouts, 4);
    EXPECT_EQ(entry.kind, (unsigned)(Server::Flag_Avoid | Server::Flag_Favorite));

    Server back;
    makeServer({Server::Flag_Favorite, "localhost", 65535, 9}, &back);
    EXPECT_EQ(back.mPort, 65535);
    EXPECT_TRUE(back.TestFlag(Server::Flag_Favorite));
    EXPECT_EQ(serverEntry(back).host, "localhost");
    Server beyond;
    makeServer({0, "localhost", 65536, 0}, &beyond);
    EXPECT_EQ(beyond.mPort, 26000);             // not the low 16 bits of it

    unsigned int flags = Server::Flag_Selected;
    EXPECT_TRUE(joinServerMarks(&flags, Server::Flag_Favorite));
    EXPECT_EQ(flags, (unsigned)(Server::Flag_Selected | Server::Flag_Favorite))
        << "a line's mark joins the record's other flags";
}

// ---- The "mainwin" size and place, and -geometry's

// The text's geometry fitted to a 1280x1024 screen; "refused: why" when it cannot be read.
static std::string fitted(const char *text)
{
    WindowGeometry geometry;
    std::string why;
    if (!readGeometry(text, &geometry, &why))
        return "refused: " + why;
    fitGeometry(&geometry, 1280, 1024);
    return geometryText(geometry);
}

TEST(GeometryTest, NoSizeAndPlaceOrASizeOfNothingIsNotRead)
{
    for (const char *text : {"", "abc", "600x", "800x600+10+20junk", "000800x600"})
        EXPECT_EQ(fitted(text), "refused: not a size and place such as 800x600+10+20") << text;
    for (const char *text : {"0x0", "0x400", "600x0"})
        EXPECT_EQ(fitted(text), "refused: a window of no width or height cannot be shown")
            << text;
}

TEST(GeometryTest, ASizeLargerThanTheScreenIsCutAndTheWindowMovedWholeOntoIt)
{
    EXPECT_EQ(fitted("2560x1440+0+0"), "1280x1024+0+0");
    EXPECT_EQ(fitted("5000x600+100+100"), "1280x600+0+100");
    EXPECT_EQ(fitted("65536x65536-0-0"), "1280x1024+0+0");
}

TEST(GeometryTest, APlaceOffTheScreenIsMovedOntoItAndTheSizeKept)
{
    EXPECT_EQ(fitted("820x600+2500+1800"), "820x600+460+424");
    EXPECT_EQ(fitted("820x600+-819+100"), "820x600+0+100");
    EXPECT_EQ(fitted("800x600-1260+0"), "800x600+0+0");   // off on the left, counted from the right
    // 32 pixels on the screen are enough to find the window by, as the user left it.
    EXPECT_EQ(fitted("800x600+1248+-568"), "800x600+1248+-568");
}

TEST(GeometryTest, OffsetsFromTheRightAndBottomEdgesComeBackAsGiven)
{
    WindowGeometry saved, given;
    std::string why;
    ASSERT_TRUE(readGeometry("820x600+100+100", &saved, &why));
    ASSERT_TRUE(readGeometry("-0-10", &given, &why));
    WindowGeometry merged = mergeGeometry(saved, given);
    EXPECT_TRUE(placeOnScreen(merged, 1280, 1024));
    EXPECT_EQ(geometryText(merged), "820x600-0-10");
    ASSERT_TRUE(readGeometry("820x600-1249+0", &given, &why));
    EXPECT_FALSE(placeOnScreen(given, 1280, 1024)) << "31 pixels left on the screen";
}
