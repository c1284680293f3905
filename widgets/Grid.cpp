// Grid.cpp - XmLGrid: resources, class record, life cycle and converters.
#include "widgets/Grid.h"
#include "widgets/GridP.h"

#include <Xm/ScrollBar.h>
#include <Xm/Text.h>
#include <Xm/XmP.h>

#include <cstdarg>
#include <cstring>

// ---- Declarations

static void    ClassInitialize(void);
static void    ClassPartInitialize(WidgetClass wc);
static void    Initialize(Widget request, Widget nw, ArgList args, Cardinal *argCount);
static void    Realize(Widget w, XtValueMask *mask, XSetWindowAttributes *attributes);
static void    Destroy(Widget w);
static void    Resize(Widget w);
static XtGeometryResult GeometryManager(Widget w, XtWidgetGeometry *request,
                                        XtWidgetGeometry *reply);
static void    ChangeManaged(Widget w);
static void    DefaultBackground(Widget w, int offset, XrmValue *value);
static void    DefaultForeground(Widget w, int offset, XrmValue *value);
static Boolean CvtStringToSizePolicy(Display *display, XrmValuePtr args, Cardinal *argCount,
                                     XrmValuePtr from, XrmValuePtr to, XtPointer *data);
static Boolean CvtStringToSelectionPolicy(Display *display, XrmValuePtr args,
                                          Cardinal *argCount, XrmValuePtr from, XrmValuePtr to,
                                          XtPointer *data);
static Boolean CvtStringToCellAlignment(Display *display, XrmValuePtr args, Cardinal *argCount,
                                        XrmValuePtr from, XrmValuePtr to, XtPointer *data);
static Boolean CvtStringToCellType(Display *display, XrmValuePtr args, Cardinal *argCount,
                                   XrmValuePtr from, XrmValuePtr to, XtPointer *data);
static Boolean CvtStringToCellBorderType(Display *display, XrmValuePtr args, Cardinal *argCount,
                                         XrmValuePtr from, XrmValuePtr to, XtPointer *data);

// ---- Resources

#define GRID_OFFSET(field) XtOffsetOf(XmLGridRec, grid.field)
#define CALLBACK_RESOURCE(name, field) \
    {(char *)name, (char *)XmCCallback, (char *)XmRCallback, sizeof(XtCallbackList), \
     GRID_OFFSET(field), XmRImmediate, (XtPointer)NULL}
#define RESOURCE(name, cls, type, size, field, deftype, def) \
    {(char *)name, (char *)cls, (char *)type, size, GRID_OFFSET(field), (char *)deftype, \
     (XtPointer)(def)}
#define BOOLEAN_RESOURCE(name, cls, field, def) \
    RESOURCE(name, cls, XmRBoolean, sizeof(Boolean), field, XmRImmediate, def)
#define INT_RESOURCE(name, cls, field, def) \
    RESOURCE(name, cls, XmRInt, sizeof(int), field, XmRImmediate, def)
#define DIMENSION_RESOURCE(name, cls, field, def) \
    RESOURCE(name, cls, XmRDimension, sizeof(Dimension), field, XmRImmediate, def)
#define PIXEL_RESOURCE(name, cls, field) \
    RESOURCE(name, cls, XmRPixel, sizeof(Pixel), field, XmRImmediate, 0)
#define UCHAR_RESOURCE(name, cls, type, field, def) \
    RESOURCE(name, cls, type, sizeof(unsigned char), field, XmRImmediate, def)

