// url.cpp - splitting and resolving URL texts.
#include "net/url.h"

#include <cassert>
#include <cctype>
#include <cstring>

URLParts SplitURL(const char *text)
{
    URLParts parts;
    std::string rest = text;
    size_t mark = rest.find("://");
    if (mark != std::string::npos) {
        parts.scheme = rest.substr(0, mark);
        rest.erase(0, mark + 3);
    }
    size_t slash = rest.find('/');
    std::string hostPart = rest.substr(0, slash);
    if (slash != std::string::npos)
        parts.path += rest.substr(slash + 1);
    size_t colon = hostPart.find(':');
    parts.host = hostPart.substr(0, colon);
    if (colon != std::string::npos) {
        unsigned int port = 0;
        for (size_t i = colon + 1; i < hostPart.size() && isdigit((unsigned char)hostPart[i]); i++)
            port = (port * 10 + (unsigned int)(hostPart[i] - '0')) & 0xFFFF;    // 16 bits, as the wire
        parts.port = (uint16_t)port;
    }
    if (parts.scheme.empty())
        parts.scheme = hostPart.compare(0, 4, "ftp.") == 0 ? "ftp" : "http";
    return parts;
}

URL::URL() : _port(0), _path("/")
{
}

bool URL::Parse(const char *in_url)
{
    assert(in_url);
    URLParts parts = SplitURL(in_url);
    _scheme = parts.scheme;
    _path = parts.path;
    _port = parts.port;
    InetAddress address;
    if (parts.host.empty() || !address.Resolve(parts.host.c_str()))
        address = InetAddress();
    _address = address;
    if (_port == 0) {
        _port = ServicePort(_scheme.c_str(), nullptr);
        return _port != 0;
    }
    return true;
}
