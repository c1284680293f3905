// Grid.h - XmLGrid, a table of cells with fixed and scrolling rows and columns: the public interface.
#ifndef VIREO_WIDGETS_GRID_H
#define VIREO_WIDGETS_GRID_H

#include "widgets/XmL.h"

#include <cstdio>

// Resource names Motif already defines (rows, columns, fontList, shadowType,
// selectionPolicy, the scroll bars and a few callbacks) are Motif's own.
#define XmNaddCallback                 ((char *)"addCallback")
#define XmNallowColumnHide             ((char *)"allowColumnHide")
#define XmCAllowColumnHide             ((char *)"AllowColumnHide")
#define XmNallowColumnResize           ((char *)"allowColumnResize")
#define XmCAllowColumnResize           ((char *)"AllowColumnResize")
#define XmNallowDragSelected           ((char *)"allowDragSelected")
#define XmCAllowDragSelected           ((char *)"AllowDragSelected")
#define XmNallowDrop                   ((char *)"allowDrop")
#define XmCAllowDrop                   ((char *)"AllowDrop")
#define XmNallowRowHide                ((char *)"allowRowHide")
#define XmCAllowRowHide                ((char *)"AllowRowHide")
#define XmNallowRowResize              ((char *)"allowRowResize")
#define XmCAllowRowResize              ((char *)"AllowRowResize")
#define XmNautoSelect                  ((char *)"autoSelect")
#define XmCAutoSelect                  ((char *)"AutoSelect")
#define XmNblankBackground             ((char *)"blankBackground")
#define XmCBlankBackground             ((char *)"BlankBackground")
#define XmNbottomFixedCount            ((char *)"bottomFixedCount")
#define XmCBottomFixedCount            ((char *)"BottomFixedCount")
#define XmNbottomFixedMargin           ((char *)"bottomFixedMargin")
#define XmCBottomFixedMargin           ((char *)"BottomFixedMargin")
#define XmNcellDefaults                ((char *)"cellDefaults")
#define XmCCellDefaults                ((char *)"CellDefaults")
#define XmNcellDrawCallback            ((char *)"cellDrawCallback")
#define XmNcellDropCallback            ((char *)"cellDropCallback")
#define XmNcellFocusCallback           ((char *)"cellFocusCallback")
#define XmNcellPasteCallback           ((char *)"cellPasteCallback")
#define XmNdeleteCallback              ((char *)"deleteCallback")
#define XmNdeselectCallback            ((char *)"deselectCallback")
#define XmNeditCallback                ((char *)"editCallback")
#define XmNeditTranslations            ((char *)"editTranslations")
#define XmNfooterColumns               ((char *)"footerColumns")
#define XmCFooterColumns               ((char *)"FooterColumns")
#define XmNfooterRows                  ((char *)"footerRows")
#define XmCFooterRows                  ((char *)"FooterRows")
#define XmNglobalPixmapHeight          ((char *)"globalPixmapHeight")
#define XmCGlobalPixmapHeight          ((char *)"GlobalPixmapHeight")
#define XmNglobalPixmapWidth           ((char *)"globalPixmapWidth")
#define XmCGlobalPixmapWidth           ((char *)"GlobalPixmapWidth")
#define XmNheadingColumns              ((char *)"headingColumns")
#define XmCHeadingColumns              ((char *)"HeadingColumns")
#define XmNheadingRows                 ((char *)"headingRows")
#define XmCHeadingRows                 ((char *)"HeadingRows")
#define XmNhiddenColumns               ((char *)"hiddenColumns")
#define XmCHiddenColumns               ((char *)"HiddenColumns")
#define XmNhiddenRows                  ((char *)"hiddenRows")
#define XmCHiddenRows                  ((char *)"HiddenRows")
#define XmNhighlightRowMode            ((char *)"highlightRowMode")
#define XmCHighlightRowMode            ((char *)"HighlightRowMode")
#define XmNhorizontalSizePolicy        ((char *)"horizontalSizePolicy")
#define XmCHorizontalSizePolicy        ((char *)"HorizontalSizePolicy")
#define XmNhsbDisplayPolicy            ((char *)"hsbDisplayPolicy")
#define XmCHsbDisplayPolicy            ((char *)"HsbDisplayPolicy")
#define XmNimmediateDraw               ((char *)"immediateDraw")
#define XmCImmediateDraw               ((char *)"ImmediateDraw")
#define XmNlayoutFrozen                ((char *)"layoutFrozen")
#define XmCLayoutFrozen                ((char *)"LayoutFrozen")
#define XmNleftFixedCount              ((char *)"leftFixedCount")
#define XmCLeftFixedCount              ((char *)"LeftFixedCount")
#define XmNleftFixedMargin             ((char *)"leftFixedMargin")
#define XmCLeftFixedMargin             ((char *)"LeftFixedMargin")
#define XmNrightFixedCount             ((char *)"rightFixedCount")
#define XmCRightFixedCount             ((char *)"RightFixedCount")
#define XmNrightFixedMargin            ((char *)"rightFixedMargin")
#define XmCRightFixedMargin            ((char *)"RightFixedMargin")
#define XmNscrollBarMargin             ((char *)"scrollBarMargin")
#define XmCScrollBarMargin             ((char *)"ScrollBarMargin")
#define XmNscrollCallback              ((char *)"scrollCallback")
#define XmNscrollColumn                ((char *)"scrollColumn")
#define XmCScrollColumn                ((char *)"ScrollColumn")
#define XmNscrollRow                   ((char *)"scrollRow")
#define XmCScrollRow                   ((char *)"ScrollRow")
#define XmNselectBackground            ((char *)"selectBackground")
#define XmCSelectBackground            ((char *)"SelectBackground")
#define XmNselectForeground            ((char *)"selectForeground")
#define XmCSelectForeground            ((char *)"SelectForeground")
#define XmNshadowRegions               ((char *)"shadowRegions")
#define XmCShadowRegions               ((char *)"ShadowRegions")
#define XmNsimpleHeadings              ((char *)"simpleHeadings")
#define XmCSimpleHeadings              ((char *)"SimpleHeadings")
#define XmNsimpleWidths                ((char *)"simpleWidths")
#define XmCSimpleWidths                ((char *)"SimpleWidths")
#define XmNtextWidget                  ((char *)"textWidget")
#define XmCTextWidget                  ((char *)"TextWidget")
#define XmNtoggleBottomColor           ((char *)"toggleBottomColor")
#define XmCToggleBottomColor           ((char *)"ToggleBottomColor")
#define XmNtoggleTopColor              ((char *)"toggleTopColor")
#define XmCToggleTopColor              ((char *)"ToggleTopColor")
#define XmNtoggleSize                  ((char *)"toggleSize")
#define XmCToggleSize                  ((char *)"ToggleSize")
#define XmNtraverseTranslations        ((char *)"traverseTranslations")
#define XmNtopFixedCount               ((char *)"topFixedCount")
#define XmCTopFixedCount               ((char *)"TopFixedCount")
#define XmNtopFixedMargin              ((char *)"topFixedMargin")
#define XmCTopFixedMargin              ((char *)"TopFixedMargin")
#define XmNuseAverageFontWidth         ((char *)"useAverageFontWidth")
#define XmCUseAverageFontWidth         ((char *)"UseAverageFontWidth")
#define XmNverticalSizePolicy          ((char *)"verticalSizePolicy")
#define XmCVerticalSizePolicy          ((char *)"VerticalSizePolicy")
#define XmNvisibleColumns              ((char *)"visibleColumns")
#define XmCVisibleColumns              ((char *)"VisibleColumns")
#define XmNvisibleRows                 ((char *)"visibleRows")
#define XmCVisibleRows                 ((char *)"VisibleRows")
#define XmNvsbDisplayPolicy            ((char *)"vsbDisplayPolicy")
#define XmCVsbDisplayPolicy            ((char *)"VsbDisplayPolicy")
#define XmNrow                         ((char *)"row")
#define XmCrow                         ((char *)"row")
#define XmNrowRangeEnd                 ((char *)"rowRangeEnd")
#define XmCRowRangeEnd                 ((char *)"RowRangeEnd")
#define XmNrowRangeStart               ((char *)"rowRangeStart")
#define XmCRowRangeStart               ((char *)"RowRangeStart")
#define XmNrowStep                     ((char *)"rowStep")
#define XmCRowStep                     ((char *)"RowStep")
#define XmNrowType                     ((char *)"rowType")
#define XmCRowType                     ((char *)"RowType")
#define XmNcolumn                      ((char *)"column")
#define XmCColumn                      ((char *)"Column")
#define XmNcolumnRangeEnd              ((char *)"columnRangeEnd")
#define XmCColumnRangeEnd              ((char *)"ColumnRangeEnd")
#define XmNcolumnRangeStart            ((char *)"columnRangeStart")
#define XmCColumnRangeStart            ((char *)"ColumnRangeStart")
#define XmNcolumnStep                  ((char *)"columnStep")
#define XmCColumnStep                  ((char *)"ColumnStep")
#define XmNcolumnType                  ((char *)"columnType")
#define XmCColumnType                  ((char *)"ColumnType")
#define XmNrowUserData                 ((char *)"rowUserData")
#define XmNrowHeight                   ((char *)"rowHeight")
#define XmCRowHeight                   ((char *)"RowHeight")
#define XmNrowSizePolicy               ((char *)"rowSizePolicy")
#define XmCRowSizePolicy               ((char *)"RowSizePolicy")
#define XmNcolumnUserData              ((char *)"columnUserData")
#define XmNcolumnWidth                 ((char *)"columnWidth")
#define XmCColumnWidth                 ((char *)"ColumnWidth")
#define XmNcolumnSizePolicy            ((char *)"columnSizePolicy")
#define XmCColumnSizePolicy            ((char *)"ColumnSizePolicy")
#define XmNcellAlignment               ((char *)"cellAlignment")
#define XmCCellAlignment               ((char *)"CellAlignment")
#define XmNcellBackground              ((char *)"cellBackground")
#define XmCCellBackground              ((char *)"CellBackground")
#define XmNcellBottomBorderColor       ((char *)"cellBottomBorderColor")
#define XmCCellBottomBorderColor       ((char *)"CellBottomBorderColor")
#define XmNcellBottomBorderType        ((char *)"cellBottomBorderType")
#define XmCCellBottomBorderType        ((char *)"CellBottomBorderType")
#define XmNcellColumnSpan              ((char *)"cellColumnSpan")
#define XmCCellColumnSpan              ((char *)"CellColumnSpan")
#define XmNcellEditable                ((char *)"cellEditable")
#define XmCCellEditable                ((char *)"CellEditable")
#define XmNcellFontList                ((char *)"cellFontList")
#define XmCCellFontList                ((char *)"CellFontList")
#define XmNcellForeground              ((char *)"cellForeground")
#define XmCCellForeground              ((char *)"CellForeground")
#define XmNcellLeftBorderColor         ((char *)"cellLeftBorderColor")
#define XmCCellLeftBorderColor         ((char *)"CellLeftBorderColor")
#define XmNcellLeftBorderType          ((char *)"cellLeftBorderType")
#define XmCCellLeftBorderType          ((char *)"CellLeftBorderType")
#define XmNcellMarginBottom            ((char *)"cellMarginBottom")
#define XmCCellMarginBottom            ((char *)"CellMarginBottom")
#define XmNcellMarginLeft              ((char *)"cellMarginLeft")
#define XmCCellMarginLeft              ((char *)"CellMarginLeft")
#define XmNcellMarginRight             ((char *)"cellMarginRight")
#define XmCCellMarginRight             ((char *)"CellMarginRight")
#define XmNcellMarginTop               ((char *)"cellMarginTop")
#define XmCCellMarginTop               ((char *)"CellMarginTop")
#define XmNcellPixmap                  ((char *)"cellPixmap")
#define XmCCellPixmap                  ((char *)"CellPixmap")
#define XmNcellPixmapMask              ((char *)"cellPixmapMask")
#define XmCCellPixmapMask              ((char *)"CellPixmapMask")
#define XmNcellRightBorderColor        ((char *)"cellRightBorderColor")
#define XmCCellRightBorderColor        ((char *)"CellRightBorderColor")
#define XmNcellRightBorderType         ((char *)"cellRightBorderType")
#define XmCCellRightBorderType         ((char *)"CellRightBorderType")
#define XmNcellRowSpan                 ((char *)"cellRowSpan")
#define XmCCellRowSpan                 ((char *)"CellRowSpan")
#define XmNcellString                  ((char *)"cellString")
#define XmNcellToggleSet               ((char *)"cellToggleSet")
#define XmCCellToggleSet               ((char *)"CellToggleSet")
#define XmNcellTopBorderColor          ((char *)"cellTopBorderColor")
#define XmCCellTopBorderColor          ((char *)"CellTopBorderColor")
#define XmNcellTopBorderType           ((char *)"cellTopBorderType")
#define XmCCellTopBorderType           ((char *)"CellTopBorderType")
#define XmNcellType                    ((char *)"cellType")
#define XmCCellType                    ((char *)"CellType")
#define XmNcellUserData                ((char *)"cellUserData")
#define XmNrowPtr                      ((char *)"rowPtr")
#define XmNcolumnPtr                   ((char *)"columnPtr")
#define XmCGridSelectionPolicy         ((char *)"GridSelectionPolicy")
#define XmCColumn                      ((char *)"Column")