static XtResource resources[] = {
    CALLBACK_RESOURCE(XmNactivateCallback, activateCallback),
    CALLBACK_RESOURCE(XmNaddCallback, addCallback),
    BOOLEAN_RESOURCE(XmNallowColumnHide, XmCAllowColumnHide, allowColumnHide, False),
    BOOLEAN_RESOURCE(XmNallowColumnResize, XmCAllowColumnResize, allowColumnResize, False),
    BOOLEAN_RESOURCE(XmNallowDragSelected, XmCAllowDragSelected, allowDragSelected, False),
    BOOLEAN_RESOURCE(XmNallowDrop, XmCAllowDrop, allowDrop, False),
    BOOLEAN_RESOURCE(XmNallowRowHide, XmCAllowRowHide, allowRowHide, False),
    BOOLEAN_RESOURCE(XmNallowRowResize, XmCAllowRowResize, allowRowResize, False),
    BOOLEAN_RESOURCE(XmNautoSelect, XmCAutoSelect, autoSelect, True),
    RESOURCE(XmNblankBackground, XmCBlankBackground, XmRPixel, sizeof(Pixel), blankBackground,
             XmRCallProc, DefaultBackground),
    INT_RESOURCE(XmNbottomFixedCount, XmCBottomFixedCount, bottomFixedCount, 0),
    DIMENSION_RESOURCE(XmNbottomFixedMargin, XmCBottomFixedMargin, bottomFixedMargin, 0),
    BOOLEAN_RESOURCE(XmNcellDefaults, XmCCellDefaults, cellDefaults, False),
    CALLBACK_RESOURCE(XmNcellDrawCallback, cellDrawCallback),
    CALLBACK_RESOURCE(XmNcellDropCallback, cellDropCallback),
    CALLBACK_RESOURCE(XmNcellFocusCallback, cellFocusCallback),
    CALLBACK_RESOURCE(XmNcellPasteCallback, cellPasteCallback),
    INT_RESOURCE(XmNcolumns, XmCColumns, columns, 0),
    CALLBACK_RESOURCE(XmNdeleteCallback, deleteCallback),
    CALLBACK_RESOURCE(XmNdeselectCallback, deselectCallback),
    INT_RESOURCE(XmNdebugLevel, XmCDebugLevel, debugLevel, 0),
    CALLBACK_RESOURCE(XmNeditCallback, editCallback),
    RESOURCE(XmNeditTranslations, XtCTranslations, XmRTranslationTable, sizeof(XtTranslations),
             editTranslations, XmRString, xmlGridEditTranslations),
    RESOURCE(XmNfontList, XmCFontList, XmRFontList, sizeof(XmFontList), fontList,
             XmRImmediate, NULL),
    INT_RESOURCE(XmNfooterColumns, XmCFooterColumns, footerColumns, 0),
    INT_RESOURCE(XmNfooterRows, XmCFooterRows, footerRows, 0),
    DIMENSION_RESOURCE(XmNglobalPixmapHeight, XmCGlobalPixmapHeight, globalPixmapHeight, 0),
    DIMENSION_RESOURCE(XmNglobalPixmapWidth, XmCGlobalPixmapWidth, globalPixmapWidth, 0),
    INT_RESOURCE(XmNheadingColumns, XmCHeadingColumns, headingColumns, 0),
    INT_RESOURCE(XmNheadingRows, XmCHeadingRows, headingRows, 0),
    INT_RESOURCE(XmNhiddenColumns, XmCHiddenColumns, hiddenColumns, 0),
    INT_RESOURCE(XmNhiddenRows, XmCHiddenRows, hiddenRows, 0),
    BOOLEAN_RESOURCE(XmNhighlightRowMode, XmCHighlightRowMode, highlightRowMode, False),
    DIMENSION_RESOURCE(XmNhighlightThickness, XmCHighlightThickness, highlightThickness, 2),
    RESOURCE(XmNhorizontalScrollBar, XmCHorizontalScrollBar, XmRWidget, sizeof(Widget),
             horizontalScrollBar, XmRImmediate, NULL),
    UCHAR_RESOURCE(XmNhorizontalSizePolicy, XmCHorizontalSizePolicy, XmRGridSizePolicy,
                   horizontalSizePolicy, XmCONSTANT),
    UCHAR_RESOURCE(XmNhsbDisplayPolicy, XmCHsbDisplayPolicy, XmRScrollBarDisplayPolicy,
                   hsbDisplayPolicy, XmAS_NEEDED),
    BOOLEAN_RESOURCE(XmNimmediateDraw, XmCImmediateDraw, immediateDraw, False),
    BOOLEAN_RESOURCE(XmNlayoutFrozen, XmCLayoutFrozen, layoutFrozen, False),
    INT_RESOURCE(XmNleftFixedCount, XmCLeftFixedCount, leftFixedCount, 0),
    DIMENSION_RESOURCE(XmNleftFixedMargin, XmCLeftFixedMargin, leftFixedMargin, 0),
    INT_RESOURCE(XmNrightFixedCount, XmCRightFixedCount, rightFixedCount, 0),
    DIMENSION_RESOURCE(XmNrightFixedMargin, XmCRightFixedMargin, rightFixedMargin, 0),
    CALLBACK_RESOURCE(XmNresizeCallback, resizeCallback),
    INT_RESOURCE(XmNrows, XmCRows, rows, 0),
    DIMENSION_RESOURCE(XmNscrollBarMargin, XmCScrollBarMargin, scrollBarMargin, 2),
    CALLBACK_RESOURCE(XmNscrollCallback, scrollCallback),
    INT_RESOURCE(XmNscrollColumn, XmCScrollColumn, scrollColumn, 0),
    INT_RESOURCE(XmNscrollRow, XmCScrollRow, scrollRow, 0),
    CALLBACK_RESOURCE(XmNselectCallback, selectCallback),
    UCHAR_RESOURCE(XmNselectionPolicy, XmCGridSelectionPolicy, XmRGridSelectionPolicy,
                   selectionPolicy, XmSELECT_BROWSE_ROW),
    RESOURCE(XmNselectBackground, XmCSelectBackground, XmRPixel, sizeof(Pixel),
             selectBackground, XmRCallProc, DefaultForeground),
    RESOURCE(XmNselectForeground, XmCSelectForeground, XmRPixel, sizeof(Pixel),
             selectForeground, XmRCallProc, DefaultBackground),
    INT_RESOURCE(XmNshadowRegions, XmCShadowRegions, shadowRegions, 511),
    UCHAR_RESOURCE(XmNshadowType, XmCShadowType, XmRShadowType, shadowType, XmSHADOW_OUT),
    RESOURCE(XmNsimpleHeadings, XmCSimpleHeadings, XmRString, sizeof(char *), simpleHeadings,
             XmRImmediate, NULL),
    RESOURCE(XmNsimpleWidths, XmCSimpleWidths, XmRString, sizeof(char *), simpleWidths,
             XmRImmediate, NULL),
    RESOURCE(XmNtextWidget, XmCTextWidget, XmRWidget, sizeof(Widget), textWidget, XmRImmediate,
             NULL),
    RESOURCE(XmNtoggleBottomColor, XmCToggleBottomColor, XmRPixel, sizeof(Pixel),
             toggleBottomColor, XmRCallProc, DefaultForeground),
    RESOURCE(XmNtoggleTopColor, XmCToggleTopColor, XmRPixel, sizeof(Pixel), toggleTopColor,
             XmRCallProc, DefaultForeground),
    DIMENSION_RESOURCE(XmNtoggleSize, XmCToggleSize, toggleSize, 16),
    RESOURCE(XmNtraverseTranslations, XtCTranslations, XmRTranslationTable,
             sizeof(XtTranslations), traverseTranslations, XmRString,
             xmlGridTraverseTranslations),
    INT_RESOURCE(XmNtopFixedCount, XmCTopFixedCount, topFixedCount, 0),
    DIMENSION_RESOURCE(XmNtopFixedMargin, XmCTopFixedMargin, topFixedMargin, 0),
    BOOLEAN_RESOURCE(XmNuseAverageFontWidth, XmCUseAverageFontWidth, useAverageFontWidth, True),
    RESOURCE(XmNverticalScrollBar, XmCVerticalScrollBar, XmRWidget, sizeof(Widget),
             verticalScrollBar, XmRImmediate, NULL),
    UCHAR_RESOURCE(XmNverticalSizePolicy, XmCVerticalSizePolicy, XmRGridSizePolicy,
                   verticalSizePolicy, XmCONSTANT),
    INT_RESOURCE(XmNvisibleColumns, XmCVisibleColumns, visibleColumns, 0),
    INT_RESOURCE(XmNvisibleRows, XmCVisibleRows, visibleRows, 0),
    UCHAR_RESOURCE(XmNvsbDisplayPolicy, XmCVsbDisplayPolicy, XmRScrollBarDisplayPolicy,
                   vsbDisplayPolicy, XmAS_NEEDED),

    // Row, column and cell sub-resources: staging fields that SetValues and
    // GetValuesHook apply to the rows, columns and cells the selectors name.
    INT_RESOURCE(XmNrow, "row", cellRow, -1),
    INT_RESOURCE(XmNrowRangeEnd, XmCRowRangeEnd, cellRowRangeEnd, -1),
    INT_RESOURCE(XmNrowRangeStart, XmCRowRangeStart, cellRowRangeStart, -1),
    INT_RESOURCE(XmNrowStep, XmCRowStep, rowStep, 1),
    UCHAR_RESOURCE(XmNrowType, XmCRowType, XmRUnsignedChar, cellRowType, XmINVALID_TYPE),
    INT_RESOURCE(XmNcolumn, XmCColumn, cellColumn, -1),
    INT_RESOURCE(XmNcolumnRangeEnd, XmCColumnRangeEnd, cellColumnRangeEnd, -1),
    INT_RESOURCE(XmNcolumnRangeStart, XmCColumnRangeStart, cellColumnRangeStart, -1),
    INT_RESOURCE(XmNcolumnStep, XmCColumnStep, columnStep, 1),
    UCHAR_RESOURCE(XmNcolumnType, XmCColumnType, XmRUnsignedChar, cellColumnType,
                   XmINVALID_TYPE),
    RESOURCE(XmNrowUserData, XmCUserData, XmRPointer, sizeof(XtPointer), rowUserData,
             XmRImmediate, NULL),
    DIMENSION_RESOURCE(XmNrowHeight, XmCRowHeight, rowHeight, 0),
    UCHAR_RESOURCE(XmNrowSizePolicy, XmCRowSizePolicy, XmRGridSizePolicy, rowSizePolicy, 0),
    RESOURCE(XmNcolumnUserData, XmCUserData, XmRPointer, sizeof(XtPointer), columnUserData,
             XmRImmediate, NULL),
    DIMENSION_RESOURCE(XmNcolumnWidth, XmCColumnWidth, columnWidth, 0),
    UCHAR_RESOURCE(XmNcolumnSizePolicy, XmCColumnSizePolicy, XmRGridSizePolicy,
                   columnSizePolicy, 0),
    UCHAR_RESOURCE(XmNcellAlignment, XmCCellAlignment, XmRGridCellAlignment,
                   cellValues.alignment, 0),
    PIXEL_RESOURCE(XmNcellBackground, XmCCellBackground, cellValues.background),
    PIXEL_RESOURCE(XmNcellBottomBorderColor, XmCCellBottomBorderColor,
                   cellValues.bottomBorderColor),
    UCHAR_RESOURCE(XmNcellBottomBorderType, XmCCellBottomBorderType, XmRGridCellBorderType,
                   cellValues.bottomBorderType, 0),
    INT_RESOURCE(XmNcellColumnSpan, XmCCellColumnSpan, cellValues.columnSpan, 0),
    BOOLEAN_RESOURCE(XmNcellEditable, XmCCellEditable, cellValues.editable, False),
    RESOURCE(XmNcellFontList, XmCCellFontList, XmRFontList, sizeof(XmFontList),
             cellValues.fontList, XmRImmediate, NULL),
    PIXEL_RESOURCE(XmNcellForeground, XmCCellForeground, cellValues.foreground),
    PIXEL_RESOURCE(XmNcellLeftBorderColor, XmCCellLeftBorderColor, cellValues.leftBorderColor),
    UCHAR_RESOURCE(XmNcellLeftBorderType, XmCCellLeftBorderType, XmRGridCellBorderType,
                   cellValues.leftBorderType, 0),
    DIMENSION_RESOURCE(XmNcellMarginBottom, XmCCellMarginBottom, cellValues.bottomMargin, 0),
    DIMENSION_RESOURCE(XmNcellMarginLeft, XmCCellMarginLeft, cellValues.leftMargin, 0),
    DIMENSION_RESOURCE(XmNcellMarginRight, XmCCellMarginRight, cellValues.rightMargin, 0),
    DIMENSION_RESOURCE(XmNcellMarginTop, XmCCellMarginTop, cellValues.topMargin, 0),
    RESOURCE(XmNcellPixmap, XmCCellPixmap, XmRManForegroundPixmap, sizeof(Pixmap), cellPixmap,
             XmRImmediate, XmUNSPECIFIED_PIXMAP),
    RESOURCE(XmNcellPixmapMask, XmCCellPixmapMask, XtRBitmap, sizeof(Pixmap), cellPixmapMask,
             XmRImmediate, XmUNSPECIFIED_PIXMAP),
    PIXEL_RESOURCE(XmNcellRightBorderColor, XmCCellRightBorderColor,
                   cellValues.rightBorderColor),
    UCHAR_RESOURCE(XmNcellRightBorderType, XmCCellRightBorderType, XmRGridCellBorderType,
                   cellValues.rightBorderType, 0),
    INT_RESOURCE(XmNcellRowSpan, XmCCellRowSpan, cellValues.rowSpan, 0),
    RESOURCE(XmNcellString, XmCXmString, XmRXmString, sizeof(XmString), cellString,
             XmRImmediate, NULL),
    BOOLEAN_RESOURCE(XmNcellToggleSet, XmCCellToggleSet, cellToggleSet, False),
    PIXEL_RESOURCE(XmNcellTopBorderColor, XmCCellTopBorderColor, cellValues.topBorderColor),
    UCHAR_RESOURCE(XmNcellTopBorderType, XmCCellTopBorderType, XmRGridCellBorderType,
                   cellValues.topBorderType, 0),
    UCHAR_RESOURCE(XmNcellType, XmCCellType, XmRGridCellType, cellValues.type, 0),
    RESOURCE(XmNcellUserData, XmCUserData, XmRPointer, sizeof(XtPointer), cellValues.userData,
             XmRImmediate, NULL),

    {(char *)XmNshadowThickness, (char *)XmCShadowThickness, (char *)XmRHorizontalDimension,
     sizeof(Dimension), XtOffsetOf(XmLGridRec, manager.shadow_thickness), XmRImmediate,
     (XtPointer)2},
};

