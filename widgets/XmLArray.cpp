// XmLArray.cpp - growable pointer arrays and the partition sort behind them.
#include "widgets/XmL.h"
#include "widgets/XmLP.h"

#include <X11/Intrinsic.h>

#include <climits>
#include <cstdio>
#include <cstring>

// Past this many slots the vector's size in bytes would overflow an int.
static const int sMaxItems = INT_MAX / (int)sizeof(void *);

// The sort's parameters; saved and restored around each sort so that a
// compare procedure may sort too.
static XmLArrayCompareProc sCompare;
static int                 sSize;
static void               *sUserData;

// ---- Arrays

static void Place(XmLArray array, int pos, void *item)
{
    array->items[pos] = item;
    if (array->autoNumber && item)
        *(int *)item = pos;
}

static void **CopyRun(XmLArray array, int pos, int count)
{
    void **run = (void **)XmLCalloc((size_t)count, sizeof(void *));
    memcpy(run, array->items + pos, count * sizeof(void *));
    return run;
}

static void Grow(XmLArray array, int count)
{
    long long size = (long long)array->count + count;
    if (array->growFast)
        size = array->size == 0 ? count + 256LL : size * 2;
    if (size > sMaxItems)
        size = sMaxItems;
    void **items = (void **)XmLCalloc((size_t)size, sizeof(void *));
    if (array->count)
        memcpy(items, array->items, array->count * sizeof(void *));
    free(array->items);
    array->items = items;
    array->size = (int)size;
}

XmLArray XmLArrayNew(char autoNumber, char growFast)
{
    XmLArray array = (XmLArray)XmLCalloc(1, sizeof(struct _XmLArrayRec));
    array->autoNumber = autoNumber;
    array->growFast = growFast;
    array->count = 0;
    array->size = 0;
    array->items = NULL;
    return array;
}

void XmLArrayFree(XmLArray array)
{
    free(array->items);
    free(array);
}

void XmLArrayAdd(XmLArray array, int pos, int count)
{
    if (count < 1)
        return;
    if (count > sMaxItems - array->count) {
        fprintf(stderr, "XmLArrayAdd: warning: array too large\n");
        return;
    }
    if (pos < 0 || pos > array->count)
        pos = array->count;
    if (array->size <= array->count + count)
        Grow(array, count);
    for (int i = array->count - 1; i >= pos; i--)
        Place(array, i + count, array->items[i]);
    for (int i = pos; i < pos + count; i++)
        array->items[i] = NULL;
    array->count += count;
}

int XmLArrayDel(XmLArray array, int pos, int count)
{
    if (count < 1 || pos < 0 || count > array->count - pos)
        return -1;
    for (int i = pos + count; i < array->count; i++)
        Place(array, i - count, array->items[i]);
    array->count -= count;
    if (array->count == 0) {
        free(array->items);
        array->items = NULL;
        array->size = 0;
    }
    return 0;
}

int XmLArraySet(XmLArray array, int pos, void *item)
{
    if (pos < 0 || pos >= array->count)
        return -1;
    if (array->autoNumber && !item)
        return -1;      // a null item has no position field to keep
    if (array->items[pos])
        fprintf(stderr, "XmLArraySet: warning: overwriting pointer\n");
    Place(array, pos, item);
    return 0;
}

void *XmLArrayGet(XmLArray array, int pos)
{
    if (pos < 0 || pos >= array->count)
        return NULL;
    return array->items[pos];
}

int XmLArrayGetCount(XmLArray array)
{
    return array->count;
}

int XmLArrayMove(XmLArray array, int newPos, int pos, int count)
{
    if (count < 1 || pos < 0 || newPos < 0 || count > array->count - pos ||
        count > array->count - newPos)
        return -1;
    if (newPos == pos)
        return 0;
    void **run = CopyRun(array, pos, count);
    if (newPos < pos) {
        for (int i = pos - 1; i >= newPos; i--)
            Place(array, i + count, array->items[i]);
    } else {
        for (int i = pos + count; i < newPos + count; i++)
            Place(array, i - count, array->items[i]);
    }
    for (int i = 0; i < count; i++)
        Place(array, newPos + i, run[i]);
    free(run);
    return 0;
}

