#include "velkSheet.h"
#include "velkSheet_p.h"

#include "SheetDrop_p.h"
#include "SheetEditor_p.h"
#include "SheetInput_p.h"
#include "SheetLayout_p.h"
#include "SheetState_p.h"
#include "SheetSurface_p.h"
#include "SheetView_p.h"

#include <velk/common/StdRegistry.h>
#include <velk/controls/velkIcon.h>
#include <velk/platform/Canvas.h>
#include <velk/platform/ControlFactory.h>
#include <velk/preview/SheetPrint_p.h>
#include <velk/platform/Input.h>
#include <velk/platform/Units.h>

#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <climits>
#include <cmath>

namespace velk {

namespace {

const QString SettingsKey = QStringLiteral("Software\\velk");
constexpr int CurrentUserRoot = 1;

} // namespace

velkSheetEvents::velkSheetEvents(QObject *parent)
    : QObject(parent)
{
}

struct velkSheet::Private
{
    SheetState state;
    SheetModel &model = state.model();
    velkSheetEvents *events = nullptr;
    velkIcon *icons = nullptr;
    SheetView *view = nullptr;
    SheetEditor *editor = nullptr;
    std::unique_ptr<SheetInput> input;
    std::unique_ptr<SheetDropTarget> drop;

    void connectInput();
};

// The surfaces hand their input straight to the input handlers.
void velkSheet::Private::connectInput()
{
    SheetInput *in = input.get();
    SheetSurface *list = view->listSurface();
    SheetSurface *header = view->headerSurface();
    list->onMouseDown = [in](int b, int s, int x, int y) { in->MouseDown(b, s, x, y); };
    list->onMouseMove = [in](int b, int s, int x, int y) { in->MouseMove(b, s, x, y); };
    list->onMouseUp = [in](int b, int s, int x, int y) { in->MouseUp(b, s, x, y); };
    SheetDropTarget *target = drop.get();
    list->onDrag = [target](QEvent *event) { target->handle(event); };
    list->onDblClick = [in](int, int, int x, int y) { in->DblClick(x, y); };
    list->onWheel = [in](QWheelEvent *event) {
        const WheelInput wheel = wheelInputOf(event);
        in->Wheel(wheel.keys, wheel.delta);
    };
    header->onMouseDown = [in](int b, int s, int x, int y) { in->HeaderMouseDown(b, s, x, y); };
    header->onMouseMove = [in](int b, int s, int x, int y) { in->HeaderMouseMove(b, s, x, y); };
    header->onMouseUp = [in](int b, int s, int x, int y) { in->HeaderMouseUp(b, s, x, y); };
    header->onDblClick = [in](int, int, int x, int y) { in->HeaderDblClick(x, y); };
    editor->onKey = [in](int code, int shift) { return in->KeyDown(code, shift); };
}

velkSheet::velkSheet(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>())
{
    d->events = new velkSheetEvents(this);
    d->events->setObjectName(QStringLiteral("events"));
    d->icons = new velkIcon(this);
    d->icons->setObjectName(QStringLiteral("velkIcon1"));
    d->icons->hide(); // draws into the list; never shown itself
    d->view = new SheetView(*this, d->state, *d->events, d->icons);
    d->editor = &d->view->editor();
    setFocusProxy(d->view->list());
    d->input = std::make_unique<SheetInput>(d->state, *d->view, *d->events);
    d->drop = std::make_unique<SheetDropTarget>(d->state, *d->view, *d->events);
    d->connectInput();

    QString size = RegGetString(CurrentUserRoot, SettingsKey, QStringLiteral("FontSize"));
    bool ok = false;
    const double points = size.replace(u',', u'.').toDouble(&ok);
    if (ok && points > 0) {
        QFont listFont = font();
        listFont.setPointSizeF(points);
        setFont(listFont);
    }
    measureFont();
    setColumns(QString());
    setFlags(QString());
}

velkSheet::~velkSheet() = default;

velkSheetEvents *velkSheet::events() const
{
    return d->events;
}

// --- columns and flags ------------------------------------------------------------------

QString velkSheet::Columns() const
{
    return d->model.columns().definition();
}

void velkSheet::setColumns(const QString &value)
{
    d->model.setColumns(value, d->state.columnStore().load());
    d->view->syncMenu();
    RecalculateColumns();
    Refresh();
}

QString velkSheet::flags() const
{
    return d->model.flags().text();
}

void velkSheet::setFlags(const QString &value)
{
    d->model.setFlags(value);
    repaintList();
}

// The columns' x1/x2 fields show the layout now: reading them lays the columns out
// when something changed since.
const Collection<velkSheet::ColumnPtr> &velkSheet::ColumnList() const
{
    d->state.frame();
    return d->model.columns().list();
}

velkSheet::ColumnPtr velkSheet::GetColumnData(int col) const
{
    d->state.frame();
    return d->model.columns().ptr(col);
}

void velkSheet::RecalculateColumns()
{
    // A host may have changed a column's Width or Enabled directly.
    d->model.touch();
    d->state.frame();
}

QString velkSheet::ColumnsRegistry() const
{
    return d->state.columnStore().registry();
}

void velkSheet::setColumnsRegistry(const QString &value)
{
    d->state.columnStore().setRegistry(value);
}

// --- rows -------------------------------------------------------------------------------

SheetItems velkSheet::ListItems() const
{
    return SheetItems(d->model.rows().all());
}

velkSheet::RowPtr velkSheet::ListItem(int pos) const
{
    return d->model.rows().ptr(pos);
}

int velkSheet::Count() const
{
    return d->model.count();
}

void velkSheet::setCount(int n)
{
    if (d->model.setRequestedCount(n))
        Refresh();
}

velkSheet::RowPtr velkSheet::AddItem(const QString &txt, const QString &ico, int Indent, bool Expanded, int pos,
                                     const QString &Tag, int CheckState)
{
    RowPtr row = d->model.addItem(txt, ico, Indent, Expanded, pos, Tag, CheckState);
    repaintList();
    return row;
}

velkSheet::RowPtr velkSheet::AddSortItem(const QString &srt, const QString &txt, const QString &ico, int Indent,
                                         bool Expanded, const QString &Tag, int CheckState)
{
    RowPtr row = d->model.addSortItem(srt, txt, ico, Indent, Expanded, Tag, CheckState);
    repaintList();
    return row;
}

int velkSheet::NewIndex() const
{
    return d->model.newIndex();
}

void velkSheet::RemoveItem(int pos)
{
    if (d->model.removeItem(pos))
        repaintList();
}

void velkSheet::RemoveItems(int pos, int Anzahl)
{
    if (d->model.removeItems(pos, Anzahl) > 0)
        repaintList();
}

void velkSheet::Delete()
{
    if (d->model.deleteMarked() > 0)
        Refresh();
}

void velkSheet::Clear()
{
    d->model.clear();
    d->view->setScrollValue(1);
    Refresh();
}

int velkSheet::GetPosition(const SheetData *sht) const
{
    return d->model.rows().positionOf(sht);
}

void velkSheet::SetIndent(int pos, int ind)
{
    if (d->model.setIndent(pos, ind))
        repaintList();
}

// --- tree -------------------------------------------------------------------------------

QString velkSheet::GetFullText(int pos, const QString &sep) const
{
    return d->model.fullText(pos, sep);
}

int velkSheet::QueryFirst(int art, int pos) const
{
    return d->model.queryFirst(art, pos);
}

int velkSheet::QueryNext(int art, int pos) const
{
    return d->model.queryNext(art, pos);
}

bool velkSheet::HasUninitializedChilds(int row) const
{
    return d->model.hasUninitializedChilds(row);
}

// --- current row and selection ---------------------------------------------------------

velkSheet::RowPtr velkSheet::Selected() const
{
    return d->model.rows().ptr(d->model.selectedIndex());
}

int velkSheet::SelectedIndex() const
{
    return d->model.selectedIndex();
}

void velkSheet::setSelectedIndex(int pos)
{
    if (d->view->selectRow(pos))
        Q_EMIT d->events->Click();
}

int velkSheet::SelectedCol() const
{
    return d->model.selectedCol();
}

void velkSheet::setSelectedCol(int col)
{
    if (d->model.setSelectedCol(col))
        repaintList();
}

int velkSheet::SelectedCount() const
{
    return d->model.selectedCount();
}

Collection<velkSheet::RowPtr> velkSheet::SelectedItems() const
{
    return d->model.selectedItems();
}

void velkSheet::SelectAll()
{
    d->model.selectAll();
    repaintList();
}

void velkSheet::Unselect()
{
    d->model.unselect();
    repaintList();
}

// --- sorting and grouping --------------------------------------------------------------

void velkSheet::QuickSort(int spalte, int direction, std::optional<int> pos1, std::optional<int> pos2)
{
    if (d->model.quickSort(spalte, direction, pos1, pos2))
        Refresh();
}

int velkSheet::QuickSortDirection() const
{
    return d->model.quickSortDirection();
}

void velkSheet::SortSetMarker(int col, int direct)
{
    d->model.sortSetMarker(col, direct);
    repaintList();
}

void velkSheet::SetSort(int pos, const QString &srt)
{
    if (d->model.setSort(pos, srt))
        repaintList();
}

void velkSheet::Sort()
{
    d->model.sort();
    repaintList();
}

void velkSheet::Query(const QString &q, int col)
{
    d->model.query(q, col);
    d->view->setScrollValue(1);
    Refresh();
}

// --- appearance -------------------------------------------------------------------------

bool velkSheet::Redraw() const
{
    return d->state.redraw();
}

void velkSheet::setRedraw(bool on)
{
    if (d->state.setRedraw(on) && on)
        Refresh();
}

void velkSheet::Refresh()
{
    if (!d->state.redraw())
        return;
    // A host may have changed Indent or Expanded fields directly; a full repaint relinks
    // the tree and finds the shown rows again.
    d->model.rows().relinkAll();
    d->model.touch();
    d->state.clearArts();
    d->view->repaint();
    Q_EMIT d->events->Refresh();
}

void velkSheet::repaintList()
{
    d->view->repaint();
}

void velkSheet::RefreshItem(int pos, int art)
{
    const RowPtr row = d->model.rows().ptr(pos);
    if (!d->state.redraw() || !row)
        return;
    d->state.setArt(row, art);
    d->view->repaintRow(pos);
}

int velkSheet::OwnerDraw() const
{
    return d->model.ownerDraw();
}

void velkSheet::setOwnerDraw(int twips)
{
    if (d->model.ownerDraw() == twips)
        return;
    d->model.setOwnerDraw(twips);
    Refresh();
}

int velkSheet::LeftMargin() const
{
    return d->state.leftMargin();
}

void velkSheet::setLeftMargin(int twips)
{
    if (d->state.setLeftMargin(twips))
        Refresh();
}

int velkSheet::TopMargin() const
{
    return d->state.topMargin();
}

void velkSheet::setTopMargin(int twips)
{
    if (d->state.setTopMargin(twips))
        repaintList();
}

int velkSheet::BorderStyle() const
{
    return d->state.borderStyle();
}

void velkSheet::setBorderStyle(int style)
{
    if (d->state.setBorderStyle(style))
        repaintList();
}

Color velkSheet::BackColor() const
{
    return d->state.backColor();
}

void velkSheet::setBackColor(Color color)
{
    if (d->state.setBackColor(color))
        repaintList();
}

int velkSheet::lineHeight() const
{
    return d->model.lineHeight();
}

int velkSheet::rowPitch() const
{
    return d->model.rowPitch();
}

int velkSheet::headerHeight() const
{
    return d->model.headerHeight();
}

void velkSheet::measureFont()
{
    // The height of "X" in the list font, as the canvas measures text: ascent + descent.
    const QFontMetrics metrics(font());
    d->model.setLineHeight(int((metrics.ascent() + metrics.descent()) * TwipsPerPixel));
}

void velkSheet::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        measureFont();
        repaintList();
    } else if (event->type() == QEvent::EnabledChange) {
        repaintList();
    }
    QWidget::changeEvent(event);
}

