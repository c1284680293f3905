// signalIgnored.cpp - SignalIgnored: a signal ignored for as long as the object lives.
#include "browser/signalIgnored.h"

#include <cstring>

SignalIgnored::SignalIgnored(int signal) : mSignal(signal)
{
    struct sigaction ignore;
    memset(&ignore, 0, sizeof ignore);
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(mSignal, &ignore, &mOldAction);
}

SignalIgnored::~SignalIgnored()
{
    sigaction(mSignal, &mOldAction, nullptr);
}
