// GridSelect.cpp - XmLGrid selection, extended selection, focus cell and the in-cell edit steps.
#include "widgets/GridP.h"

#include <Xm/Text.h>

#include <cstring>

// ---- Selection

static int SelectReason(int kind, Boolean select)
{
    if (kind == SelectRow)
        return select ? XmCR_SELECT_ROW : XmCR_DESELECT_ROW;
    if (kind == SelectColumn)
        return select ? XmCR_SELECT_COLUMN : XmCR_DESELECT_COLUMN;
    return select ? XmCR_SELECT_CELL : XmCR_DESELECT_CELL;
}

// Calls step for the absolute position of the content row (or column) pos names, or of
// every content row when pos is -1, reading the count anew after each step: the callbacks
// a step makes may add or delete rows and columns. False when a step found no record.
template <typename Step> static bool WalkContent(XmLGridWidget g, bool rows, int pos, Step step)
{
    const int &heading = rows ? g->grid.headingRows : g->grid.headingColumns;
    const int &count = rows ? g->grid.rows : g->grid.columns;
    if (pos != -1)
        return step(heading + pos);
    bool good = true;
    for (int i = heading; i < heading + count; i++)
        good = step(i) && good;
    return good;
}

typedef struct {
    XmLGridCallbackData cbs;
    Boolean             select;
    Boolean             notify;
} SelectNote;

// The list is read anew for every call: when a callback adds or removes one, Xt moves the
// list and frees the old one once the calls through it are over.
static void Notify(XmLGridWidget g, SelectNote *note, int row, int col)
{
    XtCallbackList list = note->select ? g->grid.selectCallback : g->grid.deselectCallback;
    if (!note->notify || !list)
        return;
    note->cbs.row = row;
    note->cbs.column = col;
    XtCallCallbackList((Widget)g, list, (XtPointer)&note->cbs);
}

static bool SelectRowAt(XmLGridWidget g, SelectNote *note, int r, Boolean select, Boolean notify)
{
    XmLGridRow row = RowPosToType(g, r) == XmCONTENT ? GridRow(g, r) : NULL;
    if (!row)
        return false;
    if (RowIsSelected(row) == select)
        return true;
    unsigned char policy = g->grid.selectionPolicy;
    if (select && (policy == XmSELECT_SINGLE_ROW || policy == XmSELECT_BROWSE_ROW)) {
        SelectTypeArea(g, SelectRow, note->cbs.event, -1, 0, False, notify);
        // The deselect callbacks may have moved or deleted the row; it is not selected then.
        if (GridRow(g, r) != row || RowPosToType(g, r) != XmCONTENT)
            return true;
    }
    RowSetSelected(row, select);
    if (RowIsVisible(g, r) == 1)
        DrawArea(g, DRAW_ROW, r, 0);
    Notify(g, note, r - g->grid.headingRows, -1);
    return true;
}

static bool SelectColumnAt(XmLGridWidget g, SelectNote *note, int c, Boolean select)
{
    XmLGridColumn col = ColPosToType(g, c) == XmCONTENT ? GridColumn(g, c) : NULL;
    if (!col)
        return false;
    if (ColumnIsSelected(col) == select)
        return true;
    ColumnSetSelected(col, select);
    if (ColIsVisible(g, c) == 1)
        DrawArea(g, DRAW_COLUMN, 0, c);
    Notify(g, note, -1, c - g->grid.headingColumns);
    return true;
}

static bool SelectCellAt(XmLGridWidget g, SelectNote *note, int r, int c, Boolean select)
{
    bool content = RowPosToType(g, r) == XmCONTENT && ColPosToType(g, c) == XmCONTENT;
    XmLGridCell cell = content ? GetCell(g, r, c) : NULL;
    if (!cell)
        return false;
    if (CellIsSelected(cell) == select)
        return true;
    CellSetSelected(cell, select);
    DrawArea(g, DRAW_CELL, r, c);
    Notify(g, note, r - g->grid.headingRows, c - g->grid.headingColumns);
    return true;
}

