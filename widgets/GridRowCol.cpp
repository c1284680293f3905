// GridRowCol.cpp - XmLGrid public functions that add, delete, move and reorder rows and columns.
#include "widgets/GridP.h"

#include <climits>
#include <cstring>
#include <vector>

// ---- Helpers shared by rows and columns

static bool HasCallbacks(XmLGridWidget g, const char *name)
{
    return XtHasCallbacks((Widget)g, (char *)name) == XtCallbackHasSome;
}

static XmLGridCellRefValues *RecordDefaults(XmLGridWidget g, XmLGridColumn column)
{
    return column->defCellValues ? column->defCellValues : g->grid.defaultCellValues;
}

// The type rows or columns added or deleted are counted as, and their positions counted
// in: anything but heading and footer is content (XmALL_TYPES too, whose positions would
// otherwise reach into the headings while the rows were counted as content).
static unsigned char AddedType(unsigned char type)
{
    return type == XmHEADING || type == XmFOOTER ? type : (unsigned char)XmCONTENT;
}

// A cell of the column: from the add callback when one supplies it, else new. The
// column's defaults are read after the callback, which may have replaced them.
static XmLGridCell MakeCell(XmLGridWidget g, bool callbacks, unsigned char rowType,
                            unsigned char columnType, XmLGridColumn column)
{
    XmLGridCell cell = NULL;
    if (callbacks) {
        XmLGridCallbackData cbs;
        memset(&cbs, 0, sizeof cbs);
        cbs.reason = XmCR_ADD_CELL;
        cbs.rowType = rowType;
        cbs.columnType = columnType;
        XtCallCallbackList((Widget)g, g->grid.addCallback, (XtPointer)&cbs);
        cell = (XmLGridCell)cbs.object;
    }
    if (!cell)
        cell = CellNew();
    CellSetRefValues(cell, RecordDefaults(g, column));
    return cell;
}

static void *AddRecord(XmLGridWidget g, bool callbacks, bool isRow, unsigned char type)
{
    void *record = NULL;
    if (callbacks) {
        XmLGridCallbackData cbs;
        memset(&cbs, 0, sizeof cbs);
        cbs.reason = isRow ? XmCR_ADD_ROW : XmCR_ADD_COLUMN;
        if (isRow)
            cbs.rowType = type;
        else
            cbs.columnType = type;
        XtCallCallbackList((Widget)g, g->grid.addCallback, (XtPointer)&cbs);
        record = cbs.object;
    }
    if (record)
        return record;
    return isRow ? (void *)GridRowNew((Widget)g) : (void *)GridColumnNew((Widget)g);
}

static void CallDelete(XmLGridWidget g, int reason, unsigned char rowType,
                       unsigned char columnType, void *object)
{
    XmLGridCallbackData cbs;
    memset(&cbs, 0, sizeof cbs);
    cbs.reason = reason;
    cbs.rowType = rowType;
    cbs.columnType = columnType;
    cbs.object = object;
    XtCallCallbackList((Widget)g, g->grid.deleteCallback, (XtPointer)&cbs);
}

static void SanityCheck(XmLGridWidget g, bool rows, const char *text)
{
    XmLGridPart *p = &g->grid;
    int expected = rows ? p->headingRows + p->rows + p->footerRows
                        : p->headingColumns + p->columns + p->footerColumns;
    if ((rows ? RowCount(g) : ColCount(g)) != expected)
        XmLWarning((Widget)g, text);
}

static void WarnAs(XmLGridWidget g, const char *name, const char *text)
{
    char message[128];
    snprintf(message, sizeof message, "%s - %s", name, text);
    XmLWarning((Widget)g, message);
}

// Callbacks run in the middle of a change of rows or columns (add, delete, focus, edit and
// scroll callbacks). One that changed them again would free or move records the change
// still holds, so it is refused.
static bool Refused(XmLGridWidget g, const char *name)
{
    if (g->grid.structureDepth == 0)
        return false;
    WarnAs(g, name, "can't change rows or columns while they are being changed");
    return true;
}

