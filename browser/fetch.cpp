// fetch.cpp - reads server-list sources: local files and web pages over HTTP/1.0.
#include "browser/fetch.h"

#include "browser/clock.h"
#include "browser/signalIgnored.h"
#include "net/socket.h"
#include "net/url.h"

#include <cassert>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <strings.h>
#include <unistd.h>

namespace {

// Splits a byte stream into lines of at most maxLine bytes: the rest of a longer line is
// dropped up to its line feed, so a page with no line breaks cannot make a line grow.
class LineCutter {
public:
    LineCutter(const LineSink &sink, size_t maxLine) : mSink(sink), mMaxLine(maxLine) {}
    // False once the sink wants no more lines.
    bool feed(const char *bytes, size_t length);
    void finish();              // hands on a last line that has no line feed

private:
    const LineSink &mSink;
    size_t          mMaxLine;
    std::string     mLine;
    bool            mCut = false;   // past maxLine: dropping to the line feed
    bool            mDone = false;  // the sink wants no more
};

bool LineCutter::feed(const char *bytes, size_t length)
{
    for (size_t i = 0; i < length; i++) {
        char c = bytes[i];
        if (c == '\n') {
            if (!mCut)
                mLine.push_back(c);
            bool more = mSink(mLine.data(), mLine.size());
            mLine.clear();
            mCut = false;
            if (!more) {
                mDone = true;
                return false;
            }
        } else if (mLine.size() < mMaxLine) {
            mLine.push_back(c);
        } else {
            mCut = true;
        }
    }
    return true;
}

void LineCutter::finish()
{
    if (!mLine.empty() && !mDone)
        mSink(mLine.data(), mLine.size());
    mLine.clear();
}

enum PumpResult { Pump_End, Pump_Failed };

// Waits for fd to become readable, for at most ms milliseconds; false on a time-out or a
// failing poll, with errno saying which.
bool waitReadable(int fd, int ms)
{
    long long until = monotonicMs() + ms;
    for (;;) {
        struct pollfd p = {fd, POLLIN, 0};
        int left = (int)(until - monotonicMs());
        int n = poll(&p, 1, left > 0 ? left : 0);
        if (n > 0)
            return true;
        if (n == 0) {
            errno = ETIMEDOUT;
            return false;
        }
        if (errno != EINTR)
            return false;
    }
}

// Reads fd to its end through read, which behaves like read(2). Every wait is bounded by
// readMs and by what is left of the whole source's time. A failing read counts as the
// end when readErrorsEnd is set (a web server that drops the connection), else as a failure.
template <typename Read>
PumpResult pump(int fd, Read read, LineCutter *cutter, const FetchLimits &limits,
                long long deadline, bool readErrorsEnd)
{
    char buffer[4096];
    for (;;) {
        long long left = deadline - monotonicMs();
        int wait = left < limits.readMs ? (int)left : limits.readMs;
        if (wait <= 0) {
            errno = ETIMEDOUT;
            return Pump_Failed;
        }
        if (!waitReadable(fd, wait))
            return Pump_Failed;
        int n = read(buffer, sizeof buffer);
        if (n == 0)
            return Pump_End;
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)
                continue;
            return readErrorsEnd ? Pump_End : Pump_Failed;
        }
        if (!cutter->feed(buffer, (size_t)n))
            return Pump_End;
    }
}

// Connects a TCP socket to the URL's server within ms milliseconds.
bool connectWithin(Socket *socket, const URL &url, int ms, std::string *error)
{
    if (socket->ConnectWithin(url.Address(), url.Port(), Socket::sTcp, ms))
        return true;
    *error = strerror(errno);
    return false;
}

bool fetchPage(const char *source, const LineSink &sink, std::string *error,
               const FetchLimits &limits)
{
    long long deadline = monotonicMs() + limits.totalMs;
    URL url;
    bool portKnown = url.Parse(source);
    // Our request means nothing to a server of another protocol, whatever port is named.
    if (!portKnown || strcasecmp(url.Scheme(), "http") != 0) {
        *error = strerror(EPROTONOSUPPORT);
        return false;
    }
    if (url.Address().Address() == INADDR_NONE) {
        *error = hstrerror(HOST_NOT_FOUND);
        return false;
    }
    Socket socket;
    if (!connectWithin(&socket, url, limits.connectMs, error))
        return false;
    {
        // A server that resets the connection at once must not end the program by SIGPIPE.
        SignalIgnored pipe(SIGPIPE);
        socket.WriteString(httpRequest(url.Path()).c_str());
    }
    LineCutter cutter(sink, limits.maxLine);
    auto read = [&socket](char *buffer, unsigned size) { return socket.Read(buffer, size); };
    // A web server that drops the connection has said all it will; its lines count.
    if (pump(socket.Fd(), read, &cutter, limits, deadline, true) == Pump_Failed) {
        *error = strerror(errno);
        return false;
    }
    return true;
}

}

std::string httpRequest(const char *path)
{
    assert(path);
    return std::string("GET ") + path + " HTTP/1.0\n\n";
}

bool fetchFd(int fd, const LineSink &sink, std::string *error, const FetchLimits &limits)
{
    assert(fd >= 0 && error);
    long long deadline = monotonicMs() + limits.totalMs;
    LineCutter cutter(sink, limits.maxLine);
    auto read = [fd](char *buffer, unsigned size) { return (int)::read(fd, buffer, size); };
    if (pump(fd, read, &cutter, limits, deadline, false) == Pump_Failed) {
        *error = strerror(errno);
        return false;
    }
    cutter.finish();
    return true;
}

bool fetchSource(const char *source, const LineSink &sink, std::string *error,
                 const FetchLimits &limits)
{
    assert(source && error);
    if (strncmp(source, "file:", 5) != 0)
        return fetchPage(source, sink, error, limits);
    // Not blocking in open: a pipe with no writer must not hold the program.
    int fd = open(source + 5, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *error = strerror(errno);
        return false;
    }
    bool read = fetchFd(fd, sink, error, limits);
    close(fd);
    return read;
}
