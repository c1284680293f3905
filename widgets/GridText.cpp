// GridText.cpp - XmLGrid text exchange: reading and writing cells, clipboard, drag and drop.
#include "widgets/GridP.h"

#include <Xm/AtomMgr.h>
#include <Xm/CutPaste.h>
#include <Xm/DragDrop.h>
#include <Xm/DropTrans.h>
#include <Xm/XmP.h>
#include <X11/Xatom.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>

// A clipboard that another client holds locked is asked again for this long; every other
// answer is final at once.
static const std::chrono::milliseconds sClipboardPatience(300);

// ---- Cell strings and text

// Line breaks travel as the two characters backslash and n.
char *CellStringToText(XmString string)
{
    XmStringContext context;
    if (!string || !XmStringInitContext(&context, string))
        return NULL;
    std::string text;
    bool any = false;
    char *segment;
    XmStringCharSet tag;
    XmStringDirection direction;
    Boolean separator;
    while (XmStringGetNextSegment(context, &segment, &tag, &direction, &separator)) {
        any = true;
        if (segment)
            text += segment;
        if (separator)
            text += "\\n";
        XtFree(segment);
        XtFree(tag);
    }
    XmStringFreeContext(context);
    if (!any)
        return NULL;
    char *result = (char *)XmLCalloc(text.size() + 1, 1);
    memcpy(result, text.c_str(), text.size() + 1);
    return result;
}

XmString TextToCellString(const char *text, size_t length)
{
    std::string field;
    field.reserve(length);
    for (size_t i = 0; i < length; i++) {
        if (text[i] == '\\' && i + 1 < length && text[i + 1] == 'n') {
            field += '\n';
            i++;
        } else {
            field += text[i];
        }
    }
    return XmStringCreateLtoR((char *)field.c_str(), (char *)XmSTRING_DEFAULT_CHARSET);
}

static std::string CellText(XmLGridCell cell)
{
    char *s = cell ? CellStringToText(CellGetString(cell)) : NULL;
    std::string text = s ? s : "";
    free(s);
    return text;
}

// ---- Reading

static bool PasteTarget(XmLGridWidget g, int row, int col, XmLGridCell cell)
{
    XmLGridCellRefValues *v = CellRefValues(cell);
    return v->type == XmSTRING_CELL && v->editable && RowPosToType(g, row) == XmCONTENT &&
           ColPosToType(g, col) == XmCONTENT;
}

// Stores one field in the cell at (row, col); answers whether it was set.
static bool ReadField(XmLGridWidget g, int format, int row, int col, const char *field,
                      size_t length, bool *layout)
{
    if (format == XmFORMAT_TABBED && length > 0) {
        if (field[0] == '"') {
            field++;
            length--;
        }
        if (length > 0 && field[length - 1] == '"')
            length--;
    }
    XmLGridCell cell = GetCell(g, row, col);
    if (!cell)
        return false;
    bool paste = format == XmFORMAT_PASTE || format == XmFORMAT_DROP;
    if (paste && !PasteTarget(g, row, col, cell))
        return false;
    CellSetString(cell, TextToCellString(field, length), False);
    if (GridClassPart(g)->setCellValuesProc(g, GridRow(g, row), GridColumn(g, col), cell,
                                            CVA_STRING))
        *layout = true;
    if (!*layout)
        DrawArea(g, DRAW_CELL, row, col);
    if (paste) {
        XmLGridCallbackData cbs;
        memset(&cbs, 0, sizeof cbs);
        cbs.reason = format == XmFORMAT_PASTE ? XmCR_CELL_PASTE : XmCR_CELL_DROP;
        cbs.rowType = RowPosToType(g, row);
        cbs.row = RowPosToTypePos(g, cbs.rowType, row);
        cbs.columnType = ColPosToType(g, col);
        cbs.column = ColPosToTypePos(g, cbs.columnType, col);
        XtCallCallbackList((Widget)g,
                           format == XmFORMAT_PASTE ? g->grid.cellPasteCallback
                                                    : g->grid.cellDropCallback,
                           (XtPointer)&cbs);
    }
    return true;
}

