// VkCallbackObject.cpp - named callback lists, safe against changes made by their callbacks.
#include "framework/VkCallbackObject.h"

#include <cstring>
#include <string>

struct VkCallbackObject::Entry {
    VkCallbackFunction function;    // null for a member-function entry
    VkCallbackObject  *object;
    VkCallbackMethod   method;
    void              *clientData;
    unsigned long      serial;
};

struct VkCallbackObject::List {
    std::string        name;
    std::vector<Entry> entries;     // in insertion order
};

VkCallbackObject::VkCallbackObject()
{
    _lists.reserve(10);
}

VkCallbackObject::~VkCallbackObject()
{
    if (_deletedFlag)
        *_deletedFlag = true;
    for (List *list : _lists)
        delete list;
}

VkCallbackObject::List *VkCallbackObject::findList(const char *name) const
{
    for (List *list : _lists)
        if (name && list->name == name)
            return list;
    return nullptr;
}

VkCallbackObject::List *VkCallbackObject::findOrAddList(const char *name)
{
    List *list = findList(name);
    if (!list) {
        list = new List;
        list->name = name;
        list->entries.reserve(10);
        _lists.push_back(list);
    }
    return list;
}

void VkCallbackObject::addCallback(const char *name, VkCallbackObject *object,
                                   VkCallbackMethod method, void *clientData)
{
    if (!name)
        return;
    findOrAddList(name)->entries.push_back({nullptr, object, method, clientData, _nextSerial++});
}

void VkCallbackObject::addCallback(const char *name, VkCallbackFunction function,
                                   void *clientData)
{
    if (!name)
        return;
    findOrAddList(name)->entries.push_back(
        {function, nullptr, nullptr, clientData, _nextSerial++});
}

void VkCallbackObject::removeCallback(const char *name, VkCallbackObject *object,
                                      VkCallbackMethod method, void *clientData)
{
    List *list = findList(name);
    if (!list)
        return;
    std::vector<Entry> &v = list->entries;
    for (size_t i = 0; i < v.size();) {
        if (!v[i].function && v[i].object == object && v[i].method == method
            && v[i].clientData == clientData)
            v.erase(v.begin() + i);
        else
            i++;
    }
}

void VkCallbackObject::removeCallback(const char *name, VkCallbackFunction function,
                                      void *clientData)
{
    List *list = findList(name);
    if (!list)
        return;
    std::vector<Entry> &v = list->entries;
    for (size_t i = 0; i < v.size();) {
        if (v[i].function && v[i].function == function && v[i].clientData == clientData)
            v.erase(v.begin() + i);
        else
            i++;
    }
}

void VkCallbackObject::removeAllCallbacks()
{
    for (List *list : _lists) {
        list->entries.clear();
        list->entries.shrink_to_fit();
        list->entries.reserve(10);
    }
}

void VkCallbackObject::removeAllCallbacks(VkCallbackObject *object)
{
    for (List *list : _lists) {
        std::vector<Entry> &v = list->entries;
        for (size_t i = 0; i < v.size();) {
            if (!v[i].function && v[i].object == object)
                v.erase(v.begin() + i);
            else
                i++;
        }
    }
}

int VkCallbackObject::numCallbacks(const char *name) const
{
    List *list = findList(name);
    return list ? (int)list->entries.size() : 0;
}

// The entries to call are fixed by serial number when the call starts; each one
// is looked up again before it is called, because an earlier callback may have
// removed it (or everything, or this object).
void VkCallbackObject::callCallbacks(const char *name, void *callData)
{
    List *list = findList(name);
    if (!list || list->entries.empty())
        return;
    std::vector<unsigned long> serials;
    for (const Entry &e : list->entries)
        serials.push_back(e.serial);

    bool deleted = false;
    bool *outerFlag = _deletedFlag;
    _deletedFlag = &deleted;
    for (unsigned long serial : serials) {
        const Entry *found = nullptr;
        for (const Entry &e : list->entries)
            if (e.serial == serial)
                found = &e;
        if (!found)
            continue;
        Entry entry = *found;
        if (entry.function)
            entry.function(this, entry.clientData, callData);
        else if (entry.object && entry.method)
            (entry.object->*entry.method)(this, entry.clientData, callData);
        if (deleted)
            break;
    }
    if (deleted) {
        if (outerFlag)
            *outerFlag = true;
        return;
    }
    _deletedFlag = outerFlag;
}
