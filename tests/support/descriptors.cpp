// descriptors.cpp - descriptor placement, free ports and a full listener for the test doubles.
#include "tests/support/descriptors.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <mutex>

namespace {

const int HighBase = 1024;

void RaiseDescriptorLimit()
{
    struct rlimit limit;
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return;
    rlim_t wanted = 8192;
    if (limit.rlim_max != RLIM_INFINITY && limit.rlim_max < wanted)
        wanted = limit.rlim_max;
    if (limit.rlim_cur < wanted) {
        limit.rlim_cur = wanted;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}

// Binds an ephemeral port and lets it go again: nothing answers there afterwards.
unsigned short FreePort(int type)
{
    int fd = socket(AF_INET, type, 0);
    if (fd < 0)
        return 0;
    struct sockaddr_in address;
    memset(&address, 0, sizeof address);
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    unsigned short port = 0;
    if (bind(fd, (struct sockaddr *)&address, sizeof address) == 0
        && getsockname(fd, (struct sockaddr *)&address, &size) == 0)
        port = ntohs(address.sin_port);
    close(fd);
    return port;
}

} // namespace

int MoveDescriptorHigh(int fd)
{
    static std::once_flag raised;
    std::call_once(raised, RaiseDescriptorLimit);
    if (fd < 0 || fd >= HighBase)
        return fd;
    int high = fcntl(fd, F_DUPFD_CLOEXEC, HighBase);
    if (high < 0)
        return fd;
    close(fd);
    return high;
}

unsigned short ClosedUdpPort()
{
    return FreePort(SOCK_DGRAM);
}

unsigned short ClosedTcpPort()
{
    return FreePort(SOCK_STREAM);
}

FullTcpListener::FullTcpListener()
{
    struct sockaddr_in address;
    memset(&address, 0, sizeof address);
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    mListen = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (mListen < 0 || bind(mListen, (struct sockaddr *)&address, sizeof address) != 0
        || listen(mListen, 0) != 0
        || getsockname(mListen, (struct sockaddr *)&address, &size) != 0)
        return;
    mFiller = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (mFiller >= 0 && connect(mFiller, (struct sockaddr *)&address, sizeof address) == 0)
        mPort = ntohs(address.sin_port);
}

FullTcpListener::~FullTcpListener()
{
    if (mFiller >= 0)
        close(mFiller);
    if (mListen >= 0)
        close(mListen);
}
