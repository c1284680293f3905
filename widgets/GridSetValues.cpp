// GridSetValues.cpp - XmLGrid set_values and get_values_hook: resources and sub-resources.
#include "widgets/GridP.h"

#include <climits>
#include <cstring>

static bool StartsWith(const char *name, const char *prefix)
{
    return strncmp(name, prefix, strlen(prefix)) == 0;
}

static void WarnName(XmLGridWidget g, const char *format, const char *name)
{
    char text[256];
    snprintf(text, sizeof text, format, name);
    XmLWarning((Widget)g, text);
}

// ---- Ranges named by the selectors

// The absolute range [*start, *end) of rows (or columns) the selectors name;
// empty, with a warning, when they name positions that do not exist.
static void SelectedRange(XmLGridWidget g, bool rows, int *start, int *end)
{
    XmLGridPart *p = &g->grid;
    unsigned char type = rows ? p->cellRowType : p->cellColumnType;
    if (type == XmINVALID_TYPE)
        type = XmCONTENT;
    int one = rows ? p->cellRow : p->cellColumn;
    int first = rows ? p->cellRowRangeStart : p->cellColumnRangeStart;
    int last = rows ? p->cellRowRangeEnd : p->cellColumnRangeEnd;
    // XmALL_TYPES passes positions through unchecked; one past the records names none.
    int count = rows ? RowCount(g) : ColCount(g);
    auto toPos = [&](int pos, int allowEnd) {
        int abs = rows ? RowTypePosToPos(g, type, pos, allowEnd)
                       : ColTypePosToPos(g, type, pos, allowEnd);
        return !allowEnd && abs >= count ? -1 : abs;
    };
    bool valid = true;
    if (first == -1 || last == -1) {
        if (one != -1) {
            *start = toPos(one, 0);
            *end = *start + 1;
            valid = *start >= 0;
        } else {
            // A type without rows names none, rather than the rows of the
            // types before it.
            *start = toPos(0, 0);
            *end = toPos(-1, 1);
            if (*start < 0)
                *start = *end;
        }
    } else {
        *start = toPos(first, 0);
        int e = toPos(last, 0);
        valid = *start >= 0 && e >= 0 && *start <= e;
        *end = e + 1;
    }
    if (!valid) {
        XmLWarning((Widget)g, rows ? "SetValues() - invalid row(s) specified"
                                   : "SetValues() - invalid column(s) specified");
        *start = *end = 0;
    }
}

// ---- Applying staged sub-resources

typedef struct {
    long rowMask, columnMask, cellMask;
} Masks;

static void CollectMasks(XmLGridWidget g, ArgList args, Cardinal nargs, Masks *m)
{
    XmLGridClassPart *c = GridClassPart(g);
    bool seen = false;
    memset(m, 0, sizeof *m);
    for (Cardinal i = 0; i < nargs; i++) {
        char *name = args[i].name;
        // rows and columns are the grid's own counts, not sub-resources.
        bool counts = !strcmp(name, XmNrows) || !strcmp(name, XmNcolumns);
        if (StartsWith(name, "row") && !counts) {
            if (!strcmp(name, XmNrowPtr))
                XmLWarning((Widget)g, "SetValues() - can't use XmNrowPtr");
            else
                c->getRowValueMaskProc(g, name, &m->rowMask);
            seen = true;
        } else if (StartsWith(name, "column") && !counts) {
            if (!strcmp(name, XmNcolumnPtr))
                XmLWarning((Widget)g, "SetValues() - can't use XmNcolumnPtr");
            else
                c->getColumnValueMaskProc(g, name, &m->columnMask);
            seen = true;
        } else if (StartsWith(name, "cell")) {
            GetCellValueMask(name, &m->cellMask);
            seen = true;
        } else if (seen) {
            WarnName(g, "SetValues() - %s is not a row/column/cell resource", name);
        }
    }
}

