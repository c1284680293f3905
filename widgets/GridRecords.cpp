// GridRecords.cpp - XmLGrid row and column records, their pixel sizes, simple headings and widths.
#include "widgets/GridP.h"

#include <cassert>
#include <cctype>
#include <cstring>
#include <unordered_set>

// ---- Live records

// Applications hand rowPtr and columnPtr back to get_values, and may keep them past the
// delete that freed them, or take them from another grid. Only records found here are read.
struct GridLiveRecords {
    std::unordered_set<const void *> rows, columns;
};

// ---- Record procedures of the class and their dispatchers

XmLGridRow RowNewProc(Widget grid)
{
    XmLGridWidget g = (XmLGridWidget)grid;
    Cardinal size = GridClassPart(g)->rowRecSize;
    assert(size >= sizeof(XmLGridRowRec));
    XmLGridRow row = (XmLGridRow)XmLCalloc(1, size);
    row->grid = grid;
    row->height = 1;
    row->sizePolicy = XmVARIABLE;
    row->cells = XmLArrayNew(0, 0);
    return row;
}

void RowFreeProc(XmLGridRow row)
{
    int n = XmLArrayGetCount(row->cells);
    for (int i = 0; i < n; i++)
        CellFree(row->grid, (XmLGridCell)XmLArrayGet(row->cells, i));
    XmLArrayFree(row->cells);
    free(row);
}

XmLGridColumn ColumnNewProc(Widget grid)
{
    XmLGridWidget g = (XmLGridWidget)grid;
    Cardinal size = GridClassPart(g)->columnRecSize;
    assert(size >= sizeof(XmLGridColumnRec));
    XmLGridColumn column = (XmLGridColumn)XmLCalloc(1, size);
    column->grid = grid;
    column->width = 8;
    column->sizePolicy = XmVARIABLE;
    return column;
}

void ColumnFreeProc(XmLGridColumn column)
{
    CellRefValuesRelease(column->defCellValues);
    free(column);
}

XmLGridRow GridRowNew(Widget grid)
{
    return GridClassPart((XmLGridWidget)grid)->rowNewProc(grid);
}

void GridRowFree(Widget grid, XmLGridRow row)
{
    ((XmLGridWidget)grid)->grid.liveRecords->rows.erase(row);
    GridClassPart((XmLGridWidget)grid)->rowFreeProc(row);
}

XmLGridColumn GridColumnNew(Widget grid)
{
    return GridClassPart((XmLGridWidget)grid)->columnNewProc(grid);
}

void GridColumnFree(Widget grid, XmLGridColumn column)
{
    ((XmLGridWidget)grid)->grid.liveRecords->columns.erase(column);
    GridClassPart((XmLGridWidget)grid)->columnFreeProc(column);
}

void LiveRecordsCreate(XmLGridWidget g)
{
    g->grid.liveRecords = new GridLiveRecords;
}

void LiveRecordsFree(XmLGridWidget g)
{
    delete g->grid.liveRecords;
    g->grid.liveRecords = NULL;
}

void LiveRecordAdd(XmLGridWidget g, bool isRow, const void *record)
{
    (isRow ? g->grid.liveRecords->rows : g->grid.liveRecords->columns).insert(record);
}

bool RecordIsLive(XmLGridWidget g, bool isRow, const void *record)
{
    const std::unordered_set<const void *> &set =
        isRow ? g->grid.liveRecords->rows : g->grid.liveRecords->columns;
    return record && set.count(record);
}

// ---- Accessors

