#include "velkPreView.h"

#include "PageScript_p.h"
#include "PageText.h"

#include <velk/platform/ControlFactory.h>
#include <velk/platform/Dialogs.h>
#include <velk/platform/Input.h>
#include <velk/platform/PictureBox.h>
#include <velk/platform/Printer.h>
#include <velk/platform/Screen.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QResizeEvent>

#include <array>
#include <cmath>

namespace velk {

namespace {

constexpr std::array<double, 4> zoomSteps{0.75, 1, 2, 5};
constexpr double dragThresholdCm = 0.5;
constexpr double marginPx = 240 / TwipsPerPixel;
constexpr double pixelsPerCm = 1440 / 2.54 / TwipsPerPixel;
constexpr double arrowStepCm = 1.0;
const QString noDocument = QStringLiteral("-");

int zoomIndexOf(double zoom)
{
    for (size_t i = 0; i < zoomSteps.size(); ++i) {
        if (std::abs(zoomSteps[i] - zoom) < 1e-9)
            return int(i);
    }
    return -1;
}

// The document's lines as plain text: commands, comments and "!" codes left out.
QString plainText(const QString &document)
{
    QString out;
    for (QStringView line : QStringView(document).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.startsWith(u'$') || line.startsWith(u'\''))
            continue;
        QStringList words;
        for (QStringView word : line.split(u' ', Qt::SkipEmptyParts)) {
            if (!word.startsWith(u'!'))
                words << word.toString();
        }
        out += words.join(u' ') + QStringLiteral("\r\n");
    }
    return out;
}

} // namespace

struct velkPreView::Private
{
    velkPreViewEvents *events = nullptr;
    PictureBox *bild = nullptr;
    int page = 1;
    int pages = 0;
    QString text = noDocument;
    double zoom = 1.0;
    bool redraw = true;
    PageDocument document;
    std::unique_ptr<PageRenderer> renderer;
    QPointF imagePos{marginPx, marginPx};
    // dragging
    bool pressed = false;
    bool moved = false;
    QPointF pressCm;

    double scalePx() const { return zoom * pixelsPerCm; }
    QSizeF paper() const { return document.paperCm(); }

    void placeImage()
    {
        const QSize size(std::max(1, int(std::lround(paper().width() * scalePx()))),
                         std::max(1, int(std::lround(paper().height() * scalePx()))));
        bild->setGeometry(QRect(QPoint(int(std::lround(imagePos.x())), int(std::lround(imagePos.y()))), size));
        bild->canvas().setUserScale(0, 0, paper().width(), paper().height(), 2.54);
    }
    void moveImage(QPointF byPx)
    {
        imagePos += byPx;
        bild->move(int(std::lround(imagePos.x())), int(std::lround(imagePos.y())));
    }
};

velkPreView::velkPreView(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>())
{
    d->events = new velkPreViewEvents(this);
    d->events->setObjectName(QStringLiteral("events"));
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(128, 128, 128));
    setPalette(pal);

    d->bild = new PictureBox(this);
    d->bild->setObjectName(QStringLiteral("Bild1"));
    d->bild->setFocusPolicy(Qt::NoFocus);
    d->bild->setBackColor(0xFFFFFF);
    d->bild->setForeColor(0);
    d->bild->setScaleMode(ScaleMode::User);
    connect(d->bild, &PictureBox::MouseDown, this, &velkPreView::MouseDown);
    connect(d->bild, &PictureBox::MouseMove, this, &velkPreView::MouseMove);
    connect(d->bild, &PictureBox::MouseUp, this, &velkPreView::MouseUp);
    d->placeImage();
    d->bild->Cls();
}

velkPreView::~velkPreView() = default;

velkPreViewEvents *velkPreView::events() const { return d->events; }
int velkPreView::page() const { return d->page; }
void velkPreView::setPage(int page) { d->page = page; }
int velkPreView::Pages() const { return d->pages; }
void velkPreView::setPages(int pages) { d->pages = pages; }
QString velkPreView::Text() const { return d->text; }
void velkPreView::setText(const QString &text) { d->text = text; }
double velkPreView::Zoom() const { return d->zoom; }
bool velkPreView::Redraw() const { return d->redraw; }
PictureBox *velkPreView::Bild1() const { return d->bild; }

void velkPreView::setZoom(double zoom)
{
    if (!(zoom > 0) || !std::isfinite(zoom) || zoom == d->zoom)
        return;
    d->zoom = std::clamp(zoom, 0.05, 20.0);
    d->placeImage();
    GotoPage(d->page);
}

void velkPreView::setRedraw(bool on)
{
    if (d->redraw == on)
        return;
    d->redraw = on;
    if (on)
        GotoPage(d->page);
}