// Cells that shared a record keep sharing one, with the new values applied.
static void ShareNewValues(XmLGridWidget g, int r1, int r2, int c1, int c2, long mask)
{
    XmLGridPart *p = &g->grid;
    // Grown by doubling: one slot at a time made a column of 40,000 cells take half a minute.
    XmLArray cells = XmLArrayNew(0, 1);
    for (int r = r1; r < r2; r += p->rowStep)
        for (int c = c1; c < c2; c += p->columnStep) {
            XmLGridCell cell = GetCell(g, r, c);
            if (!cell)
                continue;
            SetCellSpans(g, r, c, cell, mask);
            int n = XmLArrayGetCount(cells);
            XmLArrayAdd(cells, n, 1);
            XmLArraySet(cells, n, cell);
        }
    int n = XmLArrayGetCount(cells);
    XmLArraySort(cells, CellRefValuesCompare, &mask, 0, n);
    XmLGridCellRefValues *prev = NULL, *values = NULL;
    for (int i = 0; i < n; i++) {
        XmLGridCell cell = (XmLGridCell)XmLArrayGet(cells, i);
        if (CellRefValues(cell) != prev) {
            // Held while the run lasts: its last cell's move to the new record
            // would otherwise free it, and a new record could take its address.
            CellRefValuesRelease(prev);
            prev = CellRefValues(cell);
            prev->refCount++;
            values = CellRefValuesCreate(g, prev);
            SetCellRefValues(g, values, mask);
        }
        CellSetRefValues(cell, values);
    }
    CellRefValuesRelease(prev);
    XmLArrayFree(cells);
}

static void ApplyCells(XmLGridWidget g, int r1, int r2, int c1, int c2, long mask, bool *vert,
                       bool *horiz)
{
    XmLGridPart *p = &g->grid;
    // The string given may be one of the range's own cells' strings, which the first
    // cell to take its copy, or a change of type, frees: the cells copy a copy.
    XmString given = p->cellString;
    if ((mask & CVA_STRING) && given)
        p->cellString = XmStringCopy(given);
    SetCellPixmapSize(g, mask);
    if (CellMaskHasRefValues(mask))
        ShareNewValues(g, r1, r2, c1, c2, mask);
    if (mask & (CVA_ROWSPAN | CVA_COLUMNSPAN))
        MarkSpans(g);
    XmLGridClassPart *c = GridClassPart(g);
    for (int r = r1; r < r2; r += p->rowStep)
        for (int col = c1; col < c2; col += p->columnStep) {
            XmLGridCell cell = GetCell(g, r, col);
            if (!cell)
                continue;
            if (c->setCellValuesProc(g, GridRow(g, r), GridColumn(g, col), cell, mask))
                *vert = *horiz = true;
            SetCellPerCellValues(g, cell, mask);
            if (!*vert && !*horiz)
                DrawArea(g, DRAW_CELL, r, col);
        }
    if ((mask & CVA_STRING) && given)
        XmStringFree(p->cellString);
    p->cellString = NULL;   // the caller's, maybe freed by now: never handed out by get-values
}

static XmLGridCellRefValues *NewDefaults(XmLGridWidget g, XmLGridCellRefValues *from, long mask)
{
    XmLGridCellRefValues *values = CellRefValuesCreate(g, from);
    values->refCount = 1;
    SetCellRefValues(g, values, mask);
    if (values->rowSpan || values->columnSpan) {
        XmLWarning((Widget)g, "SetValues() - can't set default cell spans");
        values->rowSpan = values->columnSpan = 0;
    }
    return values;
}

static void ApplyColumnDefaults(XmLGridWidget g, XmLGridColumn col, long mask)
{
    XmLGridCellRefValues *old = col->defCellValues;
    col->defCellValues = NewDefaults(g, old ? old : g->grid.defaultCellValues, mask);
    CellRefValuesRelease(old);
}

