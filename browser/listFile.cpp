// listFile.cpp - MainWin's list commands shared by the tool bar and the menus: delete the
// selected servers, load a server-list file and save the list to one.
#include "browser/mainwin.h"

#include "browser/regularFile.h"
#include "browser/scanner.h"
#include "browser/settings.h"

#include "framework/VkErrorDialog.h"
#include "framework/VkFileSelectionDialog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cassert>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

// Only what the view shows goes; a hidden selected server stays. A redial in its pause, or
// a slot offered, must not outlive its server.
void MainWin::deleteServers()
{
    assert(mQueryQueue.empty());
    assert(mWaitingList.empty());
    bool redialEnded = false;
    for (auto it = mServerList.begin(); it != mServerList.end();) {
        if (isShownSelected(*it)) {
            if (&*it == mSlotServer)
                mSlotServer = nullptr;
            if (&*it == mRedialServer) {
                stopWorkProc();
                redialEnded = true;
            }
            it = mServerList.erase(it);
            mServerCount--;
        } else {
            ++it;
        }
    }
    updateView();
    if (redialEnded)
        gErrorDialog->postAndWait("The server being redialed was deleted; the redial has ended.",
                                  this);
}

// Only a regular file is read: a directory fails only at the first read, and opening a
// FIFO that has no writer would block the program until one comes, so nothing blocks here.
static FILE *openListFile(const char *name, std::string *reason)
{
    int fd = open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *reason = strerror(errno);
        return nullptr;
    }
    struct stat st;
    FILE *fp = nullptr;
    if (fstat(fd, &st) != 0)
        *reason = strerror(errno);
    else if (S_ISDIR(st.st_mode))
        *reason = strerror(EISDIR);
    else if (!S_ISREG(st.st_mode))
        *reason = "Not a regular file";
    else if (!(fp = fdopen(fd, "r")))
        *reason = strerror(errno);
    if (!fp)
        close(fd);
    return fp;
}

void MainWin::loadServers()
{
    gFileSelectionDialog->setTitle("Load servers from file...");
    if (gFileSelectionDialog->postBlocking(nullptr, this) != VkDialogManager::AnswerOK)
        return;
    const char *name = gFileSelectionDialog->fileName();
    if (!name) {
        gErrorDialog->postAndWait("Could not open specified file.", this);
        return;
    }
    std::string reason;
    FILE *fp = openListFile(name, &reason);
    const char *failure = "Could not open specified file.";
    if (fp) {
        bool read = updateFromFile(fp, name, &reason);
        failure = read ? nullptr : "Could not read specified file.";
        fclose(fp);
    }
    if (failure) {
        std::string message = std::string(failure) + "\n" + name + ": " + reason;
        gErrorDialog->postAndWait(message.c_str(), this);
    }
}

// A full disk shows only here; the list must not be reported saved then, nor be left cut
// short for a later load to take as the whole list. The file is emptied through a second
// descriptor once fclose has written what it still could.
static bool closeListFile(FILE *fp, std::string *reason)
{
    int fd = fcntl(fileno(fp), F_DUPFD_CLOEXEC, 0);
    errno = 0;
    bool written = fflush(fp) == 0 && !ferror(fp);
    int error = errno ? errno : EIO;
    if (fclose(fp) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written) {
        *reason = strerror(error);
        if (fd < 0 || ftruncate(fd, 0) != 0)
            *reason += "; the file holds part of the list";
    }
    if (fd >= 0)
        close(fd);
    return written;
}

void MainWin::saveServers()
{
    gFileSelectionDialog->setTitle("Save servers to file...");
    if (gFileSelectionDialog->postBlocking(nullptr, this) != VkDialogManager::AnswerOK)
        return;
    const char *name = gFileSelectionDialog->fileName();
    if (!name) {
        gErrorDialog->postAndWait("Could not create output file.", this);
        return;
    }
    std::string reason;
    FILE *fp = createRegularFile(name, &reason);
    if (fp) {
        writeServerFile(fp);
        if (closeListFile(fp, &reason))
            return;
        setStatus(nullptr);
    }
    std::string message = std::string("Could not create output file.\n") + name + ": " + reason;
    gErrorDialog->postAndWait(message.c_str(), this);
}

// A line that saveServers wrote names its server whole, host names and our own machine
// too; any other line is scanned for a dotted address, as a page's lines are.
bool MainWin::readListLine(const char *line, size_t length)
{
    ServerEntry entry;
    if (!parseListLine(line, length, &entry.host, &entry.port))
        return scanServerLine(line, length);
    Server s;
    if (!makeServer(entry, &s)) {
        mUnfoundHosts.push_back(entry.host);    // not the broadcast address in its place
        return true;
    }
    if (!canBeServerAddress(s.mAddress.Address())) {
        mNoServerHosts.push_back(entry.host);
        return true;
    }
    return addUpdatedServer(s);
}

void MainWin::reportLeftOutHosts()
{
    reportLeftOut("Could not find host", &mUnfoundHosts);
    reportLeftOut("No server can be at", &mNoServerHosts);
}

void MainWin::reportLeftOut(const char *why, std::vector<std::string> *hosts)
{
    if (hosts->empty())
        return;
    std::string message = std::string(why) + " \"" + hosts->front() + "\"";
    if (hosts->size() == 1)
        message += "; it was not loaded.";
    else
        message += " and " + std::to_string(hosts->size() - 1) + " more; they were not loaded.";
    hosts->clear();
    gErrorDialog->postAndWait(message.c_str(), this);
}

// Only a name the server was given under is written; a reverse lookup per server would
// hold the window up for as long as the resolver takes.
void MainWin::writeServerFile(FILE *fp)
{
    int written = 0;
    for (const Server &s : mServerList) {
        if (!filterServer(s))
            continue;
        const char *known = s.mAddress.KnownHostName();
        fprintf(fp, "%s:%d\n", known[0] ? known : s.mAddress.DottedString(), s.mPort);
        written++;
    }
    setStatus("%d servers saved to file", written);
}