XmLArray RowCells(XmLGridRow row) { return row->cells; }
int RowPos(XmLGridRow row) { return row->pos; }
int ColumnPos(XmLGridColumn column) { return column->pos; }
int RowVisPos(XmLGridRow row) { return row->visPos; }
void RowSetVisPos(XmLGridRow row, int visPos) { row->visPos = visPos; }
int ColumnVisPos(XmLGridColumn column) { return column->visPos; }
void ColumnSetVisPos(XmLGridColumn column, int visPos) { column->visPos = visPos; }
Boolean RowIsHidden(XmLGridRow row) { return row->height == 0; }
Boolean ColumnIsHidden(XmLGridColumn column) { return column->width == 0; }
Boolean RowIsSelected(XmLGridRow row) { return row->selected; }
void RowSetSelected(XmLGridRow row, Boolean selected) { row->selected = selected; }
Boolean ColumnIsSelected(XmLGridColumn column) { return column->selected; }
void ColumnSetSelected(XmLGridColumn column, Boolean selected) { column->selected = selected; }
void RowHeightChanged(XmLGridRow row) { row->flags &= ~1; }
void ColumnWidthChanged(XmLGridColumn column) { column->flags &= ~1; }

int XmLGridRowPos(XmLGridRow row) { return row->pos; }
Boolean XmLGridRowIsSelected(XmLGridRow row) { return row->selected; }
int XmLGridColumnPos(XmLGridColumn column) { return column->pos; }
Boolean XmLGridColumnIsSelected(XmLGridColumn column) { return column->selected; }

// ---- Sizes in pixels

// Sizes are kept in 16 bits; a sum past that is held at the largest size
// rather than wrapping to a small one.
static Dimension ClampSize(long long size)
{
    return (Dimension)(size > 65535 ? 65535 : size < 0 ? 0 : size);
}

Dimension RowHeightInPixels(XmLGridRow row)
{
    if (row->sizePolicy == XmCONSTANT)
        return row->height;
    if (row->height == 0)
        return 0;
    if (row->flags & 1)
        return row->pixelHeight;
    XmLGridWidget g = (XmLGridWidget)row->grid;
    int n = XmLArrayGetCount(row->cells);
    long long height = 0;
    if (n == 0) {
        const XmLGridCellRefValues *d = g->grid.defaultCellValues;
        height = (long long)d->fontHeight * row->height + 4 + d->topMargin + d->bottomMargin;
    } else {
        XmLGridCallbackData cbs;
        memset(&cbs, 0, sizeof cbs);
        cbs.reason = XmCR_PREF_HEIGHT;
        cbs.rowType = RowPosToType(g, row->pos);
        cbs.row = RowPosToTypePos(g, cbs.rowType, row->pos);
        cbs.object = (void *)row;
        for (int i = 0; i < n; i++) {
            cbs.columnType = ColPosToType(g, i);
            cbs.column = ColPosToTypePos(g, cbs.columnType, i);
            int h = CellAction((XmLGridCell)XmLArrayGet(row->cells, i), (Widget)g, &cbs);
            if (h > height)
                height = h;
        }
    }
    row->pixelHeight = ClampSize(height);
    row->flags |= 1;
    return row->pixelHeight;
}

Dimension ColumnWidthInPixels(XmLGridColumn column)
{
    if (column->sizePolicy == XmCONSTANT)
        return column->width;
    if (column->width == 0)
        return 0;
    if (column->flags & 1)
        return column->pixelWidth;
    XmLGridWidget g = (XmLGridWidget)column->grid;
    int n = XmLArrayGetCount(g->grid.rowArray);
    long long width = 0;
    if (n == 0) {
        const XmLGridCellRefValues *d = g->grid.defaultCellValues;
        width = (long long)d->fontWidth * column->width + 4 + d->leftMargin + d->rightMargin;
    } else {
        XmLGridCallbackData cbs;
        memset(&cbs, 0, sizeof cbs);
        cbs.reason = XmCR_PREF_WIDTH;
        cbs.columnType = ColPosToType(g, column->pos);
        cbs.column = ColPosToTypePos(g, cbs.columnType, column->pos);
        cbs.object = (void *)column;
        for (int i = 0; i < n; i++) {
            XmLGridRow row = (XmLGridRow)XmLArrayGet(g->grid.rowArray, i);
            XmLGridCell cell = (XmLGridCell)XmLArrayGet(row->cells, column->pos);
            if (!cell)
                continue;
            cbs.rowType = RowPosToType(g, i);
            cbs.row = RowPosToTypePos(g, cbs.rowType, i);
            int w = CellAction(cell, (Widget)g, &cbs);
            if (w > width)
                width = w;
        }
    }
    column->pixelWidth = ClampSize(width);
    column->flags |= 1;
    return column->pixelWidth;
}

