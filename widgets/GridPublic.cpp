// GridPublic.cpp - XmLGrid public functions for focus, editing, geometry and redraw.
#include "widgets/GridP.h"

// ---- Focus and editing

void XmLGridGetFocus(Widget w, int *row, int *column, Boolean *focusIn)
{
    XmLGridWidget g = WidgetToGrid(w, "GetFocus()");
    if (!g)
        return;
    XmLGridPart *p = &g->grid;
    *focusIn = p->hasFocus ? True : False;
    *row = *column = -1;
    if (p->focusRow < 0 || p->focusColumn < 0)
        return;
    if (RowPosToType(g, p->focusRow) != XmCONTENT || ColPosToType(g, p->focusColumn) != XmCONTENT) {
        XmLWarning(w, "GetFocus() - focus row/column invalid\n");
        return;
    }
    *row = p->focusRow - p->headingRows;
    *column = p->focusColumn - p->headingColumns;
}

int XmLGridSetFocus(Widget w, int row, int column)
{
    XmLGridWidget g = WidgetToGrid(w, "SetFocus()");
    if (!g)
        return -1;
    if (row < 0 || row >= g->grid.rows) {
        XmLWarning(w, "SetFocus() - invalid row");
        return -1;
    }
    if (column < 0 || column >= g->grid.columns) {
        XmLWarning(w, "SetFocus() - invalid column");
        return -1;
    }
    return SetFocus(g, row + g->grid.headingRows, column + g->grid.headingColumns, 0, 0);
}

int XmLGridEditBegin(Widget w, Boolean insert, int row, int column)
{
    XmLGridWidget g = WidgetToGrid(w, "EditBegin()");
    if (!g)
        return -1;
    if (column < 0 || column >= g->grid.columns) {
        XmLWarning(w, "EditBegin() - invalid column");
        return -1;
    }
    if (row < 0 || row >= g->grid.rows) {
        XmLWarning(w, "EditBegin() - invalid row");
        return -1;
    }
    int r = row + g->grid.headingRows, c = column + g->grid.headingColumns;
    XRectangle rect;
    if (RowColToXY(g, r, c, True, &rect) < 0) {
        XmLWarning(w, "EditBegin() - cell must be visible to begin edit");
        return -1;
    }
    if (SetFocus(g, r, c, 0, 0) < 0) {
        XmLWarning(w, "EditBegin() - can't set focus to cell");
        return -1;
    }
    TextAction(g, insert ? TEXT_EDIT : TEXT_EDIT_INSERT);
    return 0;
}

void XmLGridEditCancel(Widget w)
{
    XmLGridWidget g = WidgetToGrid(w, "EditCancel()");
    if (g)
        TextAction(g, TEXT_EDIT_CANCEL);
}

void XmLGridEditComplete(Widget w)
{
    XmLGridWidget g = WidgetToGrid(w, "EditComplete()");
    if (g)
        TextAction(g, TEXT_EDIT_COMPLETE);
}

// ---- Geometry

int XmLGridRowColumnToXY(Widget w, unsigned char rowType, int row, unsigned char columnType,
                         int column, Boolean clipped, XRectangle *rect)
{
    XmLGridWidget g = WidgetToGrid(w, "RowColumnToXY()");
    if (!g)
        return -1;
    int r = RowTypePosToPos(g, rowType, row, 0), c = ColTypePosToPos(g, columnType, column, 0);
    if (r < 0 || c < 0 || r >= RowCount(g) || c >= ColCount(g)) {
        XmLWarning(w, "RowColumnToXY() - invalid position");
        return -1;
    }
    if (RowColToXY(g, r, c, clipped, rect) < 0 || (clipped && (!rect->width || !rect->height)))
        return -1;   // no part of the cell is on show
    return 0;
}

int XmLGridXYToRowColumn(Widget w, int x, int y, unsigned char *rowType, int *row,
                         unsigned char *columnType, int *column)
{
    XmLGridWidget g = WidgetToGrid(w, "XYToRowColumn()");
    int r, c;
    if (!g || XYToRowCol(g, x, y, &r, &c) < 0)
        return -1;
    *rowType = RowPosToType(g, r);
    *row = RowPosToTypePos(g, *rowType, r);
    *columnType = ColPosToType(g, c);
    *column = ColPosToTypePos(g, *columnType, c);
    return 0;
}

// A position with no row or column warns in the visibility test and is not visible.
int XmLGridRowIsVisible(Widget w, int row)
{
    XmLGridWidget g = WidgetToGrid(w, "RowIsVisible()");
    if (!g)
        return -1;
    return RowIsVisible(g, row + g->grid.headingRows) == 1 ? 1 : 0;
}

int XmLGridColumnIsVisible(Widget w, int column)
{
    XmLGridWidget g = WidgetToGrid(w, "ColumnIsVisible()");
    if (!g)
        return -1;
    return ColIsVisible(g, column + g->grid.headingColumns) == 1 ? 1 : 0;
}

// ---- Redraw

void XmLGridRedrawAll(Widget w)
{
    XmLGridWidget g = WidgetToGrid(w, "RedrawAll()");
    if (g)
        DrawArea(g, DRAW_ALL, 0, 0);
}

void XmLGridRedrawRow(Widget w, unsigned char rowType, int row)
{
    XmLGridWidget g = WidgetToGrid(w, "RedrawRow()");
    if (g)
        DrawArea(g, DRAW_ROW, RowTypePosToPos(g, rowType, row, 0), 0);
}

void XmLGridRedrawColumn(Widget w, unsigned char columnType, int column)
{
    XmLGridWidget g = WidgetToGrid(w, "RedrawColumn()");
    if (g)
        DrawArea(g, DRAW_COLUMN, 0, ColTypePosToPos(g, columnType, column, 0));
}

void XmLGridRedrawCell(Widget w, unsigned char rowType, int row, unsigned char columnType,
                       int column)
{
    XmLGridWidget g = WidgetToGrid(w, "RedrawCell()");
    if (g)
        DrawArea(g, DRAW_CELL, RowTypePosToPos(g, rowType, row, 0),
                 ColTypePosToPos(g, columnType, column, 0));
}