void velkSheet::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    d->view->place();
}

// --- icons ----------------------------------------------------------------------------

void velkSheet::AddIcon(const QString &icona, const QImage &picbox)
{
    d->icons->AddIcon(icona, picbox);
}

void velkSheet::AddIcon(const QString &icona, QWidget *picbox)
{
    d->icons->AddIcon(icona, picbox);
}

QImage velkSheet::GetIcon(const QString &ico)
{
    return d->icons->GetIcon(ico);
}

// --- host data --------------------------------------------------------------------------

QString velkSheet::Tag() const
{
    return d->state.tag();
}

void velkSheet::setTag(const QString &value)
{
    d->state.setTag(value);
}

QString velkSheet::EditItems() const
{
    return d->state.editItems();
}

void velkSheet::setEditItems(const QString &value)
{
    d->state.setEditItems(value);
}

// --- window side ---------------------------------------------------------------------------

bool velkSheet::event(QEvent *event)
{
    if (event->type() == QEvent::LayoutRequest)
        d->view->placeIfPending();
    return QWidget::event(event);
}

void velkSheet::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    if (d->state.borderStyle() == 1) {
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}


double velkSheet::FontSize() const
{
    return font().pointSizeF();
}

void velkSheet::setFontSize(double points)
{
    if (points <= 0 || points == font().pointSizeF())
        return;
    QFont listFont = font();
    listFont.setPointSizeF(points);
    setFont(listFont);
}

