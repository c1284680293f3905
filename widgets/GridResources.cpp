// GridResources.cpp - XmLGrid resource changes and the row, column and cell sub-resources.
#include "widgets/GridP.h"

#include <cstdint>
#include <cstring>

// ---- Value masks

typedef struct {
    const char *name;
    long        bit;
    XrmQuark    quark;
} MaskName;

// ORs the bit of the name into the mask; answers the name's quark.
static XrmQuark MaskOf(MaskName *names, int count, const char *name, long *mask)
{
    XrmQuark q = XrmStringToQuark(name);
    for (int i = 0; i < count; i++) {
        if (!names[i].quark)
            names[i].quark = XrmStringToQuark(names[i].name);
        if (names[i].quark == q)
            *mask |= names[i].bit;
    }
    return q;
}

XrmQuark GetRowValueMask(XmLGridWidget, char *name, long *mask)
{
    static MaskName names[] = {
        {XmNrowHeight, RVML_HEIGHT, 0},
        {XmNrowSizePolicy, RVML_SIZEPOLICY, 0},
        {XmNrowUserData, RVML_USERDATA, 0},
    };
    return MaskOf(names, XtNumber(names), name, mask);
}

XrmQuark GetColumnValueMask(XmLGridWidget, char *name, long *mask)
{
    static MaskName names[] = {
        {XmNcolumnWidth, CVML_WIDTH, 0},
        {XmNcolumnSizePolicy, CVML_SIZEPOLICY, 0},
        {XmNcolumnUserData, CVML_USERDATA, 0},
    };
    return MaskOf(names, XtNumber(names), name, mask);
}

XrmQuark GetCellValueMask(char *name, long *mask)
{
    static MaskName names[] = {
        {XmNcellAlignment, CVA_ALIGNMENT, 0},
        {XmNcellBackground, CVA_BACKGROUND, 0},
        {XmNcellBottomBorderColor, CVA_BOTTOMBORDERCOLOR, 0},
        {XmNcellBottomBorderType, CVA_BOTTOMBORDERTYPE, 0},
        {XmNcellColumnSpan, CVA_COLUMNSPAN, 0},
        {XmNcellEditable, CVA_EDITABLE, 0},
        {XmNcellFontList, CVA_FONTLIST, 0},
        {XmNcellForeground, CVA_FOREGROUND, 0},
        {XmNcellLeftBorderColor, CVA_LEFTBORDERCOLOR, 0},
        {XmNcellLeftBorderType, CVA_LEFTBORDERTYPE, 0},
        {XmNcellMarginBottom, CVA_MARGINBOTTOM, 0},
        {XmNcellMarginLeft, CVA_MARGINLEFT, 0},
        {XmNcellMarginRight, CVA_MARGINRIGHT, 0},
        {XmNcellMarginTop, CVA_MARGINTOP, 0},
        {XmNcellPixmap, CVA_PIXMAP, 0},
        {XmNcellPixmapMask, CVA_PIXMAPMASK, 0},
        {XmNcellRightBorderColor, CVA_RIGHTBORDERCOLOR, 0},
        {XmNcellRightBorderType, CVA_RIGHTBORDERTYPE, 0},
        {XmNcellRowSpan, CVA_ROWSPAN, 0},
        {XmNcellString, CVA_STRING, 0},
        {XmNcellToggleSet, CVA_TOGGLESET, 0},
        {XmNcellTopBorderColor, CVA_TOPBORDERCOLOR, 0},
        {XmNcellTopBorderType, CVA_TOPBORDERTYPE, 0},
        {XmNcellType, CVA_TYPE, 0},
        {XmNcellUserData, CVA_USERDATA, 0},
    };
    return MaskOf(names, XtNumber(names), name, mask);
}

// ---- Reading row, column and cell values

void GetRowValue(XmLGridWidget, XmLGridRow row, XtArgVal value, long mask)
{
    if (mask == RVML_HEIGHT)
        *(Dimension *)value = row->height;
    else if (mask == RVML_SIZEPOLICY)
        *(unsigned char *)value = row->sizePolicy;
    else if (mask == RVML_USERDATA)
        *(XtPointer *)value = row->userData;
}

void GetColumnValue(XmLGridWidget, XmLGridColumn col, XtArgVal value, long mask)
{
    if (mask == CVML_WIDTH)
        *(Dimension *)value = col->width;
    else if (mask == CVML_SIZEPOLICY)
        *(unsigned char *)value = col->sizePolicy;
    else if (mask == CVML_USERDATA)
        *(XtPointer *)value = col->userData;
}