static XtActionsRec actions[] = {
    {(char *)"XmLGridEditComplete", EditCompleteAction},
    {(char *)"XmLGridButtonMotion", ButtonMotionAction},
    {(char *)"XmLGridCursorMotion", CursorMotionAction},
    {(char *)"XmLGridEditCancel", EditCancelAction},
    {(char *)"XmLGridEdit", EditAction},
    {(char *)"XmLGridSelect", SelectAction},
    {(char *)"XmLGridDragStart", DragStartAction},
    {(char *)"XmLGridTraverse", TraverseAction},
};

// ---- Class record

XmLGridClassRec xmlGridClassRec = {
    {   // core
        (WidgetClass)&xmManagerClassRec,    // superclass
        (char *)"XmLGrid",                  // class_name
        sizeof(XmLGridRec),                 // widget_size
        ClassInitialize,                    // class_initialize
        ClassPartInitialize,                // class_part_initialize
        False,                              // class_inited
        Initialize,                         // initialize
        NULL,                               // initialize_hook
        Realize,                            // realize
        actions,                            // actions
        XtNumber(actions),                  // num_actions
        resources,                          // resources
        XtNumber(resources),                // num_resources
        NULLQUARK,                          // xrm_class
        True,                               // compress_motion
        XtExposeCompressMaximal,            // compress_exposure
        True,                               // compress_enterleave
        True,                               // visible_interest
        Destroy,                            // destroy
        Resize,                             // resize
        Redisplay,                          // expose
        SetValues,                          // set_values
        NULL,                               // set_values_hook
        XtInheritSetValuesAlmost,           // set_values_almost
        GetSubValues,                       // get_values_hook
        NULL,                               // accept_focus
        XtVersion,                          // version
        NULL,                               // callback_private
        (char *)xmlGridTranslations,        // tm_table
        NULL,                               // query_geometry
        NULL,                               // display_accelerator
        NULL,                               // extension
    },
    {   // composite
        GeometryManager,                    // geometry_manager
        ChangeManaged,                      // change_managed
        XtInheritInsertChild,               // insert_child
        XtInheritDeleteChild,               // delete_child
        NULL,                               // extension
    },
    {   // constraint
        NULL,                               // subresources
        0,                                  // subresource_count
        0,                                  // constraint_size
        NULL,                               // initialize
        NULL,                               // destroy
        NULL,                               // set_values
        NULL,                               // extension
    },
    {   // manager
        XtInheritTranslations,              // translations
        NULL,                               // syn_resources
        0,                                  // num_syn_resources
        NULL,                               // syn_constraint_resources
        0,                                  // num_syn_constraint_resources
        XmInheritParentProcess,             // parent_process
        NULL,                               // extension
    },
    {   // grid
        0,                                  // initialRows
        0,                                  // initialColumns
        XmInheritGridPreLayout,             // preLayoutProc
        sizeof(XmLGridRowRec),              // rowRecSize
        RowNewProc,                         // rowNewProc
        RowFreeProc,                        // rowFreeProc
        GetRowValueMask,                    // getRowValueMaskProc
        GetRowValue,                        // getRowValueProc
        SetRowValues,                       // setRowValuesProc
        sizeof(XmLGridColumnRec),           // columnRecSize
        ColumnNewProc,                      // columnNewProc
        ColumnFreeProc,                     // columnFreeProc
        GetColumnValueMask,                 // getColumnValueMaskProc
        GetColumnValue,                     // getColumnValueProc
        SetColumnValues,                    // setColumnValuesProc
        SetCellValues,                      // setCellValuesProc
        CellActionProc,                     // cellActionProc
        NULL,                               // extension
    },
};