class StructureChange {
public:
    explicit StructureChange(XmLGridWidget g) : mPart(&g->grid) { mPart->structureDepth++; }
    ~StructureChange() { mPart->structureDepth--; }
    StructureChange(const StructureChange &) = delete;
    StructureChange &operator=(const StructureChange &) = delete;

private:
    XmLGridPart *mPart;
};

// More records than an XmLArray can hold; a count past this is refused before any is made.
static bool TooMany(XmLGridWidget g, const char *name, int have, int count)
{
    if (count <= INT_MAX / (int)sizeof(void *) - have)
        return false;
    WarnAs(g, name, "too many");
    return true;
}

// ---- Adding

// Counts the new rows (or columns) in; heading and footer ones also stay fixed
// and ask for a full redraw.
static bool GrowCounts(XmLGridWidget g, bool rows, unsigned char type, int count)
{
    XmLGridPart *p = &g->grid;
    if (type == XmHEADING) {
        (rows ? p->headingRows : p->headingColumns) += count;
        (rows ? p->topFixedCount : p->leftFixedCount) += count;
        return true;
    }
    if (type == XmFOOTER) {
        (rows ? p->footerRows : p->footerColumns) += count;
        (rows ? p->bottomFixedCount : p->rightFixedCount) += count;
        return true;
    }
    (rows ? p->rows : p->columns) += count;
    return false;
}

// Keeps the scroll position and the focus on the rows they were on.
static void ShiftAfterAdd(unsigned char policy, int *scrollPos, int *focus, int pos, int count,
                          bool firstContent)
{
    if (policy == XmCONSTANT) {
        if (firstContent)
            *scrollPos = 0;
        else if (pos <= *scrollPos)   // held below INT_MAX: a frozen layout keeps it unclamped
            *scrollPos = *scrollPos > INT_MAX - count ? INT_MAX : *scrollPos + count;
    }
    if (*focus >= pos)
        *focus += count;
}

static void FillRow(XmLGridWidget g, XmLGridRow row, unsigned char rowType, bool callbacks)
{
    int ncols = ColCount(g);
    XmLArrayAdd(row->cells, 0, ncols);
    for (int c = 0; c < ncols; c++)
        XmLArraySet(row->cells, c,
                    MakeCell(g, callbacks, rowType, ColPosToType(g, c), GridColumn(g, c)));
    RowHeightChanged(row);
}

void XmLGridAddRows(Widget w, unsigned char type, int position, int count)
{
    XmLGridWidget g = WidgetToGrid(w, "AddRows()");
    if (!g || count < 1 || Refused(g, "AddRows()") || TooMany(g, "AddRows()", RowCount(g), count))
        return;
    StructureChange change(g);
    type = AddedType(type);
    XmLGridPart *p = &g->grid;
    // The rows are made, and the add callbacks run, before any is counted in: the
    // callbacks see the grid whole.
    bool addCallbacks = HasCallbacks(g, XmNaddCallback);
    std::vector<XmLGridRow> made((size_t)count);
    for (XmLGridRow &row : made) {
        row = (XmLGridRow)AddRecord(g, addCallbacks, true, type);
        FillRow(g, row, type, addCallbacks);
    }
    int pos = RowTypePosToPos(g, type, position, 1);
    if (pos < 0)
        pos = RowTypePosToPos(g, type, -1, 1);
    int hadRows = p->rows;
    bool redraw = GrowCounts(g, true, type, count);
    bool content = type != XmHEADING && type != XmFOOTER;
    XmLArrayAdd(p->rowArray, pos, count);
    for (int i = 0; i < count; i++) {
        XmLArraySet(p->rowArray, pos + i, made[(size_t)i]);
        LiveRecordAdd(g, true, made[(size_t)i]);
    }
    MarkSpans(g);
    for (int c = 0; c < ColCount(g); c++)
        ColumnWidthChanged(GridColumn(g, c));
    SanityCheck(g, true, "AddRows() - count sanity check failed");
    ShiftAfterAdd(p->verticalSizePolicy, &p->scrollRowPos, &p->focusRow, pos, count,
                  content && hadRows == 0);
    VisPosChanged(g, 1);
    HorizLayout(g, 1);
    VertLayout(g, 1);
    if (content && p->focusRow == -1) {
        if (p->focusColumn == -1)
            p->focusRow = pos;
        else
            SetFocus(g, pos, p->focusColumn, 0, 0);
    }
    for (int i = 0; i < count && !redraw; i++)
        redraw = RowIsVisible(g, pos + i) == 1;
    if (redraw)
        DrawArea(g, DRAW_ALL, 0, 0);
}