template <typename T> static void Put(XtArgVal value, T v)
{
    *(T *)value = v;
}

void GetCellValue(XmLGridCell cell, XtArgVal value, long mask)
{
    XmLGridCellRefValues *v = CellRefValues(cell);
    XmLGridPixmap *pix = CellGetPixmap(cell);
    XmString string;
    switch (mask) {
    case CVA_ALIGNMENT: Put<unsigned char>(value, v->alignment); break;
    case CVA_BACKGROUND: Put<Pixel>(value, v->background); break;
    case CVA_BOTTOMBORDERCOLOR: Put<Pixel>(value, v->bottomBorderColor); break;
    case CVA_BOTTOMBORDERTYPE: Put<unsigned char>(value, v->bottomBorderType); break;
    case CVA_COLUMNSPAN: Put<int>(value, v->columnSpan); break;
    case CVA_EDITABLE: Put<Boolean>(value, v->editable); break;
    case CVA_FONTLIST: Put<XmFontList>(value, v->fontList); break;
    case CVA_FOREGROUND: Put<Pixel>(value, v->foreground); break;
    case CVA_LEFTBORDERCOLOR: Put<Pixel>(value, v->leftBorderColor); break;
    case CVA_LEFTBORDERTYPE: Put<unsigned char>(value, v->leftBorderType); break;
    case CVA_MARGINBOTTOM: Put<Dimension>(value, v->bottomMargin); break;
    case CVA_MARGINLEFT: Put<Dimension>(value, v->leftMargin); break;
    case CVA_MARGINRIGHT: Put<Dimension>(value, v->rightMargin); break;
    case CVA_MARGINTOP: Put<Dimension>(value, v->topMargin); break;
    case CVA_PIXMAP: Put<Pixmap>(value, pix ? pix->pixmap : XmUNSPECIFIED_PIXMAP); break;
    case CVA_PIXMAPMASK: Put<Pixmap>(value, pix ? pix->pixmask : XmUNSPECIFIED_PIXMAP); break;
    case CVA_RIGHTBORDERCOLOR: Put<Pixel>(value, v->rightBorderColor); break;
    case CVA_RIGHTBORDERTYPE: Put<unsigned char>(value, v->rightBorderType); break;
    case CVA_ROWSPAN: Put<int>(value, v->rowSpan); break;
    case CVA_STRING:
        string = CellGetString(cell);
        Put<XmString>(value, string ? XmStringCopy(string) : NULL);
        break;
    case CVA_TOGGLESET: Put<Boolean>(value, CellGetToggle(cell)); break;
    case CVA_TOPBORDERCOLOR: Put<Pixel>(value, v->topBorderColor); break;
    case CVA_TOPBORDERTYPE: Put<unsigned char>(value, v->topBorderType); break;
    case CVA_TYPE: Put<unsigned char>(value, v->type); break;
    case CVA_USERDATA: Put<XtPointer>(value, v->userData); break;
    default: break;
    }
}

// ---- Setting row and column values

int SetRowValues(XmLGridWidget g, XmLGridRow row, long mask)
{
    XmLGridPart *p = &g->grid;
    int needLayout = 0;
    bool visible = false;
    if (mask & (RVML_HEIGHT | RVML_SIZEPOLICY)) {
        visible = RowIsVisible(g, row->pos) == 1;
        RowHeightChanged(row);
    }
    if (mask & RVML_HEIGHT) {
        if ((p->rowHeight == 0) != (bool)RowIsHidden(row)) {
            p->hiddenRows += p->rowHeight == 0 ? 1 : -1;
            VisPosChanged(g, 1);
            needLayout = 1;
        }
        if (visible)
            needLayout = 1;
        row->height = p->rowHeight;
    }
    if (mask & RVML_SIZEPOLICY) {
        row->sizePolicy = p->rowSizePolicy;
        if (visible)
            needLayout = 1;
    }
    if (mask & RVML_USERDATA)
        row->userData = p->rowUserData;
    return needLayout;
}

