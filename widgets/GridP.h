// GridP.h - XmLGrid class, instance, row, column and cell records, for the Grid files,
// subclasses and tests.
#ifndef VIREO_WIDGETS_GRIDP_H
#define VIREO_WIDGETS_GRIDP_H

#include "widgets/Grid.h"
#include "widgets/XmLP.h"

#include <Xm/ManagerP.h>

// ---- Shared cell values, cells, rows and columns

// Everything about a cell's looks and behaviour, shared by the cells whose
// values are equal and counted by its holders.
typedef struct _XmLGridCellRefValues {
    unsigned char alignment;
    Pixel         background;
    Pixel         bottomBorderColor;
    unsigned char bottomBorderType;
    Dimension     bottomMargin;
    int           columnSpan;
    Boolean       editable;
    Dimension     fontHeight;
    XmFontList    fontList;     // the record's own copy
    Dimension     fontWidth;
    Pixel         foreground;
    Pixel         leftBorderColor;
    unsigned char leftBorderType;
    Dimension     leftMargin;
    int           refCount;
    Pixel         rightBorderColor;
    unsigned char rightBorderType;
    Dimension     rightMargin;
    int           rowSpan;
    Pixel         topBorderColor;
    unsigned char topBorderType;
    Dimension     topMargin;
    unsigned char type;
    XtPointer     userData;
} XmLGridCellRefValues;

// The pixmaps belong to the caller; the grid never frees them.
typedef struct {
    Pixmap    pixmap;
    Pixmap    pixmask;
    Dimension width, height;
} XmLGridPixmap;

typedef struct {
    XmString      string;
    XmLGridPixmap pix;
} XmLGridIcon;

enum {
    XmLGridCellSelectedFlag = 1,
    XmLGridCellValueSetFlag = 2,
    XmLGridCellInRowSpanFlag = 4,
    XmLGridCellInColumnSpanFlag = 8
};

typedef struct _XmLGridCellRec {
    XmLGridCellRefValues *refValues;
    unsigned char         flags;
    XtPointer             value;   // meaning follows refValues->type; valid while value set
} XmLGridCellRec;

typedef struct _XmLGridRowRec {
    int           pos;          // kept equal to the index by the row array
    Dimension     height;       // lines (VARIABLE) or pixels (CONSTANT); 0 hides
    unsigned char sizePolicy;
    Boolean       selected;
    XtPointer     userData;
    Dimension     pixelHeight;  // cache, valid while bit 0 of flags is set
    unsigned char flags;
    Widget        grid;
    int           visPos;       // written by RecalcVisPos
    XmLArray      cells;
} XmLGridRowRec;

typedef struct _XmLGridColumnRec {
    int                   pos;
    Dimension             width;    // characters (VARIABLE) or pixels (CONSTANT); 0 hides
    unsigned char         sizePolicy;
    Boolean               selected;
    XtPointer             userData;
    XmLGridCellRefValues *defCellValues;  // the column's own defaults, one reference held
    Widget                grid;
    Dimension             pixelWidth;     // cache, valid while bit 0 of flags is set
    unsigned char         flags;
    int                   visPos;
} XmLGridColumnRec;

// ---- Class record

typedef Boolean (*XmLGridPreLayoutProc)(Widget w, int isVert);
typedef XmLGridRow (*XmLGridRowNewProc)(Widget grid);
typedef void (*XmLGridRowFreeProc)(XmLGridRow row);
typedef XrmQuark (*XmLGridGetRowValueMaskProc)(XmLGridWidget g, char *name, long *mask);
typedef void (*XmLGridGetRowValueProc)(XmLGridWidget g, XmLGridRow row, XtArgVal value,
                                       long mask);
typedef int (*XmLGridSetRowValuesProc)(XmLGridWidget g, XmLGridRow row, long mask);
typedef XmLGridColumn (*XmLGridColumnNewProc)(Widget grid);
typedef void (*XmLGridColumnFreeProc)(XmLGridColumn column);
typedef XrmQuark (*XmLGridGetColumnValueMaskProc)(XmLGridWidget g, char *name,
                                                  long *mask);
typedef void (*XmLGridGetColumnValueProc)(XmLGridWidget g, XmLGridColumn column,
                                          XtArgVal value, long mask);
typedef int (*XmLGridSetColumnValuesProc)(XmLGridWidget g, XmLGridColumn column, long mask);
typedef int (*XmLGridSetCellValuesProc)(XmLGridWidget g, XmLGridRow row, XmLGridColumn column,
                                        XmLGridCell cell, long mask);
