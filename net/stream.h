// stream.h - Stream, an abstract byte stream with line and string writing on top.
#ifndef VIREO_NET_STREAM_H
#define VIREO_NET_STREAM_H

class Stream {
public:
    virtual ~Stream();
    virtual void Close() = 0;
    virtual int Read(char *buf, unsigned int len) = 0;
    virtual int Write(const char *buf, unsigned int len) = 0;

    int WriteString(const char *buf);   // without the NUL
    int WriteLine(const char *buf);     // the text, then "\n"
    // Up to max bytes, stopping after a newline (kept) or at a read that does not give one
    // byte; buf must hold max + 1 bytes. Returns the bytes stored.
    int ReadLine(char *buf, int max);
};

#endif
