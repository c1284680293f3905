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

#endif