// Representation types of the enumerated resources.
#define XmRGridSizePolicy      ((char *)"GridSizePolicy")
#define XmRGridSelectionPolicy ((char *)"GridSelectionPolicy")
#define XmRGridCellAlignment   ((char *)"CellAlignment")
#define XmRGridCellType        ((char *)"CellType")
#define XmRGridCellBorderType  ((char *)"CellBorderType")

// Row and column types. XmALL_TYPES and XmINVALID_TYPE only select.
enum { XmCONTENT = 0, XmHEADING = 1, XmFOOTER = 2, XmALL_TYPES = 3, XmINVALID_TYPE = 4 };

// Size policies are Motif's XmVARIABLE (0) and XmCONSTANT (1).
enum {
    XmSELECT_NONE = 1,
    XmSELECT_SINGLE_ROW,
    XmSELECT_BROWSE_ROW,
    XmSELECT_MULTIPLE_ROW,
    XmSELECT_CELL
};

// Cell types. The last two set a string cell and its editability in one value.
enum {
    XmICON_CELL = 0,
    XmPIXMAP_CELL = 1,
    XmSTRING_CELL = 2,
    XmTOGGLE_CELL = 240,
    XmEDIT_STRING_CELL = 250,
    XmFIXED_STRING_CELL = 251
};

