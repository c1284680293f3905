// app.cpp - App: the application object and the program-folder glue over ProgramDir.
#include "browser/app.h"

#include "browser/mainwin.h"
#include "browser/progdir.h"

#include <cassert>
#include <cstring>
#include <string>

App::App(const char *className, int *argc, char **argv)
    : VkApp(className, argc, argv, nullptr, 0)
{
}

App::~App()
{
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
