// socket.cpp - Socket over the BSD socket calls.
#include "net/socket.h"

#include "net/inet.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cassert>
#include <cerrno>
#include <cstring>

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

int Socket::Write(const char *buf, unsigned int len)
{
    assert(_fd >= 0);
    assert(buf && len > 0);
    return (int)send(_fd, buf, len, 0);
}

bool Socket::Connect(const InetAddress &address, uint16_t port, const char *type)
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
    if (connect(_fd, (struct sockaddr *)&peer, sizeof peer) == 0)
        return true;
    // Keep the caller's errno through close(), and do not leak the descriptor.
    int error = errno;
    Close();
    errno = error;
    return false;
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
