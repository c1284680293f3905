// VkCallbackObject.h - named lists of callbacks that other objects register on a component.
#ifndef VIREO_FRAMEWORK_VKCALLBACKOBJECT_H
#define VIREO_FRAMEWORK_VKCALLBACKOBJECT_H

#include <vector>

class VkCallbackObject;

// Every callback gets the object that raised it, its own client data and the call data.
typedef void (*VkCallbackFunction)(VkCallbackObject *caller, void *clientData, void *callData);
typedef void (VkCallbackObject::*VkCallbackMethod)(VkCallbackObject *caller, void *clientData,
                                                   void *callData);

class VkCallbackObject {
public:
    VkCallbackObject();
    ~VkCallbackObject();
    VkCallbackObject(const VkCallbackObject &) = delete;
    VkCallbackObject &operator=(const VkCallbackObject &) = delete;

    // A list that does not exist yet is created by its first callback.
    void addCallback(const char *name, VkCallbackObject *object, VkCallbackMethod method,
                     void *clientData = nullptr);
    void addCallback(const char *name, VkCallbackFunction function, void *clientData = nullptr);
    void removeCallback(const char *name, VkCallbackObject *object, VkCallbackMethod method,
                        void *clientData = nullptr);
    void removeCallback(const char *name, VkCallbackFunction function,
                        void *clientData = nullptr);
    void removeAllCallbacks();
    void removeAllCallbacks(VkCallbackObject *object);

    // Callbacks may add and remove callbacks, even delete this object: an entry
    // removed during the call is not called, one added is called from the next call on.
    void callCallbacks(const char *name, void *callData);

    int numCallbacks(const char *name) const;

private:
    struct Entry;
    struct List;
    List *findList(const char *name) const;
    List *findOrAddList(const char *name);

    std::vector<List *> _lists;              // in creation order
    unsigned long       _nextSerial = 1;     // tells entries apart while callbacks run
    bool               *_deletedFlag = nullptr;   // set by the destructor during a call
};

#endif