int Read(XmLGridWidget g, int format, char delimiter, int row, int col, const char *data)
{
    if (format == XmFORMAT_PAD) {
        XmLWarning((Widget)g, "Read() - FORMAT_PAD not supported");
        return 0;
    }
    if (format == XmFORMAT_TABBED || format == XmFORMAT_PASTE || format == XmFORMAT_DROP)
        delimiter = '\t';
    int count = 0, r = row, c = col;
    bool layout = false;
    const char *start = data;
    for (const char *s = data;; s++) {
        if (*s != delimiter && *s != '\n' && *s != '\0')
            continue;
        if (ReadField(g, format, r, c, start, (size_t)(s - start), &layout))
            count++;
        if (*s == '\0')
            break;
        if (*s == '\n') {
            r++;
            c = col;
        } else {
            c++;
        }
        start = s + 1;
    }
    if (layout) {
        VertLayout(g, 1);
        HorizLayout(g, 1);
        DrawArea(g, DRAW_ALL, 0, 0);
    }
    return count;
}

// A file is read from its start; a stream that cannot seek (a pipe) from where it stands.
// Either is read to its end in blocks, without asking for its size first.
char *FileToString(FILE *file)
{
    if (!file)
        return NULL;
    if (fseek(file, 0, SEEK_SET) != 0)
        clearerr(file);
    std::string text;
    char block[4096];
    size_t n;
    while ((n = fread(block, 1, sizeof block, file)) > 0)
        text.append(block, n);
    if (ferror(file))
        return NULL;
    char *copy = (char *)XmLCalloc(text.size() + 1, 1);
    memcpy(copy, text.data(), text.size());
    return copy;
}

// ---- Writing

void Write(XmLGridWidget g, FILE *file, int format, char delimiter, Boolean skipHidden, int row,
           int col, int nrow, int ncol)
{
    bool firstRow = true;
    for (long long r = row; r < (long long)row + nrow; r++) {
        XmLGridRow rec = GridRow(g, (int)r);
        if (!rec || (skipHidden && RowIsHidden(rec)))
            continue;
        if (!firstRow)
            fprintf(file, "\n");
        firstRow = false;
        for (long long c = col; c < (long long)col + ncol; c++) {
            XmLGridColumn column = GridColumn(g, (int)c);
            XmLGridCell cell = GetCell(g, (int)r, (int)c);
            if (!column || !cell || (skipHidden && ColumnIsHidden(column)))
                continue;
            std::string text = CellText(cell);
            fprintf(file, "%s", text.c_str());
            bool lastOfRange = c == (long long)col + ncol - 1;
            if (format == XmFORMAT_DELIMITED && !lastOfRange)
                fprintf(file, "%c", delimiter);
            else if (format == XmFORMAT_TABBED && !lastOfRange)
                fprintf(file, "\t");
            else if (format == XmFORMAT_PAD && column->sizePolicy == XmVARIABLE)
                for (size_t k = text.size(); k < column->width; k++)
                    fprintf(file, " ");
        }
    }
}

// ---- Clipboard

static bool Taken(XmLGridWidget g, Boolean selected, int r, int c)
{
    if (!selected)
        return true;
    XmLGridCell cell = GetCell(g, r, c);
    return RowIsSelected(GridRow(g, r)) || ColumnIsSelected(GridColumn(g, c)) ||
           (cell && CellIsSelected(cell));
}

char *CopyDataToBuffer(XmLGridWidget g, Boolean selected, int row, int col, int nrow, int ncol)
{
    if (selected) {
        row = col = 0;
        nrow = RowCount(g);
        ncol = ColCount(g);
    }
    std::string text;
    for (long long r = row; r < (long long)row + nrow; r++) {
        if (!GridRow(g, (int)r))
            continue;
        bool any = false;
        for (long long c = col; c < (long long)col + ncol; c++) {
            XmLGridCell cell = GetCell(g, (int)r, (int)c);
            if (!cell || !Taken(g, selected, (int)r, (int)c))
                continue;
            if (any)
                text += '\t';
            text += CellText(cell);
            any = true;
        }
        if (any)
            text += '\n';
    }
    if (text.empty())
        return NULL;
    text.pop_back();    // the text ends without its last newline
    char *buffer = (char *)XmLCalloc(text.size() + 1, 1);
    memcpy(buffer, text.c_str(), text.size() + 1);
    return buffer;
}

template <typename Call> static int ClipboardCall(Call call)
{
    auto start = std::chrono::steady_clock::now();
    int result = call();
    while (result == ClipboardLocked &&
           std::chrono::steady_clock::now() - start < sClipboardPatience) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        result = call();
    }
    return result;
}