void SelectTypeArea(XmLGridWidget g, int kind, XEvent *event, int row, int col, Boolean select,
                    Boolean notify)
{
    XmLGridPart *p = &g->grid;
    SelectNote note;
    memset(&note, 0, sizeof note);
    note.cbs.reason = SelectReason(kind, select);
    note.cbs.event = event;
    note.cbs.rowType = note.cbs.columnType = XmCONTENT;
    note.select = select;
    note.notify = notify;
    // One row at most may be selected: selecting them all would deselect every row
    // before selecting the next, in quadratic time, to leave the last one selected.
    if (kind == SelectRow && row == -1 && select &&
        (p->selectionPolicy == XmSELECT_SINGLE_ROW || p->selectionPolicy == XmSELECT_BROWSE_ROW))
        return;
    bool good;
    if (kind == SelectRow)
        good = WalkContent(g, true, row,
                           [&](int r) { return SelectRowAt(g, &note, r, select, notify); });
    else if (kind == SelectColumn)
        good = WalkContent(g, false, col,
                           [&](int c) { return SelectColumnAt(g, &note, c, select); });
    else
        good = WalkContent(g, true, row, [&](int r) {
            return WalkContent(g, false, col,
                               [&](int c) { return SelectCellAt(g, &note, r, c, select); });
        });
    if (!good)
        XmLWarning((Widget)g, "SelectTypeArea() - bad position");
}

int GetSelectedArea(XmLGridWidget g, int kind, int *rows, int *cols, int count)
{
    XmLGridPart *p = &g->grid;
    int n = 0;
    int r1 = p->headingRows, r2 = p->headingRows + p->rows;
    int c1 = p->headingColumns, c2 = p->headingColumns + p->columns;
    if (kind == SelectRow) {
        for (int r = r1; r < r2; r++) {
            if (!RowIsSelected(GridRow(g, r)))
                continue;
            if (rows && n < count)
                rows[n] = r - r1;
            n++;
        }
    } else if (kind == SelectColumn) {
        for (int c = c1; c < c2; c++) {
            if (!ColumnIsSelected(GridColumn(g, c)))
                continue;
            if (cols && n < count)
                cols[n] = c - c1;
            n++;
        }
    } else {
        for (int r = r1; r < r2; r++)
            for (int c = c1; c < c2; c++) {
                XmLGridCell cell = GetCell(g, r, c);
                if (!cell || !CellIsSelected(cell))
                    continue;
                if (rows && cols && n < count) {
                    rows[n] = r - r1;
                    cols[n] = c - c1;
                }
                n++;
            }
    }
    return n;
}

// ---- Extended selection

// The rectangle from the anchor to the reached cell, in absolute positions,
// ends exclusive. A row selection stands for whole rows, so its column range
// is a single step, and the other way round for columns.
void ExtendSelectRange(XmLGridWidget g, int *kind, int *fr, int *lr, int *fc, int *lc)
{
    XmLGridPart *p = &g->grid;
    if (p->selectionPolicy == XmSELECT_MULTIPLE_ROW ||
        ColPosToType(g, p->extendColumn) != XmCONTENT)
        *kind = SelectRow;
    else if (RowPosToType(g, p->extendRow) != XmCONTENT)
        *kind = SelectColumn;
    else
        *kind = SelectCell;
    int toRow = p->extendToRow, toCol = p->extendToColumn;
    if (toRow < p->headingRows)
        toRow = p->headingRows;
    if (toRow > p->headingRows + p->rows - 1)
        toRow = p->headingRows + p->rows - 1;
    if (toCol < p->headingColumns)
        toCol = p->headingColumns;
    if (toCol > p->headingColumns + p->columns - 1)
        toCol = p->headingColumns + p->columns - 1;
    *fr = p->extendRow < toRow ? p->extendRow : toRow;
    *lr = (p->extendRow > toRow ? p->extendRow : toRow) + 1;
    *fc = p->extendColumn < toCol ? p->extendColumn : toCol;
    *lc = (p->extendColumn > toCol ? p->extendColumn : toCol) + 1;
    if (*kind == SelectRow) {
        *fc = 0;
        *lc = 1;
    } else if (*kind == SelectColumn) {
        *fr = 0;
        *lr = 1;
    }
}

