#include "SheetView.h"

#include "SheetEditor.h"
#include "SheetFrame.h"
#include "SheetHeaderPainter.h"
#include "SheetInput.h"
#include "SheetLayout.h"
#include "SheetModel.h"
#include "SheetPainter.h"
#include "SheetSurface.h"
#include "velkSheet.h"

#include <velk/common/StdRegistry.h>
#include <velk/platform/Canvas.h>

#include <QCoreApplication>
#include <QMenu>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include <algorithm>
#include <climits>
#include <cmath>

namespace velk {

namespace {

constexpr int CurrentUserRoot = 1;

// Keys of a wheel message, as the platform's wheel messages carry them.
constexpr int wheelKeyShift = 4;
constexpr int wheelKeyCtrl = 8;

int pixelsOf(int twips)
{
    return int(std::lround(twips / TwipsPerPixel));
}

} // namespace

SheetView::SheetView(velkSheet &sheet, SheetModel &model, velkIcon *icons)
    : QObject(&sheet)
    , m_sheet(sheet)
    , m_model(model)
    , m_icons(icons)
    , m_header(new SheetSurface(&sheet))
    , m_list(new SheetSurface(&sheet))
    , m_vScroll(new QScrollBar(Qt::Vertical, &sheet))
    , m_hScroll(new QScrollBar(Qt::Horizontal, &sheet))
{
    m_header->setObjectName(QStringLiteral("P_Header"));
    m_list->setObjectName(QStringLiteral("Picture1"));
    m_list->setFocusPolicy(Qt::StrongFocus);
    m_vScroll->setObjectName(QStringLiteral("VScroll1"));
    m_hScroll->setObjectName(QStringLiteral("HScroll1"));
    m_vScroll->hide();
    m_hScroll->hide();

    velkSheet *owner = &sheet;
    m_list->onPaint = [this](Canvas &canvas, const QRect &dirty) { paintList(canvas, dirty.top(), dirty.bottom() + 1); };
    m_list->onMouseDown = [owner](int b, int s, int x, int y) { owner->input().MouseDown(b, s, x, y); };
    m_list->onDblClick = [owner](int, int, int x, int y) { owner->input().DblClick(x, y); };
    m_list->onWheel = [this](QWheelEvent *event) { wheel(event); };
    m_header->onPaint = [this](Canvas &canvas, const QRect &) { paintHeader(canvas); };
    m_header->onMouseDown = [owner](int b, int s, int x, int y) { owner->input().HeaderMouseDown(b, s, x, y); };
    m_header->onMouseMove = [owner](int b, int s, int x, int y) { owner->input().HeaderMouseMove(b, s, x, y); };
    m_header->onMouseUp = [owner](int b, int s, int x, int y) { owner->input().HeaderMouseUp(b, s, x, y); };
    m_header->onDblClick = [owner](int, int, int x, int y) { owner->input().HeaderDblClick(x, y); };
    connect(m_vScroll, &QScrollBar::valueChanged, this, [this](int value) {
        if (!m_syncingBars)
            setScrollValue(value);
    });
    connect(m_hScroll, &QScrollBar::valueChanged, this, [this](int value) {
        if (m_syncingBars)
            return;
        setFirstColumn(value);
        saveColumnLayout();
    });
}

SheetView::~SheetView() = default;

QWidget *SheetView::list() const
{
    return m_list;
}

QWidget *SheetView::header() const
{
    return m_header;
}

// --- placement ---------------------------------------------------------------------------

SheetFrame SheetView::frame()
{
    const int border = m_sheet.BorderStyle() == 1 ? 1 : 0;
    const QSize inner(std::max(0, m_sheet.width() - 2 * border), std::max(0, m_sheet.height() - 2 * border));
    return SheetFrame::compute(m_model, inner, m_sheet.style()->pixelMetric(QStyle::PM_ScrollBarExtent),
                               m_sheet.LeftMargin(), m_sheet.TopMargin(), m_scrollValue, m_firstColumn);
}

SheetLayout SheetView::layout()
{
    return SheetLayout(m_model, frame().viewport);
}

void SheetView::schedulePlacement()
{
    if (m_placementPending)
        return;
    m_placementPending = true;
    QCoreApplication::postEvent(&m_sheet, new QEvent(QEvent::LayoutRequest));
}

void SheetView::placeIfPending()
{
    if (m_placementPending)
        place();
}

void SheetView::place()
{
    m_placementPending = false;
    const SheetFrame f = frame();
    m_scrollValue = f.viewport.scrollValue;
    m_firstColumn = f.firstColumn;
    const int border = m_sheet.BorderStyle() == 1 ? 1 : 0;
    m_header->setVisible(!f.header.isEmpty());
    m_header->setGeometry(f.header.translated(border, border));
    m_list->setGeometry(f.list.translated(border, border));
    m_syncingBars = true;
    m_vScroll->setVisible(!f.vScroll.isEmpty());
    m_vScroll->setGeometry(f.vScroll.translated(border, border));
    m_vScroll->setRange(1, f.maxScrollValue);
    m_vScroll->setPageStep(std::max(1, SheetLayout(m_model, f.viewport).visibleLines()));
    m_vScroll->setValue(m_scrollValue);
    m_hScroll->setVisible(!f.hScroll.isEmpty());
    m_hScroll->setGeometry(f.hScroll.translated(border, border));
    m_hScroll->setRange(1, f.maxFirstColumn);
    m_hScroll->setValue(m_firstColumn);
    m_syncingBars = false;
    if (m_sheet.EditMode())
        m_sheet.editor().place();
}

// --- repainting ------------------------------------------------------------------------------

void SheetView::repaint()
{
    if (!m_sheet.Redraw())
        return;
    schedulePlacement();
    m_header->update();
    m_list->update();
}

void SheetView::repaintRow(int pos)
{
    if (!m_sheet.Redraw())
        return;
    const SheetLayout lay = layout();
    if (const SheetLayout::RowBox *box = lay.rowBox(pos))
        m_list->update(QRect(0, pixelsOf(box->y1), m_list->width(), pixelsOf(box->y2 - box->y1) + 1));
}

void SheetView::setArt(const std::shared_ptr<SheetData> &row, int art)
{
    m_arts.erase(std::remove_if(m_arts.begin(), m_arts.end(),
                                [&](const auto &entry) {
                                    const auto held = entry.first.lock();
                                    return !held || held == row;
                                }),
                 m_arts.end());
    if (art != 0)
        m_arts.emplace_back(row, art);
}

int SheetView::artOf(const SheetData &row) const
{
    for (const auto &[weak, art] : m_arts) {
        if (weak.lock().get() == &row)
            return art;
    }
    return 0;
}

void SheetView::clearArts()
{
    m_arts.clear();
}

// --- painting --------------------------------------------------------------------------------

SheetLook SheetView::look()
{
    SheetLook look;
    look.font = m_sheet.font();
    look.backColor = m_sheet.BackColor();
    look.enabled = m_sheet.isEnabled();
    look.hasFocus = m_list->hasFocus();
    look.icons = m_icons;
    if (!m_arts.empty())
        look.artOf = [this](const SheetData &row) { return artOf(row); };
    look.drawItem = [this](Canvas &canvas, int pos, int x1, int y1, int x2, int y2) {
        Q_EMIT m_sheet.events()->DrawItem(&canvas, m_model.rows().ptr(pos), x1, y1, x2, y2);
    };
    return look;
}

void SheetView::paintList(Canvas &canvas, int fromY, int toY)
{
    SheetLayout lay = layout();
    // The host fills requested rows in RequestData; what it writes may change their
    // heights, so the rows are laid out again before they are painted.
    if (requestVisibleData(lay))
        lay = layout();
    for (const SheetLayout::RowBox &box : lay.rows()) {
        SheetData *row = m_model.rows().at(box.pos);
        row->setY1(box.y1);
        row->setY2(box.y2);
    }
    const SheetLook sheetLook = look();
    SheetPainter(canvas, m_model, lay, sheetLook).paint(fromY, toY);
}

bool SheetView::requestVisibleData(const SheetLayout &lay)
{
    bool requested = false;
    for (const SheetLayout::RowBox &box : lay.rows()) {
        const SheetData *row = m_model.rows().at(box.pos);
        if (row && !row->Init) {
            requestData(box.pos);
            requested = true;
        }
    }
    return requested;
}

void SheetView::requestData(int pos)
{
    // Held, so that a handler removing the row cannot pull it away under us.
    const auto row = m_model.rows().ptr(pos);
    if (!row || row->Init)
        return;
    Q_EMIT m_sheet.events()->RequestData(row->Index());
    row->Init = true;
}

void SheetView::paintHeader(Canvas &canvas)
{
    const SheetFrame f = frame();
    if (f.header.isEmpty())
        return;
    SheetHeaderLook headerLook;
    headerLook.font = m_sheet.font();
    headerLook.width = int(f.header.width() * TwipsPerPixel);
    headerLook.height = int(f.header.height() * TwipsPerPixel);
    headerLook.leftMargin = m_sheet.LeftMargin();
    headerLook.enabled = m_sheet.isEnabled();
    SheetHeaderPainter(canvas, m_model, headerLook).paint();
}

// --- scrolling ---------------------------------------------------------------------------------

void SheetView::syncBar(QScrollBar *bar, int value)
{
    m_syncingBars = true;
    bar->setValue(value);
    m_syncingBars = false;
}

void SheetView::setScrollValue(int value)
{
    m_scrollValue = std::clamp(value, 1, frame().maxScrollValue);
    syncBar(m_vScroll, m_scrollValue);
    if (m_sheet.EditMode())
        m_sheet.editor().place();
    repaint();
}

void SheetView::scrollRows(int rows)
{
    if (!m_model.flags().has(u"speed")) {
        setScrollValue(m_scrollValue + rows);
        return;
    }
    const SheetShownRows &shown = m_model.shownRows();
    const int count = m_model.shownCount();
    if (count == 0)
        return;
    const int k = std::clamp(shown.firstAtOrAfter(m_model.rows(), m_scrollValue) + rows, 1, count);
    setScrollValue(shown.position(m_model.rows(), k));
}

void SheetView::setFirstColumn(int col)
{
    m_firstColumn = std::max(col, 1);
    m_firstColumn = frame().firstColumn; // clamped, and the columns laid out from it
    syncBar(m_hScroll, m_firstColumn);
    repaint();
}

void SheetView::ensureColumnVisible(int col)
{
    const SheetColumn *column = m_model.columns().at(col);
    if (!column || !column->Enabled)
        return;
    if (col < m_firstColumn) {
        setFirstColumn(col);
        return;
    }
    // Columns go away on the left until the column's right edge is in the list.
    for (SheetFrame f = frame(); f.firstColumn < col && f.firstColumn < f.maxFirstColumn; f = frame()) {
        if (column->x1 >= 0 && column->x2 <= f.viewport.width)
            break;
        m_firstColumn = f.firstColumn + 1;
    }
    setFirstColumn(m_firstColumn);
}

void SheetView::wheel(QWheelEvent *event)
{
    int keys = 0;
    if (event->modifiers() & Qt::ShiftModifier)
        keys |= wheelKeyShift;
    if (event->modifiers() & Qt::ControlModifier)
        keys |= wheelKeyCtrl;
    // A sideways wheel scrolls the columns, as Shift with the wheel does.
    int delta = event->angleDelta().y();
    if (delta == 0 && event->angleDelta().x() != 0) {
        delta = event->angleDelta().x();
        keys |= wheelKeyShift;
    }
    const QPointF global = event->globalPosition();
    m_sheet.ScrollWheel(keys, delta, int(global.x()), int(global.y()));
    event->accept();
}

// --- header ---------------------------------------------------------------------------------

void SheetView::setSizingCursor(bool sizing)
{
    if (sizing)
        m_header->setCursor(Qt::SizeHorCursor);
    else
        m_header->unsetCursor();
}

void SheetView::showColumnMenu(int x, int y)
{
    const SheetColumns &columns = m_model.columns();
    if (m_model.flags().has(u"nopulldown") || columns.count() < 2)
        return;
    auto *menu = new QMenu(&m_sheet);
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
    menu->popup(m_header->mapToGlobal(QPoint(pixelsOf(x), pixelsOf(y))));
}

void SheetView::toggleColumn(int col)
{
    SheetColumn *column = m_model.columns().at(col);
    if (!column)
        return;
    column->Enabled = !column->Enabled;
    frame(); // lays the columns out again
    repaint();
    saveColumnLayout();
}

void SheetView::saveColumnLayout()
{
    Q_EMIT m_sheet.events()->SetColumnWidth();
    const QString registry = m_sheet.ColumnsRegistry();
    if (registry.isEmpty())
        return;
    const qsizetype split = std::max(registry.lastIndexOf(u'\\'), registry.lastIndexOf(u'/'));
    const QString keyPath = split < 0 ? QString() : registry.left(split);
    RegSetString(CurrentUserRoot, keyPath, registry.mid(split + 1), m_sheet.Columns());
}

} // namespace velk