WidgetClass xmlGridWidgetClass = (WidgetClass)&xmlGridClassRec;

// The resize cursors: X bitmaps, hot spot (9, 9).
static const unsigned char sColumnCursorBits[] = {
    0x00, 0x00, 0x00, 0xff, 0x07, 0x00, 0xff, 0x07, 0x00, 0x00, 0x06, 0x00, 0x00, 0x06, 0x00,
    0x20, 0x46, 0x00, 0x30, 0xc6, 0x00, 0x38, 0xc6, 0x01, 0xfc, 0xff, 0x03, 0x38, 0xc6, 0x01,
    0x30, 0xc6, 0x00, 0x20, 0x46, 0x00, 0x00, 0x06, 0x00};
static const unsigned char sColumnCursorMask[] = {
    0xff, 0x0f, 0x00, 0xff, 0x0f, 0x00, 0xff, 0x0f, 0x00, 0xff, 0x0f, 0x00, 0x60, 0x6f, 0x00,
    0x70, 0xef, 0x00, 0x78, 0xef, 0x01, 0xfc, 0xff, 0x03, 0xfe, 0xff, 0x07, 0xfc, 0xff, 0x03,
    0x78, 0xef, 0x01, 0x70, 0xef, 0x00, 0x60, 0x6f, 0x00};