static void SelectRange(XmLGridWidget g, XEvent *event, Boolean select)
{
    int kind, fr, lr, fc, lc;
    ExtendSelectRange(g, &kind, &fr, &lr, &fc, &lc);
    for (int r = fr; r < lr; r++)
        for (int c = fc; c < lc; c++)
            SelectTypeArea(g, kind, event, r - g->grid.headingRows, c - g->grid.headingColumns,
                           select, True);
}

void ExtendSelect(XmLGridWidget g, XEvent *event, Boolean setAnchor, int row, int col)
{
    XmLGridPart *p = &g->grid;
    if (row == -1 || col == -1) {
        p->extendRow = p->extendColumn = p->extendToRow = p->extendToColumn = -1;
        p->extendSelects = True;
        return;
    }
    if (RowPosToType(g, row) == XmFOOTER || ColPosToType(g, col) == XmFOOTER)
        return;
    if (row == p->extendToRow && col == p->extendToColumn)
        return;
    bool anchored = p->extendRow != -1 && p->extendColumn != -1;
    if (!anchored && row == p->focusRow && col == p->focusColumn)
        return;
    if (anchored && p->extendToRow != -1)
        SelectRange(g, event, False);
    if (!anchored) {
        p->extendRow = p->focusRow;
        p->extendColumn = p->focusColumn;
    }
    if (setAnchor) {
        p->extendRow = row;
        p->extendColumn = col;
    }
    if (p->extendRow < 0 || p->extendColumn < 0)
        return;
    p->extendToRow = row;
    p->extendToColumn = col;
    SelectRange(g, event, p->extendSelects);
}

// ---- Focus

static bool Focusable(XmLGridWidget g, int row, int col)
{
    XmLGridCell cell = GetCell(g, row, col);
    return cell && RowPosToType(g, row) == XmCONTENT && ColPosToType(g, col) == XmCONTENT &&
           !CellInRowSpan(cell) && !CellInColumnSpan(cell) && !RowIsHidden(GridRow(g, row)) &&
           !ColumnIsHidden(GridColumn(g, col));
}

int FindNextFocus(XmLGridWidget g, int row, int col, int rowDir, int colDir, int *nextRow,
                  int *nextCol)
{
    XmLGridPart *p = &g->grid;
    if (p->rows <= 0 || p->columns <= 0)
        return -1;
    int r1 = p->headingRows, r2 = p->headingRows + p->rows - 1;
    int c1 = p->headingColumns, c2 = p->headingColumns + p->columns - 1;
    row = row < r1 ? r1 : row > r2 ? r2 : row;
    col = col < c1 ? c1 : col > c2 ? c2 : col;
    while (row >= r1 && row <= r2 && col >= c1 && col <= c2) {
        if (Focusable(g, row, col)) {
            *nextRow = row;
            *nextCol = col;
            return 0;
        }
        if (!rowDir && !colDir)
            return -1;
        row += rowDir;
        col += colDir;
    }
    return -1;
}

int SetFocus(XmLGridWidget g, int row, int col, int rowDir, int colDir)
{
    int r, c;
    if (FindNextFocus(g, row, col, rowDir, colDir, &r, &c) < 0)
        return -1;
    XmLGridPart *p = &g->grid;
    if (p->inEdit && (r != p->focusRow || c != p->focusColumn)) {
        // The editor holds the text of the focus cell and completes into the focus cell:
        // the edit ends there, as a click or a key elsewhere ends it. Its callbacks may
        // change the rows, so the cell is sought again.
        TextAction(g, TEXT_EDIT_COMPLETE);
        if (FindNextFocus(g, row, col, rowDir, colDir, &r, &c) < 0)
            return -1;
        // An edit begun by the edit callback holds the focus on its own cell.
        if (p->inEdit && (r != p->focusRow || c != p->focusColumn))
            return -1;
    }
    ChangeFocus(g, r, c);
    return 0;
}