void XmLGridAddColumns(Widget w, unsigned char type, int position, int count)
{
    XmLGridWidget g = WidgetToGrid(w, "AddColumns()");
    if (!g || count < 1 || Refused(g, "AddColumns()") ||
        TooMany(g, "AddColumns()", ColCount(g), count))
        return;
    StructureChange change(g);
    type = AddedType(type);
    XmLGridPart *p = &g->grid;
    // As with rows, the columns and their cells are made before any is counted in.
    bool addCallbacks = HasCallbacks(g, XmNaddCallback);
    std::vector<XmLGridColumn> made((size_t)count);
    for (XmLGridColumn &column : made)
        column = (XmLGridColumn)AddRecord(g, addCallbacks, false, type);
    int nrows = RowCount(g);
    std::vector<XmLGridCell> cells((size_t)nrows * (size_t)count);
    for (int r = 0; r < nrows; r++)
        for (int i = 0; i < count; i++)
            cells[(size_t)r * count + i] =
                MakeCell(g, addCallbacks, RowPosToType(g, r), type, made[(size_t)i]);
    int pos = ColTypePosToPos(g, type, position, 1);
    if (pos < 0)
        pos = ColTypePosToPos(g, type, -1, 1);
    int hadColumns = p->columns;
    bool redraw = GrowCounts(g, false, type, count);
    bool content = type != XmHEADING && type != XmFOOTER;
    XmLArrayAdd(p->colArray, pos, count);
    for (int i = 0; i < count; i++) {
        XmLArraySet(p->colArray, pos + i, made[(size_t)i]);
        LiveRecordAdd(g, false, made[(size_t)i]);
    }
    for (int r = 0; r < nrows; r++) {
        XmLGridRow row = GridRow(g, r);
        XmLArrayAdd(row->cells, pos, count);
        for (int i = 0; i < count; i++)
            XmLArraySet(row->cells, pos + i, cells[(size_t)r * count + i]);
        RowHeightChanged(row);
    }
    MarkSpans(g);
    for (int i = 0; i < count; i++)
        ColumnWidthChanged(GridColumn(g, pos + i));
    SanityCheck(g, false, "AddColumns() - count sanity check failed");
    ShiftAfterAdd(p->horizontalSizePolicy, &p->scrollColumnPos, &p->focusColumn, pos, count,
                  content && hadColumns == 0);
    VisPosChanged(g, 0);
    HorizLayout(g, 1);
    VertLayout(g, 1);
    if (content && p->focusColumn == -1) {
        if (p->focusRow == -1)
            p->focusColumn = pos;
        else
            SetFocus(g, p->focusRow, pos, 0, 0);
    }
    for (int i = 0; i < count && !redraw; i++)
        redraw = ColIsVisible(g, pos + i) == 1;
    if (redraw)
        DrawArea(g, DRAW_ALL, 0, 0);
}

// ---- Deleting