static const unsigned char sRowCursorBits[] = {
    0x06, 0x00, 0x06, 0x00, 0x06, 0x01, 0x86, 0x03, 0xc6, 0x07, 0xe6, 0x0f, 0x06, 0x01, 0x06,
    0x01, 0x06, 0x01, 0xfe, 0x1f, 0xfe, 0x1f, 0x00, 0x01, 0x00, 0x01, 0x00, 0x01, 0xe0, 0x0f,
    0xc0, 0x07, 0x80, 0x03, 0x00, 0x01, 0x00, 0x00};
static const unsigned char sRowCursorMask[] = {
    0x0f, 0x00, 0x0f, 0x01, 0x8f, 0x03, 0xcf, 0x07, 0xef, 0x0f, 0xff, 0x1f, 0xff, 0x1f, 0x8f,
    0x03, 0xff, 0x1f, 0xff, 0x1f, 0xff, 0x1f, 0xff, 0x1f, 0x80, 0x03, 0xf0, 0x1f, 0xf0, 0x1f,
    0xe0, 0x0f, 0xc0, 0x07, 0x80, 0x03, 0x00, 0x01};

// ---- Class methods

static void ClassInitialize(void)
{
    XmLInitialize();
    XtSetTypeConverter(XmRString, XmRGridSizePolicy, CvtStringToSizePolicy, NULL, 0,
                       XtCacheNone, NULL);
    XtSetTypeConverter(XmRString, XmRGridSelectionPolicy, CvtStringToSelectionPolicy, NULL, 0,
                       XtCacheNone, NULL);
    XtSetTypeConverter(XmRString, XmRGridCellAlignment, CvtStringToCellAlignment, NULL, 0,
                       XtCacheNone, NULL);
    XtSetTypeConverter(XmRString, XmRGridCellType, CvtStringToCellType, NULL, 0, XtCacheNone,
                       NULL);
    XtSetTypeConverter(XmRString, XmRGridCellBorderType, CvtStringToCellBorderType, NULL, 0,
                       XtCacheNone, NULL);
}

template <typename Proc> static void Inherit(Proc *field, Proc super)
{
    if (*field == (Proc)_XtInherit)
        *field = super;
}

// A subclass takes every procedure it leaves at the inherit marker from its
// superclass, so that it can replace the cell action alone.
static void ClassPartInitialize(WidgetClass wc)
{
    if (wc == xmlGridWidgetClass)
        return;
    XmLGridClassPart *c = &((XmLGridWidgetClass)wc)->grid_class;
    XmLGridClassPart *s = &((XmLGridWidgetClass)wc->core_class.superclass)->grid_class;
    Inherit(&c->rowNewProc, s->rowNewProc);
    Inherit(&c->rowFreeProc, s->rowFreeProc);
    Inherit(&c->getRowValueMaskProc, s->getRowValueMaskProc);
    Inherit(&c->getRowValueProc, s->getRowValueProc);
    Inherit(&c->setRowValuesProc, s->setRowValuesProc);
    Inherit(&c->columnNewProc, s->columnNewProc);
    Inherit(&c->columnFreeProc, s->columnFreeProc);
    Inherit(&c->getColumnValueMaskProc, s->getColumnValueMaskProc);
    Inherit(&c->getColumnValueProc, s->getColumnValueProc);
    Inherit(&c->setColumnValuesProc, s->setColumnValuesProc);
    Inherit(&c->setCellValuesProc, s->setCellValuesProc);
    Inherit(&c->cellActionProc, s->cellActionProc);
}

static void CopyFontList(XmLGridWidget g)
{
    XmFontList given = g->grid.fontList;
    g->grid.fontList = given ? XmFontListCopy(given) : XmLFontListCopyDefault((Widget)g);
    if (!g->grid.fontList)
        XmLWarning((Widget)g, "- fatal error - font list NULL");
}

// A single-line editor: Return then activates it, which completes an edit or activates
// the focus cell; line breaks in a cell are edited as backslash and n.
static void CreateTextChild(XmLGridWidget g)
{
    Widget text = XtVaCreateManagedWidget(
        "text", xmTextWidgetClass, (Widget)g, XmNeditMode, XmSINGLE_LINE_EDIT, XmNmarginHeight,
        0, XmNmarginWidth, 3, XmNshadowThickness, 0, XmNhighlightThickness, 0, XmNx, 0, XmNy, 0,
        XmNwidth, 40, XmNheight, 40, XmNbackground, g->core.background_pixel, XmNforeground,
        g->manager.foreground, NULL);
    if (g->grid.traverseTranslations)
        XtOverrideTranslations(text, g->grid.traverseTranslations);
    XtAddEventHandler(text, StructureNotifyMask, True, TextMapCB, (XtPointer)g);
    XtAddCallback(text, XmNactivateCallback, TextActivateCB, (XtPointer)g);
    XtAddCallback(text, XmNfocusCallback, TextFocusCB, (XtPointer)g);
    XtAddCallback(text, XmNlosingFocusCallback, TextFocusCB, (XtPointer)g);
    XtAddCallback(text, XmNmodifyVerifyCallback, TextModifyVerifyCB, (XtPointer)g);
    g->grid.textWidget = text;
}