static void ReportFocus(XmLGridWidget g, int reason, int row, int col)
{
    XmLGridCell cell = GetCell(g, row, col);
    if (!cell)
        return;
    DrawArea(g, g->grid.highlightRowMode ? DRAW_ROW : DRAW_CELL, row, col);
    XmLGridCallbackData cbs;
    memset(&cbs, 0, sizeof cbs);
    cbs.reason = reason;
    cbs.rowType = RowPosToType(g, row);
    cbs.row = RowPosToTypePos(g, cbs.rowType, row);
    cbs.columnType = ColPosToType(g, col);
    cbs.column = ColPosToTypePos(g, cbs.columnType, col);
    CellAction(cell, (Widget)g, &cbs);
    XtCallCallbackList((Widget)g, g->grid.cellFocusCallback, (XtPointer)&cbs);
}

void ChangeFocus(XmLGridWidget g, int row, int col)
{
    XmLGridPart *p = &g->grid;
    int oldRow = p->focusRow, oldCol = p->focusColumn;
    p->focusRow = row;
    p->focusColumn = col;
    if (oldRow != -1 && oldCol != -1) {
        ReportFocus(g, XmCR_CELL_FOCUS_OUT, oldRow, oldCol);
        if (p->focusRow != row || p->focusColumn != col)
            return;     // a focus callback moved the focus on, or deleted its row
    }
    if (row == -1 || col == -1)
        return;
    if (GetCell(g, row, col)) {
        ReportFocus(g, XmCR_CELL_FOCUS_IN, row, col);
        return;
    }
    if (!GridRow(g, row))
        p->focusRow = -1;
    if (!GridColumn(g, col))
        p->focusColumn = -1;
}

// ---- In-cell edit steps

static void SetTextTranslations(XmLGridWidget g, XtTranslations extra)
{
    Widget text = g->grid.textWidget;
    XtVaSetValues(text, XmNtranslations, XtClass(text)->core_class.tm_table, NULL);
    if (extra)
        XtOverrideTranslations(text, extra);
}

static void CallEdit(XmLGridWidget g, XmLGridCallbackData *cbs, int reason)
{
    cbs->reason = reason;
    XtCallCallbackList((Widget)g, g->grid.editCallback, (XtPointer)cbs);
}

static void BeginEdit(XmLGridWidget g, XmLGridCell cell, XmLGridCallbackData *cbs, int reason)
{
    XmLGridPart *p = &g->grid;
    p->inEdit = True;
    cbs->reason = reason;
    if (!CellAction(cell, (Widget)g, cbs)) {
        p->inEdit = False;
        return;
    }
    cbs->reason = XmCR_CONF_TEXT;
    CellAction(cell, (Widget)g, cbs);
    SetTextTranslations(g, p->editTranslations);
    XtMapWidget(p->textWidget);
    p->textHidden = False;
    CallEdit(g, cbs, reason);
}

static void HideEditor(XmLGridWidget g)
{
    XmLGridPart *p = &g->grid;
    XmTextSetString(p->textWidget, (char *)"");
    XmTextSetInsertionPosition(p->textWidget, 0);
    p->inEdit = False;
    XtUnmapWidget(p->textWidget);
    p->textHidden = True;
    XtConfigureWidget(p->textWidget, 0, 0, 30, 10, 0);
}