// ---- Simple headings and widths

void SetSimpleHeadings(XmLGridWidget g, const char *text)
{
    if (!text || !*text)
        return;
    int count = 1;
    for (const char *c = text; *c; c++)
        count += *c == '|';
    if (count > ColCount(g)) {
        XmLWarning((Widget)g, "SetSimpleHeadings() - headings given for non-existing columns");
        return;
    }
    if (g->grid.headingRows <= 0) {
        XmLWarning((Widget)g, "SetSimpleHeadings() - no heading row exists");
        return;
    }
    XmLGridSetStrings((Widget)g, (char *)text);
}

// Parses "22c 6c 10p" into widths and policies. Answers the number of items, -1 when
// the text breaks the grammar or holds more than room items, or kSimpleWidthTooLarge.
int ParseSimpleWidths(const char *text, int *widths, unsigned char *policies, int room)
{
    int n = 0;
    const char *c = text;
    bool tooLarge = false;
    while (*c) {
        if (!isdigit((unsigned char)*c))
            return -1;
        long value = 0;
        while (isdigit((unsigned char)*c)) {
            // Widths are 16 bits; a larger one would wrap, perhaps to 0, which hides.
            value = value * 10 + (*c - '0');
            if (value > 65535) {
                tooLarge = true;
                value = 65535;
            }
            c++;
        }
        unsigned char policy;
        if (*c == 'c' || *c == 'C')
            policy = XmVARIABLE;
        else if (*c == 'p' || *c == 'P')
            policy = XmCONSTANT;
        else
            return -1;
        c++;
        while (*c == ' ')
            c++;
        if (n >= room)
            return -1;
        widths[n] = (int)value;
        policies[n] = policy;
        n++;
    }
    return tooLarge ? kSimpleWidthTooLarge : n;
}

void SetSimpleWidths(XmLGridWidget g, const char *text)
{
    if (!text)
        return;
    int room = (int)(strlen(text) / 2 + 1);
    int *widths = (int *)XmLCalloc(room, sizeof(int));
    unsigned char *policies = (unsigned char *)XmLCalloc(room, 1);
    int n = ParseSimpleWidths(text, widths, policies, room);
    if (n == kSimpleWidthTooLarge) {
        XmLWarning((Widget)g, "SetSimpleWidths() - widths must be below 65536");
    } else if (n < 0) {
        XmLWarning((Widget)g, "SetSimpleWidths() - invalid widths string");
    } else if (n > ColCount(g)) {
        XmLWarning((Widget)g, "SetSimpleWidths() - widths given for non-existing columns");
    } else {
        Dimension oldWidth = g->grid.columnWidth;
        unsigned char oldPolicy = g->grid.columnSizePolicy;
        XmLGridClassPart *c = GridClassPart(g);
        for (int i = 0; i < n; i++) {
            g->grid.columnWidth = (Dimension)widths[i];
            g->grid.columnSizePolicy = policies[i];
            c->setColumnValuesProc(g, GridColumn(g, i), CVML_WIDTH | CVML_SIZEPOLICY);
        }
        g->grid.columnWidth = oldWidth;
        g->grid.columnSizePolicy = oldPolicy;
    }
    free(widths);
    free(policies);
    if (n >= 0 && n <= ColCount(g)) {
        HorizLayout(g, 1);
        DrawArea(g, DRAW_ALL, 0, 0);
    }
}
