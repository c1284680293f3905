// fake_servers.cpp - vireo_fake_servers: named fake game servers with players and rules on
// 127.0.0.1, for screenshots and for trying Vireo by hand without a real server.
//
// Usage: vireo_fake_servers [COUNT [DOWN]]
// Serves COUNT servers (default: one per name below) and prints "127.0.0.1:<port>" for each,
// then DOWN more addresses where nothing answers. Runs until SIGINT, SIGTERM or SIGHUP, or
// until its parent ends.
#include "tests/support/descriptors.h"
#include "tests/support/fake_game_server.h"

#include <signal.h>
#include <sys/prctl.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Roster {
    const char *name;
    const char *map;
    int         players;
    int         maxPlayers;
    const char *teamplay;
};

const Roster sRoster[] = {
    {"Slipgate Central", "e1m1", 5, 16, "0"},
    {"Old School DM", "e2m1", 2, 8, "0"},
    {"Frag Fest", "dm4", 8, 8, "0"},
    {"Teamplay Tuesdays", "dm1", 4, 12, "1"},
    {"Quad Damage Arena", "dm2", 0, 16, "0"},
    {"Grenade Garden", "dm3", 6, 16, "2"},
    {"Lavaland", "e1m2", 7, 16, "0"},
    {"The Cistern Club", "dm5", 1, 8, "0"},
    {"Nailgun Nights", "dm6", 3, 10, "1"},
    {"Newbie Friendly", "start", 0, 4, "0"},
};
const int sRosterSize = sizeof sRoster / sizeof sRoster[0];

const char *const sPlayerNames[] = {
    "Ranger", "Grunt", "Shambler", "Vore", "Fiend", "Ogre", "Knight", "Enforcer",
    "Scrag", "Spawn", "Rotfish", "Zombie", "Chthon", "Shub", "Hellknight", "Death",
};

FakeGameScript scriptFor(int index)
{
    const Roster &r = sRoster[index % sRosterSize];
    FakeGameScript script;
    script.hostName = r.name;
    if (index >= sRosterSize)
        script.hostName += " " + std::to_string(index / sRosterSize + 1);
    script.mapName = r.map;
    script.maxPlayers = r.maxPlayers;
    for (int p = 0; p < r.players; p++) {
        FakePlayer player;
        player.name = sPlayerNames[(index + p) % 16];
        player.colours = (uint32_t)((((index + p) % 14) << 4) | ((index * 3 + p) % 14));
        player.frags = (r.players - p) * 7 % 41;
        player.connectTime = 95 + 611 * (p + 1) + 37 * index;
        script.players.push_back(player);
    }
    // The game's defaults first, as a server lists them; Vireo shows only the others.
    script.rules = {{"sv_maxspeed", "320"}, {"sv_friction", "4"}, {"sv_gravity", "800"},
                    {"noexit", index % 2 ? "1" : "0"}, {"teamplay", r.teamplay},
                    {"timelimit", std::to_string(10 + 5 * (index % 4))},
                    {"fraglimit", std::to_string(20 + 10 * (index % 3))}};
    return script;
}

int count(const char *text, int fallback)
{
    if (!text)
        return fallback;
    char *end = nullptr;
    long n = strtol(text, &end, 10);
    return *end == '\0' && n >= 0 && n <= 1000 ? (int)n : -1;
}

} // namespace

int main(int argc, char **argv)
{
    int servers = count(argc > 1 ? argv[1] : nullptr, sRosterSize);
    int down = count(argc > 2 ? argv[2] : nullptr, 0);
    if (argc > 3 || servers < 0 || down < 0) {
        fprintf(stderr, "usage: %s [COUNT [DOWN]]   (each 0-1000)\n", argv[0]);
        return 2;
    }
    // Blocked before the serving thread starts, so that only sigwait below takes them.
    sigset_t stops;
    sigemptyset(&stops);
    for (int s : {SIGINT, SIGTERM, SIGHUP})
        sigaddset(&stops, s);
    pthread_sigmask(SIG_BLOCK, &stops, nullptr);
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    std::vector<std::unique_ptr<FakeGameServer>> fakes;
    for (int i = 0; i < servers; i++) {
        fakes.push_back(std::make_unique<FakeGameServer>(scriptFor(i)));
        if (!fakes.back()->Start()) {
            perror("vireo_fake_servers: cannot start a server");
            return 1;
        }
        printf("%s\n", fakes.back()->HostText().c_str());
    }
    for (int i = 0; i < down; i++)
        printf("127.0.0.1:%u\n", (unsigned)ClosedUdpPort());
    fflush(stdout);
    int signal = 0;
    sigwait(&stops, &signal);
    return 0;
}