// The absolute run [*first, *last] of count rows or columns of a type, or false.
static bool DeleteRange(XmLGridWidget g, bool rows, unsigned char type, int position, int count,
                        int *first, int *last)
{
    long long end = (long long)position + count - 1;
    if (end > 0x7fffffff)
        return false;   // the run would wrap round past the largest position
    *first = rows ? RowTypePosToPos(g, type, position, 0) : ColTypePosToPos(g, type, position, 0);
    *last = rows ? RowTypePosToPos(g, type, (int)end, 0) : ColTypePosToPos(g, type, (int)end, 0);
    return *first >= 0 && *last >= 0;
}

static void ShiftAfterDelete(unsigned char policy, int *scrollPos, int *focus, int first,
                             int last)
{
    int count = last - first + 1;
    if (policy == XmCONSTANT) {
        if (*scrollPos > last)
            *scrollPos -= count;
        else if (*scrollPos >= first)
            *scrollPos = first;
    }
    if (*focus > last)
        *focus -= count;
}

static bool FocusAmong(XmLGridWidget g, bool rows, int first, int last)
{
    int focus = rows ? g->grid.focusRow : g->grid.focusColumn;
    return focus >= first && focus <= last;
}

// Ends an edit and takes the focus off rows (or columns) first..last before they go.
static bool LoseFocus(XmLGridWidget g, bool rows, int first, int last)
{
    if (!FocusAmong(g, rows, first, last))
        return false;
    TextAction(g, TEXT_EDIT_CANCEL);
    // The edit callback may have taken the focus elsewhere, where an edit it began stays;
    // one it began here goes with its cell, as one the delete callbacks begin does.
    if (!FocusAmong(g, rows, first, last))
        return false;
    DropEdit(g);
    if (rows)
        ChangeFocus(g, -1, g->grid.focusColumn);
    else
        ChangeFocus(g, g->grid.focusRow, -1);
    return true;
}

// The focus and delete callbacks may have put the focus back on what is going; it is
// taken off once more, silently: they have been heard.
static bool KeepFocusOff(XmLGridWidget g, bool rows, int first, int last)
{
    if (!FocusAmong(g, rows, first, last))
        return false;
    DropFocus(g, rows);
    return true;
}

static void ShrinkCounts(XmLGridWidget g, bool rows, unsigned char type, int count, bool *redraw)
{
    XmLGridPart *p = &g->grid;
    if (type == XmHEADING) {
        (rows ? p->headingRows : p->headingColumns) -= count;
        (rows ? p->topFixedCount : p->leftFixedCount) -= count;
        *redraw = true;
    } else if (type == XmFOOTER) {
        (rows ? p->footerRows : p->footerColumns) -= count;
        (rows ? p->bottomFixedCount : p->rightFixedCount) -= count;
        *redraw = true;
    } else {
        (rows ? p->rows : p->columns) -= count;
    }
}

static void ReportRowDeletes(XmLGridWidget g, int first, int last)
{
    for (int r = first; r <= last; r++) {
        XmLGridRow row = GridRow(g, r);
        unsigned char rowType = RowPosToType(g, r);
        for (int c = 0; c < ColCount(g); c++)
            CallDelete(g, XmCR_DELETE_CELL, rowType, ColPosToType(g, c), GetCell(g, r, c));
        CallDelete(g, XmCR_DELETE_ROW, rowType, 0, row);
    }
}

