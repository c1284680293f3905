// gameStarter.h - GameStarter: runs the game command through /bin/sh in a process of its
// own, never waits for it, and tells when the shell could not run the command.
#ifndef VIREO_BROWSER_GAMESTARTER_H
#define VIREO_BROWSER_GAMESTARTER_H

#include <X11/Intrinsic.h>

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

class GameStarter {
public:
    // Told from the event loop, once per command that failed at once.
    typedef std::function<void(const std::string &message)> FailureReport;

    GameStarter(XtAppContext app, FailureReport report);
    ~GameStarter();
    GameStarter(const GameStarter &) = delete;
    GameStarter &operator=(const GameStarter &) = delete;

    // Starts the command, which is shell text, and returns at once; false, with *message,
    // when no process could be made for it.
    bool start(const char *command, std::string *message);
    // Starts still watched: each ends within about WatchMs, the game running on.
    size_t running() const { return mChildren.size(); }

    // A shell that ends with 126 or 127 this soon could not run the command; later, the
    // status is the game's own business.
    enum { WatchMs = 1000, TickMs = 100 };

private:
    // A start is watched by a process of its own, which reports on a pipe and ends once
    // the first second is over.
    struct Child {
        pid_t pid;
        int   verdict;          // read end of its report; empty when the game runs
    };

    static void sTimerCB(XtPointer clientData, XtIntervalId *);
    void check();
    std::string failure(int verdict) const;
    void arm();

    XtAppContext       mApp;
    FailureReport      mReport;
    std::vector<Child> mChildren;
    XtIntervalId       mTimer = 0;
};

#endif // VIREO_BROWSER_GAMESTARTER_H