static Widget CreateScrollBar(XmLGridWidget g, const char *name, unsigned char orientation)
{
    Widget sb = XtVaCreateWidget(
        name, xmScrollBarWidgetClass, (Widget)g, XmNorientation, orientation, XmNincrement, 1,
        XmNtraversalOn, False, XmNbackground, g->core.background_pixel, XmNforeground,
        g->manager.foreground, XmNtopShadowColor, g->manager.top_shadow_color,
        XmNbottomShadowColor, g->manager.bottom_shadow_color, NULL);
    XtAddCallback(sb, XmNdragCallback, ScrollCB, (XtPointer)g);
    XtAddCallback(sb, XmNvalueChangedCallback, ScrollCB, (XtPointer)g);
    return sb;
}

static Cursor MakeCursor(XmLGridWidget g, const unsigned char *bits, const unsigned char *mask,
                         int width, int height)
{
    Display *dpy = XtDisplay(g);
    Window root = RootWindowOfScreen(XtScreen(g));
    Pixmap source = XCreatePixmapFromBitmapData(dpy, root, (char *)bits, width, height, 1, 0, 1);
    Pixmap shape = XCreatePixmapFromBitmapData(dpy, root, (char *)mask, width, height, 1, 0, 1);
    XColor white, black;
    white.red = white.green = white.blue = 0xffff;
    black.red = black.green = black.blue = 0;
    white.flags = black.flags = DoRed | DoGreen | DoBlue;
    Cursor cursor = XCreatePixmapCursor(dpy, source, shape, &white, &black, 9, 9);
    XFreePixmap(dpy, source);
    XFreePixmap(dpy, shape);
    return cursor;
}

static void InitState(XmLGridWidget g)
{
    XmLGridPart *p = &g->grid;
    p->cursorType = CursorNone;
    p->focusRow = p->focusColumn = -1;
    p->scrollRowPos = p->scrollColumnPos = 0;
    p->scrollRow = p->scrollColumn = 0;
    p->textHidden = True;
    p->inEdit = False;
    p->hasFocus = False;
    p->dragMode = DragNone;
    p->pixelScroll = False;
    p->pixelScrollOffset = 0;
    p->layoutDepth = 0;
    p->structureDepth = 0;
    p->needsHorizLayout = p->needsVertLayout = False;
    p->colVisPosDirty = p->rowVisPosDirty = False;
    p->hasSpans = p->spanMarks = False;
    p->dragScrollFlags = 0;
    p->dragTimerId = 0;
    p->resizeRow = p->resizeColumn = p->resizeLinePos = -1;
    p->resizeIsRow = False;
    p->extendRow = p->extendColumn = p->extendToRow = p->extendToColumn = -1;
    p->extendSelects = True;
    p->lastSelectRow = p->lastSelectColumn = -1;
    p->lastSelectTime = 0;
    p->dropRow = p->dropColumn = -1;
    p->gc = NULL;
    p->fallbackFont = NULL;
    memset(p->reg, 0, sizeof p->reg);
    p->defaultCellValues = CellRefValuesCreate(g, NULL);
    p->defaultCellValues->refCount = 1;
}

static int AtLeast(int value, int floor)
{
    return value < floor ? floor : value;
}

// Rows, columns and cells come into being empty; the counts asked for at
// creation are added as real rows and columns, which counts them in again.
// The fixed counts keep their set-values meaning: every fixed row (or column)
// of their edge, headings and footers included.
static void AddInitialRowsAndColumns(XmLGridWidget g)
{
    XmLGridPart *p = &g->grid;
    XmLGridClassPart *c = GridClassPart(g);
    int hc = p->headingColumns, cc = p->columns, fc = p->footerColumns;
    int hr = p->headingRows, cr = p->rows, fr = p->footerRows;
    int top = p->topFixedCount, bottom = p->bottomFixedCount;
    int left = p->leftFixedCount, right = p->rightFixedCount;
    if (cr < c->initialRows)
        cr = c->initialRows;
    if (cc < c->initialColumns)
        cc = c->initialColumns;
    p->headingColumns = p->columns = p->footerColumns = 0;
    p->headingRows = p->rows = p->footerRows = 0;
    p->topFixedCount = p->bottomFixedCount = p->leftFixedCount = p->rightFixedCount = 0;
    Widget w = (Widget)g;
    XmLGridAddColumns(w, XmHEADING, -1, hc);
    XmLGridAddColumns(w, XmCONTENT, -1, cc);
    XmLGridAddColumns(w, XmFOOTER, -1, fc);
    XmLGridAddRows(w, XmHEADING, -1, hr);
    XmLGridAddRows(w, XmCONTENT, -1, cr);
    XmLGridAddRows(w, XmFOOTER, -1, fr);
    p->topFixedCount = AtLeast(top, p->headingRows);
    p->bottomFixedCount = AtLeast(bottom, p->footerRows);
    p->leftFixedCount = AtLeast(left, p->headingColumns);
    p->rightFixedCount = AtLeast(right, p->footerColumns);
}

static bool StartsWith(const char *name, const char *prefix)
{
    return strncmp(name, prefix, strlen(prefix)) == 0;
}