// A list with a repeated entry would put one item in two slots and lose another.
static bool IsPermutation(const int *list, int pos, int count)
{
    char *seen = (char *)XmLCalloc((size_t)count, 1);
    bool ok = true;
    for (int k = 0; k < count && ok; k++) {
        if (list[k] < pos || list[k] - pos >= count || seen[list[k] - pos])
            ok = false;
        else
            seen[list[k] - pos] = 1;
    }
    free(seen);
    return ok;
}

int XmLArrayReorder(XmLArray array, int *newPositions, int pos, int count)
{
    if (count < 1 || pos < 0 || count > array->count - pos || !newPositions)
        return -1;
    if (!IsPermutation(newPositions, pos, count))
        return -1;
    void **run = CopyRun(array, pos, count);
    for (int k = 0; k < count; k++)
        Place(array, pos + k, run[newPositions[k] - pos]);
    free(run);
    return 0;
}

int XmLArraySort(XmLArray array, XmLArrayCompareProc compare, void *userData, int pos, int count)
{
    if (pos < 0 || count < 0 || count > array->count - pos)
        return -1;
    if (count < 2)
        return 0;
    XmLSort(array->items + pos, count, (int)sizeof(void *), compare, userData);
    for (int i = pos; i < pos + count; i++)
        Place(array, i, array->items[i]);
    return 0;
}

// ---- Sort

static int Compare(char *a, char *b)
{
    return sCompare(sUserData, a, b);
}

static void Swap(char *a, char *b)
{
    for (int i = 0; i < sSize; i++) {
        char c = a[i];
        a[i] = b[i];
        b[i] = c;
    }
}

// Returns null when every element equals the first: the range is sorted.
static char *PickPivot(char *l, char *r)
{
    int c = Compare(l, r);
    char *m = l + ((r - l) / sSize / 2) * sSize;
    if (c < 0) {
        int d = Compare(l, m);
        return d > 0 ? l : d == 0 ? r : m;
    }
    if (c > 0) {
        int d = Compare(r, m);
        return d > 0 ? r : d == 0 ? l : m;
    }
    for (char *e = l + sSize; e <= r; e += sSize) {
        int d = Compare(l, e);
        if (d != 0)
            return d < 0 ? e : l;
    }
    return NULL;
}

// Leaves [l, result) before the pivot and [result, r] at or after it. The
// bounds checks only matter for compare procedures that contradict themselves.
static char *Partition(char *l, char *r, char *p)
{
    char *i = l, *j = r;
    while (i <= j) {
        if (p == j)
            p = i;
        else if (p == i)
            p = j;
        if (i != j)
            Swap(i, j);
        while (i <= r && Compare(i, p) < 0)
            i += sSize;
        while (j >= l && Compare(j, p) >= 0)
            j -= sSize;
    }
    return i;
}

static void SortRange(char *l, char *r)
{
    for (;;) {
        if (r == l + sSize) {
            if (Compare(l, r) > 0)
                Swap(l, r);
            return;
        }
        char *p = PickPivot(l, r);
        if (!p)
            return;
        char *i = Partition(l, r, p);
        if (i <= l || i > r)
            return;     // no split: only an inconsistent compare procedure gets here
        if (i - l >= 2 * sSize)
            SortRange(l, i - sSize);
        if (i >= r)
            return;
        l = i;
    }
}

void XmLSort(void *base, int count, int size, XmLArrayCompareProc compare, void *userData)
{
    if (count < 2)
        return;
    XmLArrayCompareProc savedCompare = sCompare;
    int savedSize = sSize;
    void *savedUserData = sUserData;
    sCompare = compare;
    sSize = size;
    sUserData = userData;
    char *l = (char *)base;
    SortRange(l, l + (long)(count - 1) * size);
    sCompare = savedCompare;
    sSize = savedSize;
    sUserData = savedUserData;
}