// The edit is over before its end is reported: whatever the callback does (a layout, a
// complete, a focus move) meets no open edit to end a second time, and an edit it begins
// stays open. So the editor's text is already empty there; the cell has taken it.
static void EndEdit(XmLGridWidget g, XmLGridCell cell, XmLGridCallbackData *cbs, int reason)
{
    XmLGridPart *p = &g->grid;
    cbs->reason = reason;
    CellAction(cell, (Widget)g, cbs);
    SetTextTranslations(g, p->traverseTranslations);
    HideEditor(g);
    CallEdit(g, cbs, reason);
}

// The edited cell is going away, and the callbacks that would report the edit's end have
// had their turn: it ends without a word.
void DropEdit(XmLGridWidget g)
{
    XmLGridPart *p = &g->grid;
    if (p->inEdit) {
        SetTextTranslations(g, p->traverseTranslations);
        HideEditor(g);
    }
}

// The focus cell is going away with its row or column, and the callbacks that would
// report it have had their turn: the focus, and any edit of it, end without a word.
void DropFocus(XmLGridWidget g, bool row)
{
    XmLGridPart *p = &g->grid;
    DropEdit(g);
    if (row)
        p->focusRow = -1;
    else
        p->focusColumn = -1;
}

void TextAction(XmLGridWidget g, int action)
{
    XmLGridPart *p = &g->grid;
    if (!XtWindow(p->textWidget) || p->focusRow < 0 || p->focusColumn < 0)
        return;
    XmLGridCell cell = GetCell(g, p->focusRow, p->focusColumn);
    if (!cell)
        return;
    XRectangle rect;
    bool visible = RowColToXY(g, p->focusRow, p->focusColumn, True, &rect) == 0;
    XmLGridCallbackData cbs;
    memset(&cbs, 0, sizeof cbs);
    cbs.rowType = cbs.columnType = XmCONTENT;
    cbs.row = p->focusRow - p->headingRows;
    cbs.column = p->focusColumn - p->headingColumns;
    cbs.clipRect = &rect;
    switch (action) {
    case TEXT_HIDE:
        // Run before the layout is worked out anew, when the focus may already stand where
        // the old regions cannot place it: a shown editor always goes, and the show step
        // puts it back over the cell where that is on screen.
        if (!p->textHidden) {
            XtUnmapWidget(p->textWidget);
            p->textHidden = True;
        }
        break;
    case TEXT_SHOW:
        if (!p->textHidden || !p->inEdit || !visible)
            break;
        if (rect.width && rect.height) {
            cbs.reason = XmCR_CONF_TEXT;
            CellAction(cell, (Widget)g, &cbs);
            XtMapWidget(p->textWidget);
            p->textHidden = False;
        } else {
            TextAction(g, TEXT_EDIT_CANCEL);
        }
        break;
    case TEXT_EDIT:
    case TEXT_EDIT_INSERT:
        // The editor needs room: a cell clipped to nothing (a region of no size) has none.
        if (!p->inEdit && visible && rect.width && rect.height)
            BeginEdit(g, cell, &cbs, action == TEXT_EDIT ? XmCR_EDIT_BEGIN : XmCR_EDIT_INSERT);
        break;
    case TEXT_EDIT_CANCEL:
    case TEXT_EDIT_COMPLETE:
        if (p->inEdit)
            EndEdit(g, cell, &cbs,
                    action == TEXT_EDIT_CANCEL ? XmCR_EDIT_CANCEL : XmCR_EDIT_COMPLETE);
        break;
    default:
        break;
    }
}

// ---- Public functions: selection

static void SelectPublic(Widget w, const char *name, int kind, int row, int col, Boolean select,
                         Boolean notify)
{
    XmLGridWidget g = WidgetToGrid(w, name);
    if (g)
        SelectTypeArea(g, kind, NULL, row, col, select, notify);
}

void XmLGridSelectRow(Widget w, int row, Boolean notify)
{
    SelectPublic(w, "SelectRow()", SelectRow, row, 0, True, notify);
}

void XmLGridSelectColumn(Widget w, int column, Boolean notify)
{
    SelectPublic(w, "SelectColumn()", SelectColumn, 0, column, True, notify);
}