enum { XmBORDER_NONE = 0, XmBORDER_LINE = 1, XmBORDER_DASH = 2 };

// Text formats of XmLGridRead and XmLGridWrite.
enum {
    XmFORMAT_DELIMITED = 1,
    XmFORMAT_TABBED,
    XmFORMAT_PAD,
    XmFORMAT_PASTE,
    XmFORMAT_DROP
};

// Callback reasons.
enum {
    XmCR_ADD_ROW = 900,
    XmCR_ADD_COLUMN,
    XmCR_ADD_CELL,
    XmCR_CELL_DRAW,
    XmCR_CELL_DROP,
    XmCR_CELL_FOCUS_IN,
    XmCR_CELL_FOCUS_OUT,
    XmCR_CELL_PASTE,
    XmCR_CONF_TEXT,
    XmCR_PREF_WIDTH,
    XmCR_DELETE_ROW,
    XmCR_DELETE_COLUMN,
    XmCR_DELETE_CELL,
    XmCR_EDIT_INSERT,
    XmCR_EDIT_BEGIN,
    XmCR_EDIT_CANCEL,
    XmCR_EDIT_COMPLETE,
    XmCR_FREE_VALUE,
    XmCR_RESIZE_ROW,
    XmCR_RESIZE_COLUMN,
    XmCR_PREF_HEIGHT,
    XmCR_SCROLL_ROW,
    XmCR_SCROLL_COLUMN,
    XmCR_SELECT_CELL,
    XmCR_SELECT_COLUMN,
    XmCR_SELECT_ROW,
    XmCR_DESELECT_CELL,
    XmCR_DESELECT_COLUMN,
    XmCR_DESELECT_ROW
};