typedef int (*XmLGridCellActionProc)(XmLGridCell cell, Widget w, XmLGridCallbackData *cbs);

#define XmInheritGridPreLayout       ((XmLGridPreLayoutProc)_XtInherit)
#define XmInheritGridRowNew          ((XmLGridRowNewProc)_XtInherit)
#define XmInheritGridRowFree         ((XmLGridRowFreeProc)_XtInherit)
#define XmInheritGridGetRowValueMask ((XmLGridGetRowValueMaskProc)_XtInherit)
#define XmInheritGridGetRowValue     ((XmLGridGetRowValueProc)_XtInherit)
#define XmInheritGridSetRowValues    ((XmLGridSetRowValuesProc)_XtInherit)
#define XmInheritGridColumnNew       ((XmLGridColumnNewProc)_XtInherit)
#define XmInheritGridColumnFree      ((XmLGridColumnFreeProc)_XtInherit)
#define XmInheritGridGetColumnValueMask ((XmLGridGetColumnValueMaskProc)_XtInherit)
#define XmInheritGridGetColumnValue  ((XmLGridGetColumnValueProc)_XtInherit)
#define XmInheritGridSetColumnValues ((XmLGridSetColumnValuesProc)_XtInherit)
#define XmInheritGridSetCellValues   ((XmLGridSetCellValuesProc)_XtInherit)
#define XmInheritGridCellAction      ((XmLGridCellActionProc)_XtInherit)

typedef struct {
    int                           initialRows;
    int                           initialColumns;
    XmLGridPreLayoutProc          preLayoutProc;
    Cardinal                      rowRecSize;
    XmLGridRowNewProc             rowNewProc;
    XmLGridRowFreeProc            rowFreeProc;
    XmLGridGetRowValueMaskProc    getRowValueMaskProc;
    XmLGridGetRowValueProc        getRowValueProc;
    XmLGridSetRowValuesProc       setRowValuesProc;
    Cardinal                      columnRecSize;
    XmLGridColumnNewProc          columnNewProc;
    XmLGridColumnFreeProc         columnFreeProc;
    XmLGridGetColumnValueMaskProc getColumnValueMaskProc;
    XmLGridGetColumnValueProc     getColumnValueProc;
    XmLGridSetColumnValuesProc    setColumnValuesProc;
    XmLGridSetCellValuesProc      setCellValuesProc;
    XmLGridCellActionProc         cellActionProc;
    XtPointer                     extension;
} XmLGridClassPart;

typedef struct _XmLGridClassRec {
    CoreClassPart       core_class;
    CompositeClassPart  composite_class;
    ConstraintClassPart constraint_class;
    XmManagerClassPart  manager_class;
    XmLGridClassPart    grid_class;
} XmLGridClassRec;

extern XmLGridClassRec xmlGridClassRec;

// ---- Instance record

// One of the nine regions the layout cuts the window into.
typedef struct {
    int x, y, width, height;
    int row, col;       // first absolute row and column
    int nrow, ncol;
} GridReg;

