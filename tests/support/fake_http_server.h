// fake_http_server.h - a tiny HTTP/1.0 server on 127.0.0.1 that answers every GET with one
// scripted text, or accepts and stays silent. Runs on its own thread.
#ifndef VIREO_TESTS_SUPPORT_FAKE_HTTP_SERVER_H
#define VIREO_TESTS_SUPPORT_FAKE_HTTP_SERVER_H

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class FakeHttpServer {
public:
    // The answer is sent as it is: status line and headers belong in it when wanted.
    explicit FakeHttpServer(const std::string &answer, bool silent = false);
    ~FakeHttpServer();
    FakeHttpServer(const FakeHttpServer &) = delete;
    FakeHttpServer &operator=(const FakeHttpServer &) = delete;

    bool Start();
    void Stop();
    uint16_t Port() const { return mPort; }
    std::string Url(const std::string &path = "/") const;  // "http://127.0.0.1:<port><path>"

    // The requests received so far, each up to and including its empty line.
    std::vector<std::string> Requests() const;
    bool WaitForRequests(size_t count, std::chrono::milliseconds timeout) const;

private:
    void Run();
    void ServeOne(int client);
    bool WaitReadable(int fd);      // false when Stop was asked

    std::string                     mAnswer;
    bool                            mSilent;
    int                             mListenFd = -1;
    int                             mWake[2] = {-1, -1};
    uint16_t                        mPort = 0;
    std::thread                     mThread;
    mutable std::mutex              mMutex;
    mutable std::condition_variable mArrived;
    std::vector<std::string>        mRequests;
};

#endif
