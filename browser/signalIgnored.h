// signalIgnored.h - SignalIgnored: a signal ignored for as long as the object lives.
#ifndef VIREO_BROWSER_SIGNALIGNORED_H
#define VIREO_BROWSER_SIGNALIGNORED_H

#include <csignal>

// The signal's former action comes back when the object goes, so a caller's own
// handling is never changed for good.
class SignalIgnored {
public:
    explicit SignalIgnored(int signal);
    ~SignalIgnored();
    SignalIgnored(const SignalIgnored &) = delete;
    SignalIgnored &operator=(const SignalIgnored &) = delete;

private:
    int              mSignal;
    struct sigaction mOldAction;
};

#endif // VIREO_BROWSER_SIGNALIGNORED_H