static void ApplyDefaults(XmLGridWidget g, int c1, int c2, long mask)
{
    XmLGridPart *p = &g->grid;
    SetCellPixmapSize(g, mask);
    bool gridWide = p->cellColumnType == XmINVALID_TYPE && p->cellColumn == -1 &&
                    p->cellColumnRangeStart == -1 && p->cellColumnRangeEnd == -1 &&
                    p->columnStep == 1;
    if (!gridWide) {
        for (int c = c1; c < c2; c += p->columnStep)
            ApplyColumnDefaults(g, GridColumn(g, c), mask);
        return;
    }
    XmLGridCellRefValues *old = p->defaultCellValues;
    p->defaultCellValues = NewDefaults(g, old, mask);
    CellRefValuesRelease(old);
    for (int c = 0; c < ColCount(g); c++)
        if (GridColumn(g, c)->defCellValues)
            ApplyColumnDefaults(g, GridColumn(g, c), mask);
}

static void SetSubValues(XmLGridWidget g, ArgList args, Cardinal nargs)
{
    XmLGridPart *p = &g->grid;
    Masks m;
    CollectMasks(g, args, nargs, &m);
    bool vert = false, horiz = false;
    if (m.rowMask || m.columnMask || m.cellMask) {
        int r1, r2, c1, c2;
        SelectedRange(g, true, &r1, &r2);
        SelectedRange(g, false, &c1, &c2);
        GridDebug(g, 1, "XmLGrid: SetValues for rows %d to %d\n", r1, r2 - 1);
        GridDebug(g, 1, "XmLGrid: & columns %d to %d\n", c1, c2 - 1);
        XmLGridClassPart *c = GridClassPart(g);
        if (m.rowMask)
            for (int r = r1; r < r2; r += p->rowStep) {
                if (c->setRowValuesProc(g, GridRow(g, r), m.rowMask))
                    vert = true;
                DrawArea(g, DRAW_ROW, r, 0);
            }
        if (m.columnMask)
            for (int col = c1; col < c2; col += p->columnStep) {
                if (c->setColumnValuesProc(g, GridColumn(g, col), m.columnMask))
                    horiz = true;
                DrawArea(g, DRAW_COLUMN, 0, col);
            }
        if (m.cellMask && !p->cellDefaults)
            ApplyCells(g, r1, r2, c1, c2, m.cellMask, &vert, &horiz);
        else if (m.cellMask)
            ApplyDefaults(g, c1, c2, m.cellMask);
    }
    if (horiz)
        HorizLayout(g, 1);
    if (vert)
        VertLayout(g, 1);
    if (horiz || vert)
        DrawArea(g, DRAW_ALL, 0, 0);
    ResetSelectors(g);
}

// ---- set_values

typedef struct {
    bool vert, horiz, redraw;
} Due;

static bool Given(ArgList args, Cardinal nargs, const char *name)
{
    for (Cardinal i = 0; i < nargs; i++)
        if (!strcmp(args[i].name, name))
            return true;
    return false;
}

// Taken wide: a position near INT_MAX asks for the last page, which the layout finds.
static int ScrollPos(int typePos, int heading)
{
    long long pos = (long long)typePos + heading;
    return pos > INT_MAX ? INT_MAX : (int)pos;
}

