#include <velk/editors/velkBoard.h>

#include <velk/controls/velkIcon.h>
#include <velk/editors/BoardIndex_p.h>
#include <velk/editors/BoardInput_p.h>
#include <velk/editors/BoardLayout_p.h>
#include <velk/editors/BoardModel_p.h>
#include <velk/editors/BoardPainter_p.h>
#include <velk/platform/Canvas.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/Input.h>
#include <velk/platform/PictureBox.h>

#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace velk {

namespace {
constexpr int kDefaultItemWidth = 2400;
constexpr int kDefaultItemHeight = 1000;
constexpr int kBoardMargin = 300;   // free board beyond the outermost boxes
constexpr int kScrollStep = 300;    // twips per arrow click or key
constexpr int kMaxItemSize = 100'000'000;
} // namespace

struct velkBoard::Private
{
    velkBoard *q;
    velkBoardEvents *events;
    velkIcon *icons;
    PictureBox *picture;
    QScrollBar *hbar;
    QScrollBar *vbar;

    BoardModel model;
    BoardIndex index;
    bool indexStale = true;
    BoardLayout layout;
    bool layoutStale = true;
    QString menuString;
    int itemWidth = kDefaultItemWidth;
    int itemHeight = kDefaultItemHeight;
    bool redraw = true;
    bool needsPaint = true;
    std::unique_ptr<BoardInput> input;

    explicit Private(velkBoard *owner)
        : q(owner)
        , events(new velkBoardEvents(owner))
        , icons(new velkIcon(owner))
        , picture(new PictureBox(owner))
        , hbar(new QScrollBar(Qt::Horizontal, owner))
        , vbar(new QScrollBar(Qt::Vertical, owner))
    {
        events->setObjectName(QStringLiteral("events"));
        icons->setObjectName(QStringLiteral("velkIcon1"));
        icons->hide();
        picture->setObjectName(QStringLiteral("Picture1"));
        picture->setScaleMode(ScaleMode::Twips);
        picture->setFocusPolicy(Qt::StrongFocus);
        hbar->setObjectName(QStringLiteral("HScroll"));
        vbar->setObjectName(QStringLiteral("VScroll"));
        for (QScrollBar *bar : {hbar, vbar}) {
            bar->setSingleStep(kScrollStep);
            bar->setRange(0, 0);
        }
        input = std::make_unique<BoardInput>(BoardInput::Board{
            model, [this]() -> const BoardIndex & { return currentIndex(); },
            [this]() -> BoardIndex & { return currentIndex(); },
            [this]() -> const BoardLayout & { return currentLayout(); }, [this] { changed(); }, events});
    }

    BoardIndex &currentIndex()
    {
        if (indexStale) {
            index.build(model, itemWidth, itemHeight);
            indexStale = false;
        }
        return index;
    }

    const BoardLayout &currentLayout()
    {
        if (layoutStale) {
            Canvas measure;
            layout = BoardLayout::make(menuString, itemWidth, itemHeight, measure, icons);
            layoutStale = false;
        }
        return layout;
    }

    QSize viewTwips() const
    {
        return QSize(int(picture->width() * TwipsPerPixel), int(picture->height() * TwipsPerPixel));
    }
    QPoint origin() const { return QPoint(hbar->value(), vbar->value()); }
    QPoint boardPoint(float x, float y) const { return origin() + QPoint(int(std::floor(x)), int(std::floor(y))); }

    // Changes are drawn once the picture is next shown, so filling a board item by item
    // costs one drawing, not one per item; the index is not touched until then either.
    void changed()
    {
        needsPaint = true;
        picture->update();
    }

    void paintNow()
    {
        needsPaint = true;
        paintIfNeeded();
    }

    void paintIfNeeded()
    {
        if (!redraw || !needsPaint)
            return;
        updateScrollBars();
        needsPaint = false;
        q->paintOn(picture->canvas());
    }

    static void setRange(QScrollBar *bar, int low, int high, int page)
    {
        const QSignalBlocker block(bar);
        bar->setRange(low, std::max(low, high - page));
        bar->setPageStep(std::max(page, 1));
    }

    void updateScrollBars()
    {
        const QRect extent = currentIndex().extent();
        const QSize view = viewTwips();
        const int oldX = hbar->value();
        const int oldY = vbar->value();
        setRange(hbar, std::min(0, extent.left() - kBoardMargin), std::max(0, extent.right() + kBoardMargin), view.width());
        setRange(vbar, std::min(0, extent.top() - kBoardMargin), std::max(0, extent.bottom() + kBoardMargin), view.height());
        if (hbar->value() != oldX || vbar->value() != oldY)
            needsPaint = true;
    }

    void layoutChildren()
    {
        const int bar = q->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        const int w = std::max(q->width() - bar, 0);
        const int h = std::max(q->height() - bar, 0);
        picture->setGeometry(0, 0, w, h);
        hbar->setGeometry(0, h, w, bar);
        vbar->setGeometry(w, 0, bar, h);
    }
};

