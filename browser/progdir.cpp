// progdir.cpp - the program-folder search behind XENVIRONMENT.
#include "browser/progdir.h"

#include <cassert>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

namespace ProgramDir {

static std::string sProgram;        // argv0 as given; empty until remembered
static std::string sDirectory;      // the folder once found
static char       *sEntry;          // what the environment points at now

bool isFile(const char *path)
{
    struct stat st;
    return path && stat(path, &st) == 0 && !S_ISDIR(st.st_mode);
}

void stripFilename(std::string *path)
{
    assert(path);
    size_t slash = path->rfind('/');
    if (slash != std::string::npos)
        path->erase(slash + 1);
}

// The real path of a file, links and "." or ".." resolved, of any length.
static bool realFile(const char *path, std::string *out)
{
    char *real = realpath(path, nullptr);
    if (!real)
        return false;
    out->assign(real);
    free(real);
    return true;
}

bool searchPath(std::string *out, const char *pathList, const char *name)
{
    assert(out);
    if (!pathList || !name || name[0] == '\0')
        return false;
    std::string list(pathList);
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(':', start);
        if (end == std::string::npos)
            end = list.size();
        if (end > start) {      // an empty element names nothing
            std::string candidate = list.substr(start, end - start) + "/" + name;
            std::string real;
            if (realFile(candidate.c_str(), &real))
                candidate = real;
            if (isFile(candidate.c_str())) {
                stripFilename(&candidate);
                *out = candidate;
                return true;
            }
        }
        start = end + 1;
    }
    return false;
}

bool locateProgram(const char *argv0, std::string *dir)
{
    assert(dir);
    if (!argv0 || argv0[0] == '\0')
        return false;
    std::string real;
    if (realFile(argv0, &real) && isFile(argv0)) {
        stripFilename(&real);
        *dir = real;
        return true;
    }
    return searchPath(dir, getenv("PATH"), argv0);
}

std::string xEnvironmentEntry(const std::string &dir, const char *className)
{
    assert(className);
    return "XENVIRONMENT=" + dir + className;
}

void rememberProgram(const char *argv0)
{
    sProgram = argv0 ? argv0 : "";
}

const std::string &appDirectory()
{
    if (sDirectory.empty())
        locateProgram(sProgram.c_str(), &sDirectory);
    return sDirectory;
}

void setXEnvironment(const char *argv0, const char *className)
{
    rememberProgram(argv0);
    std::string entry = xEnvironmentEntry(appDirectory(), className);
    // putenv keeps the pointer, so the text lives until a later entry has replaced it.
    char *text = strdup(entry.c_str());
    if (!text || putenv(text) != 0) {
        free(text);
        return;
    }
    free(sEntry);
    sEntry = text;
}

}
