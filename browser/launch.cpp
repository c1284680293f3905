// launch.cpp - MainWin's game launch: the connect file in the game's id1 folder and the
// game command, run in a process of its own through the shell.
#include "browser/mainwin.h"

#include "browser/gameStarter.h"
#include "browser/regularFile.h"
#include "browser/settings.h"
#include "framework/VkErrorDialog.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

// The command and options are the user's own shell text; a line break or another control
// character in them is a slip of the pen, not a command to run. A tab is not: the shell
// parts words at it as at a blank, and the options field and the settings file keep it.
static bool holdsControl(const std::string &text)
{
    for (char c : text) {
        if (((unsigned char)c < ' ' && c != '\t') || c == 0x7f)
            return true;
    }
    return false;
}

// Nothing from a server reaches the command line: the port is a number, and the
// address goes into the connect file. No "&": the command runs in a process of its own
// whatever its text holds ("#", ";", "&&" kept a trailing "&" from applying), and the
// shell's status tells whether it could run it.
bool MainWin::launchCommand(const Options &options, unsigned int port, std::string *command)
{
    if (options.quakeCmd.empty() || holdsControl(options.quakeCmd) ||
        holdsControl(options.quakeOptions))
        return false;
    std::string arguments = "+exec vireo.cfg -udpport " + std::to_string(port & 0xffff) +
                            " " + options.quakeOptions;
    *command = options.quakeCmd + " " + arguments;
    return true;
}

void MainWin::launchGame()
{
    launchOn(selectedServer());
}

void MainWin::launchOn(Server *s)
{
    if (!s)
        return;
    if (mOptions.quakePath.empty() || mOptions.quakeCmd.empty()) {
        gErrorDialog->postAndWait("Quake launch options not specified.", this);
        return;
    }
    std::string command;
    if (!launchCommand(mOptions, s->mPort, &command)) {
        gErrorDialog->postAndWait("Quake launch options hold a control character.", this);
        return;
    }
    s = findAddress(s);
    if (!s)
        return;
    // Without the file the game starts unconnected, or joins the server of an old one.
    std::string path = mOptions.quakePath + "/id1/vireo.cfg";
    std::string reason;
    if (!writeConnectFile(path.c_str(), *s, &reason)) {
        std::string message = "Could not write " + path + ": " + reason +
                              "; the game was not started.";
        gErrorDialog->postAndWait(message.c_str(), this);
        return;
    }
    runCommand(command.c_str());
}

// A name that found no address at start (no name server then, say) is looked up once more;
// the connect file would otherwise send the game to the broadcast address.
Server *MainWin::findAddress(Server *s)
{
    if (s->mAddress.HasAddress())
        return s;
    std::string name = s->mAddress.KnownHostName();
    if (!name.empty() && s->mAddress.Resolve(name.c_str())) {
        mServerKeys.clear();        // its key changed with its address: rebuilt at the next add
        return joinListed(s);
    }
    std::string message = "Could not find host \"" + name + "\"; the game was not started.";
    gErrorDialog->postAndWait(message.c_str(), this);
    return nullptr;
}

// The marks of the first record hold; the later one's are taken where the first has none,
// and told where they would change it, as a later line of the settings file is.
static void joinMarks(const Server &first, const Server &later, Server *kept)
{
    const unsigned int kinds = Server::Flag_Favorite | Server::Flag_Avoid;
    unsigned int marks = first.mFlags & kinds;
    if (!joinServerMarks(&marks, later.mFlags)) {
        ServerEntry was = serverEntry(first), other = serverEntry(later);
        fprintf(stderr, "Vireo: %s %s:%d: the same server as %s:%d, marked otherwise before, "
                "ignored\n", serverMarkWords(other.kind).c_str(), other.host.c_str(),
                other.port, was.host.c_str(), was.port);
    }
    kept->mFlags = (kept->mFlags & ~kinds) | marks;
}

// A server found only now may be one listed already by its address: the two become one
// record, as they would have at start, where the line that comes first in the list gives
// its host text, its mark and its place. The record kept is the one listed at the address,
// since a query, a redial or an offer may hold it; only a server without an address comes
// here, so none holds the one found.
Server *MainWin::joinListed(Server *found)
{
    auto foundAt = mServerList.end(), keptAt = mServerList.end();
    for (auto it = mServerList.begin(); it != mServerList.end(); ++it) {
        if (&*it == found) {
            foundAt = it;
        } else if (*it == *found) {
            keptAt = it;
            break;
        }
    }
    if (keptAt == mServerList.end()) {
        updateServerLine(found);
        return found;
    }
    Server *kept = &*keptAt;
    bool foundFirst = foundAt != mServerList.end();
    joinMarks(foundFirst ? *found : *kept, foundFirst ? *kept : *found, kept);
    if (foundFirst) {
        kept->mAddress = found->mAddress;       // the name the first line gave
        mServerList.splice(foundAt, mServerList, keptAt);
    }
    if (found->TestFlag(Server::Flag_Selected))
        kept->SetSelected(true);
    mServerList.remove_if([found](const Server &s) { return &s == found; });
    mServerCount--;
    updateView();
    return kept;
}

// A link planted at the file's place is not followed: the write would land elsewhere. The
// game reads the file as commands, so it is never made writable by others.
bool MainWin::writeConnectFile(const char *path, const Server &s, std::string *reason)
{
    std::string why;
    FILE *fp = createRegularFile(path, &why, false, 0644);
    if (fp) {
        bool written = fprintf(fp, "connect %s\n", s.mAddress.DottedString()) > 0;
        int error = errno;
        if (fclose(fp) != 0) {
            written = false;
            error = errno;
        }
        if (written)
            return true;
        why = strerror(error ? error : EIO);
    }
    if (reason)
        *reason = why;
    return false;
}

void MainWin::runCommand(const char *command)
{
    if (!mGameStarter) {
        mGameStarter = new GameStarter(XtWidgetToApplicationContext(baseWidget()),
                                       [this](const std::string &message) {
                                           gErrorDialog->post(message.c_str(), this);
                                       });
    }
    std::string message;
    if (!mGameStarter->start(command, &message))
        gErrorDialog->postAndWait(message.c_str(), this);
}

void MainWin::launchCB(Widget, XtPointer clientData, XtPointer)
{ static_cast<MainWin *>(clientData)->launchGame(); }