typedef struct {
    int leftFixedCount, rightFixedCount;        // resources
    int headingRows, footerRows;
    int topFixedCount, bottomFixedCount;
    int headingColumns, footerColumns;
    Dimension leftFixedMargin, rightFixedMargin, topFixedMargin, bottomFixedMargin;
    Dimension scrollBarMargin, highlightThickness, toggleSize;
    Dimension globalPixmapWidth, globalPixmapHeight;
    unsigned char selectionPolicy;
    Boolean layoutFrozen, immediateDraw;
    int debugLevel;
    unsigned char verticalSizePolicy, horizontalSizePolicy;
    unsigned char hsbDisplayPolicy, vsbDisplayPolicy;
    int rows, columns, hiddenRows, hiddenColumns;
    int shadowRegions;
    unsigned char shadowType;
    Widget horizontalScrollBar, verticalScrollBar, textWidget;
    XmFontList fontList;        // the grid's own copy
    Pixel blankBackground, selectBackground, selectForeground;
    Pixel toggleTopColor, toggleBottomColor;
    int visibleColumns, visibleRows;
    char *simpleHeadings, *simpleWidths;  // the grid's own copies
    XtTranslations editTranslations, traverseTranslations;
    Boolean allowRowHide, allowColumnHide, allowRowResize, allowColumnResize;
    Boolean allowDragSelected, allowDrop, autoSelect, highlightRowMode, useAverageFontWidth;
    int scrollRowPos, scrollColumnPos;  // private: absolute first scrolling row and column
    int scrollRow, scrollColumn;        // resources: the same as content positions
    XtCallbackList addCallback, deleteCallback, cellDrawCallback, cellFocusCallback;
    XtCallbackList cellDropCallback, cellPasteCallback, activateCallback, editCallback;
    XtCallbackList selectCallback, deselectCallback, resizeCallback, scrollCallback;

    GC gc;                      // private: made by Realize
    Cursor hResizeCursor, vResizeCursor;  // private: made by Initialize
    XFontStruct *fallbackFont;  // private: "fixed", loaded by Realize; null when missing

    Boolean hasFocus, inEdit;   // private: interaction state of selection and actions
    unsigned char dragMode;     // 0 none, 1 selecting, 2 resizing
    Boolean pixelScroll;
    int pixelScrollOffset;
    unsigned char cursorType;
    Boolean textHidden, resizeIsRow, hasSpans;
    Boolean spanMarks;          // private: a cell was given a span, so cells may be marked
    int layoutDepth;
    int structureDepth;         // private: rows or columns are being changed (callbacks run)
    Boolean needsHorizLayout, needsVertLayout, colVisPosDirty, rowVisPosDirty;
    unsigned char dragScrollFlags;  // autoscroll directions; non-zero while the timer runs
    XtIntervalId dragTimerId;
    int resizeRow, resizeColumn, resizeLinePos;
    int extendRow, extendColumn, extendToRow, extendToColumn;
    Boolean extendSelects;
    int lastSelectRow, lastSelectColumn;
    Time lastSelectTime;
    int focusRow, focusColumn;
    int dropRow, dropColumn;

    XmLArray rowArray, colArray;    // private: records in absolute order
    GridReg reg[9];                 // private: set by the layout passes

    int cellRow, cellRowRangeStart, cellRowRangeEnd, rowStep;      // selector staging
    int cellColumn, cellColumnRangeStart, cellColumnRangeEnd, columnStep;
    unsigned char cellRowType, cellColumnType;
    Boolean cellDefaults;
    XtPointer rowUserData;                                          // value staging
    Dimension rowHeight;
    unsigned char rowSizePolicy;
    XtPointer columnUserData;
    Dimension columnWidth;
    unsigned char columnSizePolicy;
    XmLGridCellRefValues cellValues;
    XmString cellString;
    Boolean cellToggleSet;
    Pixmap cellPixmap, cellPixmapMask;
    Dimension cellPixmapWidth, cellPixmapHeight;

    XmLGridCellRefValues *defaultCellValues;   // private: one reference held
    struct GridLiveRecords *liveRecords;       // private: the records in the arrays
} XmLGridPart;

typedef struct _XmLGridRec {
    CorePart       core;
    CompositePart  composite;
    ConstraintPart constraint;
    XmManagerPart  manager;
    XmLGridPart    grid;
} XmLGridRec;

// ---- Internal operations shared by the Grid files

enum { DRAW_ALL, DRAW_HSCROLL, DRAW_VSCROLL, DRAW_ROW, DRAW_COLUMN, DRAW_CELL };
enum { TEXT_HIDE = 1, TEXT_SHOW, TEXT_EDIT_INSERT, TEXT_EDIT_CANCEL, TEXT_EDIT_COMPLETE,
       TEXT_EDIT };
enum { SelectRow, SelectColumn, SelectCell };
enum { CursorNone, CursorHResize, CursorVResize };
enum { DragNone, DragSelect, DragResize };

// Row and column value masks.
enum { RVML_HEIGHT = 1, RVML_SIZEPOLICY = 2, RVML_USERDATA = 4 };
enum { CVML_WIDTH = 1, CVML_SIZEPOLICY = 2, CVML_USERDATA = 4 };
// Cell value mask.
enum {
    CVA_ALIGNMENT = 0x1,
    CVA_BACKGROUND = 0x2,
    CVA_BOTTOMBORDERCOLOR = 0x4,
    CVA_BOTTOMBORDERTYPE = 0x8,
    CVA_COLUMNSPAN = 0x10,
    CVA_EDITABLE = 0x20,
    CVA_FONTLIST = 0x40,
    CVA_FOREGROUND = 0x80,
    CVA_LEFTBORDERCOLOR = 0x100,
    CVA_LEFTBORDERTYPE = 0x200,
    CVA_MARGINBOTTOM = 0x400,
    CVA_MARGINLEFT = 0x800,
    CVA_MARGINRIGHT = 0x1000,
    CVA_MARGINTOP = 0x2000,
    CVA_PIXMAP = 0x4000,
    CVA_PIXMAPMASK = 0x8000,
    CVA_RIGHTBORDERCOLOR = 0x10000,
    CVA_RIGHTBORDERTYPE = 0x20000,
    CVA_ROWSPAN = 0x40000,
    CVA_STRING = 0x80000,
    CVA_TOGGLESET = 0x100000,
    CVA_TOPBORDERCOLOR = 0x200000,
    CVA_TOPBORDERTYPE = 0x400000,
    CVA_TYPE = 0x800000,
    CVA_USERDATA = 0x1000000
};

