// socket.h - Socket, a Stream over a BSD socket: connected UDP for queries, TCP for web pages.
#ifndef VIREO_NET_SOCKET_H
#define VIREO_NET_SOCKET_H

#include "net/stream.h"

#include <cstdint>

class InetAddress;

class Socket : public Stream {
public:
    static const char *const sTcp;      // connection types for Connect
    static const char *const sUdp;

    Socket();
    ~Socket() override;
    // One descriptor, one owner: a copy would close it twice. Moving hands it over.
    Socket(const Socket &) = delete;
    Socket &operator=(const Socket &) = delete;
    Socket(Socket &&other) noexcept;
    Socket &operator=(Socket &&other) noexcept;

    void Close() override;
    int Read(char *buf, unsigned int len) override;
    int Write(const char *buf, unsigned int len) override;
    // As Read, and on success *arrivedUs is when the datagram reached this host, in
    // microseconds of the monotonic clock: a reader late to it still knows when it came.
    // A datagram longer than len is read and dropped: -1 with EMSGSIZE.
    int ReadDatagram(char *buf, unsigned int len, long long *arrivedUs);

    // A socket that was open is closed first; a failed connect leaves the socket closed.
    bool Connect(const InetAddress &address, uint16_t port, const char *type);
    bool ConnectService(const InetAddress &address, const char *service, const char *protocol);
    // As Connect, but gives up with ETIMEDOUT after timeoutMs: a host that drops our packets
    // would otherwise hold the caller for the kernel's own time-out of minutes.
    bool ConnectWithin(const InetAddress &address, uint16_t port, const char *type, int timeoutMs);

    bool Connected() const { return _fd != -1; }
    int Fd() const { return _fd; }
    static int ErrorNumber();
    static const char *ErrorText();

private:
    bool OpenAndConnect(const InetAddress &address, uint16_t port, const char *type,
                        int timeoutMs);
    bool AwaitConnect(int timeoutMs);
    void CloseKeepingErrno();

    int _fd;
};

#endif