// Focus marks of XmLGridDrawInfo.drawFocusType.
enum {
    XmDRAW_FOCUS_NONE = 1,
    XmDRAW_FOCUS_CELL,
    XmDRAW_FOCUS_LEFT,
    XmDRAW_FOCUS_MID,
    XmDRAW_FOCUS_RIGHT
};

extern WidgetClass xmlGridWidgetClass;
typedef struct _XmLGridClassRec  *XmLGridWidgetClass;
typedef struct _XmLGridRec       *XmLGridWidget;
typedef struct _XmLGridRowRec    *XmLGridRow;
typedef struct _XmLGridColumnRec *XmLGridColumn;
typedef struct _XmLGridCellRec   *XmLGridCell;

// What the cell-draw reason carries besides the clip rectangle.
typedef struct {
    GC                gc;
    XRectangle       *cellRect;
    Dimension         topMargin, bottomMargin, leftMargin, rightMargin;
    Pixel             foreground, background;
    Pixel             selectForeground, selectBackground;
    XmFontList        fontList;
    unsigned char     alignment;
    Boolean           drawSelected;
    int               drawFocusType;
    XmStringDirection stringDirection;
} XmLGridDrawInfo;

// The call data of every grid callback and the argument of the cell action.
typedef struct {
    int              reason;
    XEvent          *event;
    unsigned char    rowType, columnType;
    int              row, column;
    XRectangle      *clipRect;
    XmLGridDrawInfo *drawInfo;
    void            *object;
} XmLGridCallbackData;