// Grid.cpp
XmLGridWidget WidgetToGrid(Widget w, const char *funcname);
void GridDebug(XmLGridWidget g, int level, const char *format, ...)
    __attribute__((format(printf, 3, 4)));

// GridRecords.cpp: row and column records
XmLGridRow    GridRowNew(Widget grid);
void          GridRowFree(Widget grid, XmLGridRow row);
XmLGridColumn GridColumnNew(Widget grid);
void          GridColumnFree(Widget grid, XmLGridColumn column);
XmLGridRow    RowNewProc(Widget grid);
void          RowFreeProc(XmLGridRow row);
XmLGridColumn ColumnNewProc(Widget grid);
void          ColumnFreeProc(XmLGridColumn column);
XmLArray      RowCells(XmLGridRow row);
int           RowPos(XmLGridRow row);
int           ColumnPos(XmLGridColumn column);
int           RowVisPos(XmLGridRow row);
void          RowSetVisPos(XmLGridRow row, int visPos);
int           ColumnVisPos(XmLGridColumn column);
void          ColumnSetVisPos(XmLGridColumn column, int visPos);
Boolean       RowIsHidden(XmLGridRow row);
Boolean       ColumnIsHidden(XmLGridColumn column);
Boolean       RowIsSelected(XmLGridRow row);
void          RowSetSelected(XmLGridRow row, Boolean selected);
Boolean       ColumnIsSelected(XmLGridColumn column);
void          ColumnSetSelected(XmLGridColumn column, Boolean selected);
Dimension     RowHeightInPixels(XmLGridRow row);
Dimension     ColumnWidthInPixels(XmLGridColumn column);
void          LiveRecordsCreate(XmLGridWidget g);
void          LiveRecordsFree(XmLGridWidget g);
void          LiveRecordAdd(XmLGridWidget g, bool isRow, const void *record);
bool          RecordIsLive(XmLGridWidget g, bool isRow, const void *record);
void          RowHeightChanged(XmLGridRow row);
void          ColumnWidthChanged(XmLGridColumn column);
void          SetSimpleHeadings(XmLGridWidget g, const char *text);
void          SetSimpleWidths(XmLGridWidget g, const char *text);
enum { kSimpleWidthTooLarge = -2 };
int           ParseSimpleWidths(const char *text, int *widths, unsigned char *policies,
                                int room);

// GridCell.cpp: cells, shared values and the cell action
XmLGridCellRefValues *CellRefValuesCreate(XmLGridWidget g, XmLGridCellRefValues *copy);
XmLGridCellRefValues *CellRefValues(XmLGridCell cell);
void     CellSetRefValues(XmLGridCell cell, XmLGridCellRefValues *values);
void     CellRefValuesRelease(XmLGridCellRefValues *values);
XmLGridCell CellNew(void);
void     CellFree(Widget grid, XmLGridCell cell);
Boolean  CellIsSelected(XmLGridCell cell);
void     CellSetSelected(XmLGridCell cell, Boolean selected);
Boolean  CellIsValueSet(XmLGridCell cell);
void     CellSetValueSet(XmLGridCell cell, Boolean set);
Boolean  CellInRowSpan(XmLGridCell cell);
void     CellSetInRowSpan(XmLGridCell cell, Boolean set);
Boolean  CellInColumnSpan(XmLGridCell cell);
void     CellSetInColumnSpan(XmLGridCell cell, Boolean set);
void     CellSetString(XmLGridCell cell, XmString string, Boolean copy);
XmString CellGetString(XmLGridCell cell);
void     CellSetPixmap(XmLGridCell cell, Pixmap pixmap, Dimension width, Dimension height);
XmLGridPixmap *CellGetPixmap(XmLGridCell cell);
void     CellSetToggle(XmLGridCell cell, Boolean state);
Boolean  CellGetToggle(XmLGridCell cell);
void     CellFreeValue(XmLGridCell cell);
int      CellAction(XmLGridCell cell, Widget w, XmLGridCallbackData *cbs);
int      CellActionProc(XmLGridCell cell, Widget w, XmLGridCallbackData *cbs);

