// fetch.h - reads one server-list source, a "file:" path or a web page, line by line.
#ifndef VIREO_BROWSER_FETCH_H
#define VIREO_BROWSER_FETCH_H

#include <cstddef>
#include <functional>
#include <string>

// How long a source may keep the (one-threaded) program waiting, and how long a line may
// grow. A line longer than maxLine is cut there and the rest of it dropped.
struct FetchLimits {
    int    connectMs = 10000;   // connecting to a web server
    int    readMs = 15000;      // the longest silence inside an answer
    int    totalMs = 60000;     // the whole source
    int    updateMs = 60000;    // all the sources of one list update together
    size_t maxLine = 1023;
};

// One line of a source, its line feed included when it had one; false when no more lines
// are wanted, which ends the reading there as if the source had ended.
typedef std::function<bool(const char *line, size_t length)> LineSink;

// The request for a web page: "GET %s HTTP/1.0\n\n" with the path, of any length.
std::string httpRequest(const char *path);

// Reads the source and hands each of its lines to sink, in order. A source beginning with
// "file:" names a local path; any other is a URL whose page is fetched with HTTP/1.0, and
// every line of that answer counts, status and headers included, except bytes after the
// last line feed. The answer is not judged: a 404 page is read like any other.
// False when the source cannot be read (no such file, no connection, a time-out); the
// lines that arrived before a failure have been handed on, and *error says what failed,
// for "Could not connect to %s: %s\n".
bool fetchSource(const char *source, const LineSink &sink, std::string *error,
                 const FetchLimits &limits = FetchLimits());

// The lines of an open server-list file, the last one also without a line feed;
// false, with *error set, when reading fails or runs past the limits.
bool fetchFd(int fd, const LineSink &sink, std::string *error,
             const FetchLimits &limits = FetchLimits());

#endif // VIREO_BROWSER_FETCH_H