Boolean Copy(XmLGridWidget g, Time time, Boolean selected, int row, int col, int nrow, int ncol)
{
    Widget w = (Widget)g;
    if (!XtWindow(w)) {
        XmLWarning(w, "Copy() - widget not realized");
        return False;
    }
    char *text = CopyDataToBuffer(g, selected, row, col, nrow, ncol);
    if (!text)
        return False;
    Display *dpy = XtDisplay(w);
    Window win = XtWindow(w);
    XmString label = XmStringCreateSimple((char *)"Grid Copy");
    long itemId = 0;
    int result = ClipboardCall(
        [&] { return XmClipboardStartCopy(dpy, win, label, time, NULL, NULL, &itemId); });
    XmStringFree(label);
    if (result != ClipboardSuccess) {
        free(text);
        XmLWarning(w, "Copy() - start clipboard copy failed");
        return False;
    }
    long dataId = 0;
    result = ClipboardCall([&] {
        return XmClipboardCopy(dpy, win, itemId, (char *)"STRING", text,
                               (unsigned long)strlen(text) + 1, 0, &dataId);
    });
    free(text);
    if (result != ClipboardSuccess) {
        XmLWarning(w, "Copy() - clipboard copy transfer failed");
        return False;
    }
    result = ClipboardCall([&] { return XmClipboardEndCopy(dpy, win, itemId); });
    if (result != ClipboardSuccess) {
        XmLWarning(w, "Copy() - end clipboard copy failed");
        return False;
    }
    return True;
}

Boolean Paste(XmLGridWidget g, int row, int col)
{
    Widget w = (Widget)g;
    if (!XtWindow(w)) {
        XmLWarning(w, "Paste() - widget not realized");
        return False;
    }
    Display *dpy = XtDisplay(w);
    Window win = XtWindow(w);
    unsigned long length = 0;
    int result = ClipboardCall(
        [&] { return XmClipboardInquireLength(dpy, win, (char *)"STRING", &length); });
    if (result == ClipboardNoData)
        return False;   // an empty clipboard: nothing to paste, and nothing wrong
    if (result != ClipboardSuccess) {
        XmLWarning(w, "Paste() - can't retrieve clipboard length");
        return False;
    }
    if (length == 0)
        return True;
    // One byte more than the item, so text from other clients that does not
    // end in a NUL is still bounded.
    char *buffer = (char *)XmLCalloc(length + 1, 1);
    unsigned long received = 0;
    long privateId = 0;
    result = ClipboardCall([&] {
        return XmClipboardRetrieve(dpy, win, (char *)"STRING", buffer, length, &received,
                                   &privateId);
    });
    if (result != ClipboardSuccess || received != length) {
        free(buffer);
        XmLWarning(w, "Paste() - retrieve from clipboard failed");
        return False;
    }
    buffer[length] = '\0';
    Read(g, XmFORMAT_PASTE, '\t', row, col, buffer);
    free(buffer);
    return True;
}

// ---- Drag and drop

static void DropStart(Widget w, XtPointer clientData, XtPointer callData);

void DropRegister(XmLGridWidget g, Boolean allow)
{
    Widget w = (Widget)g;
    if (allow) {
        if (XmDropSiteRegistered(w))
            return;
        Atom targets[1] = {XA_STRING};
        Arg args[4];
        Cardinal n = 0;
        XtSetArg(args[n], XmNdropSiteOperations, XmDROP_COPY), n++;
        XtSetArg(args[n], XmNimportTargets, targets), n++;
        XtSetArg(args[n], XmNnumImportTargets, 1), n++;
        XtSetArg(args[n], XmNdropProc, DropStart), n++;
        XmDropSiteRegister(w, args, n);
    } else if (XmDropSiteRegistered(w)) {
        XmDropSiteUnregister(w);
    }
}

