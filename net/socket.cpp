// socket.cpp - Socket over the BSD socket calls.
#include "net/socket.h"

#include "net/inet.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cassert>
#include <cerrno>
#include <cstring>
#include <ctime>

const char *const Socket::sTcp = "tcp";
const char *const Socket::sUdp = "udp";

Socket::Socket() : _fd(-1)
{
}

Socket::~Socket()
{
    Close();
}

Socket::Socket(Socket &&other) noexcept : _fd(other._fd)
{
    other._fd = -1;
}

Socket &Socket::operator=(Socket &&other) noexcept
{
    if (this != &other) {
        Close();
        _fd = other._fd;
        other._fd = -1;
    }
    return *this;
}

void Socket::Close()
{
    if (_fd != -1)
        close(_fd);
    _fd = -1;
}

int Socket::Read(char *buf, unsigned int len)
{
    assert(_fd >= 0);
    assert(buf && len > 0);
    return (int)recv(_fd, buf, len, 0);
}

// The kernel stamps a datagram on the wall clock as it takes it in; its age then carries it
// over to the monotonic clock. Without a stamp the datagram is as old as the read. The wall
// clock is read first, so that time passing between the readings dates the datagram late:
// a resend timed from it leaves later, never before the server can answer it.
static long long ArrivalUs(struct msghdr *message)
{
    struct timespec wall, now;
    clock_gettime(CLOCK_REALTIME, &wall);
    clock_gettime(CLOCK_MONOTONIC, &now);
    long long arrived = (long long)now.tv_sec * 1000000 + now.tv_nsec / 1000;
    for (struct cmsghdr *c = CMSG_FIRSTHDR(message); c; c = CMSG_NXTHDR(message, c)) {
        if (c->cmsg_level != SOL_SOCKET || c->cmsg_type != SCM_TIMESTAMPNS)
            continue;
        struct timespec stamp;
        memcpy(&stamp, CMSG_DATA(c), sizeof stamp);
        long long ageUs = (long long)(wall.tv_sec - stamp.tv_sec) * 1000000
                          + (wall.tv_nsec - stamp.tv_nsec) / 1000;
        if (ageUs > 0)      // a wall clock set back since would date it after the read
            arrived -= ageUs;
    }
    return arrived;
}

int Socket::ReadDatagram(char *buf, unsigned int len, long long *arrivedUs)
{
    assert(_fd >= 0);
    assert(buf && len > 0 && arrivedUs);
    struct iovec data = {buf, len};
    alignas(struct cmsghdr) char control[CMSG_SPACE(sizeof(struct timespec))];
    struct msghdr message;
    memset(&message, 0, sizeof message);
    message.msg_iov = &data;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    int received = (int)recvmsg(_fd, &message, 0);
    if (received >= 0 && (message.msg_flags & MSG_TRUNC)) {
        errno = EMSGSIZE;   // what was kept is only the head of it: no datagram at all
        return -1;
    }
    if (received >= 0)
        *arrivedUs = ArrivalUs(&message);
    return received;
}

int Socket::Write(const char *buf, unsigned int len)
{
    assert(_fd >= 0);
    assert(buf && len > 0);
    return (int)send(_fd, buf, len, 0);
}

bool Socket::Connect(const InetAddress &address, uint16_t port, const char *type)
{
    return OpenAndConnect(address, port, type, -1);
}

bool Socket::ConnectWithin(const InetAddress &address, uint16_t port, const char *type,
                           int timeoutMs)
{
    return OpenAndConnect(address, port, type, timeoutMs < 0 ? 0 : timeoutMs);
}

// A negative time-out waits as long as the kernel does.
bool Socket::OpenAndConnect(const InetAddress &address, uint16_t port, const char *type,
                            int timeoutMs)
{
    Close();
    struct sockaddr_in peer;
    memset(&peer, 0, sizeof peer);
    peer.sin_family = AF_INET;
    peer.sin_port = htons(port);
    peer.sin_addr.s_addr = address.Address();
    // Compared by text as well as identity, so that a literal "udp" is not taken for TCP.
    bool udp = type == sUdp || (type && strcmp(type, sUdp) == 0);
    _fd = socket(AF_INET, udp ? SOCK_DGRAM : SOCK_STREAM, 0);
    if (_fd == -1)
        return false;
    int flags = fcntl(_fd, F_GETFL);
    if (timeoutMs >= 0)
        fcntl(_fd, F_SETFL, flags | O_NONBLOCK);
    bool connected = connect(_fd, (struct sockaddr *)&peer, sizeof peer) == 0
                     || (timeoutMs >= 0 && errno == EINPROGRESS && AwaitConnect(timeoutMs));
    if (!connected) {
        CloseKeepingErrno();    // no descriptor may leak from a failed connect
        return false;
    }
    fcntl(_fd, F_SETFL, flags);
    if (udp) {
        int on = 1;
        setsockopt(_fd, SOL_SOCKET, SO_TIMESTAMPNS, &on, sizeof on);   // for ReadDatagram
    }
    return true;
}

bool Socket::AwaitConnect(int timeoutMs)
{
    struct pollfd p = {_fd, POLLOUT, 0};
    int ready;
    while ((ready = poll(&p, 1, timeoutMs)) < 0 && errno == EINTR) {
    }
    if (ready == 0)
        errno = ETIMEDOUT;
    if (ready <= 0)
        return false;
    int error = 0;
    socklen_t size = sizeof error;
    if (getsockopt(_fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0)
        return false;
    errno = error;
    return error == 0;
}

void Socket::CloseKeepingErrno()
{
    int error = errno;
    Close();
    errno = error;
}

bool Socket::ConnectService(const InetAddress &address, const char *service, const char *protocol)
{
    uint16_t port = ServicePort(service, protocol);
    if (port == 0)
        return false;
    return Connect(address, port, sTcp);
}

int Socket::ErrorNumber()
{
    return errno;
}

const char *Socket::ErrorText()
{
    return strerror(errno);
}