velkBoard::velkBoard(QWidget *parent) : QWidget(parent), d(std::make_unique<Private>(this))
{
    connect(d->picture, &PictureBox::MouseDown, this, &velkBoard::MouseDown);
    connect(d->picture, &PictureBox::MouseMove, this, &velkBoard::MouseMove);
    connect(d->picture, &PictureBox::MouseUp, this, &velkBoard::MouseUp);
    connect(d->picture, &PictureBox::Paint, this, [this] { d->paintIfNeeded(); });
    connect(d->picture, &PictureBox::Resize, this, [this] { d->paintNow(); });
    connect(d->picture, &PictureBox::KeyDown, this, [this](int &keyCode, int) {
        QScrollBar *bar = (keyCode == KeyCode::Left || keyCode == KeyCode::Right) ? d->hbar : d->vbar;
        const int sign = (keyCode == KeyCode::Left || keyCode == KeyCode::Up) ? -1 : 1;
        if (keyCode >= KeyCode::Left && keyCode <= KeyCode::Down)
            bar->setValue(bar->value() + sign * kScrollStep);
        else if (keyCode == KeyCode::PageUp || keyCode == KeyCode::PageDown)
            d->vbar->setValue(d->vbar->value() + (keyCode == KeyCode::PageUp ? -1 : 1) * d->vbar->pageStep());
    });
    for (QScrollBar *bar : {d->hbar, d->vbar})
        connect(bar, &QScrollBar::valueChanged, this, [this] { d->paintNow(); });
    setFocusProxy(d->picture);
    d->layoutChildren();
}

velkBoard::~velkBoard() = default;

velkBoardEvents *velkBoard::events() const { return d->events; }

QString velkBoard::MenuString() const { return d->menuString; }
void velkBoard::setMenuString(const QString &value)
{
    if (value == d->menuString)
        return;
    d->menuString = value;
    d->layoutStale = true;
    d->changed();
}

int velkBoard::ItemWidth() const { return d->itemWidth; }
void velkBoard::setItemWidth(int twips)
{
    twips = std::clamp(twips, 1, kMaxItemSize);
    if (twips == d->itemWidth)
        return;
    d->itemWidth = twips;
    d->layoutStale = d->indexStale = true;
    d->changed();
}

int velkBoard::ItemHeight() const { return d->itemHeight; }
void velkBoard::setItemHeight(int twips)
{
    twips = std::clamp(twips, 1, kMaxItemSize);
    if (twips == d->itemHeight)
        return;
    d->itemHeight = twips;
    d->layoutStale = d->indexStale = true;
    d->changed();
}

const Collection<velkBoard::ItemPtr> &velkBoard::Items() const { return d->model.items(); }
const Collection<velkBoard::LinkPtr> &velkBoard::links() const { return d->model.links(); }

QString velkBoard::Config() const { return d->model.config(); }

void velkBoard::setConfig(const QString &text)
{
    const bool wasOn = d->redraw;
    d->redraw = false;
    d->model.setConfig(text);
    d->indexStale = true;
    d->redraw = wasOn;
    d->paintNow();
}

int velkBoard::SelectedCount() const { return d->model.selectedCount(); }
bool velkBoard::Redraw() const { return d->redraw; }

void velkBoard::setRedraw(bool on)
{
    if (on == d->redraw)
        return;
    d->redraw = on;
    if (on)
        d->paintNow();
}

void velkBoard::Clear()
{
    d->model.clear();
    d->indexStale = true;
    d->changed();
}

void velkBoard::AddItem(std::shared_ptr<BoardData> b)
{
    BoardData *box = b.get();
    if (!d->model.addItem(std::move(b)))
        return;
    if (!d->indexStale)
        d->index.addBox(d->model, *box);
    d->changed();
}

void velkBoard::RemoveItem(std::shared_ptr<BoardData> b)
{
    if (!d->model.removeItem(b.get()))
        return;
    d->indexStale = true;
    d->changed();
}

void velkBoard::AddLink(std::shared_ptr<BoardLink> l)
{
    BoardLink *link = l.get();
    if (!d->model.addLink(std::move(l)))
        return;
    if (!d->indexStale)
        d->index.addLink(d->model, *link);
    d->changed();
}

void velkBoard::RemoveLink(std::shared_ptr<BoardLink> lnk)
{
    if (!d->model.removeLink(lnk.get()))
        return;
    d->indexStale = true;
    d->changed();
}

bool velkBoard::HasLink(std::shared_ptr<BoardData> b1, std::shared_ptr<BoardData> b2) const
{
    return d->model.hasLink(b1.get(), b2.get());
}

void velkBoard::Refresh()
{
    d->model.rebuildLinkLists();
    d->indexStale = true;
    d->paintNow();
}

void velkBoard::MouseDown(int button, int shift, float x, float y)
{
    d->input->press(button, shift, d->boardPoint(x, y));
    d->paintIfNeeded();
}

void velkBoard::MouseMove(int button, int shift, float x, float y)
{
    d->input->move(button, shift, d->boardPoint(x, y));
    d->paintIfNeeded();
}

void velkBoard::MouseUp(int button, int shift, float x, float y)
{
    d->input->release(button, shift, d->boardPoint(x, y));
    d->paintIfNeeded();
}

QPoint velkBoard::scrollOrigin() const { return d->origin(); }

void velkBoard::setScrollOrigin(QPoint board)
{
    d->updateScrollBars();
    d->hbar->setValue(board.x());
    d->vbar->setValue(board.y());
}

void velkBoard::paintOn(Canvas &canvas)
{
    const BoardIndex &index = d->currentIndex();
    const BoardLayout &layout = d->currentLayout();
    BoardPainter(canvas, d->model, index, layout, d->icons).paint(QRect(d->origin(), d->viewTwips()));
}

QSize velkBoard::sizeHint() const { return QSize(480, 320); }

void velkBoard::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    d->layoutChildren();
    d->updateScrollBars();
}

void velkBoard::wheelEvent(QWheelEvent *event)
{
    const int notches = event->angleDelta().y() / 120;
    QScrollBar *bar = (event->modifiers() & Qt::ShiftModifier) ? d->hbar : d->vbar;
    bar->setValue(bar->value() - notches * 3 * kScrollStep);
    event->accept();
}

namespace {
[[maybe_unused]] const bool registered = (ControlFactory::registerClass<velkBoard>(QStringLiteral("velkBoard")), true);
}

} // namespace velk
