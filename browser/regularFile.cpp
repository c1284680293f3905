// regularFile.cpp - a file the user names, created or replaced only when it is a regular file.
#include "browser/regularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

// A pipe would hold the window until some process read it, and opening a device can do
// things of its own; neither is opened, and one that takes the name's place meanwhile is
// let go again.
FILE *createRegularFile(const char *path, std::string *reason)
{
    struct stat st;
    if (stat(path, &st) == 0 && !S_ISREG(st.st_mode)) {
        *reason = "Not a regular file";
        return nullptr;
    }
    int fd = open(path, O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        *reason = strerror(errno);
        return nullptr;
    }
    FILE *fp = nullptr;
    if (fstat(fd, &st) != 0)
        *reason = strerror(errno);
    else if (!S_ISREG(st.st_mode))
        *reason = "Not a regular file";
    else if (ftruncate(fd, 0) != 0 || !(fp = fdopen(fd, "w")))
        *reason = strerror(errno);
    if (!fp)
        close(fd);
    return fp;
}