int SetColumnValues(XmLGridWidget g, XmLGridColumn col, long mask)
{
    XmLGridPart *p = &g->grid;
    int needLayout = 0;
    bool visible = false;
    if (mask & (CVML_WIDTH | CVML_SIZEPOLICY)) {
        visible = ColIsVisible(g, col->pos) == 1;
        ColumnWidthChanged(col);
    }
    if (mask & CVML_WIDTH) {
        if ((p->columnWidth == 0) != (bool)ColumnIsHidden(col)) {
            p->hiddenColumns += p->columnWidth == 0 ? 1 : -1;
            VisPosChanged(g, 0);
            needLayout = 1;
        }
        if (visible)
            needLayout = 1;
        col->width = p->columnWidth;
    }
    if (mask & CVML_SIZEPOLICY) {
        col->sizePolicy = p->columnSizePolicy;
        if (visible)
            needLayout = 1;
    }
    if (mask & CVML_USERDATA)
        col->userData = p->columnUserData;
    return needLayout;
}

// ---- Setting cell values

int SetCellValues(XmLGridWidget g, XmLGridRow row, XmLGridColumn col, XmLGridCell cell,
                  long mask)
{
    XmLGridPart *p = &g->grid;
    bool pixmapResize = false;
    if (mask & CVA_PIXMAP) {
        pixmapResize = true;
        XmLGridPixmap *pix = CellGetPixmap(cell);
        if (!(mask & CVA_TYPE) && pix && pix->pixmap != XmUNSPECIFIED_PIXMAP &&
            p->cellPixmap != XmUNSPECIFIED_PIXMAP)
            pixmapResize = pix->width != p->cellPixmapWidth || pix->height != p->cellPixmapHeight;
    }
    const long sizing = CVA_TYPE | CVA_FONTLIST | CVA_ROWSPAN | CVA_COLUMNSPAN |
                        CVA_MARGINBOTTOM | CVA_MARGINLEFT | CVA_MARGINRIGHT | CVA_MARGINTOP;
    if (!(mask & sizing) && !pixmapResize)
        return False;
    RowHeightChanged(row);
    ColumnWidthChanged(col);
    return RowIsVisible(g, row->pos) == 1 || ColIsVisible(g, col->pos) == 1;
}

void SetCellPixmapSize(XmLGridWidget g, long mask)
{
    XmLGridPart *p = &g->grid;
    if (mask & CVA_FONTLIST)
        XmLFontListGetDimensions(p->cellValues.fontList, &p->cellValues.fontWidth,
                                 &p->cellValues.fontHeight, p->useAverageFontWidth);
    if (!(mask & CVA_PIXMAP))
        return;
    p->cellPixmapWidth = p->cellPixmapHeight = 0;
    if (p->cellPixmap == XmUNSPECIFIED_PIXMAP)
        return;
    if (p->globalPixmapWidth && p->globalPixmapHeight) {
        p->cellPixmapWidth = p->globalPixmapWidth;
        p->cellPixmapHeight = p->globalPixmapHeight;
        return;
    }
    Window root;
    int x, y;
    unsigned int width, height, border, depth;
    if (XGetGeometry(XtDisplay(g), p->cellPixmap, &root, &x, &y, &width, &height, &border,
                     &depth)) {
        p->cellPixmapWidth = (Dimension)(width > 65535 ? 65535 : width);
        p->cellPixmapHeight = (Dimension)(height > 65535 ? 65535 : height);
    }
}

Boolean CellMaskHasRefValues(long mask)
{
    return (mask & ~(long)(CVA_PIXMAP | CVA_PIXMAPMASK | CVA_STRING | CVA_TOGGLESET)) != 0;
}

// The type a staged cellType gives a cell: the editability codes make string cells.
static unsigned char StagedType(unsigned char type)
{
    return type == XmEDIT_STRING_CELL || type == XmFIXED_STRING_CELL ? (unsigned char)XmSTRING_CELL
                                                                     : type;
}