Widget XmLCreateGrid(Widget parent, char *name, ArgList args, Cardinal argCount);

// ---- Rows, columns and cell text
void          XmLGridAddRows(Widget w, unsigned char type, int position, int count);
void          XmLGridAddColumns(Widget w, unsigned char type, int position, int count);
void          XmLGridDeleteRows(Widget w, unsigned char type, int position, int count);
void          XmLGridDeleteColumns(Widget w, unsigned char type, int position, int count);
void          XmLGridDeleteAllRows(Widget w, unsigned char type);
void          XmLGridDeleteAllColumns(Widget w, unsigned char type);
void          XmLGridMoveRows(Widget w, int newPosition, int position, int count);
void          XmLGridMoveColumns(Widget w, int newPosition, int position, int count);
void          XmLGridReorderRows(Widget w, int *newPositions, int position, int count);
void          XmLGridReorderColumns(Widget w, int *newPositions, int position, int count);
XmLGridRow    XmLGridGetRow(Widget w, unsigned char rowType, int row);
XmLGridColumn XmLGridGetColumn(Widget w, unsigned char columnType, int column);
int           XmLGridSetStrings(Widget w, char *text);
int           XmLGridSetStringsPos(Widget w, unsigned char rowType, int row,
                                   unsigned char columnType, int column, char *text);

