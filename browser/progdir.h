// progdir.h - finds the folder of the running program, where its class resource file lives.
#ifndef VIREO_BROWSER_PROGDIR_H
#define VIREO_BROWSER_PROGDIR_H

#include <string>

namespace ProgramDir {

// True when path names something that exists and is not a folder.
bool isFile(const char *path);
// Cuts path just after its last "/"; a text without one is left as it is.
void stripFilename(std::string *path);
// The folder (ending in "/") of the first element of pathList that holds a file called
// name, links resolved; *out is untouched when there is none.
bool searchPath(std::string *out, const char *pathList, const char *name);
// The folder (ending in "/") of the program started as argv0: its real path when argv0
// names a file, else the first match on PATH. *dir is untouched when neither finds it.
bool locateProgram(const char *argv0, std::string *dir);

// "XENVIRONMENT=%s%s" with the folder and the class name.
std::string xEnvironmentEntry(const std::string &dir, const char *className);

// Remembers argv0 for appDirectory.
void rememberProgram(const char *argv0);
// The program's folder, searched for on the first call that finds it and kept from then on;
// empty (the current folder) while it cannot be found.
const std::string &appDirectory();
// Remembers argv0 and puts the entry for the program's folder and className into the
// environment, so the toolkit reads the class resource file beside the program.
void setXEnvironment(const char *argv0, const char *className);

}

#endif // VIREO_BROWSER_PROGDIR_H
