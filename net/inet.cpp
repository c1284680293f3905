// inet.cpp - InetAddress resolution and ServicePort over the system resolver.
#include "net/inet.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <strings.h>

static bool systemResolver(const char *name, uint32_t *networkOrder)
{
    struct hostent *entry = gethostbyname(name);
    if (!entry || entry->h_addrtype != AF_INET || entry->h_length != 4 || !entry->h_addr_list[0])
        return false;
    memcpy(networkOrder, entry->h_addr_list[0], 4);
    return true;
}

static InetAddress::Resolver sResolver = systemResolver;

InetAddress::InetAddress() : _address(NoAddress)
{
}

bool InetAddress::operator==(const InetAddress &other) const
{
    if (_address != other._address)
        return false;
    return HasAddress() || strcasecmp(_hostName.c_str(), other._hostName.c_str()) == 0;
}

InetAddress::Resolver InetAddress::SetResolver(Resolver resolver)
{
    Resolver previous = sResolver;
    sResolver = resolver ? resolver : systemResolver;
    return previous;
}

bool InetAddress::Resolve(const char *name)
{
    char self[64];
    if (!name) {
        if (gethostname(self, sizeof self) != 0)
            return false;
        self[sizeof self - 1] = '\0';   // gethostname need not terminate a cut name
        name = self;
    }
    struct in_addr numeric;
    if (inet_aton(name, &numeric)) {
        _address = numeric.s_addr;
        _hostName.clear();
        return true;
    }
    uint32_t found;
    if (!sResolver(name, &found))
        return false;
    _address = found;
    _hostName = name;   // the name the user gave, not the entry's official one
    return true;
}

bool InetAddress::ResolveNumeric(const char *text)
{
    if (!text)
        return false;
    std::string dotted(text, strcspn(text, ":"));
    struct in_addr numeric;
    if (!inet_aton(dotted.c_str(), &numeric))
        return false;
    _address = numeric.s_addr;
    _hostName.clear();
    return true;
}

const char *InetAddress::HostName()
{
    if (_hostName.empty()) {
        struct hostent *entry = gethostbyaddr(&_address, 4, AF_INET);
        if (entry && entry->h_name)
            _hostName = entry->h_name;
    }
    return _hostName.c_str();
}

char *InetAddress::DottedString() const
{
    struct in_addr address;
    address.s_addr = _address;
    return inet_ntoa(address);
}

uint16_t ServicePort(const char *name, const char *protocol)
{
    if (!name)
        return 0;
    struct servent *entry = getservbyname(name, protocol);
    if (entry)
        return ntohs((uint16_t)entry->s_port);
    if (strcmp(name, "http") == 0 || strcmp(name, "www") == 0)
        return 80;
    return 0;
}
