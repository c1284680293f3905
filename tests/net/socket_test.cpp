// socket_test.cpp - Socket and the Stream operations over real loopback connections.
#include "net/inet.h"
#include "net/socket.h"
#include "tests/support/descriptors.h"
#include "tests/support/fake_game_server.h"
#include "tests/support/fake_http_server.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/socket.h>

#include <cerrno>
#include <string>
#include <type_traits>

namespace {

InetAddress Loopback()
{
    InetAddress address;
    address.Resolve("127.0.0.1");
    return address;
}

int OpenDescriptors()
{
    int count = 0;
    DIR *dir = opendir("/proc/self/fd");
    while (dir && readdir(dir))
        count++;
    if (dir)
        closedir(dir);
    return count;
}

bool IsOpen(int fd)
{
    return fcntl(fd, F_GETFD) != -1;
}

} // namespace

static_assert(!std::is_copy_constructible<Socket>::value, "a copy would close the descriptor twice");
static_assert(!std::is_copy_assignable<Socket>::value, "a copy would close the descriptor twice");

TEST(SocketTest, NewSocketIsClosedAndCloseTwiceIsHarmless)
{
    Socket socket;
    EXPECT_FALSE(socket.Connected());
    EXPECT_EQ(socket.Fd(), -1);
    socket.Close();
    socket.Close();
    EXPECT_FALSE(socket.Connected());
}

TEST(SocketTest, DestructorClosesTheDescriptor)
{
    FakeGameServer server;
    ASSERT_TRUE(server.Start());
    int fd;
    {
        Socket socket;
        ASSERT_TRUE(socket.Connect(Loopback(), server.Port(), Socket::sUdp));
        fd = socket.Fd();
        EXPECT_TRUE(IsOpen(fd));
    }
    EXPECT_FALSE(IsOpen(fd));
}

TEST(SocketTest, MoveHandsTheDescriptorOver)
{
    FakeGameServer server;
    ASSERT_TRUE(server.Start());
    Socket first;
    ASSERT_TRUE(first.Connect(Loopback(), server.Port(), Socket::sUdp));
    int fd = first.Fd();
    Socket second(std::move(first));
    EXPECT_FALSE(first.Connected());
    EXPECT_EQ(second.Fd(), fd);
    Socket third;
    third = std::move(second);
    EXPECT_EQ(third.Fd(), fd);
    EXPECT_TRUE(IsOpen(fd));
}

TEST(SocketTest, UdpDatagramsReachTheServer)
{
    FakeGameServer server;
    ASSERT_TRUE(server.Start());
    Socket socket;
    ASSERT_TRUE(socket.Connect(Loopback(), server.Port(), Socket::sUdp));
    EXPECT_EQ(socket.WriteString("ping"), 4);
    ASSERT_TRUE(server.WaitForRequests(1, std::chrono::seconds(5)));
    Packet expected = {'p', 'i', 'n', 'g'};
    EXPECT_EQ(server.Requests()[0].bytes, expected);
}

// Made at run time: the compiler may give a "udp" literal the constant's own storage.
TEST(SocketTest, UdpAskedForByTextIsADatagramSocket)
{
    FakeGameServer server;
    ASSERT_TRUE(server.Start());
    std::string udp = std::string("ud") + "p";
    Socket socket;
    ASSERT_TRUE(socket.Connect(Loopback(), server.Port(), udp.c_str()));
    int type = 0;
    socklen_t size = sizeof type;
    ASSERT_EQ(getsockopt(socket.Fd(), SOL_SOCKET, SO_TYPE, &type, &size), 0);
    EXPECT_EQ(type, SOCK_DGRAM);
}

// The time-out needs a socket that does not wait; the page's reads after it must wait.
TEST(SocketTest, ConnectWithinLeavesTheSocketBlocking)
{
    FakeHttpServer web("HTTP/1.0 200 OK\n");
    ASSERT_TRUE(web.Start());
    Socket socket;
    ASSERT_TRUE(socket.ConnectWithin(Loopback(), web.Port(), Socket::sTcp, 5000));
    EXPECT_EQ(fcntl(socket.Fd(), F_GETFL) & O_NONBLOCK, 0);
}

TEST(SocketTest, RefusedConnectLeavesNoDescriptorOpen)
{
    unsigned short port = ClosedTcpPort();
    ASSERT_NE(port, 0);
    int before = OpenDescriptors();
    Socket socket;
    EXPECT_FALSE(socket.Connect(Loopback(), port, Socket::sTcp));
    EXPECT_EQ(Socket::ErrorNumber(), ECONNREFUSED);
    EXPECT_FALSE(socket.Connected());
    EXPECT_EQ(OpenDescriptors(), before);
}

TEST(SocketTest, ConnectServiceNeedsAKnownService)
{
    Socket socket;
    EXPECT_FALSE(socket.ConnectService(Loopback(), "no-such-service-here", "tcp"));
    EXPECT_FALSE(socket.Connected());
}

class StreamOverTcpTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mWeb.Start());
        ASSERT_TRUE(mSocket.Connect(Loopback(), mWeb.Port(), Socket::sTcp));
    }
    FakeHttpServer mWeb{"HTTP/1.0 200 OK\nabcdefgh\n10.0.0.1:26001\nno newline"};
    Socket         mSocket;
};

TEST_F(StreamOverTcpTest, WriteLineCountsTheLineFeed)
{
    EXPECT_EQ(mSocket.WriteLine("GET /"), 6);
    EXPECT_EQ(mSocket.WriteString("\n"), 1);
    ASSERT_TRUE(mWeb.WaitForRequests(1, std::chrono::seconds(5)));
    EXPECT_EQ(mWeb.Requests()[0], "GET /\n\n");
}

TEST_F(StreamOverTcpTest, ReadLineStopsAtLineFeedCountOrEnd)
{
    mSocket.WriteString("GET / HTTP/1.0\n\n");
    char line[128];
    EXPECT_EQ(mSocket.ReadLine(line, 127), 16);
    EXPECT_STREQ(line, "HTTP/1.0 200 OK\n");
    EXPECT_EQ(mSocket.ReadLine(line, 4), 4);
    EXPECT_STREQ(line, "abcd");
    EXPECT_EQ(mSocket.ReadLine(line, 127), 5);
    EXPECT_STREQ(line, "efgh\n");
    EXPECT_EQ(mSocket.ReadLine(line, 127), 15);
    EXPECT_EQ(mSocket.ReadLine(line, 127), 10);
    EXPECT_STREQ(line, "no newline");
    EXPECT_EQ(mSocket.ReadLine(line, 127), 0);
    EXPECT_STREQ(line, "");
}

TEST(FakeHttpServerTest, SilentServerAcceptsAndSaysNothing)
{
    FakeHttpServer web("never sent", true);
    ASSERT_TRUE(web.Start());
    Socket socket;
    ASSERT_TRUE(socket.Connect(Loopback(), web.Port(), Socket::sTcp));
    socket.WriteString("GET /list HTTP/1.0\n\n");
    ASSERT_TRUE(web.WaitForRequests(1, std::chrono::seconds(5)));
    struct timeval wait = {0, 100000};
    setsockopt(socket.Fd(), SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    char byte;
    EXPECT_EQ(socket.Read(&byte, 1), -1);
    EXPECT_EQ(Socket::ErrorNumber(), EAGAIN);
}
