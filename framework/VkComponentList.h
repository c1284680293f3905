// VkComponentList.h - a small ordered list of component pointers; the windows of the application.
#ifndef VIREO_FRAMEWORK_VKCOMPONENTLIST_H
#define VIREO_FRAMEWORK_VKCOMPONENTLIST_H

class VkComponent;

class VkComponentList {
public:
    VkComponentList();
    ~VkComponentList();
    VkComponentList(const VkComponentList &) = delete;
    VkComponentList &operator=(const VkComponentList &) = delete;

    void add(VkComponent *c);
    // Removes the first occurrence and keeps the order of the rest.
    void remove(VkComponent *c);
    bool contains(const VkComponent *c) const;

    int size() const { return number_of_elements; }
    VkComponent *operator[](int index) const;

private:
    int           number_of_elements = 0;
    int           max_number_of_elements = 10;
    VkComponent **elements;
};

#endif