// A scroll position given is applied even when it equals the old value: while
// the layout was frozen, rows may have been replaced under a stale scrollRow.
static void ScrollAndFixedChanges(XmLGridWidget was, XmLGridWidget g, ArgList args,
                                  Cardinal nargs, Due *due)
{
    XmLGridPart *a = &was->grid, *b = &g->grid;
    if (a->scrollColumn != b->scrollColumn || Given(args, nargs, XmNscrollColumn)) {
        b->scrollColumnPos = ScrollPos(b->scrollColumn, b->headingColumns);
        due->horiz = due->redraw = true;
    }
    if (a->scrollRow != b->scrollRow || Given(args, nargs, XmNscrollRow)) {
        b->scrollRowPos = ScrollPos(b->scrollRow, b->headingRows);
        due->vert = due->redraw = true;
    }
    if (a->bottomFixedCount != b->bottomFixedCount || a->bottomFixedMargin != b->bottomFixedMargin ||
        a->topFixedCount != b->topFixedCount || a->topFixedMargin != b->topFixedMargin ||
        a->vsbDisplayPolicy != b->vsbDisplayPolicy)
        due->vert = due->redraw = true;
    if (a->leftFixedCount != b->leftFixedCount || a->leftFixedMargin != b->leftFixedMargin ||
        a->rightFixedCount != b->rightFixedCount || a->rightFixedMargin != b->rightFixedMargin ||
        a->hsbDisplayPolicy != b->hsbDisplayPolicy)
        due->horiz = due->redraw = true;
    if (a->layoutFrozen && !b->layoutFrozen) {
        if (b->needsVertLayout)
            due->vert = true;
        if (b->needsHorizLayout)
            due->horiz = true;
        b->needsVertLayout = b->needsHorizLayout = False;
        due->redraw = true;
    }
    if (a->scrollBarMargin != b->scrollBarMargin ||
        was->manager.shadow_thickness != g->manager.shadow_thickness ||
        was->core.border_width != g->core.border_width ||
        a->verticalSizePolicy != b->verticalSizePolicy ||
        a->horizontalSizePolicy != b->horizontalSizePolicy)
        due->vert = due->horiz = due->redraw = true;
    if (a->blankBackground != b->blankBackground ||
        a->highlightThickness != b->highlightThickness ||
        a->selectBackground != b->selectBackground || a->selectForeground != b->selectForeground ||
        a->toggleTopColor != b->toggleTopColor || a->toggleBottomColor != b->toggleBottomColor ||
        a->shadowRegions != b->shadowRegions || a->shadowType != b->shadowType)
        due->redraw = true;
}

static void FontListChange(XmLGridWidget was, XmLGridWidget g)
{
    XmLGridPart *p = &g->grid;
    if (was->grid.fontList == p->fontList)
        return;
    if (was->grid.fontList)
        XmFontListFree(was->grid.fontList);
    XmFontList given = p->fontList;
    p->fontList = given ? XmFontListCopy(given) : XmLFontListCopyDefault((Widget)g);
    if (!p->fontList)
        XmLWarning((Widget)g, "- fatal error - font list NULL");
    XmLGridCellRefValues *old = p->defaultCellValues;
    XmLGridCellRefValues *values = CellRefValuesCreate(g, old);
    values->refCount = 1;
    if (values->fontList)
        XmFontListFree(values->fontList);
    values->fontList = p->fontList ? XmFontListCopy(p->fontList) : NULL;
    XmLFontListGetDimensions(values->fontList, &values->fontWidth, &values->fontHeight,
                             p->useAverageFontWidth);
    p->defaultCellValues = values;
    CellRefValuesRelease(old);
}

static void RefuseReadOnly(XmLGridWidget was, XmLGridWidget g)
{
    XmLGridPart *a = &was->grid, *b = &g->grid;
    if (b->rowStep < 1) {
        XmLWarning((Widget)g, "SetValues() - rowStep can't be < 1");
        b->rowStep = 1;
    }
    if (b->columnStep < 1) {
        XmLWarning((Widget)g, "SetValues() - colStep can't be < 1");
        b->columnStep = 1;
    }
    if (a->horizontalScrollBar != b->horizontalScrollBar ||
        a->verticalScrollBar != b->verticalScrollBar || a->textWidget != b->textWidget) {
        XmLWarning((Widget)g, "SetValues() - child Widgets are read-only");
        b->horizontalScrollBar = a->horizontalScrollBar;
        b->verticalScrollBar = a->verticalScrollBar;
        b->textWidget = a->textWidget;
    }
    if (a->hiddenRows != b->hiddenRows || a->hiddenColumns != b->hiddenColumns) {
        XmLWarning((Widget)g, "SetValues() - can't set hidden rows or columns");
        b->hiddenRows = a->hiddenRows;
        b->hiddenColumns = a->hiddenColumns;
    }
}

