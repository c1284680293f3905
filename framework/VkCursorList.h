// VkCursorList.h - a ring of cursors that an animated busy cursor steps through.
#ifndef VIREO_FRAMEWORK_VKCURSORLIST_H
#define VIREO_FRAMEWORK_VKCURSORLIST_H

#include <X11/X.h>

class VkCursorList {
public:
    explicit VkCursorList(int numCursors);
    virtual ~VkCursorList();
    VkCursorList(const VkCursorList &) = delete;
    VkCursorList &operator=(const VkCursorList &) = delete;

    // Fills the ring the first time it is needed.
    void create();

    Cursor operator[](int index) const;
    Cursor current() const { return (*this)[_current]; }
    void next();
    int currentIndex() const { return _current; }
    int numCursors() const { return _numCursors; }

protected:
    // A subclass puts its cursors into _cursors[0] to _cursors[_numCursors - 1].
    virtual void createCursors() = 0;

    Cursor *_cursors;
    int     _numCursors;

private:
    int  _current = 0;
    bool _created = false;
};

#endif
