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
FILE *createRegularFile(const char *path, std::string *reason, bool followLinks, mode_t mode)
{
    struct stat st;
    int found = followLinks ? stat(path, &st) : lstat(path, &st);
    if (found == 0 && !S_ISREG(st.st_mode)) {
        *reason = "Not a regular file";
        return nullptr;
    }
    int flags = O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    if (!followLinks)
        flags |= O_NOFOLLOW;
    int fd = open(path, flags, mode);
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