// GridGeom.cpp: addressing, geometry and hit testing
unsigned char RowPosToType(XmLGridWidget g, int pos);
unsigned char ColPosToType(XmLGridWidget g, int pos);
int  RowPosToTypePos(XmLGridWidget g, unsigned char type, int pos);
int  ColPosToTypePos(XmLGridWidget g, unsigned char type, int pos);
int  RowTypePosToPos(XmLGridWidget g, unsigned char type, int pos, int allowEnd);
int  ColTypePosToPos(XmLGridWidget g, unsigned char type, int pos, int allowEnd);
XmLGridRow    GridRow(XmLGridWidget g, int pos);
XmLGridColumn GridColumn(XmLGridWidget g, int pos);
int  GetRowHeight(XmLGridWidget g, int row);
int  GetColWidth(XmLGridWidget g, int col);
XmLGridCell GetCell(XmLGridWidget g, int row, int col);
int  RowCount(XmLGridWidget g);
int  ColCount(XmLGridWidget g);
void VisPosChanged(XmLGridWidget g, int isVert);
void RecalcVisPos(XmLGridWidget g, int isVert);
int  PosToVisPos(XmLGridWidget g, int pos, int isVert);
int  VisPosToPos(XmLGridWidget g, int visPos, int isVert);
int  RowColToXY(XmLGridWidget g, int row, int col, Boolean clipped, XRectangle *rect);
int  RowColFirstSpan(XmLGridWidget g, int row, int col, int *spanRow, int *spanCol,
                     XRectangle *rect, Boolean lookLeft, Boolean lookUp);
void RowColSpanRect(XmLGridWidget g, int row, int col, XRectangle *rect);
int  XYToRowCol(XmLGridWidget g, int x, int y, int *row, int *col);
int  PosIsResize(XmLGridWidget g, int x, int y, int *row, int *col, int *isVert);
int  RowIsVisible(XmLGridWidget g, int row);
int  ColIsVisible(XmLGridWidget g, int col);
int  ScrollRowBottomPos(XmLGridWidget g, int row);
int  ScrollColumnRightPos(XmLGridWidget g, int col);
bool ClipToRegion(XmLGridWidget g, XRectangle *r, const GridReg *reg);
bool MakeRect(int x, int y, int width, int height, XRectangle *rect);

// GridLayout.cpp: layout and scrolling
void VertLayout(XmLGridWidget g, int resizeIfNeeded);
void HorizLayout(XmLGridWidget g, int resizeIfNeeded);
void PlaceScrollbars(XmLGridWidget g);
void ScrollCB(Widget w, XtPointer clientData, XtPointer callData);
void MakeRowVisible(XmLGridWidget g, int row);
void MakeColVisible(XmLGridWidget g, int col);
void ApplyVisibleRows(XmLGridWidget g);
void ApplyVisibleColumns(XmLGridWidget g);

// GridDraw.cpp: drawing
void DrawArea(XmLGridWidget g, int type, int row, int col);
void Redisplay(Widget w, XEvent *event, Region region);
enum { ResizeLineMove, ResizeLineRefresh, ResizeLineEnd };
void DrawResizeLine(XmLGridWidget g, int pos, int mode);
void DefineCursor(XmLGridWidget g, int type);

// GridSelect.cpp: selection, focus and edit state
void SelectTypeArea(XmLGridWidget g, int kind, XEvent *event, int row, int col, Boolean select,
                    Boolean notify);
int  GetSelectedArea(XmLGridWidget g, int kind, int *rows, int *cols, int count);
void ExtendSelect(XmLGridWidget g, XEvent *event, Boolean setAnchor, int row, int col);
void ExtendSelectRange(XmLGridWidget g, int *kind, int *fr, int *lr, int *fc, int *lc);
int  FindNextFocus(XmLGridWidget g, int row, int col, int rowDir, int colDir, int *nextRow,
                   int *nextCol);
