// GridCell.cpp - XmLGrid cells, their shared reference-counted values and the default cell action.
#include "widgets/GridP.h"

#include <Xm/Text.h>

#include <cstdint>
#include <cstring>

// ---- Shared values

XmLGridCellRefValues *CellRefValuesCreate(XmLGridWidget g, XmLGridCellRefValues *copy)
{
    XmLGridCellRefValues *v = (XmLGridCellRefValues *)XmLCalloc(1, sizeof *v);
    if (copy) {
        *v = *copy;
        v->fontList = copy->fontList ? XmFontListCopy(copy->fontList) : NULL;
        v->refCount = 0;
        return v;
    }
    v->alignment = XmALIGNMENT_CENTER;
    v->background = g->core.background_pixel;
    v->bottomBorderColor = g->manager.bottom_shadow_color;
    v->bottomBorderType = XmBORDER_LINE;
    v->fontList = g->grid.fontList ? XmFontListCopy(g->grid.fontList) : NULL;
    XmLFontListGetDimensions(v->fontList, &v->fontWidth, &v->fontHeight,
                             g->grid.useAverageFontWidth);
    v->foreground = g->manager.foreground;
    v->leftBorderColor = g->manager.top_shadow_color;
    v->leftBorderType = XmBORDER_LINE;
    v->rightBorderColor = g->manager.bottom_shadow_color;
    v->rightBorderType = XmBORDER_LINE;
    v->topBorderColor = g->manager.top_shadow_color;
    v->topBorderType = XmBORDER_LINE;
    v->type = XmSTRING_CELL;
    return v;
}

XmLGridCellRefValues *CellRefValues(XmLGridCell cell)
{
    return cell->refValues;
}

// The new record is counted before the old one is released, so giving a cell
// the record it already holds cannot free it.
void CellSetRefValues(XmLGridCell cell, XmLGridCellRefValues *values)
{
    values->refCount++;
    CellRefValuesRelease(cell->refValues);
    cell->refValues = values;
}

void CellRefValuesRelease(XmLGridCellRefValues *values)
{
    if (!values)
        return;
    if (--values->refCount > 0)
        return;
    if (values->fontList)
        XmFontListFree(values->fontList);
    free(values);
}

// ---- Cells

XmLGridCell CellNew(void)
{
    return (XmLGridCell)XmLCalloc(1, sizeof(XmLGridCellRec));
}

void CellFree(Widget grid, XmLGridCell cell)
{
    XmLGridCallbackData cbs;
    memset(&cbs, 0, sizeof cbs);
    cbs.reason = XmCR_FREE_VALUE;
    CellAction(cell, grid, &cbs);
    CellRefValuesRelease(cell->refValues);
    free(cell);
}

static Boolean FlagOf(XmLGridCell cell, int flag) { return (cell->flags & flag) ? True : False; }

static void SetFlag(XmLGridCell cell, int flag, Boolean set)
{
    if (set == True)
        cell->flags |= flag;
    else
        cell->flags &= ~flag;
}

Boolean CellIsSelected(XmLGridCell c) { return FlagOf(c, XmLGridCellSelectedFlag); }
void CellSetSelected(XmLGridCell c, Boolean s) { SetFlag(c, XmLGridCellSelectedFlag, s); }
Boolean CellIsValueSet(XmLGridCell c) { return FlagOf(c, XmLGridCellValueSetFlag); }
void CellSetValueSet(XmLGridCell c, Boolean s) { SetFlag(c, XmLGridCellValueSetFlag, s); }
Boolean CellInRowSpan(XmLGridCell c) { return FlagOf(c, XmLGridCellInRowSpanFlag); }
void CellSetInRowSpan(XmLGridCell c, Boolean s) { SetFlag(c, XmLGridCellInRowSpanFlag, s); }
Boolean CellInColumnSpan(XmLGridCell c) { return FlagOf(c, XmLGridCellInColumnSpanFlag); }
void CellSetInColumnSpan(XmLGridCell c, Boolean s) { SetFlag(c, XmLGridCellInColumnSpanFlag, s); }

static unsigned char CellType(XmLGridCell cell)
{
    return cell->refValues ? cell->refValues->type : (unsigned char)XmSTRING_CELL;
}

static XmLGridIcon *CellIcon(XmLGridCell cell)
{
    if (!CellIsValueSet(cell)) {
        XmLGridIcon *icon = (XmLGridIcon *)XmLCalloc(1, sizeof *icon);
        icon->pix.pixmap = icon->pix.pixmask = XmUNSPECIFIED_PIXMAP;
        cell->value = (XtPointer)icon;
        CellSetValueSet(cell, True);
    }
    return (XmLGridIcon *)cell->value;
}

