// url.h - URL, a server-list source text split into scheme, host, port and path.
#ifndef VIREO_NET_URL_H
#define VIREO_NET_URL_H

#include "net/inet.h"

#include <cstdint>
#include <string>

// The pieces of a URL text before any name is looked up.
struct URLParts {
    std::string scheme;     // empty when the text names none
    std::string host;
    uint16_t    port = 0;   // 0 when none is given
    std::string path = "/";
};
URLParts SplitURL(const char *text);

class URL {
public:
    URL();
    // True when a port is known, from the text or from the scheme's service.
    // A host that does not resolve leaves the address none; that is not reported here.
    bool Parse(const char *in_url);

    const InetAddress &Address() const { return _address; }
    InetAddress &Address() { return _address; }
    uint16_t Port() const { return _port; }
    const char *Scheme() const { return _scheme.c_str(); }
    const char *Path() const { return _path.c_str(); }

private:
    InetAddress _address;
    uint16_t    _port;
    std::string _scheme;
    std::string _path;
};

#endif