int  SetFocus(XmLGridWidget g, int row, int col, int rowDir, int colDir);
void ChangeFocus(XmLGridWidget g, int row, int col);
void TextAction(XmLGridWidget g, int action);
void DropFocus(XmLGridWidget g, bool row);
void DropEdit(XmLGridWidget g);

// GridText.cpp: text exchange
int     Read(XmLGridWidget g, int format, char delimiter, int row, int col, const char *data);
void    Write(XmLGridWidget g, FILE *file, int format, char delimiter, Boolean skipHidden,
              int row, int col, int nrow, int ncol);
char   *CopyDataToBuffer(XmLGridWidget g, Boolean selected, int row, int col, int nrow,
                         int ncol);
Boolean Copy(XmLGridWidget g, Time time, Boolean selected, int row, int col, int nrow,
             int ncol);
Boolean Paste(XmLGridWidget g, int row, int col);
char   *FileToString(FILE *file);
char   *CellStringToText(XmString string);
XmString TextToCellString(const char *text, size_t length);
void    DropRegister(XmLGridWidget g, Boolean allow);
void    DropTransfer(Widget w, XtPointer clientData, Atom *selection, Atom *type,
                     XtPointer value, unsigned long *length, int *format);
void    DragStart(XmLGridWidget g, XEvent *event);

// GridResources.cpp: sub-resources and resource changes
Boolean SetValues(Widget cur, Widget req, Widget nw, ArgList args, Cardinal *nargs);
void    GetSubValues(Widget w, ArgList args, Cardinal *nargs);
XrmQuark GetRowValueMask(XmLGridWidget g, char *name, long *mask);
void    GetRowValue(XmLGridWidget g, XmLGridRow row, XtArgVal value, long mask);
int     SetRowValues(XmLGridWidget g, XmLGridRow row, long mask);
XrmQuark GetColumnValueMask(XmLGridWidget g, char *name, long *mask);
void    GetColumnValue(XmLGridWidget g, XmLGridColumn col, XtArgVal value, long mask);
int     SetColumnValues(XmLGridWidget g, XmLGridColumn col, long mask);
XrmQuark GetCellValueMask(char *name, long *mask);
void    GetCellValue(XmLGridCell cell, XtArgVal value, long mask);
int     SetCellValues(XmLGridWidget g, XmLGridRow row, XmLGridColumn col, XmLGridCell cell,
                      long mask);
void    SetCellPixmapSize(XmLGridWidget g, long mask);
Boolean CellMaskHasRefValues(long mask);
void    SetCellRefValues(XmLGridWidget g, XmLGridCellRefValues *values, long mask);
void    SetCellPerCellValues(XmLGridWidget g, XmLGridCell cell, long mask);
int     CellRefValuesCompare(void *userData, void *a, void *b);
void    SetCellSpans(XmLGridWidget g, int row, int col, XmLGridCell cell, long mask);
void    MarkSpans(XmLGridWidget g);
void    ResetSelectors(XmLGridWidget g);

// GridActions.cpp: actions and text-child callbacks
extern const char xmlGridTranslations[];
extern const char xmlGridTraverseTranslations[];
extern const char xmlGridEditTranslations[];
void EditCompleteAction(Widget w, XEvent *event, String *params, Cardinal *nparams);
void ButtonMotionAction(Widget w, XEvent *event, String *params, Cardinal *nparams);
void CursorMotionAction(Widget w, XEvent *event, String *params, Cardinal *nparams);
void EditCancelAction(Widget w, XEvent *event, String *params, Cardinal *nparams);
void EditAction(Widget w, XEvent *event, String *params, Cardinal *nparams);
void SelectAction(Widget w, XEvent *event, String *params, Cardinal *nparams);
void DragStartAction(Widget w, XEvent *event, String *params, Cardinal *nparams);
void TraverseAction(Widget w, XEvent *event, String *params, Cardinal *nparams);
void TextActivateCB(Widget w, XtPointer clientData, XtPointer callData);
void TextFocusCB(Widget w, XtPointer clientData, XtPointer callData);
void TextModifyVerifyCB(Widget w, XtPointer clientData, XtPointer callData);
void TextMapCB(Widget w, XtPointer clientData, XEvent *event, Boolean *cont);
void RemoveDragTimer(XmLGridWidget g);
XmLGridWidget ActionGrid(Widget w, const char *action);

// How the grid asks which class procedure to run.
inline XmLGridClassPart *GridClassPart(XmLGridWidget g)
{
    return &((XmLGridWidgetClass)XtClass((Widget)g))->grid_class;
}

#endif
