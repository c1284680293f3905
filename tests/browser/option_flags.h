// option_flags.h - every on-off option with its key in the settings file and its control in
// the options dialog, for tests that set one at a time so a neighbour's value cannot pass
// for its own.
#ifndef VIREO_TESTS_BROWSER_OPTION_FLAGS_H
#define VIREO_TESTS_BROWSER_OPTION_FLAGS_H

#include "browser/options.h"

#include <string>
#include <vector>

struct OptionFlag {
    const char *key;                        // "option <key> true"
    const char *control;                    // a toggle, or the Field the toggle belongs to
    bool Options::*general;                 // one of these two is set
    unsigned char ServerFilter::*filter;
};

static const OptionFlag sOptionFlags[] = {
    {"queryOnLoad", "queryOnLoad", &Options::queryOnLoad, nullptr},
    {"autoUpdate", "autoUpdate", &Options::autoUpdate, nullptr},
    {"promptToSave", "promptToSave", &Options::promptToSave, nullptr},
    {"requireQueryInfo", "queryInfo", nullptr, &ServerFilter::requireQueryInfo},
    {"pingFilter", "minPing", nullptr, &ServerFilter::pingFilter},
    {"timeoutFilter", "minTimeout", nullptr, &ServerFilter::timeoutFilter},
    {"includeMapFilter", "mapInclude", nullptr, &ServerFilter::includeMapFilter},
    {"excludeFullServers", "fullServers", nullptr, &ServerFilter::excludeFullServers},
    {"maxPlayerFilter", "maxPlayers", nullptr, &ServerFilter::maxPlayerFilter},
    {"minPlayerFilter", "minPlayers", nullptr, &ServerFilter::minPlayerFilter},
    {"excludeMapFilter", "mapExclude", nullptr, &ServerFilter::excludeMapFilter},
    {"queryRules", "queryRules", &Options::queryRules, nullptr},
    {"queryPlayers", "queryPlayers", &Options::queryPlayers, nullptr},
    {"autoConnect", "autoConnect", &Options::autoConnect, nullptr},
};

// Sets every flag off but only (every flag on but only, with inverted).
static inline void setOnly(Options &o, const OptionFlag &only, bool inverted = false)
{
    for (const OptionFlag &f : sOptionFlags) {
        bool on = (&f == &only) != inverted;
        if (f.general)
            o.*f.general = on;
        else
            o.filter.*f.filter = on;
    }
}

// The keys of the flags that are on.
static inline std::vector<std::string> flagsOn(const Options &o)
{
    std::vector<std::string> on;
    for (const OptionFlag &f : sOptionFlags) {
        if (f.general ? o.*f.general : o.filter.*f.filter != 0)
            on.push_back(f.key);
    }
    return on;
}

#endif
