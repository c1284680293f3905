// print.cpp - MainWin's printable list: the servers of the current view as a fixed-width
// table in ~/.vireo.print, left there for the user.
#include "browser/mainwin.h"

#include "browser/regularFile.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

// The same home as the settings file's, so both land in one folder.
static std::string homeFolder()
{
    const char *home = getenv("HOME");
    if (!home || home[0] == '\0') {
        struct passwd *pw = getpwuid(getuid());
        home = pw ? pw->pw_dir : nullptr;
    }
    return home ? home : "";
}

// Names come from the servers: a line break in one would split its row of the table.
static std::string printable(const char *text)
{
    std::string result(text);
    for (char &c : result) {
        if ((unsigned char)c < ' ' || c == 0x7f)
            c = ' ';
    }
    return result;
}

void MainWin::printServers()
{
    std::string home = homeFolder();
    if (home.empty())
        return;
    std::string path = home + "/.vireo.print";
    // A pipe there would hold the window until read; like a file that cannot be made, it
    // is passed over without a word.
    std::string reason;
    FILE *fp = createRegularFile(path.c_str(), &reason);
    if (!fp)
        return;
    time_t now = time(nullptr);
    fprintf(fp, "VIREO Server List: %s\n", ctime(&now));
    fprintf(fp, "%-20s %-16s %-5s %-10s %s\n", "Name", "IP", "Ping", "Map", "Players");
    for (const Server &s : mServerList) {
        if (!filterServer(s))
            continue;
        fprintf(fp, "%-20s %-16s %-5d %-10s %02d/%02d\n", printable(s.GetName()).c_str(),
                dottedAddress(s), s.GetPing(), printable(s.mMap).c_str(),
                s.mNumPlayers, s.mMaxPlayers);
    }
    fclose(fp);
}
