#include "velkSheet.h"

#include "SheetEditor.h"
#include "SheetFrame.h"
#include "SheetInput.h"
#include "SheetLayout.h"
#include "SheetModel.h"
#include "SheetView.h"

#include <velk/common/StdRegistry.h>
#include <velk/controls/velkIcon.h>
#include <velk/platform/Canvas.h>
#include <velk/platform/ControlFactory.h>
#include <velk/preview/SheetPrint_p.h>
#include <velk/platform/Input.h>

#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <climits>
#include <cmath>

namespace velk {

namespace {

const QString SettingsKey = QStringLiteral("Software\\velk");
constexpr int CurrentUserRoot = 1;

int pixelsOf(int twips)
{
    return int(std::lround(twips / TwipsPerPixel));
}

} // namespace

velkSheetEvents::velkSheetEvents(QObject *parent)
    : QObject(parent)
{
}

struct velkSheet::Private
{
    SheetModel model;
    velkSheetEvents *events = nullptr;
    velkIcon *icons = nullptr;
    SheetView *view = nullptr;
    std::unique_ptr<SheetInput> input;
    SheetEditor *editor = nullptr;
    QString columnsRegistry;
    QString tag;
    QString editItems;
    bool redraw = true;
    int leftMargin = 50;
    int topMargin = 20;
    int borderStyle = 1;
    Color backColor = SystemColor::WindowBackground;
};

velkSheet::velkSheet(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>())
{
    d->events = new velkSheetEvents(this);
    d->events->setObjectName(QStringLiteral("events"));
    d->icons = new velkIcon(this);
    d->icons->setObjectName(QStringLiteral("velkIcon1"));
    d->icons->hide(); // draws into the list; never shown itself
    d->view = new SheetView(*this, d->model, d->icons);
    setFocusProxy(d->view->list());
    d->input = std::make_unique<SheetInput>(*this);
    d->editor = new SheetEditor(*this, d->view->list());

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

SheetModel &velkSheet::model()
{
    return d->model;
}

const SheetModel &velkSheet::model() const
{
    return d->model;
}

// --- columns and flags ------------------------------------------------------------------

QString velkSheet::Columns() const
{
    return d->model.columns().definition();
}

void velkSheet::setColumns(const QString &value)
{
    d->model.setColumns(value, storedColumnLayout());
    RecalculateColumns();
    Refresh();
}

QString velkSheet::storedColumnLayout() const
{
    if (d->columnsRegistry.isEmpty())
        return QString();
    const qsizetype split = std::max(d->columnsRegistry.lastIndexOf(u'\\'), d->columnsRegistry.lastIndexOf(u'/'));
    const QString keyPath = split < 0 ? QString() : d->columnsRegistry.left(split);
    const QString valueName = d->columnsRegistry.mid(split + 1);
    return RegGetString(CurrentUserRoot, keyPath, valueName);
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

const Collection<velkSheet::ColumnPtr> &velkSheet::ColumnList() const
{
    return d->model.columns().list();
}

velkSheet::ColumnPtr velkSheet::GetColumnData(int col) const
{
    return d->model.columns().ptr(col);
}

void velkSheet::RecalculateColumns()
{
    // Working the frame out lays the columns out for the list's width and the
    // horizontal scroll value.
    d->view->frame();
}

QString velkSheet::ColumnsRegistry() const
{
    return d->columnsRegistry;
}

void velkSheet::setColumnsRegistry(const QString &value)
{
    d->columnsRegistry = value;
}

// --- rows -------------------------------------------------------------------------------

SheetItems velkSheet::ListItems() const
{
    return SheetItems(d->model.rows());
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
    if (selectRow(pos))
        Q_EMIT d->events->Click();
}

bool velkSheet::selectRow(int pos)
{
    if (!d->model.setSelectedIndex(pos))
        return false;
    d->view->requestData(d->model.selectedIndex());
    repaintList();
    return true;
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
    return d->redraw;
}

void velkSheet::setRedraw(bool on)
{
    if (d->redraw == on)
        return;
    d->redraw = on;
    if (on)
        Refresh();
}

void velkSheet::Refresh()
{
    if (!d->redraw)
        return;
    // A host may have changed Indent or Expanded fields directly; a full repaint relinks
    // the tree and finds the shown rows again.
    d->model.rows().relinkAll();
    d->view->clearArts();
    d->view->repaint();
    Q_EMIT d->events->Refresh();
}

void velkSheet::repaintList()
{
    d->view->repaint();
}

void velkSheet::repaintRow(int pos)
{
    d->view->repaintRow(pos);
}

void velkSheet::RefreshItem(int pos, int art)
{
    const RowPtr row = d->model.rows().ptr(pos);
    if (!d->redraw || !row)
        return;
    d->view->setArt(row, art);
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
    return d->leftMargin;
}

void velkSheet::setLeftMargin(int twips)
{
    if (d->leftMargin == twips)
        return;
    d->leftMargin = twips;
    RecalculateColumns();
    Refresh();
}

int velkSheet::TopMargin() const
{
    return d->topMargin;
}

void velkSheet::setTopMargin(int twips)
{
    if (d->topMargin == twips)
        return;
    d->topMargin = twips;
    repaintList();
}

int velkSheet::BorderStyle() const
{
    return d->borderStyle;
}

void velkSheet::setBorderStyle(int style)
{
    if (d->borderStyle == style)
        return;
    d->borderStyle = style;
    repaintList();
}

Color velkSheet::BackColor() const
{
    return d->backColor;
}

void velkSheet::setBackColor(Color color)
{
    if (d->backColor == color)
        return;
    d->backColor = color;
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
    return d->tag;
}

void velkSheet::setTag(const QString &value)
{
    d->tag = value;
}

QString velkSheet::EditItems() const
{
    return d->editItems;
}

void velkSheet::setEditItems(const QString &value)
{
    d->editItems = value;
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
    if (d->borderStyle == 1) {
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

SheetLayout velkSheet::layout()
{
    return d->view->layout();
}

SheetInput &velkSheet::input()
{
    return *d->input;
}

SheetEditor &velkSheet::editor()
{
    return *d->editor;
}

SheetView &velkSheet::view()
{
    return *d->view;
}

void velkSheet::paintOn(Canvas &list)
{
    d->view->paintList(list, INT_MIN, INT_MAX);
}

void velkSheet::paintHeaderOn(Canvas &header)
{
    d->view->paintHeader(header);
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
    const SheetLayout lay(d->model, SheetViewport{0, 0, d->leftMargin, d->topMargin, 1});
    const SheetShownRows &shown = d->model.shownRows();
    qint64 height = d->topMargin + 2 * qint64(TwipsPerPixel); // the border
    if (d->model.headerHeight() > 0)
        height += qint64(pixelsOf(d->model.headerHeight()) + 1) * qint64(TwipsPerPixel);
    for (int k = 1; k <= d->model.shownCount(); ++k)
        height += lay.rowHeight(*d->model.rows().at(shown.position(d->model.rows(), k)));
    return int(std::min<qint64>(height, INT_MAX));
}

qintptr velkSheet::hwnd() const
{
    return qintptr(effectiveWinId());
}

// --- scrolling ------------------------------------------------------------------------------

int velkSheet::scrollValue() const
{
    return d->view->scrollValue();
}

// The position on the screen depends on the list's size, which is laid out on demand:
// reading it lays the columns out, though the sheet does not change for the caller.
int velkSheet::TopIndex() const
{
    return d->view->layout().topRow();
}

void velkSheet::setTopIndex(int n)
{
    if (d->model.count() == 0)
        return;
    d->view->setScrollValue(layout().scrollValueOf(std::clamp(n, 1, d->model.count())));
}

int velkSheet::VisibleLines() const
{
    return d->view->layout().visibleLines();
}

void velkSheet::EnsureVisible(int pos)
{
    if (!d->model.rows().at(pos))
        return;
    d->view->setScrollValue(layout().scrollValueShowing(pos));
    if (d->model.flags().selectColumn())
        d->view->ensureColumnVisible(d->model.selectedCol());
}

int velkSheet::horizontalScroll() const
{
    return d->view->firstColumn();
}

void velkSheet::setHorizontalScroll(int col)
{
    d->view->setFirstColumn(col);
}

void velkSheet::ScrollWheel(int nKeys, int Delta, int xpos, int ypos)
{
    Q_UNUSED(xpos);
    Q_UNUSED(ypos);
    d->input->Wheel(nKeys, Delta);
}

void velkSheet::wheelEvent(QWheelEvent *event)
{
    d->view->wheel(event);
}

// --- keyboard ------------------------------------------------------------------------------

void velkSheet::keyPressEvent(QKeyEvent *event)
{
    // As on the original platform, a key first goes down (key code) and then types its
    // character (key press).
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
    const int pos = l + 1;
    const SheetData *row = d->model.rows().at(pos);
    const SheetLayout lay = layout();
    const SheetLayout::RowBox *box = lay.rowBox(pos);
    const int x = row ? lay.firstColumn(*row, 0).start : 0;
    const int y = box ? box->y2 : 0;
    Q_EMIT d->events->DropTreeEdit(txt, row ? row->Indent : 0, pos, x, y);
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
