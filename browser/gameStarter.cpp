// gameStarter.cpp - GameStarter: the game command in a process of its own, reaped by a
// timer, with the shell's failures to run it told within the first second.
#include "browser/gameStarter.h"

#include "browser/clock.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <linux/close_range.h>
#include <sys/wait.h>
#include <unistd.h>

static const char *const Shell = "/bin/sh";

// What the watching process writes to its verdict pipe; nothing means the game runs.
enum {
    Verdict_Syntax = 'S',       // the shell cannot parse the command
    Verdict_NoShell = 'E',      // the shell itself could not be started (errno follows)
    Verdict_NotFound = 'N',     // the shell ended with 127 within the first second
    Verdict_NotRunnable = 'X',  // with 126
};

// ---- In the child: only calls that are safe between fork and exec

static void tellParent(int verdict, char kind, int error)
{
    char report[1 + sizeof error];
    report[0] = kind;
    memcpy(report + 1, &error, sizeof error);
    ssize_t ignored = write(verdict, report, sizeof report);
    (void)ignored;
}

// The game starts as any program started from a shell: default signal actions (an ignored
// signal would stay ignored across exec), nothing blocked, no input from the terminal, in a
// process group of its own, and none of this program's descriptors.
static void becomeGameProcess()
{
    struct sigaction byDefault;
    memset(&byDefault, 0, sizeof byDefault);
    byDefault.sa_handler = SIG_DFL;
    for (int signal = 1; signal < NSIG; signal++)
        sigaction(signal, &byDefault, nullptr);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    setpgid(0, 0);
    int null = open("/dev/null", O_RDONLY);
    if (null > 0) {
        dup2(null, STDIN_FILENO);
        close(null);
    }
    if (close_range(STDERR_FILENO + 1, ~0U, CLOSE_RANGE_CLOEXEC) != 0) {
        for (int fd = STDERR_FILENO + 1; fd < 1024; fd++) {     // an older kernel
            int flags = fcntl(fd, F_GETFD);
            if (flags >= 0)
                fcntl(fd, F_SETFD, flags | FD_CLOEXEC);
        }
    }
}

// The shell parses the whole text first (-n runs nothing), so a syntax error is told apart
// from a game that ends at once with the same status.
static bool parses(const char *command)
{
    pid_t check = fork();
    if (check == 0) {
        execl(Shell, "sh", "-n", "-c", command, (char *)nullptr);
        _exit(127);
    }
    if (check < 0)
        return true;            // the shell itself will tell
    int status = 0;
    while (waitpid(check, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && (WEXITSTATUS(status) == 0 || WEXITSTATUS(status) == 127);
}

// The shell's status when it ends within WatchMs, or -1 when it is still running then (or
// reaped by nobody knows whom); the game then runs on as a child of the system's reaper.
static int earlyStatus(pid_t shell)
{
    long long until = monotonicMs() + GameStarter::WatchMs;
    struct timespec tick = {0, 10 * 1000 * 1000};
    do {
        int status = 0;
        pid_t ended = waitpid(shell, &status, WNOHANG);
        if (ended == shell)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        if (ended < 0 && errno != EINTR)
            return -1;
        nanosleep(&tick, nullptr);
    } while (monotonicMs() < until);
    return -1;
}

// The watching process: checks the text, starts the shell on it in a process of its own
// and waits at most the first second for it. It ends then, so the program reaps it soon
// and the game needs nothing more from the program.
[[noreturn]] static void watchGame(const char *command, int verdict)
{
    becomeGameProcess();
    if (!parses(command)) {
        tellParent(verdict, Verdict_Syntax, 0);
        _exit(0);
    }
    int error[2];
    pid_t shell = pipe2(error, O_CLOEXEC) == 0 ? fork() : -1;
    if (shell == 0) {
        execl(Shell, "sh", "-c", command, (char *)nullptr);
        int why = errno;
        ssize_t ignored = write(error[1], &why, sizeof why);
        (void)ignored;
        _exit(127);
    }
    if (shell < 0) {
        tellParent(verdict, Verdict_NoShell, errno);
        _exit(0);
    }
    close(error[1]);
    int status = earlyStatus(shell);
    int why = 0;
    if (read(error[0], &why, sizeof why) == (ssize_t)sizeof why)
        tellParent(verdict, Verdict_NoShell, why);
    else if (status == 127)
        tellParent(verdict, Verdict_NotFound, 0);
    else if (status == 126)
        tellParent(verdict, Verdict_NotRunnable, 0);
    _exit(0);
}

// ---- In the program

GameStarter::GameStarter(XtAppContext app, FailureReport report)
    : mApp(app), mReport(std::move(report))
{
}

// The games run on; they are no longer watched.
GameStarter::~GameStarter()
{
    if (mTimer)
        XtRemoveTimeOut(mTimer);
    for (const Child &child : mChildren)
        close(child.verdict);
}

bool GameStarter::start(const char *command, std::string *message)
{
    int verdict[2];
    if (pipe2(verdict, O_CLOEXEC) != 0) {
        *message = std::string("Could not start the game: ") + strerror(errno);
        return false;
    }
    pid_t pid = fork();
    if (pid == 0)
        watchGame(command, verdict[1]);
    int error = errno;
    close(verdict[1]);
    if (pid < 0) {
        close(verdict[0]);
        *message = std::string("Could not start the game: ") + strerror(error);
        return false;
    }
    // Read only once the watcher has ended; never wait on it all the same.
    fcntl(verdict[0], F_SETFL, O_NONBLOCK);
    mChildren.push_back({pid, verdict[0]});
    arm();
    return true;
}

void GameStarter::sTimerCB(XtPointer clientData, XtIntervalId *)
{
    static_cast<GameStarter *>(clientData)->check();
}

void GameStarter::check()
{
    mTimer = 0;
    std::vector<std::string> failures;
    for (size_t i = 0; i < mChildren.size();) {
        int status = 0;
        pid_t ended = waitpid(mChildren[i].pid, &status, WNOHANG);
        if (ended == 0) {
            i++;
            continue;
        }
        // The watcher wrote its verdict before it ended (-1: reaped elsewhere; it is gone).
        std::string message = failure(mChildren[i].verdict);
        if (!message.empty())
            failures.push_back(message);
        close(mChildren[i].verdict);
        mChildren.erase(mChildren.begin() + (long)i);
    }
    arm();
    for (const std::string &message : failures)
        mReport(message);
}

std::string GameStarter::failure(int verdict) const
{
    char report[1 + sizeof(int)] = {};
    if (read(verdict, report, sizeof report) != (ssize_t)sizeof report)
        return "";
    switch (report[0]) {
    case Verdict_Syntax:
        return "Could not start the game: the shell found a syntax error in the command.";
    case Verdict_NotFound:
        return "Could not start the game: the shell found no such command.";
    case Verdict_NotRunnable:
        return "Could not start the game: the command cannot be run.";
    case Verdict_NoShell: {
        int error;
        memcpy(&error, report + 1, sizeof error);
        return std::string("Could not start the game: ") + Shell + ": " + strerror(error);
    }
    }
    return "";
}

void GameStarter::arm()
{
    if (!mTimer && !mChildren.empty())
        mTimer = XtAppAddTimeOut(mApp, TickMs, &GameStarter::sTimerCB, this);
}
