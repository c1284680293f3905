// VkComponentList.cpp - the ordered component pointer list.
#include "framework/VkComponentList.h"

#include <cassert>
#include <cstdio>
#include <cstring>

VkComponentList::VkComponentList()
    : elements(new VkComponent *[10])
{
}

VkComponentList::~VkComponentList()
{
    delete[] elements;
}

void VkComponentList::add(VkComponent *c)
{
    assert(number_of_elements < max_number_of_elements);
    elements[number_of_elements++] = c;
    if (number_of_elements == max_number_of_elements) {
        VkComponent **grown = new VkComponent *[2 * max_number_of_elements];
        memcpy(grown, elements, number_of_elements * sizeof *elements);
        delete[] elements;
        elements = grown;
        max_number_of_elements *= 2;
    }
}

void VkComponentList::remove(VkComponent *c)
{
    assert(c != nullptr);
    for (int i = 0; i < number_of_elements; i++) {
        if (elements[i] == c) {
            memmove(elements + i, elements + i + 1,
                    (number_of_elements - i - 1) * sizeof *elements);
            number_of_elements--;
            return;
        }
    }
    fputs("Unable to find element in VkComponentList \n", stderr);
}

bool VkComponentList::contains(const VkComponent *c) const
{
    for (int i = 0; i < number_of_elements; i++)
        if (elements[i] == c)
            return true;
    return false;
}

VkComponent *VkComponentList::operator[](int index) const
{
    assert(index >= 0 && index < number_of_elements);
    return elements[index];
}