static void WarnSubResourceArgs(XmLGridWidget g, ArgList args, Cardinal count)
{
    for (Cardinal i = 0; i < count; i++) {
        const char *name = args[i].name;
        if (!strcmp(name, XmNrows) || !strcmp(name, XmNcolumns))
            continue;
        if (StartsWith(name, "row") || StartsWith(name, "column") || StartsWith(name, "cell")) {
            XmLWarning((Widget)g, "Initialize() - can't set row,column or cell values in init");
            return;
        }
    }
}

static char *CopyString(const char *s)
{
    if (!s)
        return NULL;
    char *copy = (char *)XmLCalloc(strlen(s) + 1, 1);
    strcpy(copy, s);
    return copy;
}

static void Initialize(Widget, Widget nw, ArgList args, Cardinal *argCount)
{
    XmLGridWidget g = (XmLGridWidget)nw;
    XmLGridPart *p = &g->grid;
    p->rowArray = XmLArrayNew(1, 1);
    p->colArray = XmLArrayNew(1, 1);
    LiveRecordsCreate(g);
    if (nw->core.width == 0)
        nw->core.width = 100;
    if (nw->core.height == 0)
        nw->core.height = 100;
    CopyFontList(g);
    CreateTextChild(g);
    p->horizontalScrollBar = CreateScrollBar(g, "hsb", XmHORIZONTAL);
    p->verticalScrollBar = CreateScrollBar(g, "vsb", XmVERTICAL);
    p->hResizeCursor = MakeCursor(g, sColumnCursorBits, sColumnCursorMask, 19, 13);
    p->vResizeCursor = MakeCursor(g, sRowCursorBits, sRowCursorMask, 13, 19);
    InitState(g);
    Boolean frozen = p->layoutFrozen;
    p->layoutFrozen = True;
    if (p->hiddenRows || p->hiddenColumns) {
        XmLWarning(nw, "Initialize() - can't set hidden rows or columns");
        p->hiddenRows = p->hiddenColumns = 0;
    }
    AddInitialRowsAndColumns(g);
    p->simpleHeadings = CopyString(p->simpleHeadings);
    p->simpleWidths = CopyString(p->simpleWidths);
    SetSimpleHeadings(g, p->simpleHeadings);
    SetSimpleWidths(g, p->simpleWidths);
    if (p->visibleRows)
        ApplyVisibleRows(g);
    if (p->visibleColumns)
        ApplyVisibleColumns(g);
    p->layoutFrozen = frozen;
    p->needsVertLayout = p->needsHorizLayout = False;
    VertLayout(g, 1);
    HorizLayout(g, 1);
    PlaceScrollbars(g);
    WarnSubResourceArgs(g, args, *argCount);
    ResetSelectors(g);
    DropRegister(g, p->allowDrop);
}

static void Realize(Widget w, XtValueMask *mask, XSetWindowAttributes *attributes)
{
    XmLGridWidget g = (XmLGridWidget)w;
    (*xmlGridClassRec.core_class.superclass->core_class.realize)(w, mask, attributes);
    if (!g->grid.gc) {
        // Cells draw their text with their font lists; "fixed" only gives the
        // context a font to start with.
        g->grid.fallbackFont = XLoadQueryFont(XtDisplay(w), xmlFixedFontName);
        XGCValues values;
        unsigned long valueMask = GCForeground;
        values.foreground = g->manager.foreground;
        if (g->grid.fallbackFont) {
            values.font = g->grid.fallbackFont->fid;
            valueMask |= GCFont;
        }
        g->grid.gc = XCreateGC(XtDisplay(w), XtWindow(w), valueMask, &values);
        static char dashes[2] = {1, 1};
        XSetDashes(XtDisplay(w), g->grid.gc, 0, dashes, 2);
    }
    if (g->grid.selectionPolicy == XmSELECT_BROWSE_ROW && g->grid.autoSelect && g->grid.rows)
        XmLGridSelectRow(w, 0, False);
}

static void Destroy(Widget w)
{
    XmLGridWidget g = (XmLGridWidget)w;
    XmLGridPart *p = &g->grid;
    Display *dpy = XtDisplay(w);
    RemoveDragTimer(g);
    if (XtWindow(w))
        XUndefineCursor(dpy, XtWindow(w));
    XFreeCursor(dpy, p->hResizeCursor);
    XFreeCursor(dpy, p->vResizeCursor);
    if (p->gc)
        XFreeGC(dpy, p->gc);
    if (p->fallbackFont)
        XFreeFont(dpy, p->fallbackFont);
    if (p->fontList)
        XmFontListFree(p->fontList);
    CellRefValuesRelease(p->defaultCellValues);
    p->extendRow = p->extendColumn = p->extendToRow = p->extendToColumn = -1;
    for (int i = 0; i < XmLArrayGetCount(p->rowArray); i++)
        GridRowFree(w, (XmLGridRow)XmLArrayGet(p->rowArray, i));
    for (int i = 0; i < XmLArrayGetCount(p->colArray); i++)
        GridColumnFree(w, (XmLGridColumn)XmLArrayGet(p->colArray, i));
    XmLArrayFree(p->rowArray);
    XmLArrayFree(p->colArray);
    LiveRecordsFree(g);
    free(p->simpleHeadings);
    free(p->simpleWidths);
}

static void Resize(Widget w)
{
    XmLGridWidget g = (XmLGridWidget)w;
    VertLayout(g, 0);
    HorizLayout(g, 0);
    PlaceScrollbars(g);
    DrawArea(g, DRAW_ALL, 0, 0);
}