void SetCellRefValues(XmLGridWidget g, XmLGridCellRefValues *values, long mask)
{
    const XmLGridCellRefValues *s = &g->grid.cellValues;
    if (mask & CVA_ALIGNMENT) values->alignment = s->alignment;
    if (mask & CVA_BACKGROUND) values->background = s->background;
    if (mask & CVA_BOTTOMBORDERCOLOR) values->bottomBorderColor = s->bottomBorderColor;
    if (mask & CVA_BOTTOMBORDERTYPE) values->bottomBorderType = s->bottomBorderType;
    if (mask & CVA_COLUMNSPAN) values->columnSpan = s->columnSpan;
    if (mask & CVA_EDITABLE) values->editable = s->editable;
    if (mask & CVA_FONTLIST) {
        if (values->fontList)
            XmFontListFree(values->fontList);
        values->fontList = s->fontList ? XmFontListCopy(s->fontList) : NULL;
        values->fontWidth = s->fontWidth;
        values->fontHeight = s->fontHeight;
    }
    if (mask & CVA_FOREGROUND) values->foreground = s->foreground;
    if (mask & CVA_LEFTBORDERCOLOR) values->leftBorderColor = s->leftBorderColor;
    if (mask & CVA_LEFTBORDERTYPE) values->leftBorderType = s->leftBorderType;
    if (mask & CVA_MARGINBOTTOM) values->bottomMargin = s->bottomMargin;
    if (mask & CVA_MARGINLEFT) values->leftMargin = s->leftMargin;
    if (mask & CVA_MARGINRIGHT) values->rightMargin = s->rightMargin;
    if (mask & CVA_MARGINTOP) values->topMargin = s->topMargin;
    if (mask & CVA_RIGHTBORDERCOLOR) values->rightBorderColor = s->rightBorderColor;
    if (mask & CVA_RIGHTBORDERTYPE) values->rightBorderType = s->rightBorderType;
    if (mask & CVA_ROWSPAN) values->rowSpan = s->rowSpan;
    if (mask & CVA_TOPBORDERCOLOR) values->topBorderColor = s->topBorderColor;
    if (mask & CVA_TOPBORDERTYPE) values->topBorderType = s->topBorderType;
    if (mask & CVA_TYPE) {
        values->type = StagedType(s->type);
        if (s->type == XmEDIT_STRING_CELL || s->type == XmFIXED_STRING_CELL)
            values->editable = s->type == XmEDIT_STRING_CELL;
    }
    if (mask & CVA_USERDATA) values->userData = s->userData;
}

void SetCellPerCellValues(XmLGridWidget g, XmLGridCell cell, long mask)
{
    XmLGridPart *p = &g->grid;
    if (mask & CVA_PIXMAP)
        CellSetPixmap(cell, p->cellPixmap, p->cellPixmapWidth, p->cellPixmapHeight);
    if (mask & CVA_PIXMAPMASK)
        XmLGridCellSetPixmask(cell, p->cellPixmapMask);
    if (mask & CVA_STRING)
        CellSetString(cell, p->cellString, True);
    if (mask & CVA_TOGGLESET)
        CellSetToggle(cell, p->cellToggleSet);
}

template <typename T> static int Order(T a, T b)
{
    return a < b ? -1 : a > b ? 1 : 0;
}

static int CompareValues(const XmLGridCellRefValues *a, const XmLGridCellRefValues *b,
                         long mask)
{
    int d = 0;
#define CMP(bit, field) \
    if (!d && !(mask & (bit))) d = Order(a->field, b->field)
    CMP(CVA_ALIGNMENT, alignment);
    CMP(CVA_BACKGROUND, background);
    CMP(CVA_BOTTOMBORDERCOLOR, bottomBorderColor);
    if (!d && !(mask & CVA_BOTTOMBORDERTYPE))
        d = Order((signed char)a->bottomBorderType, (signed char)b->bottomBorderType);
    CMP(CVA_COLUMNSPAN, columnSpan);
    CMP(CVA_EDITABLE, editable);
    if (!d && !(mask & CVA_FONTLIST))
        d = Order((uintptr_t)a->fontList, (uintptr_t)b->fontList);
    CMP(CVA_FOREGROUND, foreground);
    CMP(CVA_LEFTBORDERCOLOR, leftBorderColor);
    if (!d && !(mask & CVA_LEFTBORDERTYPE))
        d = Order((signed char)a->leftBorderType, (signed char)b->leftBorderType);
    CMP(CVA_MARGINBOTTOM, bottomMargin);
    CMP(CVA_MARGINLEFT, leftMargin);
    CMP(CVA_MARGINRIGHT, rightMargin);
    CMP(CVA_MARGINTOP, topMargin);
    CMP(CVA_RIGHTBORDERCOLOR, rightBorderColor);
    if (!d && !(mask & CVA_RIGHTBORDERTYPE))
        d = Order((signed char)a->rightBorderType, (signed char)b->rightBorderType);
    CMP(CVA_ROWSPAN, rowSpan);
    CMP(CVA_TOPBORDERCOLOR, topBorderColor);
    if (!d && !(mask & CVA_TOPBORDERTYPE))
        d = Order((signed char)a->topBorderType, (signed char)b->topBorderType);
    CMP(CVA_TYPE, type);
    if (!d && !(mask & CVA_USERDATA))
        d = Order((uintptr_t)a->userData, (uintptr_t)b->userData);
#undef CMP
    return d;
}