// The new string is taken (or copied) before the old one is freed: it may be the same.
void CellSetString(XmLGridCell cell, XmString string, Boolean copy)
{
    unsigned char type = CellType(cell);
    if (type != XmSTRING_CELL && type != XmICON_CELL) {
        // A string handed over to a cell that cannot show it is freed, so
        // the caller never leaks it.
        if (!copy && string)
            XmStringFree(string);
        return;
    }
    // Copied before the old string goes, which may be the one given. Motif's copy may be
    // the same string with one more reference, so the old one is always released, unless
    // the cell was handed back the very string it owns.
    XmString taken = copy && string ? XmStringCopy(string) : string;
    XmString old;
    if (type == XmICON_CELL) {
        XmLGridIcon *icon = CellIcon(cell);
        old = icon->string;
        icon->string = taken;
    } else {
        old = CellIsValueSet(cell) ? (XmString)cell->value : NULL;
        cell->value = (XtPointer)taken;
        CellSetValueSet(cell, taken ? True : False);
    }
    if (old && (copy || old != taken))
        XmStringFree(old);
}

XmString CellGetString(XmLGridCell cell)
{
    if (!CellIsValueSet(cell))
        return NULL;
    if (CellType(cell) == XmSTRING_CELL)
        return (XmString)cell->value;
    if (CellType(cell) == XmICON_CELL)
        return ((XmLGridIcon *)cell->value)->string;
    return NULL;
}

void CellSetPixmap(XmLGridCell cell, Pixmap pixmap, Dimension width, Dimension height)
{
    XmLGridPixmap *pix;
    if (CellType(cell) == XmICON_CELL) {
        pix = &CellIcon(cell)->pix;
    } else if (CellType(cell) == XmPIXMAP_CELL) {
        if (!CellIsValueSet(cell)) {
            pix = (XmLGridPixmap *)XmLCalloc(1, sizeof *pix);
            pix->pixmap = pix->pixmask = XmUNSPECIFIED_PIXMAP;
            cell->value = (XtPointer)pix;
            CellSetValueSet(cell, True);
        }
        pix = (XmLGridPixmap *)cell->value;
    } else {
        return;
    }
    pix->pixmap = pixmap;
    pix->width = width;
    pix->height = height;
}

void XmLGridCellSetPixmask(XmLGridCell cell, Pixmap mask)
{
    if (!CellIsValueSet(cell)) {
        fprintf(stderr, "XmLGridCellSetPixmask: pixmap must be set before pixmask\n");
        return;
    }
    XmLGridPixmap *pix = CellGetPixmap(cell);
    if (pix)
        pix->pixmask = mask;
}

XmLGridPixmap *CellGetPixmap(XmLGridCell cell)
{
    if (!CellIsValueSet(cell))
        return NULL;
    if (CellType(cell) == XmPIXMAP_CELL)
        return (XmLGridPixmap *)cell->value;
    if (CellType(cell) == XmICON_CELL)
        return &((XmLGridIcon *)cell->value)->pix;
    return NULL;
}

void CellSetToggle(XmLGridCell cell, Boolean state)
{
    if (CellType(cell) != XmTOGGLE_CELL)
        return;
    cell->value = (XtPointer)(intptr_t)(state ? 1 : 0);
    CellSetValueSet(cell, True);
}

Boolean CellGetToggle(XmLGridCell cell)
{
    return CellType(cell) == XmTOGGLE_CELL && CellIsValueSet(cell) &&
           (intptr_t)cell->value == 1;
}

void CellFreeValue(XmLGridCell cell)
{
    if (!CellIsValueSet(cell))
        return;
    switch (CellType(cell)) {
    case XmSTRING_CELL:
        XmStringFree((XmString)cell->value);
        break;
    case XmICON_CELL: {
        XmLGridIcon *icon = (XmLGridIcon *)cell->value;
        if (icon->string)
            XmStringFree(icon->string);
        free(icon);
        break;
    }
    case XmPIXMAP_CELL:
        free(cell->value);
        break;
    default:
        break;
    }
    cell->value = NULL;
    CellSetValueSet(cell, False);
}

// ---- The cell action

int CellAction(XmLGridCell cell, Widget w, XmLGridCallbackData *cbs)
{
    return GridClassPart((XmLGridWidget)w)->cellActionProc(cell, w, cbs);
}

