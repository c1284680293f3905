// fake_http_server.cpp - the scripted web server for tests of the server-list update.
#include "tests/support/fake_http_server.h"

#include "tests/support/descriptors.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

FakeHttpServer::FakeHttpServer(const std::string &answer, bool silent)
    : mAnswer(answer), mSilent(silent)
{
}

FakeHttpServer::~FakeHttpServer()
{
    Stop();
}

bool FakeHttpServer::Start()
{
    if (mThread.joinable())
        return true;
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    struct sockaddr_in address;
    memset(&address, 0, sizeof address);
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (bind(fd, (struct sockaddr *)&address, sizeof address) != 0 || listen(fd, 16) != 0
        || getsockname(fd, (struct sockaddr *)&address, &size) != 0
        || pipe2(mWake, O_CLOEXEC) != 0) {
        close(fd);
        return false;
    }
    mListenFd = MoveDescriptorHigh(fd);
    mPort = ntohs(address.sin_port);
    mThread = std::thread(&FakeHttpServer::Run, this);
    return true;
}

void FakeHttpServer::Stop()
{
    if (!mThread.joinable())
        return;
    char byte = 0;
    ssize_t woken = write(mWake[1], &byte, 1);  // ends every poll of the thread
    (void)woken;
    mThread.join();
    close(mListenFd);
    close(mWake[0]);
    close(mWake[1]);
    mListenFd = mWake[0] = mWake[1] = -1;
}

std::string FakeHttpServer::Url(const std::string &path) const
{
    return "http://127.0.0.1:" + std::to_string(mPort) + path;
}

std::vector<std::string> FakeHttpServer::Requests() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mRequests;
}

bool FakeHttpServer::WaitForRequests(size_t count, std::chrono::milliseconds timeout) const
{
    std::unique_lock<std::mutex> lock(mMutex);
    return mArrived.wait_for(lock, timeout, [&] { return mRequests.size() >= count; });
}

bool FakeHttpServer::WaitReadable(int fd)
{
    struct pollfd fds[2] = {{fd, POLLIN, 0}, {mWake[0], POLLIN, 0}};
    while (poll(fds, 2, -1) < 0)
        ;
    return !(fds[1].revents & POLLIN);
}

void FakeHttpServer::Run()
{
    while (WaitReadable(mListenFd)) {
        int client = accept4(mListenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            continue;
        ServeOne(client);
        close(client);
    }
}

void FakeHttpServer::ServeOne(int client)
{
    std::string request;
    while (request.find("\n\n") == std::string::npos
           && request.find("\r\n\r\n") == std::string::npos) {
        if (!WaitReadable(client))
            return;
        char buffer[512];
        ssize_t received = recv(client, buffer, sizeof buffer, 0);
        if (received <= 0)
            break;
        request.append(buffer, (size_t)received);
    }
    {
        std::lock_guard<std::mutex> lock(mMutex);
        mRequests.push_back(request);
        mArrived.notify_all();
    }
    if (mSilent) {
        // Hold the connection open and say nothing until the test stops the server.
        while (WaitReadable(client)) {
            char buffer[512];
            if (recv(client, buffer, sizeof buffer, 0) <= 0)
                break;
        }
        return;
    }
    size_t sent = 0;
    while (sent < mAnswer.size()) {
        ssize_t n = send(client, mAnswer.data() + sent, mAnswer.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            break;
        sent += (size_t)n;
    }
}
