// scanner.h - finds the server address on one line of a server list or page.
#ifndef VIREO_BROWSER_SCANNER_H
#define VIREO_BROWSER_SCANNER_H

#include <cstddef>
#include <cstdint>
#include <string>

// Whether a game server can be at the address (network order): not in 0.0.0.0/8 (this
// machine and this network, which no packet is sent to), at a multicast address
// (224.0.0.0-239.255.255.255) or at a reserved or the broadcast address (240.0.0.0 and
// above).
bool canBeServerAddress(uint32_t networkOrder);

// Looks for the first dotted IPv4 address on the line (four decimal numbers of 0-255, each
// of one to three digits, not glued to further digits), passing over 127.0.0.x and the
// addresses no server can be at, with an optional ":port" behind it. On success *hostPort
// holds "a.b.c.d:port" for Server::SetHost, the port 26000 when none (or no usable one) is
// given.
bool scanServerLine(const char *line, size_t length, std::string *hostPort);
bool scanServerLine(const char *line, std::string *hostPort);

// A line of a server-list file as File > Save writes it: nothing but "host:port", blanks and
// a CR around it allowed, the host a dotted address (any four octets: our own machine
// included, unlike on pages) or a host name, the port 1-65535. False, and the outputs
// untouched, for any other line. Nothing is looked up.
bool parseListLine(const char *line, size_t length, std::string *host, int *port);

#endif // VIREO_BROWSER_SCANNER_H