static void DrawBorderLine(Display *dpy, Window win, GC gc, unsigned char type, Pixel color,
                           int x1, int y1, int x2, int y2)
{
    if (type == XmBORDER_NONE)
        return;
    XSetForeground(dpy, gc, color);
    if (type == XmBORDER_DASH)
        XSetLineAttributes(dpy, gc, 0, LineOnOffDash, CapButt, JoinMiter);
    XDrawLine(dpy, win, gc, x1, y1, x2, y2);
    if (type == XmBORDER_DASH)
        XSetLineAttributes(dpy, gc, 0, LineSolid, CapButt, JoinMiter);
}

// The pixmap and then the text, 4 pixels apart, placed in the cell as one piece by the
// cell's alignment; the drawing helpers keep 2 pixels of margin round each of them.
static void DrawIcon(XmLGridWidget g, XmLGridIcon *icon, XmLGridDrawInfo *ds, XRectangle *r,
                     XRectangle *clip, Pixel fg)
{
    Widget w = (Widget)g;
    Display *dpy = XtDisplay(w);
    bool pixmap = icon->pix.pixmap != XmUNSPECIFIED_PIXMAP;
    if (!pixmap || !icon->string || !ds->fontList) {
        if (pixmap)
            XmLPixmapDraw(w, icon->pix.pixmap, icon->pix.pixmask, icon->pix.width,
                          icon->pix.height, ds->alignment, ds->gc, r, clip);
        XSetForeground(dpy, ds->gc, fg);
        XmLStringDraw(w, icon->string, ds->stringDirection, ds->fontList, ds->alignment,
                      ds->gc, r, clip);
        return;
    }
    const int margins = 4, gap = 4;
    int pixmapWidth = icon->pix.width, textWidth = XmStringWidth(ds->fontList, icon->string);
    int width = pixmapWidth + gap + textWidth + margins;
    int x = r->x;
    int column = ds->alignment % 3;     // 0 left, 1 centre, 2 right
    if (width < r->width && column == 1)
        x += (r->width - width) / 2;
    else if (width < r->width && column == 2)
        x += r->width - width;
    // Each piece gets a rectangle of its own size, so any alignment leaves it where it is.
    XRectangle piece = {(short)x, r->y, (unsigned short)(pixmapWidth + margins), r->height};
    XmLPixmapDraw(w, icon->pix.pixmap, icon->pix.pixmask, icon->pix.width, icon->pix.height,
                  ds->alignment, ds->gc, &piece, clip);
    piece.x = (short)(x + pixmapWidth + gap);
    piece.width = (unsigned short)(textWidth + margins);
    XSetForeground(dpy, ds->gc, fg);
    XmLStringDraw(w, icon->string, ds->stringDirection, ds->fontList, ds->alignment, ds->gc,
                  &piece, clip);
}

static void DrawValue(XmLGridWidget g, XmLGridCell cell, XmLGridDrawInfo *ds, XRectangle *clip)
{
    Widget w = (Widget)g;
    XmLGridCellRefValues *v = cell->refValues;
    XRectangle *cr = ds->cellRect;
    if (ds->leftMargin + ds->rightMargin >= cr->width ||
        ds->topMargin + ds->bottomMargin >= cr->height)
        return;
    XRectangle r = *cr;
    r.x += ds->leftMargin;
    r.y += ds->topMargin;
    r.width -= ds->leftMargin + ds->rightMargin;
    r.height -= ds->topMargin + ds->bottomMargin;
    Display *dpy = XtDisplay(w);
    Pixel fg = ds->drawSelected ? ds->selectForeground : ds->foreground;
    switch (v->type) {
    case XmSTRING_CELL:
        if (CellIsValueSet(cell)) {
            XSetForeground(dpy, ds->gc, fg);
            XmLStringDraw(w, (XmString)cell->value, ds->stringDirection, ds->fontList,
                          ds->alignment, ds->gc, &r, clip);
        }
        break;
    case XmPIXMAP_CELL:
        if (CellIsValueSet(cell)) {
            XmLGridPixmap *pix = (XmLGridPixmap *)cell->value;
            XmLPixmapDraw(w, pix->pixmap, pix->pixmask, pix->width, pix->height, ds->alignment,
                          ds->gc, &r, clip);
        }
        break;
    case XmICON_CELL:
        if (CellIsValueSet(cell))
            DrawIcon(g, (XmLGridIcon *)cell->value, ds, &r, clip, fg);
        break;
    case XmTOGGLE_CELL:
        XmLDrawToggle(w, CellGetToggle(cell), g->grid.toggleSize, ds->alignment, ds->gc,
                      ds->background, g->grid.toggleTopColor, g->grid.toggleBottomColor,
                      ds->foreground, &r, clip);
        break;
    default:
        break;
    }
}