int velkSheet::FullHeight() const
{
    const SheetLayout lay(d->model, SheetColumnEdges(), SheetViewport{0, 0, d->state.leftMargin(), d->state.topMargin(), 1});
    const SheetShownRows &shown = d->model.shownRows();
    qint64 height = d->state.topMargin() + 2 * qint64(twipsPerPixel); // the border
    if (d->model.headerHeight() > 0)
        height += qint64(pixelsOfTwips(d->model.headerHeight()) + 1) * qint64(twipsPerPixel);
    for (int k = 1; k <= d->model.shownCount(); ++k)
        height += lay.rowHeight(*d->model.rows().at(shown.position(d->model.rows(), k)));
    return int(std::min<qint64>(height, INT_MAX));
}

qintptr velkSheet::hwnd() const
{
    return qintptr(effectiveWinId());
}

// --- scrolling ------------------------------------------------------------------------------

// Both read the geometry kept since the last change: no layout work while nothing changed.
int velkSheet::TopIndex() const
{
    return d->state.layout().topRow();
}

void velkSheet::setTopIndex(int n)
{
    if (d->model.count() == 0)
        return;
    d->view->setScrollValue(d->state.layout().scrollValueOf(std::clamp(n, 1, d->model.count())));
}

int velkSheet::VisibleLines() const
{
    return d->state.layout().visibleLines();
}