void XmLGridSelectCell(Widget w, int row, int column, Boolean notify)
{
    SelectPublic(w, "SelectCell()", SelectCell, row, column, True, notify);
}

void XmLGridSelectAllRows(Widget w, Boolean notify)
{
    SelectPublic(w, "SelectAllRows()", SelectRow, -1, 0, True, notify);
}

void XmLGridSelectAllColumns(Widget w, Boolean notify)
{
    SelectPublic(w, "SelectAllColumns()", SelectColumn, 0, -1, True, notify);
}

void XmLGridSelectAllCells(Widget w, Boolean notify)
{
    SelectPublic(w, "SelectAllCells()", SelectCell, -1, -1, True, notify);
}

void XmLGridDeselectRow(Widget w, int row, Boolean notify)
{
    SelectPublic(w, "DeselectRow()", SelectRow, row, 0, False, notify);
}

void XmLGridDeselectColumn(Widget w, int column, Boolean notify)
{
    SelectPublic(w, "DeselectColumn()", SelectColumn, 0, column, False, notify);
}

void XmLGridDeselectCell(Widget w, int row, int column, Boolean notify)
{
    SelectPublic(w, "DeselectCell()", SelectCell, row, column, False, notify);
}

void XmLGridDeselectAllRows(Widget w, Boolean notify)
{
    SelectPublic(w, "DeselectAllRows()", SelectRow, -1, 0, False, notify);
}

void XmLGridDeselectAllColumns(Widget w, Boolean notify)
{
    SelectPublic(w, "DeselectAllColumns()", SelectColumn, 0, -1, False, notify);
}

void XmLGridDeselectAllCells(Widget w, Boolean notify)
{
    SelectPublic(w, "DeselectAllCells()", SelectCell, -1, -1, False, notify);
}

int XmLGridGetSelectedRowCount(Widget w)
{
    XmLGridWidget g = WidgetToGrid(w, "GetSelectedRowCount()");
    return g ? GetSelectedArea(g, SelectRow, NULL, NULL, 0) : -1;
}

static int GetSelectedList(Widget w, const char *name, int kind, int *rows, int *cols, int count)
{
    XmLGridWidget g = WidgetToGrid(w, name);
    if (!g)
        return -1;
    if (GetSelectedArea(g, kind, rows, cols, count) != count) {
        char text[128];
        snprintf(text, sizeof text, "%s - count is incorrect", name);
        XmLWarning(w, text);
        return -1;
    }
    return 0;
}

int XmLGridGetSelectedRows(Widget w, int *rows, int count)
{
    return GetSelectedList(w, "GetSelectedRows()", SelectRow, rows, NULL, count);
}

int XmLGridGetSelectedRow(Widget w)
{
    XmLGridWidget g = WidgetToGrid(w, "GetSelectedRow()");
    if (!g)
        return -1;
    int row;
    return GetSelectedArea(g, SelectRow, &row, NULL, 1) == 1 ? row : -1;
}

int XmLGridGetSelectedColumnCount(Widget w)
{
    XmLGridWidget g = WidgetToGrid(w, "GetSelectedColumnCount()");
    return g ? GetSelectedArea(g, SelectColumn, NULL, NULL, 0) : -1;
}

int XmLGridGetSelectedColumns(Widget w, int *columns, int count)
{
    return GetSelectedList(w, "GetSelectedColumns()", SelectColumn, NULL, columns, count);
}

int XmLGridGetSelectedCellCount(Widget w)
{
    XmLGridWidget g = WidgetToGrid(w, "GetSelectedCellCount()");
    return g ? GetSelectedArea(g, SelectCell, NULL, NULL, 0) : -1;
}

int XmLGridGetSelectedCells(Widget w, int *rows, int *columns, int count)
{
    return GetSelectedList(w, "GetSelectedCells()", SelectCell, rows, columns, count);
}