// Sorts cells by the values the mask leaves alone, and makes cells that agree
// on all of them share one record.
int CellRefValuesCompare(void *userData, void *left, void *right)
{
    long mask = *(long *)userData;
    XmLGridCell a = *(XmLGridCell *)left, b = *(XmLGridCell *)right;
    if (CellRefValues(a) == CellRefValues(b))
        return 0;
    int d = CompareValues(CellRefValues(a), CellRefValues(b), mask);
    if (d == 0)
        CellSetRefValues(b, CellRefValues(a));
    return d;
}

static void MarkSpan(XmLGridWidget g, int row, int col, int rowSpan, int colSpan)
{
    for (long long r = row; r <= (long long)row + rowSpan && r < RowCount(g); r++)
        for (long long c = col; c <= (long long)col + colSpan && c < ColCount(g); c++) {
            if (r == row && c == col)
                continue;
            XmLGridCell cell = GetCell(g, (int)r, (int)c);
            if (!cell)
                continue;
            CellSetInRowSpan(cell, r != row ? True : False);
            CellSetInColumnSpan(cell, r == row ? True : False);
        }
}

// The marks are worked out anew from the spans as they stand, since rows and columns
// move and go under them. A cell covered by another's span is drawn from that one's
// origin, never as one of its own, so its own span covers nothing; spans only reach
// right and down, so in row order the covering cells come first.
void MarkSpans(XmLGridWidget g)
{
    if (!g->grid.spanMarks)
        return;
    int rows = RowCount(g), cols = ColCount(g);
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < cols; c++)
            if (XmLGridCell cell = GetCell(g, r, c)) {
                CellSetInRowSpan(cell, False);
                CellSetInColumnSpan(cell, False);
            }
    for (int r = 0; r < rows; r++)
        for (int c = 0; c < cols; c++) {
            XmLGridCell cell = GetCell(g, r, c);
            XmLGridCellRefValues *v = cell ? CellRefValues(cell) : NULL;
            if (v && (v->rowSpan || v->columnSpan) && !CellInRowSpan(cell) &&
                !CellInColumnSpan(cell))
                MarkSpan(g, r, c, v->rowSpan, v->columnSpan);
        }
}

// The span values reach the cells' records afterwards; the caller marks the cells
// they cover then (MarkSpans).
void SetCellSpans(XmLGridWidget g, int row, int col, XmLGridCell cell, long mask)
{
    XmLGridPart *p = &g->grid;
    XmLGridCellRefValues *v = CellRefValues(cell);
    if ((mask & CVA_TYPE) && v->type != StagedType(p->cellValues.type)) {
        XmLGridCallbackData cbs;
        memset(&cbs, 0, sizeof cbs);
        cbs.reason = XmCR_FREE_VALUE;
        CellAction(cell, (Widget)g, &cbs);
    }
    if (!(mask & (CVA_ROWSPAN | CVA_COLUMNSPAN)))
        return;
    DrawArea(g, DRAW_CELL, row, col);
    p->spanMarks = True;
    if (mask & CVA_ROWSPAN) {
        p->hasSpans = True;
        if (p->cellValues.rowSpan < 0) {
            XmLWarning((Widget)g, "SetValues() - row span can't be < 0");
            p->cellValues.rowSpan = 0;
        }
    }
    if ((mask & CVA_COLUMNSPAN) && p->cellValues.columnSpan < 0) {
        XmLWarning((Widget)g, "SetValues() - column span can't be < 0");
        p->cellValues.columnSpan = 0;
    }
}

void ResetSelectors(XmLGridWidget g)
{
    XmLGridPart *p = &g->grid;
    p->cellRowType = p->cellColumnType = XmINVALID_TYPE;
    p->rowStep = p->columnStep = 1;
    p->cellRow = p->cellColumn = -1;
    p->cellRowRangeStart = p->cellRowRangeEnd = -1;
    p->cellColumnRangeStart = p->cellColumnRangeEnd = -1;
    p->cellDefaults = False;
}