void velkPreView::Init(const QString &txt, const QString &repl)
{
    d->text = ExpandPageText(txt, repl);
    d->document = PageDocument(d->text);
    d->renderer = std::make_unique<PageRenderer>(d->document);
    d->pages = d->renderer->countPages();
    d->placeImage();
    GotoPage(1);
}

void velkPreView::Clear()
{
    d->zoom = 1.0;
    d->page = 1;
    d->document = PageDocument();
    d->renderer.reset();
    d->imagePos = {marginPx, marginPx};
    d->placeImage();
    d->bild->Cls();
    d->bild->Refresh();
}

void velkPreView::Refresh() { GotoPage(d->page); }

void velkPreView::GotoPage(int s)
{
    d->page = s;
    if (d->redraw) {
        Canvas &canvas = d->bild->canvas();
        d->bild->Cls();
        if (d->renderer)
            d->renderer->drawPage(s, canvas);
        canvas.end();
        d->bild->update();
    }
    emit d->events->PageChanged(d->page, d->pages);
}

void velkPreView::PrintOut()
{
    Printer &printer = Printer::instance();
    if (!printer.isAvailable()) {
        Dialogs::instance().MsgBox(QStringLiteral("Es ist kein Drucker installiert"), MsgBoxStyle::Information,
                                   QStringLiteral("Drucken"));
        return;
    }
    if (!d->renderer) {
        d->renderer = std::make_unique<PageRenderer>(d->document);
        d->pages = d->renderer->countPages();
    }
    printDocument(d->document, *d->renderer, printer, QStringLiteral("Drucken"));
}

void velkPreView::Copy()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return;
    if (Screen::shiftState() & 3)
        clipboard->setImage(d->bild->image());
    else
        clipboard->setText(d->text == noDocument ? QString() : plainText(d->text));
}

void velkPreView::KeyDown(int keyCode, int)
{
    const double step = arrowStepCm * d->scalePx();
    switch (keyCode) {
    case KeyCode::Home:
        GotoPage(1);
        return;
    case KeyCode::End:
        GotoPage(d->pages);
        return;
    case KeyCode::PageDown:
        if (d->page < d->pages)
            GotoPage(d->page + 1);
        return;
    case KeyCode::PageUp:
        if (d->page >= 2)
            GotoPage(d->page - 1);
        return;
    default:
        break;
    }
    if (zoomIndexOf(d->zoom) == 1)
        return;
    switch (keyCode) {
    case KeyCode::Right:
        d->moveImage({step, 0});
        break;
    case KeyCode::Left:
        d->moveImage({-step, 0});
        break;
    case KeyCode::Up:
        d->moveImage({0, -step});
        break;
    case KeyCode::Down:
        d->moveImage({0, step});
        break;
    default:
        break;
    }
}

void velkPreView::MouseDown(int, int, float x, float y)
{
    d->pressed = true;
    d->moved = false;
    d->pressCm = {x, y};
}

void velkPreView::MouseMove(int, int, float x, float y)
{
    if (!d->pressed)
        return;
    const QPointF offset = QPointF(x, y) - d->pressCm;
    if (!d->moved && (std::abs(offset.x()) > dragThresholdCm || std::abs(offset.y()) > dragThresholdCm)) {
        d->moved = true;
        d->bild->setCursor(Qt::SizeAllCursor);
    }
    // The picture follows the pointer, so the pressed point stays under it.
    if (d->moved)
        d->moveImage(offset * d->scalePx());
}

void velkPreView::MouseUp(int button, int, float x, float y)
{
    if (!d->pressed)
        return;
    d->pressed = false;
    if (d->moved) {
        d->bild->unsetCursor();
        return;
    }
    const int index = zoomIndexOf(d->zoom);
    if (index < 0)
        return;
    const int count = int(zoomSteps.size());
    const int next = button == MouseButton::Left ? (index + 1) % count : (index + count - 1) % count;
    // The clicked point of the paper stays where it was on the screen.
    const QPointF clickedPx = d->imagePos + QPointF(x, y) * d->scalePx();
    d->zoom = zoomSteps[next];
    d->imagePos = clickedPx - QPointF(x, y) * d->scalePx();
    d->placeImage();
    GotoPage(d->page);
}

QSize velkPreView::sizeHint() const
{
    return {480, 600};
}

void velkPreView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (d->text == noDocument)
        return;
    d->zoom = 1.0;
    d->imagePos = {marginPx, marginPx};
    d->placeImage();
    GotoPage(d->page);
}

void velkPreView::keyPressEvent(QKeyEvent *event)
{
    const int keyCode = keyCodeOf(event);
    if (keyCode < KeyCode::PageUp || keyCode > KeyCode::Down) {
        QWidget::keyPressEvent(event);
        return;
    }
    KeyDown(keyCode, shiftStateFromQt(event->modifiers()));
}

namespace {
[[maybe_unused]] const bool registered = (ControlFactory::registerClass<velkPreView>(QStringLiteral("velkPreView")), true);
}

} // namespace velk