static Boolean DragConvert(Widget w, Atom *, Atom *target, Atom *type, XtPointer *value,
                           unsigned long *length, int *format)
{
    if (!XmIsDragContext(w))
        return False;
    Display *dpy = XtDisplay(w);
    Atom targets = XmInternAtom(dpy, (char *)"TARGETS", False);
    if (*target == targets) {
        Atom *list = (Atom *)XtMalloc(4 * sizeof(Atom));
        list[0] = XA_STRING;
        list[1] = targets;
        list[2] = XmInternAtom(dpy, (char *)"MULTIPLE", False);
        list[3] = XmInternAtom(dpy, (char *)"TIMESTAMP", False);
        *type = XA_ATOM;
        *value = (XtPointer)list;
        *length = 4;
        *format = 32;
        return True;
    }
    if (*target != XA_STRING)
        return False;
    char *text = NULL;
    XtVaGetValues(w, XmNclientData, &text, NULL);
    if (!text)
        return False;
    size_t n = strlen(text);
    char *copy = XtMalloc(n ? n : 1);
    memcpy(copy, text, n);
    *type = XA_STRING;
    *value = (XtPointer)copy;
    *length = n;
    *format = 8;
    return True;
}

static void DragFinish(Widget, XtPointer clientData, XtPointer)
{
    free(clientData);
}

void DragStart(XmLGridWidget g, XEvent *event)
{
    char *text = CopyDataToBuffer(g, True, 0, 0, 0, 0);
    if (!text)
        return;
    // Motif copies the callback list at the start, so each drag frees its own text.
    static XtCallbackRec finish[] = {{DragFinish, NULL}, {NULL, NULL}};
    finish[0].closure = (XtPointer)text;
    static Atom targets[1];
    targets[0] = XA_STRING;
    Arg args[7];
    Cardinal n = 0;
    XtSetArg(args[n], XmNconvertProc, DragConvert), n++;
    XtSetArg(args[n], XmNexportTargets, targets), n++;
    XtSetArg(args[n], XmNnumExportTargets, 1), n++;
    XtSetArg(args[n], XmNdragOperations, XmDROP_COPY), n++;
    XtSetArg(args[n], XmNsourceCursorIcon, XmeGetTextualDragIcon((Widget)g)), n++;
    XtSetArg(args[n], XmNclientData, text), n++;
    XtSetArg(args[n], XmNdragDropFinishCallback, finish), n++;
    if (!XmDragStart((Widget)g, event, args, n))
        free(text);
}

// Only 8-bit STRING data is text the grid can read; anything else a source delivers
// (atoms, numbers, wide text) is refused, and the transfer reported as failed.
void DropTransfer(Widget w, XtPointer clientData, Atom *, Atom *type, XtPointer value,
                  unsigned long *length, int *format)
{
    XmLGridWidget g = (XmLGridWidget)clientData;
    if (!value)
        return;
    if (*type != XA_STRING || *format != 8) {
        XtFree((char *)value);
        if (XmIsDropTransfer(w))
            XtVaSetValues(w, XmNtransferStatus, XmTRANSFER_FAILURE, NULL);
        return;
    }
    char *copy = (char *)XmLCalloc(*length + 1, 1);
    memcpy(copy, value, *length);
    XtFree((char *)value);
    Read(g, XmFORMAT_DROP, '\t', g->grid.dropRow, g->grid.dropColumn, copy);
    free(copy);
}

static bool ExportsString(Widget dragContext)
{
    Atom *targets = NULL;
    Cardinal count = 0;
    XtVaGetValues(dragContext, XmNexportTargets, &targets, XmNnumExportTargets, &count, NULL);
    for (Cardinal i = 0; i < count; i++)
        if (targets[i] == XA_STRING)
            return true;
    return false;
}

static void DropStart(Widget w, XtPointer, XtPointer callData)
{
    XmLGridWidget g = (XmLGridWidget)w;
    XmDropProcCallbackStruct *cbs = (XmDropProcCallbackStruct *)callData;
    Arg args[3];
    Cardinal n = 0;
    if (!g->grid.allowDrop || cbs->dropAction == XmDROP_HELP) {
        cbs->dropSiteStatus = XmINVALID_DROP_SITE;
        return;
    }
    int row, col;
    bool accept = XYToRowCol(g, cbs->x, cbs->y, &row, &col) == 0 &&
                  cbs->operation == XmDROP_COPY && cbs->dropAction == XmDROP &&
                  ExportsString(cbs->dragContext);
    if (accept) {
        g->grid.dropRow = row;
        g->grid.dropColumn = col;
        cbs->operation = XmDROP_COPY;
        static XmDropTransferEntryRec transfer;
        transfer.target = XA_STRING;
        transfer.client_data = (XtPointer)g;
        XtSetArg(args[n], XmNdropTransfers, &transfer), n++;
        XtSetArg(args[n], XmNnumDropTransfers, 1), n++;
        XtSetArg(args[n], XmNtransferProc, DropTransfer), n++;
    } else {
        cbs->operation = XmDROP_NOOP;
        cbs->dropSiteStatus = XmINVALID_DROP_SITE;
        XtSetArg(args[n], XmNtransferStatus, XmTRANSFER_FAILURE), n++;
        XtSetArg(args[n], XmNnumDropTransfers, 0), n++;
    }
    XmDropTransferStart(cbs->dragContext, args, n);
}