void velkSheet::EnsureVisible(int pos)
{
    d->view->ensureVisible(pos);
}

void velkSheet::ScrollWheel(int nKeys, int Delta, int xpos, int ypos)
{
    Q_UNUSED(xpos);
    Q_UNUSED(ypos);
    d->input->Wheel(nKeys, Delta);
}

void velkSheet::wheelEvent(QWheelEvent *event)
{
    const WheelInput wheel = wheelInputOf(event);
    d->input->Wheel(wheel.keys, wheel.delta);
    event->accept();
}

// --- keyboard ------------------------------------------------------------------------------

void velkSheet::keyPressEvent(QKeyEvent *event)
{
    // A key first goes down (key code) and then types its character (key press).
    const int shift = shiftStateFromQt(event->modifiers());
    const int keyCode = keyCodeOf(event);
    bool handled = keyCode && d->input->KeyDown(keyCode, shift);
    if (const int keyAscii = keyAsciiOf(event))
        handled = d->input->KeyPress(keyAscii) || handled;
    if (handled)
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

// --- editing -------------------------------------------------------------------------------

void velkSheet::StartEdit()
{
    d->editor->start();
}

void velkSheet::SaveEdit()
{
    d->editor->save();
}

void velkSheet::CancelEdit()
{
    d->editor->cancel();
}

bool velkSheet::EditMode() const
{
    return d->editor->isShown();
}

void velkSheet::SendDropTreeEdit(const QString &txt, int l)
{
    d->editor->sendDropTreeEdit(txt, l);
}

// --- internals for tests ----------------------------------------------------------------------

SheetState &SheetInternals::state(velkSheet &sheet)
{
    return sheet.d->state;
}

SheetInput &SheetInternals::input(velkSheet &sheet)
{
    return *sheet.d->input;
}

SheetEditor &SheetInternals::editor(velkSheet &sheet)
{
    return *sheet.d->editor;
}

SheetView &SheetInternals::view(velkSheet &sheet)
{
    return *sheet.d->view;
}

const SheetLayout &SheetInternals::layout(velkSheet &sheet)
{
    return sheet.d->state.layout();
}

void SheetInternals::paintList(velkSheet &sheet, Canvas &list)
{
    sheet.d->view->paintList(list, INT_MIN, INT_MAX);
}

void SheetInternals::paintHeader(velkSheet &sheet, Canvas &header)
{
    sheet.d->view->paintHeader(header);
}

// --- popup menu and drag ----------------------------------------------------------------------

void velkSheet::AddMenu(const QString &cap, const QString &cmd)
{
    d->state.addMenuEntry(cap, cmd);
    d->view->syncMenu();
    repaintList(); // the header's marker may appear
}

void velkSheet::RemoveMenu(const QString &cmd)
{
    if (d->state.removeMenuEntries(cmd) == 0)
        return;
    d->view->syncMenu();
    repaintList();
}

void velkSheet::ClearMenu()
{
    d->state.clearMenuEntries();
    d->view->syncMenu();
    repaintList();
}

QString velkSheet::DragKeyword() const
{
    return d->state.dragKeyword();
}

void velkSheet::PrintOut()
{
    printSheet(*this);
}

namespace {
// Layouts of the frame create sheets by class name.
[[maybe_unused]] const bool registered = (ControlFactory::registerClass<velkSheet>(QStringLiteral("velkSheet")), true);
}

} // namespace velk
