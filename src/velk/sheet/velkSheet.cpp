#include "velkSheet.h"

#include "SheetEditor.h"
#include "SheetFrame.h"
#include "SheetHeaderPainter.h"
#include "SheetInput.h"
#include "SheetLayout.h"
#include "SheetModel.h"
#include "SheetPainter.h"
#include "SheetSurface.h"

#include <velk/common/StdRegistry.h>
#include <velk/controls/velkIcon.h>
#include <velk/platform/Canvas.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/Input.h>

#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include <algorithm>

namespace velk {

namespace {

const QString SettingsKey = QStringLiteral("Software\\velk");
constexpr int CurrentUserRoot = 1;

// Keys of a wheel message, as the platform's wheel messages carry them.
constexpr int wheelKeyShift = 4;
constexpr int wheelKeyCtrl = 8;

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
    SheetSurface *header = nullptr;
    SheetSurface *list = nullptr;
    QScrollBar *vScroll = nullptr;
    QScrollBar *hScroll = nullptr;
    std::unique_ptr<SheetInput> input;
    SheetEditor *editor = nullptr;
    int scrollValue = 1;
    int firstColumn = 1;
    bool placementPending = false;
    bool syncingBars = false;
    // Rows repainted by RefreshItem with an art, until the next full refresh.
    std::vector<std::pair<std::weak_ptr<SheetData>, int>> arts;
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
    createSurfaces();

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
    frame();
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
    d->scrollValue = 1;
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
    requestData(d->model.selectedIndex());
    repaintList();
    return true;
}

void velkSheet::requestData(int pos)
{
    // Held, so that a handler removing the row cannot pull it away under us.
    const RowPtr row = d->model.rows().ptr(pos);
    if (!row || row->Init)
        return;
    Q_EMIT d->events->RequestData(row->Index());
    row->Init = true;
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
    d->scrollValue = 1;
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
    d->arts.clear();
    schedulePlacement();
    d->header->update();
    d->list->update();
    Q_EMIT d->events->Refresh();
}

void velkSheet::repaintList()
{
    if (!d->redraw)
        return;
    schedulePlacement();
    d->header->update();
    d->list->update();
}

void velkSheet::RefreshItem(int pos, int art)
{
    const RowPtr row = d->model.rows().ptr(pos);
    if (!d->redraw || !row)
        return;
    auto &arts = d->arts;
    arts.erase(std::remove_if(arts.begin(), arts.end(),
                              [&](const auto &entry) {
                                  const RowPtr held = entry.first.lock();
                                  return !held || held == row;
                              }),
               arts.end());
    if (art != 0)
        arts.emplace_back(row, art);
    repaintRow(pos);
}

int velkSheet::artOf(const SheetData &row) const
{
    for (const auto &[weak, art] : d->arts) {
        if (weak.lock().get() == &row)
            return art;
    }
    return 0;
}

void velkSheet::repaintRow(int pos)
{
    if (!d->redraw)
        return;
    const SheetLayout lay = layout();
    if (const SheetLayout::RowBox *box = lay.rowBox(pos))
        d->list->update(QRect(0, pixelsOf(box->y1), d->list->width(), pixelsOf(box->y2 - box->y1) + 1));
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
    placeChildren();
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

// --- surfaces and placement ---------------------------------------------------------------

void velkSheet::createSurfaces()
{
    d->header = new SheetSurface(this);
    d->header->setObjectName(QStringLiteral("P_Header"));
    d->list = new SheetSurface(this);
    d->list->setObjectName(QStringLiteral("Picture1"));
    d->list->setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(d->list);
    d->vScroll = new QScrollBar(Qt::Vertical, this);
    d->vScroll->setObjectName(QStringLiteral("VScroll1"));
    d->hScroll = new QScrollBar(Qt::Horizontal, this);
    d->hScroll->setObjectName(QStringLiteral("HScroll1"));
    d->vScroll->hide();
    d->hScroll->hide();
    d->input = std::make_unique<SheetInput>(*this);
    d->editor = new SheetEditor(*this, d->list);

    SheetInput *input = d->input.get();
    d->list->onPaint = [this](Canvas &canvas, const QRect &dirty) { paintList(canvas, dirty.top(), dirty.bottom() + 1); };
    d->list->onMouseDown = [input](int b, int s, int x, int y) { input->MouseDown(b, s, x, y); };
    d->list->onDblClick = [input](int, int, int x, int y) { input->DblClick(x, y); };
    d->list->onWheel = [this](QWheelEvent *event) { wheelEvent(event); };
    d->header->onPaint = [this](Canvas &canvas, const QRect &) { paintHeaderOn(canvas); };
    d->header->onMouseDown = [input](int b, int s, int x, int y) { input->HeaderMouseDown(b, s, x, y); };
    d->header->onMouseMove = [input](int b, int s, int x, int y) { input->HeaderMouseMove(b, s, x, y); };
    d->header->onMouseUp = [input](int b, int s, int x, int y) { input->HeaderMouseUp(b, s, x, y); };
    d->header->onDblClick = [input](int, int, int x, int y) { input->HeaderDblClick(x, y); };
    connect(d->vScroll, &QScrollBar::valueChanged, this, [this](int value) {
        if (!d->syncingBars)
            setScrollValue(value);
    });
    connect(d->hScroll, &QScrollBar::valueChanged, this, [this](int value) {
        if (d->syncingBars)
            return;
        setHorizontalScroll(value);
        saveColumnLayout();
    });
}

SheetFrame velkSheet::frame()
{
    const int border = d->borderStyle == 1 ? 1 : 0;
    const QSize inner(std::max(0, width() - 2 * border), std::max(0, height() - 2 * border));
    return SheetFrame::compute(d->model, inner, style()->pixelMetric(QStyle::PM_ScrollBarExtent), d->leftMargin,
                               d->topMargin, d->scrollValue, d->firstColumn);
}

// Rows may be added a million times in a row: placing the surfaces (which counts the
// shown rows) waits for the event loop, once for all of them.
void velkSheet::schedulePlacement()
{
    if (d->placementPending)
        return;
    d->placementPending = true;
    QCoreApplication::postEvent(this, new QEvent(QEvent::LayoutRequest));
}

bool velkSheet::event(QEvent *event)
{
    if (event->type() == QEvent::LayoutRequest && d->placementPending)
        placeChildren();
    return QWidget::event(event);
}

void velkSheet::placeChildren()
{
    d->placementPending = false;
    const SheetFrame f = frame();
    d->scrollValue = f.viewport.scrollValue;
    d->firstColumn = f.firstColumn;
    const int border = d->borderStyle == 1 ? 1 : 0;
    d->header->setVisible(!f.header.isEmpty());
    d->header->setGeometry(f.header.translated(border, border));
    d->list->setGeometry(f.list.translated(border, border));
    d->syncingBars = true;
    d->vScroll->setVisible(!f.vScroll.isEmpty());
    d->vScroll->setGeometry(f.vScroll.translated(border, border));
    d->vScroll->setRange(1, f.maxScrollValue);
    d->vScroll->setPageStep(std::max(1, SheetLayout(d->model, f.viewport).visibleLines()));
    d->vScroll->setValue(d->scrollValue);
    d->hScroll->setVisible(!f.hScroll.isEmpty());
    d->hScroll->setGeometry(f.hScroll.translated(border, border));
    d->hScroll->setRange(1, f.maxFirstColumn);
    d->hScroll->setValue(d->firstColumn);
    d->syncingBars = false;
    if (d->editor->isShown())
        d->editor->place();
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
    return SheetLayout(d->model, frame().viewport);
}

SheetInput &velkSheet::input()
{
    return *d->input;
}

SheetEditor &velkSheet::editor()
{
    return *d->editor;
}

// --- painting -------------------------------------------------------------------------------

SheetLook velkSheet::look()
{
    SheetLook look;
    look.font = font();
    look.backColor = d->backColor;
    look.enabled = isEnabled();
    look.hasFocus = d->list->hasFocus();
    look.icons = d->icons;
    if (!d->arts.empty())
        look.artOf = [this](const SheetData &row) { return artOf(row); };
    look.drawItem = [this](Canvas &canvas, int pos, int x1, int y1, int x2, int y2) {
        Q_EMIT d->events->DrawItem(&canvas, d->model.rows().ptr(pos), x1, y1, x2, y2);
    };
    return look;
}

void velkSheet::paintOn(Canvas &list)
{
    paintList(list, INT_MIN, INT_MAX);
}

void velkSheet::paintList(Canvas &canvas, int fromY, int toY)
{
    SheetLayout lay = layout();
    // The host fills requested rows in RequestData; what it writes may change their
    // heights, so the rows are laid out again before they are painted.
    if (requestVisibleData(lay))
        lay = layout();
    for (const SheetLayout::RowBox &box : lay.rows()) {
        SheetData *row = d->model.rows().at(box.pos);
        row->setY1(box.y1);
        row->setY2(box.y2);
    }
    const SheetLook sheetLook = look();
    SheetPainter(canvas, d->model, lay, sheetLook).paint(fromY, toY);
}

bool velkSheet::requestVisibleData(const SheetLayout &lay)
{
    bool requested = false;
    for (const SheetLayout::RowBox &box : lay.rows()) {
        const SheetData *row = d->model.rows().at(box.pos);
        if (row && !row->Init) {
            requestData(box.pos);
            requested = true;
        }
    }
    return requested;
}

void velkSheet::paintHeaderOn(Canvas &header)
{
    const SheetFrame f = frame();
    if (f.header.isEmpty())
        return;
    SheetHeaderLook headerLook;
    headerLook.font = font();
    headerLook.width = int(f.header.width() * TwipsPerPixel);
    headerLook.height = int(f.header.height() * TwipsPerPixel);
    headerLook.leftMargin = d->leftMargin;
    headerLook.enabled = isEnabled();
    SheetHeaderPainter(header, d->model, headerLook).paint();
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
    return d->scrollValue;
}

void velkSheet::setScrollValue(int value)
{
    d->scrollValue = std::clamp(value, 1, frame().maxScrollValue);
    d->syncingBars = true;
    d->vScroll->setValue(d->scrollValue);
    d->syncingBars = false;
    if (d->editor->isShown())
        d->editor->place();
    repaintList();
}

// With "speed" the scroll value is a position: a step is still one shown row.
void velkSheet::scrollRows(int rows)
{
    if (!d->model.flags().has(u"speed")) {
        setScrollValue(d->scrollValue + rows);
        return;
    }
    const SheetShownRows &shown = d->model.shownRows();
    const int count = d->model.shownCount();
    if (count == 0)
        return;
    const int k = std::clamp(shown.firstAtOrAfter(d->model.rows(), d->scrollValue) + rows, 1, count);
    setScrollValue(shown.position(d->model.rows(), k));
}

int velkSheet::TopIndex() const
{
    return const_cast<velkSheet *>(this)->layout().topRow();
}

void velkSheet::setTopIndex(int n)
{
    if (d->model.count() == 0)
        return;
    setScrollValue(layout().scrollValueOf(std::clamp(n, 1, d->model.count())));
}

int velkSheet::VisibleLines() const
{
    return const_cast<velkSheet *>(this)->layout().visibleLines();
}

void velkSheet::EnsureVisible(int pos)
{
    if (!d->model.rows().at(pos))
        return;
    setScrollValue(layout().scrollValueShowing(pos));
    if (d->model.flags().selectColumn())
        ensureColumnVisible(d->model.selectedCol());
}

void velkSheet::ensureColumnVisible(int col)
{
    const SheetColumn *column = d->model.columns().at(col);
    if (!column || !column->Enabled)
        return;
    if (col < d->firstColumn) {
        setHorizontalScroll(col);
        return;
    }
    // Scroll columns away on the left until the column's right edge is in the list.
    for (SheetFrame f = frame(); f.firstColumn < col && f.firstColumn < f.maxFirstColumn; f = frame()) {
        if (column->x1 >= 0 && column->x2 <= f.viewport.width)
            break;
        d->firstColumn = f.firstColumn + 1;
    }
    setHorizontalScroll(d->firstColumn);
}

int velkSheet::horizontalScroll() const
{
    return d->firstColumn;
}

void velkSheet::setHorizontalScroll(int col)
{
    d->firstColumn = std::max(col, 1);
    d->firstColumn = frame().firstColumn;
    d->syncingBars = true;
    d->hScroll->setValue(d->firstColumn);
    d->syncingBars = false;
    repaintList();
}

void velkSheet::ScrollWheel(int nKeys, int Delta, int xpos, int ypos)
{
    Q_UNUSED(xpos);
    Q_UNUSED(ypos);
    d->input->Wheel(nKeys, Delta);
}

void velkSheet::wheelEvent(QWheelEvent *event)
{
    int keys = 0;
    if (event->modifiers() & Qt::ShiftModifier)
        keys |= wheelKeyShift;
    if (event->modifiers() & Qt::ControlModifier)
        keys |= wheelKeyCtrl;
    // A sideways wheel scrolls the columns as Shift with the wheel does.
    int delta = event->angleDelta().y();
    if (delta == 0 && event->angleDelta().x() != 0) {
        delta = event->angleDelta().x();
        keys |= wheelKeyShift;
    }
    const QPointF global = event->globalPosition();
    ScrollWheel(keys, delta, int(global.x()), int(global.y()));
    event->accept();
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

// --- header ---------------------------------------------------------------------------------

void velkSheet::setHeaderSizingCursor(bool sizing)
{
    if (sizing)
        d->header->setCursor(Qt::SizeHorCursor);
    else
        d->header->unsetCursor();
}

// The user changed the column layout: the host hears of it, and the layout is kept
// where ColumnsRegistry says.
void velkSheet::saveColumnLayout()
{
    Q_EMIT d->events->SetColumnWidth();
    if (d->columnsRegistry.isEmpty())
        return;
    const qsizetype split = std::max(d->columnsRegistry.lastIndexOf(u'\\'), d->columnsRegistry.lastIndexOf(u'/'));
    const QString keyPath = split < 0 ? QString() : d->columnsRegistry.left(split);
    RegSetString(CurrentUserRoot, keyPath, d->columnsRegistry.mid(split + 1), Columns());
}

void velkSheet::showColumnMenu(int x, int y)
{
    const SheetColumns &columns = d->model.columns();
    if (d->model.flags().has(u"nopulldown") || columns.count() < 2)
        return;
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("menu_popup"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (int col = 1; col <= columns.count(); ++col) {
        const SheetColumn *column = columns.at(col);
        const QString caption = column->caption.isEmpty() ? QStringLiteral("Spalte %1").arg(col) : column->caption;
        QAction *action = menu->addAction(caption);
        action->setObjectName(QStringLiteral("menu_column"));
        action->setCheckable(true);
        action->setChecked(column->Enabled);
        connect(action, &QAction::triggered, this, [this, col] { toggleColumn(col); });
    }
    menu->popup(d->header->mapToGlobal(QPoint(pixelsOf(x), pixelsOf(y))));
}

void velkSheet::toggleColumn(int col)
{
    SheetColumn *column = d->model.columns().at(col);
    if (!column)
        return;
    column->Enabled = !column->Enabled;
    RecalculateColumns();
    repaintList();
    saveColumnLayout();
}

namespace {
// Layouts of the frame create sheets by class name.
[[maybe_unused]] const bool registered = (ControlFactory::registerClass<velkSheet>(QStringLiteral("velkSheet")), true);
}

} // namespace velk