void XmLGridDeleteRows(Widget w, unsigned char type, int position, int count)
{
    XmLGridWidget g = WidgetToGrid(w, "DeleteRows()");
    if (!g || count < 1 || Refused(g, "DeleteRows()"))
        return;
    StructureChange change(g);
    type = AddedType(type);
    XmLGridPart *p = &g->grid;
    int first, last;
    if (!DeleteRange(g, true, type, position, count, &first, &last)) {
        XmLWarning(w, "DeleteRows() - invalid position");
        return;
    }
    bool lost = LoseFocus(g, true, first, last);
    bool redraw = false;
    if (HasCallbacks(g, XmNdeleteCallback))
        ReportRowDeletes(g, first, last);
    lost |= KeepFocusOff(g, true, first, last);
    ShrinkCounts(g, true, type, count, &redraw);
    for (int r = first; r <= last; r++) {
        XmLGridRow row = GridRow(g, r);
        if (RowIsHidden(row))
            p->hiddenRows--;
        else
            redraw = true;
        GridRowFree(w, row);
    }
    XmLArrayDel(p->rowArray, first, count);
    MarkSpans(g);
    for (int c = 0; c < ColCount(g); c++)
        ColumnWidthChanged(GridColumn(g, c));
    SanityCheck(g, true, "DeleteRows() - count sanity check failed");
    ShiftAfterDelete(p->verticalSizePolicy, &p->scrollRowPos, &p->focusRow, first, last);
    VisPosChanged(g, 1);
    HorizLayout(g, 1);
    VertLayout(g, 1);
    if (lost && SetFocus(g, first, p->focusColumn, 1, 0) < 0)
        SetFocus(g, first, p->focusColumn, -1, 0);
    if (redraw)
        DrawArea(g, DRAW_ALL, 0, 0);
}

static void ReportColumnDeletes(XmLGridWidget g, int first, int last)
{
    for (int c = first; c <= last; c++) {
        unsigned char columnType = ColPosToType(g, c);
        for (int r = 0; r < RowCount(g); r++)
            CallDelete(g, XmCR_DELETE_CELL, RowPosToType(g, r), columnType, GetCell(g, r, c));
        CallDelete(g, XmCR_DELETE_COLUMN, 0, columnType, GridColumn(g, c));
    }
}

void XmLGridDeleteColumns(Widget w, unsigned char type, int position, int count)
{
    XmLGridWidget g = WidgetToGrid(w, "DeleteColumns()");
    if (!g || count < 1 || Refused(g, "DeleteColumns()"))
        return;
    StructureChange change(g);
    type = AddedType(type);
    XmLGridPart *p = &g->grid;
    int first, last;
    if (!DeleteRange(g, false, type, position, count, &first, &last)) {
        XmLWarning(w, "DeleteColumns() - invalid position");
        return;
    }
    bool lost = LoseFocus(g, false, first, last);
    bool redraw = false;
    if (HasCallbacks(g, XmNdeleteCallback))
        ReportColumnDeletes(g, first, last);
    lost |= KeepFocusOff(g, false, first, last);
    ShrinkCounts(g, false, type, count, &redraw);
    for (int c = first; c <= last; c++) {
        XmLGridColumn column = GridColumn(g, c);
        if (ColumnIsHidden(column))
            p->hiddenColumns--;
        else
            redraw = true;
        GridColumnFree(w, column);
    }
    XmLArrayDel(p->colArray, first, count);
    for (int r = 0; r < RowCount(g); r++) {
        XmLGridRow row = GridRow(g, r);
        for (int c = first; c <= last; c++)
            CellFree(w, (XmLGridCell)XmLArrayGet(row->cells, c));
        XmLArrayDel(row->cells, first, count);
        RowHeightChanged(row);
    }
    MarkSpans(g);
    SanityCheck(g, false, "DeleteColumns() - count sanity check failed");
    ShiftAfterDelete(p->horizontalSizePolicy, &p->scrollColumnPos, &p->focusColumn, first,
                     last);
    VisPosChanged(g, 0);
    HorizLayout(g, 1);
    VertLayout(g, 1);
    if (lost && SetFocus(g, p->focusRow, first, 0, 1) < 0)
        SetFocus(g, p->focusRow, first, 0, -1);
    if (redraw)
        DrawArea(g, DRAW_ALL, 0, 0);
}

void XmLGridDeleteAllRows(Widget w, unsigned char type)
{
    XmLGridWidget g = WidgetToGrid(w, "DeleteAllRows()");
    if (!g)
        return;
    int count = type == XmHEADING ? g->grid.headingRows
              : type == XmFOOTER  ? g->grid.footerRows
              : type == XmCONTENT ? g->grid.rows : -1;
    if (count < 0) {
        XmLWarning(w, "DeleteAllRows() - invalid type");
        return;
    }
    if (count > 0)
        XmLGridDeleteRows(w, type, 0, count);
}