// ---- Public functions

static int ReadFile(Widget w, const char *name, FILE *file, int format, char delimiter,
                    unsigned char rowType, int row, unsigned char columnType, int column)
{
    XmLGridWidget g = WidgetToGrid(w, name);
    if (!g)
        return 0;
    char text[128];
    if (!file) {
        snprintf(text, sizeof text, "%s - file is NULL", name);
        XmLWarning(w, text);
        return 0;
    }
    int r = RowTypePosToPos(g, rowType, row, 0), c = ColTypePosToPos(g, columnType, column, 0);
    if (r < 0 || c < 0)
        return 0;
    char *data = FileToString(file);
    if (!data) {
        snprintf(text, sizeof text, "%s - error loading file", name);
        XmLWarning(w, text);
        return 0;
    }
    int count = Read(g, format, delimiter, r, c, data);
    free(data);
    return count;
}

int XmLGridRead(Widget w, FILE *file, int format, char delimiter)
{
    return ReadFile(w, "Read()", file, format, delimiter, XmALL_TYPES, 0, XmALL_TYPES, 0);
}

int XmLGridReadPos(Widget w, FILE *file, int format, char delimiter, unsigned char rowType,
                   int row, unsigned char columnType, int column)
{
    return ReadFile(w, "ReadPos()", file, format, delimiter, rowType, row, columnType, column);
}

int XmLGridWrite(Widget w, FILE *file, int format, char delimiter, Boolean skipHidden)
{
    XmLGridWidget g = WidgetToGrid(w, "Write()");
    if (g && file)
        Write(g, file, format, delimiter, skipHidden, 0, 0, RowCount(g), ColCount(g));
    return 0;
}

int XmLGridWritePos(Widget w, FILE *file, int format, char delimiter, Boolean skipHidden,
                    unsigned char rowType, int row, unsigned char columnType, int column,
                    int nrows, int ncolumns)
{
    XmLGridWidget g = WidgetToGrid(w, "WritePos()");
    if (!g || !file)
        return 0;
    int r = RowTypePosToPos(g, rowType, row, 0), c = ColTypePosToPos(g, columnType, column, 0);
    if (r >= 0 && c >= 0)
        Write(g, file, format, delimiter, skipHidden, r, c, nrows, ncolumns);
    return 0;
}

Boolean XmLGridCopyPos(Widget w, Time time, unsigned char rowType, int row,
                       unsigned char columnType, int column, int nrows, int ncolumns)
{
    XmLGridWidget g = WidgetToGrid(w, "CopyPos()");
    if (!g)
        return False;
    int r = RowTypePosToPos(g, rowType, row, 0), c = ColTypePosToPos(g, columnType, column, 0);
    if (r < 0 || c < 0)
        return False;
    return Copy(g, time, False, r, c, nrows, ncolumns);
}

Boolean XmLGridCopySelected(Widget w, Time time)
{
    XmLGridWidget g = WidgetToGrid(w, "CopySelected()");
    return g ? Copy(g, time, True, 0, 0, 0, 0) : False;
}

Boolean XmLGridPaste(Widget w)
{
    XmLGridWidget g = WidgetToGrid(w, "Paste()");
    if (!g)
        return False;
    if (g->grid.focusRow < 0 || g->grid.focusColumn < 0) {
        XmLWarning(w, "Paste() - no cell has focus");
        return False;
    }
    return Paste(g, g->grid.focusRow, g->grid.focusColumn);
}

Boolean XmLGridPastePos(Widget w, unsigned char rowType, int row, unsigned char columnType,
                        int column)
{
    XmLGridWidget g = WidgetToGrid(w, "PastePos()");
    if (!g)
        return False;
    int r = RowTypePosToPos(g, rowType, row, 0), c = ColTypePosToPos(g, columnType, column, 0);
    if (r < 0 || c < 0)
        return False;
    return Paste(g, r, c);
}
