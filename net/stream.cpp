// stream.cpp - the string and line operations every Stream shares.
#include "net/stream.h"

#include <cassert>
#include <cstring>

Stream::~Stream()
{
}

int Stream::WriteString(const char *buf)
{
    assert(buf);
    return Write(buf, (unsigned int)strlen(buf));
}

int Stream::WriteLine(const char *buf)
{
    assert(buf);
    int length = (int)strlen(buf);
    int written = Write(buf, (unsigned int)length);
    if (written != length)
        return written;
    if (Write("\n", 1) != 1)
        return length;
    return length + 1;
}

int Stream::ReadLine(char *buf, int max)
{
    assert(buf && max >= 0);
    int count = 0;
    while (count < max) {
        char c;
        if (Read(&c, 1) != 1)
            break;
        buf[count++] = c;
        if (c == '\n')
            break;
    }
    buf[count] = '\0';
    return count;
}
