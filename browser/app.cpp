// app.cpp - App: the application object and the program-folder glue over ProgramDir.
#include "browser/app.h"

#include "browser/mainwin.h"
#include "browser/progdir.h"

#include <cassert>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

// The toolkit gives -geometry as it is to every shell of the application: a size of nothing
// ended the start and a value it could not read was warned about three times. The main
// window takes it from this resource, checked (MainWin::givenGeometry).
static XrmOptionDescRec sOptions[] = {
    {(char *)"-geometry", (char *)".givenGeometry", XrmoptionSepArg, nullptr},
};

App::App(const char *className, int *argc, char **argv)
    : VkApp(className, argc, argv, sOptions, XtNumber(sOptions))
{
}

App::~App()
{
}

// ---- The signals of a session's end

// A signal handler may do almost nothing safely: it only wakes the event loop through this
// pipe, with the signal's number, and the quit runs from there.
static int sQuitPipe[2] = {-1, -1};

static void quitSignalHandler(int signal)
{
    int saved = errno;
    char number = (char)signal;
    ssize_t ignored = write(sQuitPipe[1], &number, 1);
    (void)ignored;
    errno = saved;
}

// "nohup vireo &" asks to outlive the terminal: a signal ignored at start stays so.
static void quitOnSignal(int signal)
{
    struct sigaction old;
    if (sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_IGN)
        return;
    struct sigaction action;
    memset(&action, 0, sizeof action);
    action.sa_handler = quitSignalHandler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, nullptr);
}

void App::quitOnSignals()
{
    if (sQuitPipe[0] >= 0)
        return;
    if (pipe2(sQuitPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        perror("Vireo: the signals that end a session cannot be taken");
        return;
    }
    XtAppAddInput(appContext(), sQuitPipe[0], (XtPointer)XtInputReadMask, &App::sQuitSignalCB,
                  this);
    for (int signal : {SIGTERM, SIGHUP, SIGINT})
        quitOnSignal(signal);
}

void App::sQuitSignalCB(XtPointer clientData, int *fd, XtInputId *)
{
    char numbers[16];
    ssize_t count = read(*fd, numbers, sizeof numbers);
    while (read(*fd, numbers + 1, sizeof numbers - 1) > 0) {
    }
    if (count > 0)
        static_cast<App *>(clientData)->quitForSignal(numbers[0]);
}

// Signals that come while the quit is under way have nothing more to do.
void App::quitForSignal(int signal)
{
    if (mEndingSignal)
        return;
    mEndingSignal = signal;
    quitYourself();
}

// Whoever started the program (a shell script, a session manager) learns how it ended: by
// the signal, once the settings are saved.
void App::exitApp(int status)
{
    if (mEndingSignal) {
        fflush(nullptr);
        signal(mEndingSignal, SIG_DFL);
        ::raise(mEndingSignal);
    }
    VkApp::exitApp(status);
}

void App::setXEnvironment(const char *argv0, const char *className)
{
    ProgramDir::setXEnvironment(argv0, className);
}

void App::getAppDirectory(char *path, unsigned int buflen)
{
    assert(path && buflen > 0);
    strncpy(path, cachedAppDirectory(), buflen - 1);
    path[buflen - 1] = '\0';
}

const char *App::cachedAppDirectory()
{
    return ProgramDir::appDirectory().c_str();
}

// A folder that does not fit is refused rather than cut: a cut path names another folder.
static bool copyFolder(const std::string &dir, char *out, unsigned int size)
{
    if (dir.size() >= size)
        return false;
    memcpy(out, dir.c_str(), dir.size() + 1);
    return true;
}

bool App::locateProgram(const char *argv0, char *buf, unsigned int size)
{
    assert(buf);
    std::string dir;
    return ProgramDir::locateProgram(argv0, &dir) && copyFolder(dir, buf, size);
}

bool App::searchPath(char *out, unsigned int size, const char *pathList, const char *name)
{
    assert(out);
    std::string dir;
    return ProgramDir::searchPath(&dir, pathList, name) && copyFolder(dir, out, size);
}

bool App::isFile(const char *path)
{
    return ProgramDir::isFile(path);
}

void App::stripFilename(char *path)
{
    assert(path);
    char *slash = strrchr(path, '/');
    if (slash)
        slash[1] = '\0';
}

MainWin *App::createMainWin()
{
    return new MainWin();
}