static void DrawFocus(XmLGridWidget g, XmLGridDrawInfo *ds, XRectangle *clip, bool edges[4])
{
    int type = ds->drawFocusType;
    if (type == XmDRAW_FOCUS_NONE || g->grid.highlightThickness < 2)
        return;
    Display *dpy = XtDisplay(g);
    Window win = XtWindow(g);
    GC gc = ds->gc;
    int x1 = clip->x, y1 = clip->y;
    int x2 = x1 + clip->width - 1, y2 = y1 + clip->height - 1;
    // edges: right, bottom, top, left reach the cell's own edges.
    bool top = edges[2], bottom = edges[1];
    bool left = edges[3] && (type == XmDRAW_FOCUS_CELL || type == XmDRAW_FOCUS_LEFT);
    bool right = edges[0] && (type == XmDRAW_FOCUS_CELL || type == XmDRAW_FOCUS_RIGHT);
    // The highlight colour is the foreground by default, and so is the selection
    // background: on a cell of its own colour the frame takes the cell's text colour.
    Pixel under = ds->drawSelected ? ds->selectBackground : ds->background;
    Pixel colour = g->manager.highlight_color;
    if (colour == under)
        colour = ds->drawSelected ? ds->selectForeground : ds->foreground;
    XSetForeground(dpy, gc, colour);
    if (top) {
        XDrawLine(dpy, win, gc, x1, y1, x2, y1);
        if (clip->height > 1)
            XDrawLine(dpy, win, gc, x1, y1 + 1, x2, y1 + 1);
    }
    if (left)
        XDrawLine(dpy, win, gc, x1, y1 + 2, x1, y2);
    if (right)
        XDrawLine(dpy, win, gc, x2, y1 + 2, x2, y2);
    if (bottom) {
        int l = left ? 2 : 0, r = right ? 2 : 0;
        XDrawLine(dpy, win, gc, x1 + l, y2, x2 - r, y2);
        if (clip->height > 1 && clip->width > l && clip->width > r)
            XDrawLine(dpy, win, gc, x1 + l, y2 - 1, x2 - r, y2 - 1);
    }
    if (clip->width > 1 && clip->height > 2) {
        if (left)
            XDrawLine(dpy, win, gc, x1 + 1, y1 + 2, x1 + 1, y2);
        if (right)
            XDrawLine(dpy, win, gc, x2 - 1, y1 + 2, x2 - 1, y2);
    }
}

static void DrawCell(XmLGridCell cell, XmLGridWidget g, XmLGridCallbackData *cbs)
{
    XmLGridDrawInfo *ds = cbs->drawInfo;
    XRectangle *clip = cbs->clipRect, *cr = ds->cellRect;
    XmLGridCellRefValues *v = cell->refValues;
    Display *dpy = XtDisplay(g);
    Window win = XtWindow(g);
    XSetForeground(dpy, ds->gc, ds->drawSelected ? ds->selectBackground : ds->background);
    XFillRectangle(dpy, win, ds->gc, clip->x, clip->y, clip->width, clip->height);
    DrawValue(g, cell, ds, clip);
    int x1 = clip->x, y1 = clip->y;
    int x2 = x1 + clip->width - 1, y2 = y1 + clip->height - 1;
    // A side cut by a region boundary or the scroll position has no border.
    bool edges[4] = {
        clip->x + clip->width == cr->x + cr->width,
        clip->y + clip->height == cr->y + cr->height,
        clip->y == cr->y,
        clip->x == cr->x,
    };
    if (edges[0])
        DrawBorderLine(dpy, win, ds->gc, v->rightBorderType, v->rightBorderColor, x2, y1, x2, y2);
    if (edges[1])
        DrawBorderLine(dpy, win, ds->gc, v->bottomBorderType, v->bottomBorderColor, x1, y2, x2,
                       y2);
    if (edges[2])
        DrawBorderLine(dpy, win, ds->gc, v->topBorderType, v->topBorderColor, x1, y1, x2, y1);
    if (edges[3])
        DrawBorderLine(dpy, win, ds->gc, v->leftBorderType, v->leftBorderColor, x1, y1, x1, y2);
    DrawFocus(g, ds, clip, edges);
}

