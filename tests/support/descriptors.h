// descriptors.h - keeps the test doubles' descriptors out of the range that select() can watch.
#ifndef VIREO_TESTS_SUPPORT_DESCRIPTORS_H
#define VIREO_TESTS_SUPPORT_DESCRIPTORS_H

// Moves fd to a number of 1024 or more when the process may open that many, so that
// hundreds of fake servers leave the low descriptors to the code under test, whose
// select() sees only descriptors below 1024. Returns the descriptor to use (fd itself
// when it cannot be moved); fd is closed when it was moved.
int MoveDescriptorHigh(int fd);

// A port on 127.0.0.1 that nothing listens on: the refusing server.
unsigned short ClosedUdpPort();
unsigned short ClosedTcpPort();

// A TCP listener on 127.0.0.1 whose queue is full, so a connect to its port hangs until the
// caller gives up: the kernel drops the handshake instead of refusing it.
class FullTcpListener {
public:
    FullTcpListener();
    ~FullTcpListener();
    FullTcpListener(const FullTcpListener &) = delete;
    FullTcpListener &operator=(const FullTcpListener &) = delete;
    unsigned short Port() const { return mPort; }   // 0 when it could not be made

private:
    int            mListen = -1;
    int            mFiller = -1;    // the connection that fills the queue
    unsigned short mPort = 0;
};

#endif
