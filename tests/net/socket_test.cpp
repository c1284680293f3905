// socket_test.cpp - Socket and the Stream operations over real loopback connections.
#include "net/inet.h"
#include "net/socket.h"
#include "tests/support/descriptors.h"
#include "tests/support/fake_game_server.h"
#include "tests/support/fake_http_server.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
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

// While set, each reading of a clock on this thread comes this many ns after the one
// before: a reader held up between two readings, for as long as a test needs.
thread_local long long tClockStepNs = 0;
thread_local long long tClockPassedNs = 0;

long long MonotonicUs()
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (long long)now.tv_sec * 1000000 + now.tv_nsec / 1000;
}

} // namespace

// Takes the C library's place in this program, so that the socket's readings go through it.
extern "C" int clock_gettime(clockid_t clock, struct timespec *now) noexcept
{
    if (syscall(SYS_clock_gettime, clock, now) != 0)
        return -1;
    if (tClockStepNs > 0) {
        long long ns = now->tv_nsec + tClockPassedNs;
        now->tv_sec += (time_t)(ns / 1000000000);
        now->tv_nsec = (long)(ns % 1000000000);
        tClockPassedNs += tClockStepNs;
    }
    return 0;
}

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

// A refusal noticed earlier must not be taken for the reason this read fails.
TEST(SocketTest, DatagramLongerThanTheBufferIsDroppedWhole)
{
    FakeGameScript script;
    script.ahead = Packet(2000, 'x');
    FakeGameServer server(script);
    ASSERT_TRUE(server.Start());
    Socket socket;
    ASSERT_TRUE(socket.Connect(Loopback(), server.Port(), Socket::sUdp));
    const char request[] = {'\x80', 0, 0, 12, 2, 'Q', 'U', 'A', 'K', 'E', 0, 3};
    ASSERT_EQ(socket.Write(request, sizeof request), (int)sizeof request);
    char buffer[1600];
    long long arrived = 0;
    errno = ECONNREFUSED;
    EXPECT_EQ(socket.ReadDatagram(buffer, sizeof buffer, &arrived), -1);
    EXPECT_EQ(Socket::ErrorNumber(), EMSGSIZE);
    EXPECT_EQ(socket.ReadDatagram(buffer, sizeof buffer, &arrived),
              (int)MakeInfoReply(script.address, script.hostName, script.mapName, 0, 16, 3).size());
}

// The kernel's stamp is on the wall clock, and its age carries it over to the monotonic one:
// a wait between reading the monotonic clock and the wall clock would age the datagram by
// it, and date it before it was sent.
TEST(SocketTest, DatagramIsNotDatedBeforeItWasSent)
{
    FakeGameServer server;
    ASSERT_TRUE(server.Start());
    Socket socket;
    ASSERT_TRUE(socket.Connect(Loopback(), server.Port(), Socket::sUdp));
    long long asked = MonotonicUs();
    const char request[] = {'\x80', 0, 0, 12, 2, 'Q', 'U', 'A', 'K', 'E', 0, 3};
    ASSERT_EQ(socket.Write(request, sizeof request), (int)sizeof request);
    struct pollfd fd = {socket.Fd(), POLLIN, 0};
    ASSERT_EQ(poll(&fd, 1, 5000), 1);
    char reply[1600];
    long long arrived = 0;
    tClockPassedNs = 0;
    tClockStepNs = 1000000000;
    int received = socket.ReadDatagram(reply, sizeof reply, &arrived);
    tClockStepNs = 0;
    ASSERT_GT(received, 0);
    EXPECT_GE(arrived, asked);
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
