// inet.h - InetAddress, an IPv4 address with the host name it was found under, and ServicePort.
#ifndef VIREO_NET_INET_H
#define VIREO_NET_INET_H

#include <cstdint>
#include <string>

class InetAddress {
public:
    // Finds the address of a host name that is not numeric; false when there is none.
    typedef bool (*Resolver)(const char *name, uint32_t *networkOrder);

    InetAddress();

    // Every later Resolve of a name asks this one (the system resolver by default, the
    // tests a stand-in that needs no name server); returns the one it replaces.
    static Resolver SetResolver(Resolver resolver);

    static const uint32_t NoAddress = 0xFFFFFFFFu;

    // Host names are not compared: one machine may be known under several names. Only
    // names that found no address are told apart by their names.
    bool operator==(const InetAddress &other) const;
    bool operator!=(const InetAddress &other) const { return !(*this == other); }

    // A null name stands for this machine. Numeric addresses never reach the resolver.
    bool Resolve(const char *name);
    // Only the leading dotted address of a text such as "1.2.3.4:26000"; never the resolver,
    // so text from the network cannot make us wait on name lookups.
    bool ResolveNumeric(const char *text);

    const char *HostName();     // reverse lookup when no name is known yet
    const char *KnownHostName() const { return _hostName.c_str(); }     // never looks up
    char *DottedString() const; // in the C library's static buffer, overwritten by the next call

    uint32_t Address() const { return _address; }      // network byte order
    bool HasAddress() const { return _address != NoAddress; }
    // A name that found no address (started without a name server, say) is kept, to be
    // shown and saved; the record has no address.
    void SetUnresolved(const char *name) { _address = NoAddress; _hostName = name ? name : ""; }
    void SetAddress(uint32_t networkOrder) { _address = networkOrder; _hostName.clear(); }

private:
    uint32_t    _address;       // all ones: none
    std::string _hostName;
};

// Port (host order) of a named service, 0 when unknown; "http" and "www" are 80 even
// when the services database lacks them.
uint16_t ServicePort(const char *name, const char *protocol);

#endif