void XmLGridDeleteAllColumns(Widget w, unsigned char type)
{
    XmLGridWidget g = WidgetToGrid(w, "DeleteAllColumns()");
    if (!g)
        return;
    int count = type == XmHEADING ? g->grid.headingColumns
              : type == XmFOOTER  ? g->grid.footerColumns
              : type == XmCONTENT ? g->grid.columns : -1;
    if (count < 0) {
        XmLWarning(w, "DeleteAllColumns() - invalid type");
        return;
    }
    if (count > 0)
        XmLGridDeleteColumns(w, type, 0, count);
}

// ---- Moving and reordering content rows and columns

// The focus stays at its position when rows or columns move, but an edit holds the text
// of one cell and completes into the focus cell: while one runs, the focus goes with the
// edited cell, so the editor is shown over it and the text lands in it.
static int EditedPos(XmLGridWidget g, bool rows)
{
    XmLGridPart *p = &g->grid;
    return p->inEdit ? (rows ? p->focusRow : p->focusColumn) : -1;
}

static void FollowEdit(XmLGridWidget g, bool rows, void *edited)
{
    if (!edited)
        return;
    if (rows)
        g->grid.focusRow = ((XmLGridRow)edited)->pos;
    else
        g->grid.focusColumn = ((XmLGridColumn)edited)->pos;
}

// A run that stays inside the content block; moving it into the heading or
// footer block would leave rows counted as one type where another stands.
static bool ContentRun(int content, int newPosition, int position, int count)
{
    return count >= 1 && position >= 0 && newPosition >= 0 && count <= content - position &&
           count <= content - newPosition;
}

void XmLGridMoveRows(Widget w, int newPosition, int position, int count)
{
    XmLGridWidget g = WidgetToGrid(w, "MoveRows()");
    if (!g || Refused(g, "MoveRows()"))
        return;
    StructureChange change(g);
    int np = RowTypePosToPos(g, XmCONTENT, newPosition, 0);
    int pos = RowTypePosToPos(g, XmCONTENT, position, 0);
    XmLGridRow edited = GridRow(g, EditedPos(g, true));
    if (!ContentRun(g->grid.rows, newPosition, position, count) ||
        XmLArrayMove(g->grid.rowArray, np, pos, count) < 0) {
        XmLWarning(w, "MoveRows() - invalid position/count");
        return;
    }
    FollowEdit(g, true, edited);
    MarkSpans(g);
    VisPosChanged(g, 1);
    VertLayout(g, 1);
    DrawArea(g, DRAW_ALL, 0, 0);
}

void XmLGridMoveColumns(Widget w, int newPosition, int position, int count)
{
    XmLGridWidget g = WidgetToGrid(w, "MoveColumns()");
    if (!g || Refused(g, "MoveColumns()"))
        return;
    StructureChange change(g);
    int np = ColTypePosToPos(g, XmCONTENT, newPosition, 0);
    int pos = ColTypePosToPos(g, XmCONTENT, position, 0);
    XmLGridColumn edited = GridColumn(g, EditedPos(g, false));
    if (!ContentRun(g->grid.columns, newPosition, position, count) ||
        XmLArrayMove(g->grid.colArray, np, pos, count) < 0) {
        XmLWarning(w, "MoveColumns() - invalid position");
        return;
    }
    for (int r = 0; r < RowCount(g); r++)
        XmLArrayMove(GridRow(g, r)->cells, np, pos, count);
    FollowEdit(g, false, edited);
    MarkSpans(g);
    VisPosChanged(g, 0);
    HorizLayout(g, 1);
    DrawArea(g, DRAW_ALL, 0, 0);
}

static int *AbsoluteList(XmLGridWidget g, bool rows, const int *list, int count)
{
    int *abs = (int *)XmLCalloc(count, sizeof(int));
    for (int i = 0; i < count; i++)
        abs[i] = rows ? RowTypePosToPos(g, XmCONTENT, list[i], 0)
                      : ColTypePosToPos(g, XmCONTENT, list[i], 0);
    return abs;
}

