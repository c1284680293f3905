// scanner.h - finds the server address on one line of a server list or page.
#ifndef VIREO_BROWSER_SCANNER_H
#define VIREO_BROWSER_SCANNER_H

#include <cstddef>
#include <string>

// Looks for the first dotted IPv4 address on the line (four decimal numbers of 0-255, each
// of one to three digits, not glued to further digits), passing over 127.0.0.x and
// 255.255.255.255, with an optional ":port" behind it. On success *hostPort holds
// "a.b.c.d:port" for Server::SetHost, the port 26000 when none (or no usable one) is given.
bool scanServerLine(const char *line, size_t length, std::string *hostPort);
bool scanServerLine(const char *line, std::string *hostPort);

// A line of a server-list file as File > Save writes it: nothing but "host:port", blanks and
// a CR around it allowed, the host a dotted address (our own machine included, unlike on
// pages) or a host name, the port 1-65535. False, and the outputs untouched, for any other
// line. Nothing is looked up.
bool parseListLine(const char *line, size_t length, std::string *host, int *port);

#endif // VIREO_BROWSER_SCANNER_H
