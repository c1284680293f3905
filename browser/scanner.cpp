// scanner.cpp - the server line scanner of server-list files and pages.
#include "browser/scanner.h"

#include <arpa/inet.h>

#include <cassert>
#include <cstdio>
#include <cstdlib>
#include <cstring>

static const int DefaultPort = 26000;

static bool isDigit(char c) { return c >= '0' && c <= '9'; }

namespace {

// One candidate address: its four numbers and where its text ends.
struct Candidate {
    int    octet[4];
    size_t end;
};

// Reads four decimal octets at start. Leading zeros count as decimal, never octal, and the
// dots must follow the digits directly, so words around a blank never join into an address.
bool readAddress(const char *line, size_t length, size_t start, Candidate *c)
{
    size_t p = start;
    for (int i = 0; i < 4; i++) {
        if (i > 0) {
            if (p >= length || line[p] != '.')
                return false;
            p++;
        }
        size_t digits = 0;
        int value = 0;
        while (p < length && isDigit(line[p]) && digits < 4) {
            value = value * 10 + (line[p] - '0');
            p++;
            digits++;
        }
        if (digits == 0 || digits > 3 || value > 255)
            return false;
        c->octet[i] = value;
    }
    c->end = p;
    return true;
}

bool isLoopback(const Candidate &c)
{
    return c.octet[0] == 127 && c.octet[1] == 0 && c.octet[2] == 0;
}

uint32_t addressOf(const Candidate &c)   // network order
{
    return htonl((uint32_t)c.octet[0] << 24 | (uint32_t)c.octet[1] << 16 |
                 (uint32_t)c.octet[2] << 8 | (uint32_t)c.octet[3]);
}

// The port after ":", blanks and a sign allowed before its digits; DefaultPort unless
// it is a port number at all.
int readPort(const char *line, size_t length, size_t p)
{
    if (p >= length || line[p] != ':')
        return DefaultPort;
    p++;
    while (p < length && (line[p] == ' ' || line[p] == '\t'))
        p++;
    bool negative = p < length && line[p] == '-';
    if (p < length && (line[p] == '-' || line[p] == '+'))
        p++;
    long value = 0;
    for (; p < length && isDigit(line[p]); p++) {
        value = value * 10 + (line[p] - '0');
        if (value > 65535)
            return DefaultPort;
    }
    return negative || value == 0 ? DefaultPort : (int)value;
}

bool isHostNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || isDigit(c) || c == '.' ||
           c == '-' || c == '_';
}

// Digits and dots alone are an address, which must then be four octets; anything else of
// host-name characters is a name.
bool isListHost(const std::string &host)
{
    if (host.empty() || host.size() > 255)
        return false;
    for (char c : host) {
        if (!isHostNameChar(c))
            return false;
    }
    if (host.find_first_not_of("0123456789.") != std::string::npos)
        return true;
    Candidate c;
    return readAddress(host.data(), host.size(), 0, &c) && c.end == host.size();
}

// The next start of a run of digits at or after p; length when there is none.
size_t nextRun(const char *line, size_t length, size_t p)
{
    for (; p < length; p++) {
        if (isDigit(line[p]) && (p == 0 || !isDigit(line[p - 1])))
            return p;
    }
    return length;
}

}

bool canBeServerAddress(uint32_t networkOrder)
{
    uint32_t address = ntohl(networkOrder);
    return (address >> 24) != 0 && address < 0xE0000000u;
}

bool scanServerLine(const char *line, size_t length, std::string *hostPort)
{
    assert(line && hostPort);
    for (size_t p = nextRun(line, length, 0); p < length; p = nextRun(line, length, p + 1)) {
        Candidate c;
        if (!readAddress(line, length, p, &c) || !canBeServerAddress(addressOf(c)))
            continue;
        if (c.end < length && isDigit(line[c.end]))
            continue;           // a fourth number of more than three digits
        if (isLoopback(c)) {
            p = c.end;          // our own machine is no server to list; go on after it
            continue;
        }
        char text[32];
        snprintf(text, sizeof text, "%d.%d.%d.%d:%d", c.octet[0], c.octet[1], c.octet[2],
                 c.octet[3], readPort(line, length, c.end));
        *hostPort = text;
        return true;
    }
    return false;
}

bool scanServerLine(const char *line, std::string *hostPort)
{
    assert(line);
    return scanServerLine(line, strlen(line), hostPort);
}

bool parseListLine(const char *line, size_t length, std::string *host, int *port)
{
    assert(line && host && port);
    std::string text(line, length);
    size_t start = text.find_first_not_of(" \t");
    size_t end = text.find_last_not_of(" \t\r\n");
    if (start == std::string::npos || end == std::string::npos)
        return false;
    text = text.substr(start, end - start + 1);
    size_t colon = text.find(':');
    if (colon == std::string::npos)
        return false;
    std::string name = text.substr(0, colon);
    std::string digits = text.substr(colon + 1);
    if (!isListHost(name) || digits.empty() || digits.size() > 5 ||
        digits.find_first_not_of("0123456789") != std::string::npos)
        return false;
    int number = atoi(digits.c_str());
    if (number < 1 || number > 65535)
        return false;
    *host = name;
    *port = number;
    return true;
}