static void ChangeCount(Widget w, bool rows, unsigned char type, int want, int old)
{
    int diff = want - old;
    if (diff > 0)
        (rows ? XmLGridAddRows : XmLGridAddColumns)(w, type, -1, diff);
    else if (diff < 0)
        (rows ? XmLGridDeleteRows : XmLGridDeleteColumns)(w, type, want, -diff);
}

// *field holds the old count moved by the headings (or footers) just added or deleted.
// A new count below them is refused; in any case the field ends at or above them.
static void CheckFixed(XmLGridWidget g, int *field, int requested, int old, int floor,
                       const char *warning)
{
    if (requested != old) {
        if (requested >= floor)
            *field = requested;
        else
            XmLWarning((Widget)g, warning);
    }
    if (*field < floor)
        *field = floor;
}

static void CountChanges(XmLGridWidget was, XmLGridWidget g)
{
    XmLGridPart *a = &was->grid, *b = &g->grid;
    Widget w = (Widget)g;
    int top = b->topFixedCount, bottom = b->bottomFixedCount;
    int left = b->leftFixedCount, right = b->rightFixedCount;
    b->topFixedCount = a->topFixedCount;
    b->bottomFixedCount = a->bottomFixedCount;
    b->leftFixedCount = a->leftFixedCount;
    b->rightFixedCount = a->rightFixedCount;
    // Every count goes back first: each addition checks all three against the records.
    int want[6] = {b->headingColumns, b->columns, b->footerColumns,
                   b->headingRows, b->rows, b->footerRows};
    b->headingColumns = a->headingColumns;
    b->columns = a->columns;
    b->footerColumns = a->footerColumns;
    b->headingRows = a->headingRows;
    b->rows = a->rows;
    b->footerRows = a->footerRows;
    ChangeCount(w, false, XmHEADING, want[0], a->headingColumns);
    ChangeCount(w, false, XmCONTENT, want[1], a->columns);
    ChangeCount(w, false, XmFOOTER, want[2], a->footerColumns);
    ChangeCount(w, true, XmHEADING, want[3], a->headingRows);
    ChangeCount(w, true, XmCONTENT, want[4], a->rows);
    ChangeCount(w, true, XmFOOTER, want[5], a->footerRows);
    CheckFixed(g, &b->topFixedCount, top, a->topFixedCount, b->headingRows,
               "SetValues() - can't set topFixedCount < headingRowCount");
    CheckFixed(g, &b->bottomFixedCount, bottom, a->bottomFixedCount, b->footerRows,
               "SetValues() - can't set bottomFixedCount < footerRowCount");
    CheckFixed(g, &b->leftFixedCount, left, a->leftFixedCount, b->headingColumns,
               "SetValues() - can't set leftFixedCount < headingColumnCount");
    CheckFixed(g, &b->rightFixedCount, right, a->rightFixedCount, b->footerColumns,
               "SetValues() - can't set rightFixedCount < footerColumnCount");
}

static char *CopyString(const char *s)
{
    if (!s)
        return NULL;
    char *copy = (char *)XmLCalloc(strlen(s) + 1, 1);
    strcpy(copy, s);
    return copy;
}

// A set-values call that changes rows or columns frees the old texts after its add and
// delete callbacks have run; one of them that replaced the texts would have them freed twice.
static void RefuseNestedSimple(XmLGridWidget was, XmLGridWidget g)
{
    XmLGridPart *a = &was->grid, *b = &g->grid;
    if (b->structureDepth == 0)
        return;
    if (a->simpleHeadings != b->simpleHeadings) {
        XmLWarning((Widget)g, "SetValues() - can't set simpleHeadings while rows or columns "
                              "are being changed");
        b->simpleHeadings = a->simpleHeadings;
    }
    if (a->simpleWidths != b->simpleWidths) {
        XmLWarning((Widget)g, "SetValues() - can't set simpleWidths while rows or columns are "
                              "being changed");
        b->simpleWidths = a->simpleWidths;
    }
}

