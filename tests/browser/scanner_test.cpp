// scanner_test.cpp - the server line scanner on a table of lines.
#include "browser/scanner.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

struct ScanCase {
    const char *line;
    const char *found;      // nullptr: no server on the line
};

static const ScanCase scanCases[] = {
    {"Server at 192.168.1.10:27500 (deathmatch)\n", "192.168.1.10:27500"},
    {"192.168.1.10 is up\n", "192.168.1.10:26000"},
    {"192.168.1.10:0\n", "192.168.1.10:26000"},
    {"192.168.1.10:x\n", "192.168.1.10:26000"},
    {"192.168.1.10: 27001\n", "192.168.1.10:27001"},
    {"192.168.1.10:-5\n", "192.168.1.10:26000"},
    {"192.168.1.10:65535\n", "192.168.1.10:65535"},
    {"192.168.1.10:65536\n", "192.168.1.10:26000"},         // no such port
    {"192.168.1.10:99999999999999999999\n", "192.168.1.10:26000"},
    {"127.0.0.1 and 10.1.1.1\n", "10.1.1.1:26000"},           // our own machine passed over
    {"127.0.0.1:26000 127.0.0.2 10.1.1.2:27000", "10.1.1.2:27000"},
    {"127.0.1.5\n", "127.0.1.5:26000"},                       // only 127.0.0.x is passed over
    {"127.1.2.3\n", "127.1.2.3:26000"},
    {"10.0.0.1 10.0.0.2\n", "10.0.0.1:26000"},                 // the first address only
    {"version 1.06.2.1\n", "1.6.2.1:26000"},
    {"010.001.002.003\n", "10.1.2.3:26000"},                   // decimal, never octal
    {"0x10.1.1.1\n", "10.1.1.1:26000"},                        // no hexadecimal either
    {"1 foo.bar.baz.5\n", nullptr},                            // nothing glued around blanks
    {"10.0 .0.1\n", nullptr},
    {"10.0.0.1234\n", nullptr},                                // not four octets
    {"1234.1.1.1\n", nullptr},
    {"10.0.0.256\n", nullptr},
    {"223.255.255.255\n", "223.255.255.255:26000"},
    {"0.0.0.0 224.0.0.1 239.9.9.9 240.0.0.1 10.2.2.3\n", "10.2.2.3:26000"},  // no server there
    {"224.0.0.0 10.2.2.4\n", "10.2.2.4:26000"},                // each end of each range left out
    {"239.255.255.255 10.2.2.5\n", "10.2.2.5:26000"},
    {"240.0.0.0 10.2.2.6\n", "10.2.2.6:26000"},
    {"127.0.0.0 10.2.2.7\n", "10.2.2.7:26000"},
    {"127.0.0.255 10.2.2.8\n", "10.2.2.8:26000"},
    {"126.255.255.255\n", "126.255.255.255:26000"},
    {"127.0.1.0\n", "127.0.1.0:26000"},
    {"300.1.1.1 then 10.2.2.2\n", "10.2.2.2:26000"},
    {"255.255.255.255\n", nullptr},
    {"1.2.3\n", nullptr},
    {"HTTP/1.0 404 Not Found\n", nullptr},
    {"Content-Length: 1234\n", nullptr},
    {"", nullptr},
    {"ip=10.9.8.7.\n", "10.9.8.7:26000"},                      // a full stop after it is fine
};

TEST(ServerLineScannerTest, TableOfLines)
{
    for (const ScanCase &c : scanCases) {
        std::string found = "untouched";
        bool ok = scanServerLine(c.line, &found);
        if (c.found) {
            EXPECT_TRUE(ok) << c.line;
            EXPECT_EQ(found, c.found) << c.line;
        } else {
            EXPECT_FALSE(ok) << c.line;
            EXPECT_EQ(found, "untouched") << c.line;
        }
    }
}

TEST(ServerLineScannerTest, ReadsOnlyTheGivenLengthAndPassesOverNuls)
{
    std::string line("\0junk\0 10.3.3.3:27910", 21);
    std::string found;
    ASSERT_TRUE(scanServerLine(line.data(), line.size(), &found));
    EXPECT_EQ(found, "10.3.3.3:27910");
    // An address cut off by the end of the text is not read past its end.
    const char cut[] = "10.3.3.34";
    ASSERT_TRUE(scanServerLine(cut, 8, &found));
    EXPECT_EQ(found, "10.3.3.3:26000");
    EXPECT_FALSE(scanServerLine(cut, 6, &found));
}

// "This network" is 0.0.0.0/8 whole, not its first address alone: 0.1.2.3 was listed.
TEST(ServerLineScannerTest, TheWholeBlockOfZeroIsPassedOver)
{
    std::string found;
    ASSERT_TRUE(scanServerLine("0.1.2.3:26000 0.255.255.255 10.2.2.4\n", &found));
    EXPECT_EQ(found, "10.2.2.4:26000");
}

// ---- Lines of a server-list file as File > Save writes them

struct ListCase {
    const char *line;
    const char *host;       // nullptr: not a line of ours, left to the scanner
    int         port;
};

static const ListCase listCases[] = {
    {"localhost:26001", "localhost", 26001},
    {"game.example.org:27500\n", "game.example.org", 27500},
    {"  my-server_2.lan:1\r\n", "my-server_2.lan", 1},
    {"10.0.0.2:27500", "10.0.0.2", 27500},
    {"127.0.0.1:27450", "127.0.0.1", 27450},                // our own machine, unlike pages
    {"host:65535", "host", 65535},
    {"host:65536", nullptr, 0},
    {"host:0", nullptr, 0},
    {"host:-1", nullptr, 0},
    {"host:27500x", nullptr, 0},
    {"host:", nullptr, 0},
    {"host", nullptr, 0},                                    // a word alone is no server
    {":27500", nullptr, 0},
    {"a host:27500", nullptr, 0},
    {"bad/host:27500", nullptr, 0},
    {"version 1.06.2.1", nullptr, 0},
    {"255.255.255.255:26000", "255.255.255.255", 26000},     // refused by the reader, with a word
    {"10.0.0.1234:26000", nullptr, 0},                       // digits and dots, not four octets
    {"1.2.3:26000", nullptr, 0},
    {"", nullptr, 0},
};

TEST(ListLineTest, TableOfLines)
{
    for (const ListCase &c : listCases) {
        std::string host = "untouched";
        int port = -7;
        bool ok = parseListLine(c.line, strlen(c.line), &host, &port);
        if (c.host) {
            EXPECT_TRUE(ok) << c.line;
            EXPECT_EQ(host, c.host) << c.line;
            EXPECT_EQ(port, c.port) << c.line;
        } else {
            EXPECT_FALSE(ok) << c.line;
            EXPECT_EQ(host, "untouched") << c.line;
            EXPECT_EQ(port, -7) << c.line;
        }
    }
}

TEST(ListLineTest, ANameLongerThanAHostNameIsNotOne)
{
    std::string longName(256, 'h');
    std::string line = longName + ":26000";
    std::string host;
    int port = 0;
    EXPECT_FALSE(parseListLine(line.data(), line.size(), &host, &port));
    line = longName.substr(1) + ":26000";
    EXPECT_TRUE(parseListLine(line.data(), line.size(), &host, &port));
}