void XmLGridReorderRows(Widget w, int *newPositions, int position, int count)
{
    XmLGridWidget g = WidgetToGrid(w, "ReorderRows()");
    if (!g || count < 1 || Refused(g, "ReorderRows()"))
        return;
    StructureChange change(g);
    int *abs = newPositions ? AbsoluteList(g, true, newPositions, count) : NULL;
    int pos = RowTypePosToPos(g, XmCONTENT, position, 0);
    XmLGridRow edited = GridRow(g, EditedPos(g, true));
    int result = XmLArrayReorder(g->grid.rowArray, abs, pos, count);
    free(abs);
    if (result < 0) {
        XmLWarning(w, "ReorderRows() - invalid position/count");
        return;
    }
    FollowEdit(g, true, edited);
    MarkSpans(g);
    VisPosChanged(g, 1);
    VertLayout(g, 1);
    DrawArea(g, DRAW_ALL, 0, 0);
}

void XmLGridReorderColumns(Widget w, int *newPositions, int position, int count)
{
    XmLGridWidget g = WidgetToGrid(w, "ReorderColumns()");
    if (!g || count < 1 || Refused(g, "ReorderColumns()"))
        return;
    StructureChange change(g);
    int *abs = newPositions ? AbsoluteList(g, false, newPositions, count) : NULL;
    int pos = ColTypePosToPos(g, XmCONTENT, position, 0);
    XmLGridColumn edited = GridColumn(g, EditedPos(g, false));
    int result = XmLArrayReorder(g->grid.colArray, abs, pos, count);
    if (result == 0)
        for (int r = 0; r < RowCount(g); r++)
            XmLArrayReorder(GridRow(g, r)->cells, abs, pos, count);
    free(abs);
    if (result < 0) {
        XmLWarning(w, "ReorderColumns() - invalid position/count");
        return;
    }
    FollowEdit(g, false, edited);
    MarkSpans(g);
    VisPosChanged(g, 0);
    HorizLayout(g, 1);
    DrawArea(g, DRAW_ALL, 0, 0);
}

// ---- Records and cell text

XmLGridRow XmLGridGetRow(Widget w, unsigned char rowType, int row)
{
    XmLGridWidget g = WidgetToGrid(w, "GetRow()");
    if (!g)
        return NULL;
    XmLGridRow r = GridRow(g, RowTypePosToPos(g, rowType, row, 0));
    if (!r)
        WarnAs(g, "GetRow()", "invalid row");
    return r;
}

XmLGridColumn XmLGridGetColumn(Widget w, unsigned char columnType, int column)
{
    XmLGridWidget g = WidgetToGrid(w, "GetColumn()");
    if (!g)
        return NULL;
    XmLGridColumn c = GridColumn(g, ColTypePosToPos(g, columnType, column, 0));
    if (!c)
        WarnAs(g, "GetColumn()", "invalid column");
    return c;
}

int XmLGridSetStrings(Widget w, char *text)
{
    XmLGridWidget g = WidgetToGrid(w, "SetStrings()");
    if (!g || !text)
        return 0;
    return Read(g, XmFORMAT_DELIMITED, '|', 0, 0, text);
}

int XmLGridSetStringsPos(Widget w, unsigned char rowType, int row, unsigned char columnType,
                         int column, char *text)
{
    XmLGridWidget g = WidgetToGrid(w, "SetStringsPos()");
    if (!g || !text)
        return 0;
    int r = RowTypePosToPos(g, rowType, row, 0);
    int c = ColTypePosToPos(g, columnType, column, 0);
    // A cell that does not exist sets nothing; read from -1, the text's
    // second line would land in row 0.
    if (r < 0 || c < 0)
        return 0;
    return Read(g, XmFORMAT_DELIMITED, '|', r, c, text);
}