static void SimpleChanges(XmLGridWidget was, XmLGridWidget g, Due *due)
{
    XmLGridPart *a = &was->grid, *b = &g->grid;
    RefuseNestedSimple(was, g);
    if (a->simpleHeadings != b->simpleHeadings) {
        free(a->simpleHeadings);
        b->simpleHeadings = CopyString(b->simpleHeadings);
        SetSimpleHeadings(g, b->simpleHeadings);
    }
    if (a->simpleWidths != b->simpleWidths) {
        free(a->simpleWidths);
        b->simpleWidths = CopyString(b->simpleWidths);
        SetSimpleWidths(g, b->simpleWidths);
    }
    if (a->visibleRows != b->visibleRows) {
        ApplyVisibleRows(g);
        due->vert = due->redraw = true;
    }
    if (a->visibleColumns != b->visibleColumns) {
        ApplyVisibleColumns(g);
        due->horiz = due->redraw = true;
    }
}

Boolean SetValues(Widget cur, Widget, Widget nw, ArgList args, Cardinal *nargs)
{
    XmLGridWidget was = (XmLGridWidget)cur, g = (XmLGridWidget)nw;
    Due due = {false, false, false};
    ScrollAndFixedChanges(was, g, args, *nargs, &due);
    FontListChange(was, g);
    if (was->grid.allowDrop != g->grid.allowDrop)
        DropRegister(g, g->grid.allowDrop);
    RefuseReadOnly(was, g);
    CountChanges(was, g);
    SimpleChanges(was, g, &due);
    SetSubValues(g, args, *nargs);
    if (due.vert)
        VertLayout(g, 1);
    if (due.horiz)
        HorizLayout(g, 1);
    if (due.redraw)
        DrawArea(g, DRAW_ALL, 0, 0);
    return False;
}

// ---- get_values_hook

void GetSubValues(Widget w, ArgList args, Cardinal *nargs)
{
    XmLGridWidget g = (XmLGridWidget)w;
    XmLGridClassPart *c = GridClassPart(g);
    XmLGridRow row = NULL;
    XmLGridColumn col = NULL;
    for (Cardinal i = 0; i < *nargs; i++) {
        char *name = args[i].name;
        long mask = 0;
        if (!strcmp(name, XmNrowPtr)) {
            // A deleted row's record, or another grid's, is not read: as if none were given.
            row = (XmLGridRow)args[i].value;
            if (!RecordIsLive(g, true, row))
                row = NULL;
        } else if (!strcmp(name, XmNcolumnPtr)) {
            col = (XmLGridColumn)args[i].value;
            if (!RecordIsLive(g, false, col))
                col = NULL;
        } else if (StartsWith(name, "row")) {
            c->getRowValueMaskProc(g, name, &mask);
            if (mask && row)
                c->getRowValueProc(g, row, args[i].value, mask);
            else if (mask)
                XmLWarning(w, "GetValues() - invalid row");
        } else if (StartsWith(name, "column")) {
            c->getColumnValueMaskProc(g, name, &mask);
            if (mask && col)
                c->getColumnValueProc(g, col, args[i].value, mask);
            else if (mask)
                XmLWarning(w, "GetValues() - invalid column");
        } else if (StartsWith(name, "cell")) {
            GetCellValueMask(name, &mask);
            XmLGridCell cell = row && col ? (XmLGridCell)XmLArrayGet(row->cells, col->pos) : NULL;
            if (mask && cell)
                GetCellValue(cell, args[i].value, mask);
            else if (mask)
                XmLWarning(w, "GetValues() - invalid cell");
        }
    }
}