static XtGeometryResult GeometryManager(Widget w, XtWidgetGeometry *request, XtWidgetGeometry *)
{
    if (request->request_mode & CWWidth)
        w->core.width = request->width;
    if (request->request_mode & CWHeight)
        w->core.height = request->height;
    if (request->request_mode & CWX)
        w->core.x = request->x;
    if (request->request_mode & CWY)
        w->core.y = request->y;
    if (request->request_mode & CWBorderWidth)
        w->core.border_width = request->border_width;
    return XtGeometryYes;
}

static void ChangeManaged(Widget w)
{
    XmeNavigChangeManaged(w);
}

// ---- Default procedures and converters

static void DefaultBackground(Widget w, int, XrmValue *value)
{
    static Pixel pixel;
    pixel = w->core.background_pixel;
    value->addr = (XPointer)&pixel;
    value->size = sizeof(Pixel);
}

static void DefaultForeground(Widget w, int, XrmValue *value)
{
    static Pixel pixel;
    pixel = ((XmManagerWidget)w)->manager.foreground;
    value->addr = (XPointer)&pixel;
    value->size = sizeof(Pixel);
}

static Boolean CvtStringToSizePolicy(Display *display, XrmValuePtr, Cardinal *, XrmValuePtr from,
                                     XrmValuePtr to, XtPointer *)
{
    static const XmLStringToUCharMap map[] = {
        {"CONSTANT", XmCONSTANT},
        {"VARIABLE", XmVARIABLE},
        {NULL, 0},
    };
    return XmLCvtStringToUChar(display, "XmRGridSizePolicy", map, from, to);
}

static Boolean CvtStringToSelectionPolicy(Display *display, XrmValuePtr, Cardinal *,
                                          XrmValuePtr from, XrmValuePtr to, XtPointer *)
{
    static const XmLStringToUCharMap map[] = {
        {"SELECT_NONE", XmSELECT_NONE},
        {"SELECT_SINGLE_ROW", XmSELECT_SINGLE_ROW},
        {"SELECT_BROWSE_ROW", XmSELECT_BROWSE_ROW},
        {"SELECT_MULTIPLE_ROW", XmSELECT_MULTIPLE_ROW},
        {"SELECT_CELL", XmSELECT_CELL},
        {NULL, 0},
    };
    return XmLCvtStringToUChar(display, "XmRGridSelectionPolicy", map, from, to);
}

static Boolean CvtStringToCellAlignment(Display *display, XrmValuePtr, Cardinal *,
                                        XrmValuePtr from, XrmValuePtr to, XtPointer *)
{
    static const XmLStringToUCharMap map[] = {
        {"ALIGNMENT_LEFT", XmALIGNMENT_LEFT},
        {"ALIGNMENT_CENTER", XmALIGNMENT_CENTER},
        {"ALIGNMENT_RIGHT", XmALIGNMENT_RIGHT},
        {"ALIGNMENT_TOP_LEFT", XmALIGNMENT_TOP_LEFT},
        {"ALIGNMENT_TOP", XmALIGNMENT_TOP},
        {"ALIGNMENT_TOP_RIGHT", XmALIGNMENT_TOP_RIGHT},
        {"ALIGNMENT_BOTTOM_LEFT", XmALIGNMENT_BOTTOM_LEFT},
        {"ALIGNMENT_BOTTOM", XmALIGNMENT_BOTTOM},
        {"ALIGNMENT_BOTTOM_RIGHT", XmALIGNMENT_BOTTOM_RIGHT},
        {NULL, 0},
    };
    return XmLCvtStringToUChar(display, "XmRGridCellAlignment", map, from, to);
}

static Boolean CvtStringToCellBorderType(Display *display, XrmValuePtr, Cardinal *,
                                         XrmValuePtr from, XrmValuePtr to, XtPointer *)
{
    static const XmLStringToUCharMap map[] = {
        {"BORDER_NONE", XmBORDER_NONE},
        {"BORDER_LINE", XmBORDER_LINE},
        {"BORDER_DASH", XmBORDER_DASH},
        {NULL, 0},
    };
    return XmLCvtStringToUChar(display, "XmRGridCellBorderType", map, from, to);
}

static Boolean CvtStringToCellType(Display *display, XrmValuePtr, Cardinal *, XrmValuePtr from,
                                   XrmValuePtr to, XtPointer *)
{
    static const XmLStringToUCharMap map[] = {
        {"ICON_CELL", XmICON_CELL},
        {"STRING_CELL", XmSTRING_CELL},
        {"PIXMAP_CELL", XmPIXMAP_CELL},
        {"TOGGLE_CELL", XmTOGGLE_CELL},
        {NULL, 0},
    };
    return XmLCvtStringToUChar(display, "XmRGridCellType", map, from, to);
}

// ---- Small services of every Grid file

XmLGridWidget WidgetToGrid(Widget w, const char *funcname)
{
    if (!w)
        return NULL;
    if (!XtIsSubclass(w, xmlGridWidgetClass)) {
        char text[256];
        snprintf(text, sizeof text, "%s - widget not an XmLGrid", funcname);
        XmLWarning(w, text);
        return NULL;
    }
    return (XmLGridWidget)w;
}

void GridDebug(XmLGridWidget g, int level, const char *format, ...)
{
    if (g->grid.debugLevel < level)
        return;
    va_list ap;
    va_start(ap, format);
    vfprintf(stderr, format, ap);
    va_end(ap);
}

// ---- Public functions

Widget XmLCreateGrid(Widget parent, char *name, ArgList args, Cardinal argCount)
{
    return XtCreateWidget(name, xmlGridWidgetClass, parent, args, argCount);
}