// ---- Selection
void XmLGridSelectRow(Widget w, int row, Boolean notify);
void XmLGridSelectColumn(Widget w, int column, Boolean notify);
void XmLGridSelectCell(Widget w, int row, int column, Boolean notify);
void XmLGridSelectAllRows(Widget w, Boolean notify);
void XmLGridSelectAllColumns(Widget w, Boolean notify);
void XmLGridSelectAllCells(Widget w, Boolean notify);
void XmLGridDeselectRow(Widget w, int row, Boolean notify);
void XmLGridDeselectColumn(Widget w, int column, Boolean notify);
void XmLGridDeselectCell(Widget w, int row, int column, Boolean notify);
void XmLGridDeselectAllRows(Widget w, Boolean notify);
void XmLGridDeselectAllColumns(Widget w, Boolean notify);
void XmLGridDeselectAllCells(Widget w, Boolean notify);
int  XmLGridGetSelectedRowCount(Widget w);
int  XmLGridGetSelectedRows(Widget w, int *rows, int count);
int  XmLGridGetSelectedRow(Widget w);
int  XmLGridGetSelectedColumnCount(Widget w);
int  XmLGridGetSelectedColumns(Widget w, int *columns, int count);
int  XmLGridGetSelectedCellCount(Widget w);
int  XmLGridGetSelectedCells(Widget w, int *rows, int *columns, int count);

// ---- Focus, editing, geometry and redraw
void XmLGridGetFocus(Widget w, int *row, int *column, Boolean *focusIn);
int  XmLGridSetFocus(Widget w, int row, int column);
int  XmLGridEditBegin(Widget w, Boolean insert, int row, int column);
void XmLGridEditCancel(Widget w);
void XmLGridEditComplete(Widget w);
int  XmLGridRowColumnToXY(Widget w, unsigned char rowType, int row, unsigned char columnType,
                          int column, Boolean clipped, XRectangle *rect);
int  XmLGridXYToRowColumn(Widget w, int x, int y, unsigned char *rowType, int *row,
                          unsigned char *columnType, int *column);
int  XmLGridRowIsVisible(Widget w, int row);
int  XmLGridColumnIsVisible(Widget w, int column);
void XmLGridRedrawAll(Widget w);
void XmLGridRedrawRow(Widget w, unsigned char rowType, int row);
void XmLGridRedrawColumn(Widget w, unsigned char columnType, int column);
void XmLGridRedrawCell(Widget w, unsigned char rowType, int row, unsigned char columnType,
                       int column);

// ---- Text exchange
int     XmLGridRead(Widget w, FILE *file, int format, char delimiter);
int     XmLGridReadPos(Widget w, FILE *file, int format, char delimiter, unsigned char rowType,
                       int row, unsigned char columnType, int column);
int     XmLGridWrite(Widget w, FILE *file, int format, char delimiter, Boolean skipHidden);
int     XmLGridWritePos(Widget w, FILE *file, int format, char delimiter, Boolean skipHidden,
                        unsigned char rowType, int row, unsigned char columnType, int column,
                        int nrows, int ncolumns);
Boolean XmLGridCopyPos(Widget w, Time time, unsigned char rowType, int row,
                       unsigned char columnType, int column, int nrows, int ncolumns);
Boolean XmLGridCopySelected(Widget w, Time time);
Boolean XmLGridPaste(Widget w);
Boolean XmLGridPastePos(Widget w, unsigned char rowType, int row, unsigned char columnType,
                        int column);

// ---- Row, column and cell records
int     XmLGridRowPos(XmLGridRow row);
Boolean XmLGridRowIsSelected(XmLGridRow row);
int     XmLGridColumnPos(XmLGridColumn column);
Boolean XmLGridColumnIsSelected(XmLGridColumn column);
void    XmLGridCellSetPixmask(XmLGridCell cell, Pixmap mask);

#endif