static int PreferredHeight(XmLGridCell cell, XmLGridCallbackData *cbs)
{
    XmLGridCellRefValues *v = cell->refValues;
    if (v->rowSpan)
        return 4;
    XmLGridRow row = (XmLGridRow)cbs->object;
    int m = v->topMargin + 4 + v->bottomMargin;
    int text = row->height * v->fontHeight + m;
    XmLGridPixmap *pix = CellGetPixmap(cell);
    switch (v->type) {
    case XmSTRING_CELL:
        return text;
    case XmICON_CELL:
        if (pix && pix->pixmap != XmUNSPECIFIED_PIXMAP && pix->height && pix->height + m > text)
            return pix->height + m;
        return text;
    case XmPIXMAP_CELL:
        return pix && pix->height ? pix->height + m : 4;
    case XmTOGGLE_CELL:
        return v->topMargin + v->bottomMargin + 20;
    default:
        return 4;
    }
}

static int PreferredWidth(XmLGridCell cell, XmLGridCallbackData *cbs)
{
    XmLGridCellRefValues *v = cell->refValues;
    if (v->columnSpan)
        return 4;
    XmLGridColumn column = (XmLGridColumn)cbs->object;
    int n = v->leftMargin + 4 + v->rightMargin;
    int text = column->width * v->fontWidth + n;
    XmLGridPixmap *pix = CellGetPixmap(cell);
    switch (v->type) {
    case XmSTRING_CELL:
        return text;
    case XmICON_CELL:
        if (pix && pix->pixmap != XmUNSPECIFIED_PIXMAP && pix->width)
            return text + pix->width + 4;
        return text;
    case XmPIXMAP_CELL:
        return pix && pix->width ? pix->width + n : 4;
    case XmTOGGLE_CELL:
        return v->leftMargin + v->rightMargin + 20;
    default:
        return 4;
    }
}

static int BeginEdit(XmLGridCell cell, XmLGridWidget g)
{
    XmLGridCellRefValues *v = cell->refValues;
    if (v->type != XmSTRING_CELL || !v->editable)
        return 0;
    // Handed no font list, the text child borrows the shell's default render table
    // without a copy and frees it when it is destroyed: the grid lends its own instead.
    XmFontList fontList = v->fontList ? v->fontList : g->grid.fontList;
    if (fontList)
        XtVaSetValues(g->grid.textWidget, XmNfontList, fontList, NULL);
    return 1;
}

static void LoadText(XmLGridCell cell, XmLGridWidget g)
{
    Widget text = g->grid.textWidget;
    char *s = CellIsValueSet(cell) ? CellStringToText((XmString)cell->value) : NULL;
    XmTextSetString(text, (char *)(s ? s : ""));
    free(s);
    XmTextSetInsertionPosition(text, XmTextGetLastPosition(text));
    XmProcessTraversal(text, XmTRAVERSE_CURRENT);
}

// Backslash and n in the editor stand for a line break in the cell.
static void TakeText(XmLGridCell cell, XmLGridWidget g)
{
    char *s = XmTextGetString(g->grid.textWidget);
    CellFreeValue(cell);
    if (s && *s)
        CellSetString(cell, TextToCellString(s, strlen(s)), False);
    XtFree(s);
}

int CellActionProc(XmLGridCell cell, Widget w, XmLGridCallbackData *cbs)
{
    XmLGridWidget g = (XmLGridWidget)w;
    switch (cbs->reason) {
    case XmCR_CELL_DRAW:
        DrawCell(cell, g, cbs);
        return 0;
    case XmCR_CONF_TEXT:
        XtConfigureWidget(g->grid.textWidget, cbs->clipRect->x, cbs->clipRect->y,
                          cbs->clipRect->width, cbs->clipRect->height, 0);
        return 0;
    case XmCR_PREF_WIDTH:
        return PreferredWidth(cell, cbs);
    case XmCR_PREF_HEIGHT:
        return PreferredHeight(cell, cbs);
    case XmCR_EDIT_INSERT:
        return BeginEdit(cell, g);
    case XmCR_EDIT_BEGIN:
        if (!BeginEdit(cell, g))
            return 0;
        LoadText(cell, g);
        return 1;
    case XmCR_EDIT_COMPLETE:
        if (cell->refValues->type == XmSTRING_CELL && cell->refValues->editable)
            TakeText(cell, g);
        return 0;
    case XmCR_FREE_VALUE:
        CellFreeValue(cell);
        return 0;
    default:
        return 0;
    }
}
