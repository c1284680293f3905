// VkCursorList.cpp - the busy cursor ring.
#include "framework/VkCursorList.h"

#include <cassert>

VkCursorList::VkCursorList(int numCursors)
    : _cursors(new Cursor[numCursors > 0 ? numCursors : 1]()),
      _numCursors(numCursors)
{
    assert(numCursors > 0);
}

VkCursorList::~VkCursorList()
{
    delete[] _cursors;
}

void VkCursorList::create()
{
    if (_created)
        return;
    _created = true;
    createCursors();
}

Cursor VkCursorList::operator[](int index) const
{
    assert(index >= 0 && index < _numCursors);
    return _cursors[index];
}

void VkCursorList::next()
{
    _current = (_current + 1) % _numCursors;
}
