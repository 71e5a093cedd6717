#include "SheetView_p.h"

#include "SheetEditor_p.h"
#include "SheetHeaderPainter_p.h"
#include "SheetLayout_p.h"
#include "SheetPainter_p.h"
#include "SheetState_p.h"
#include "SheetSurface_p.h"
#include "velkSheet.h"

#include <velk/platform/Canvas.h>
#include <velk/platform/DesignMode.h>
#include <velk/platform/Units.h>

#include <QCoreApplication>
#include <QMenu>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include <algorithm>
#include <climits>

namespace velk {

namespace {


} // namespace

SheetView::SheetView(QWidget &owner, SheetState &state, velkSheetEvents &events, velkIcon *icons)
    : QObject(&owner)
    , m_owner(owner)
    , m_state(state)
    , m_events(events)
    , m_icons(icons)
    , m_header(new SheetSurface(&owner))
    , m_list(new SheetSurface(&owner))
    , m_vScroll(new QScrollBar(Qt::Vertical, &owner))
    , m_hScroll(new QScrollBar(Qt::Horizontal, &owner))
    , m_popup(new QMenu(&owner))
{
    m_header->setObjectName(QStringLiteral("P_Header"));
    m_list->setObjectName(QStringLiteral("Picture1"));
    m_list->setFocusPolicy(Qt::StrongFocus);
    m_list->setAcceptDrops(true);
    m_popup->setObjectName(QStringLiteral("menu_popup"));
    m_vScroll->setObjectName(QStringLiteral("VScroll1"));
    m_hScroll->setObjectName(QStringLiteral("HScroll1"));
    m_vScroll->hide();
    m_hScroll->hide();
    m_editor = new SheetEditor(state, events, *this);

    m_list->onPaint = [this](Canvas &canvas, const QRect &dirty) { paintList(canvas, dirty.top(), dirty.bottom() + 1); };
    m_header->onPaint = [this](Canvas &canvas, const QRect &) { paintHeader(canvas); };
    state.setWindowSize([this] {
        return SheetState::WindowSize{m_owner.size(), m_owner.style()->pixelMetric(QStyle::PM_ScrollBarExtent)};
    });
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

QFont SheetView::font() const
{
    return m_owner.font();
}

// --- placement ---------------------------------------------------------------------------

void SheetView::schedulePlacement()
{
    if (m_placementPending)
        return;
    m_placementPending = true;
    QCoreApplication::postEvent(&m_owner, new QEvent(QEvent::LayoutRequest));
}

void SheetView::placeIfPending()
{
    if (m_placementPending)
        place();
}

void SheetView::place()
{
    m_placementPending = false;
    // The frame clamps the scroll values to what the list can scroll now; they are
    // taken over before the frame is read for the surfaces.
    m_state.setScrollValue(m_state.scrollValue());
    m_state.setFirstColumn(m_state.firstColumn());
    const SheetFrame &f = m_state.frame();
    const int border = m_state.borderStyle() == 1 ? 1 : 0;
    m_header->setVisible(!f.header.isEmpty());
    m_header->setGeometry(f.header.translated(border, border));
    m_list->setGeometry(f.list.translated(border, border));
    m_syncingBars = true;
    m_vScroll->setVisible(!f.vScroll.isEmpty());
    m_vScroll->setGeometry(f.vScroll.translated(border, border));
    m_vScroll->setRange(1, f.maxScrollValue);
    m_vScroll->setPageStep(std::max(1, m_state.layout().visibleLines()));
    m_vScroll->setValue(m_state.scrollValue());
    m_hScroll->setVisible(!f.hScroll.isEmpty());
    m_hScroll->setGeometry(f.hScroll.translated(border, border));
    m_hScroll->setRange(1, f.maxFirstColumn);
    m_hScroll->setValue(m_state.firstColumn());
    m_syncingBars = false;
    if (m_editor->isShown())
        m_editor->place();
}

// --- repainting ------------------------------------------------------------------------------

void SheetView::repaint()
{
    m_state.changed();
    if (!m_state.redraw())
        return;
    schedulePlacement();
    m_header->update();
    m_list->update();
}

void SheetView::repaintRow(int pos)
{
    if (!m_state.redraw())
        return;
    if (const SheetLayout::RowBox *box = m_state.layout().rowBox(pos))
        m_list->update(QRect(0, pixelsOfTwips(box->y1), m_list->width(), pixelsOfTwips(box->y2 - box->y1) + 1));
}

// --- painting --------------------------------------------------------------------------------

SheetLook SheetView::look()
{
    SheetLook look;
    look.font = m_owner.font();
    look.backColor = m_state.backColor();
    look.enabled = m_owner.isEnabled();
    look.hasFocus = m_list->hasFocus();
    look.icons = m_icons;
    look.dropMark = m_state.dropMark();
    if (m_state.hasArts())
        look.artOf = [this](const SheetData &row) { return m_state.artOf(row); };
    look.drawItem = [this](Canvas &canvas, int pos, int x1, int y1, int x2, int y2) {
        Q_EMIT m_events.DrawItem(&canvas, m_state.model().rows().ptr(pos), x1, y1, x2, y2);
    };
    return look;
}

void SheetView::paintList(Canvas &canvas, int fromY, int toY)
{
    // The host fills requested rows in RequestData; what it writes may change their
    // heights, so the rows are laid out again before they are painted.
    if (requestVisibleData())
        m_state.changed();
    // Rows written directly (a row's Expanded) change what scrolls without a repaint
    // call: the scroll bars follow once the event loop runs.
    const SheetFrame &f = m_state.frame();
    if (m_vScroll->maximum() != f.maxScrollValue || m_vScroll->isHidden() != f.vScroll.isEmpty())
        schedulePlacement();
    // A copy: DrawItem handlers run while the rows are painted and may change the sheet.
    const SheetLayout lay = m_state.layout();
    for (const SheetLayout::RowBox &box : lay.rows()) {
        SheetData *row = m_state.model().rows().at(box.pos);
        row->setY1(box.y1);
        row->setY2(box.y2);
    }
    const SheetLook sheetLook = look();
    SheetPainter(canvas, m_state.model(), lay, sheetLook).paint(fromY, toY);
    if (m_state.model().count() == 0 && isDesignMode(&m_owner))
        SheetHeaderPainter::paintDesignPreview(canvas, m_state.model(), m_state.frame().columns, m_state.leftMargin(),
                                               m_state.topMargin(), font());
}

bool SheetView::requestVisibleData()
{
    // Positions first: a handler may change the rows and with them the layout.
    std::vector<int> unfilled;
    for (const SheetLayout::RowBox &box : m_state.layout().rows()) {
        const SheetData *row = m_state.model().rows().at(box.pos);
        if (row && !row->Init)
            unfilled.push_back(box.pos);
    }
    for (int pos : unfilled)
        requestData(pos);
    return !unfilled.empty();
}

void SheetView::requestData(int pos)
{
    // Held, so that a handler removing the row cannot pull it away under us.
    const auto row = m_state.model().rows().ptr(pos);
    if (!row || row->Init)
        return;
    Q_EMIT m_events.RequestData(row->Index());
    row->Init = true;
}

void SheetView::paintHeader(Canvas &canvas)
{
    const SheetFrame &f = m_state.frame();
    if (f.header.isEmpty())
        return;
    SheetHeaderLook headerLook;
    headerLook.font = m_owner.font();
    headerLook.width = twipsOfPixels(f.header.width());
    headerLook.height = twipsOfPixels(f.header.height());
    headerLook.leftMargin = m_state.leftMargin();
    headerLook.enabled = m_owner.isEnabled();
    headerLook.columns = f.columns;
    headerLook.marker = f.headerMarker;
    SheetHeaderPainter(canvas, m_state.model(), headerLook).paint();
}

// --- the current row ------------------------------------------------------------------------

bool SheetView::selectRow(int pos)
{
    if (!m_state.model().setSelectedIndex(pos))
        return false;
    requestData(m_state.model().selectedIndex());
    repaint();
    return true;
}

void SheetView::ensureVisible(int pos)
{
    if (!m_state.model().rows().at(pos))
        return;
    setScrollValue(m_state.layout().scrollValueShowing(pos));
    if (m_state.model().flags().selectColumn())
        ensureColumnVisible(m_state.model().selectedCol());
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
    m_state.setScrollValue(value);
    syncBar(m_vScroll, m_state.scrollValue());
    if (m_editor->isShown())
        m_editor->place();
    repaint();
}

void SheetView::scrollRows(int rows)
{
    const SheetModel &model = m_state.model();
    if (!model.flags().has(u"speed")) {
        setScrollValue(m_state.scrollValue() + rows);
        return;
    }
    const SheetShownRows &shown = model.shownRows();
    const int count = model.shownCount();
    if (count == 0)
        return;
    const int k = std::clamp(shown.firstAtOrAfter(model.rows(), m_state.scrollValue()) + rows, 1, count);
    setScrollValue(shown.position(model.rows(), k));
}

void SheetView::setFirstColumn(int col)
{
    m_state.setFirstColumn(col);
    syncBar(m_hScroll, m_state.firstColumn());
    repaint();
}

void SheetView::ensureColumnVisible(int col)
{
    const SheetColumn *column = m_state.model().columns().at(col);
    if (!column || !column->Enabled)
        return;
    if (col < m_state.firstColumn()) {
        setFirstColumn(col);
        return;
    }
    // Columns go away on the left until the column's right edge is in the list.
    const SheetColumns &columns = m_state.model().columns();
    const SheetFrame &f = m_state.frame();
    int first = std::clamp(m_state.firstColumn(), 1, f.maxFirstColumn);
    for (; first < col && first < f.maxFirstColumn; ++first) {
        const SheetColumnEdge edge = columns.layout(f.viewport.width, first, m_state.leftMargin()).at(col);
        if (edge.x1 >= 0 && edge.x2 <= f.viewport.width)
            break;
    }
    setFirstColumn(first);
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
    popupAt(m_header->mapToGlobal(QPoint(pixelsOfTwips(x), pixelsOfTwips(y))));
}

void SheetView::showMenuAtCurrentRow()
{
    placeIfPending(); // the surfaces are where the rows are drawn
    const int pos = m_state.model().selectedIndex();
    const SheetLayout::RowBox *box = pos ? m_state.layout().rowBox(pos) : nullptr;
    if (box)
        popupAt(m_list->mapToGlobal(QPoint(0, std::min(pixelsOfTwips(box->y2), m_list->height()))));
    else if (!m_header->isHidden())
        popupAt(m_header->mapToGlobal(QPoint(0, m_header->height())));
    else
        popupAt(m_list->mapToGlobal(QPoint(0, 0)));
}

void SheetView::popupAt(const QPoint &global)
{
    if (!m_state.menuOffered())
        return;
    syncMenu();
    m_popup->popup(global);
}

void SheetView::syncMenu()
{
    syncColumnEntries();
    syncHostEntries();
}

// The column entries are made anew: the columns, their captions and what is shown may
// all have changed since.
void SheetView::syncColumnEntries()
{
    const QList<QAction *> actions = m_popup->actions();
    QAction *firstHostEntry = nullptr;
    for (QAction *action : actions) {
        if (action->objectName() == QLatin1String("menu_column"))
            delete action;
        else if (!firstHostEntry)
            firstHostEntry = action;
    }
    const SheetColumns &columns = m_state.model().columns();
    for (int col = 1; col <= columns.count(); ++col) {
        const SheetColumn *column = columns.at(col);
        const QString caption = column->caption.isEmpty() ? QStringLiteral("Spalte %1").arg(col) : column->caption;
        auto *action = new QAction(caption, m_popup);
        action->setObjectName(QStringLiteral("menu_column"));
        action->setProperty("Index", col - 1);
        action->setCheckable(true);
        action->setChecked(column->Enabled);
        connect(action, &QAction::triggered, this, [this, col] { toggleColumn(col); });
        m_popup->insertAction(firstHostEntry, action);
    }
}

// The host's entries keep their actions: the ones removed go, the ones added are appended.
void SheetView::syncHostEntries()
{
    const std::vector<SheetMenuEntry> &entries = m_state.menuEntries();
    int kept = 0;
    for (QAction *action : m_popup->actions()) {
        if (action->objectName() != QLatin1String("menu_item"))
            continue;
        const int index = action->property("Index").toInt();
        const bool present = std::any_of(entries.begin(), entries.end(),
                                         [index](const SheetMenuEntry &entry) { return entry.index == index; });
        if (present)
            kept = std::max(kept, index);
        else
            delete action;
    }
    for (const SheetMenuEntry &entry : entries) {
        if (entry.index <= kept)
            continue;
        auto *action = new QAction(entry.caption, m_popup);
        action->setObjectName(QStringLiteral("menu_item"));
        action->setProperty("Index", entry.index);
        action->setProperty("Tag", entry.cmd);
        action->setData(entry.cmd);
        action->setCheckable(entry.checked);
        action->setChecked(entry.checked);
        action->setVisible(true);
        const QString cmd = entry.cmd;
        const bool checked = entry.checked;
        // The host decides the mark: choosing an entry does not toggle it.
        connect(action, &QAction::triggered, this, [this, action, cmd, checked] {
            action->setChecked(checked);
            Q_EMIT m_events.Menu(cmd);
        });
        m_popup->addAction(action);
    }
}

void SheetView::toggleColumn(int col)
{
    SheetColumn *column = m_state.model().columns().at(col);
    if (!column)
        return;
    column->Enabled = !column->Enabled;
    columnsChanged();
    saveColumnLayout();
}

void SheetView::columnsChanged()
{
    m_state.model().touch();
    repaint();
}

void SheetView::saveColumnLayout()
{
    Q_EMIT m_events.SetColumnWidth();
    m_state.columnStore().save(m_state.model().columns().definition());
}

} // namespace velk
