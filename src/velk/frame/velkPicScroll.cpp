#include "velkPicScroll.h"

#include "PicAreas_p.h"

#include <velk/common/Color.h>
#include <velk/common/ImageServices.h>
#include <velk/platform/Canvas.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/Dialogs.h>
#include <velk/platform/Input.h>
#include <velk/platform/SystemColors.h>
#include <velk/preview/velkJPG_p.h>

#include <QFile>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSaveFile>
#include <QScrollBar>

#include <algorithm>
#include <climits>
#include <utility>
#include <cmath>

namespace velk {

namespace {

constexpr int kScrollStepPx = 20;
constexpr double kGripPx = 4;     // how near an edge of the selected area a press resizes it
constexpr double kMinDrawPx = 3;  // a smaller rubber band is a click, not a new area
constexpr Color kViewBack = 0x808080;
constexpr Color kAreaColor = 0xFF0000;     // blue
constexpr Color kSelectedColor = 0x0000FF; // red
constexpr Color kLinkBack = 0xFFFFFF;

enum Edge { Left = 1, Top = 2, Right = 4, Bottom = 8 };

bool isJpegFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(3);
    return head.size() == 3 && uchar(head[0]) == 0xFF && uchar(head[1]) == 0xD8 && uchar(head[2]) == 0xFF;
}

QImage readPicture(const QString &fileName)
{
    if (fileName.isEmpty() || !QFile::exists(fileName))
        return QImage();
    if (isJpegFile(fileName)) {
        velkJPG jpg;
        if (!jpg.LoadJPG(fileName))
            return QImage();
        QImage image = jpg.DIBSection(); // shares the pixels; the buffer ends with jpg
        return image;
    }
    QImageReader reader(fileName);
    return reader.read();
}

} // namespace

/// The view: shows the visible part of the picture and the areas over it.
class PicScrollView : public QWidget
{
public:
    explicit PicScrollView(velkPicScroll *owner)
        : QWidget(owner)
        , q(owner)
    {
        setObjectName(QStringLiteral("Picture1"));
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);
    }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override
    {
        q->setFocus(Qt::MouseFocusReason);
        const MouseInput m = mouseInputOf(event);
        const QPointF p = q->pictureFromView(event->position());
        q->MouseDown(m.button, m.shift, float(p.x()), float(p.y()));
    }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        const MouseInput m = mouseInputOf(event);
        const QPointF p = q->pictureFromView(event->position());
        q->MouseMove(m.button, m.shift, float(p.x()), float(p.y()));
        updateCursor(p, m.button);
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        const MouseInput m = mouseInputOf(event);
        const QPointF p = q->pictureFromView(event->position());
        q->MouseUp(m.button, m.shift, float(p.x()), float(p.y()));
    }
    void mouseDoubleClickEvent(QMouseEvent *event) override { q->DblClickAt(q->pictureFromView(event->position())); }

private:
    void updateCursor(QPointF p, int buttons);

    velkPicScroll *q;
};

struct velkPicScroll::Private
{
    enum class Drag { None, Draw, Move, Resize };

    velkPicScroll *q;
    velkPicScrollEvents *events;
    PicScrollView *view;
    QScrollBar *hBar;
    QScrollBar *vBar;
    QLabel *status;

    QImage picture;
    QImage scaled; // the picture at the view's size, made once per size change (ScaleFlag)
    QString fileName;
    PicAreas areas;
    short areasEdit = 0;
    QString areasSyntax;
    short areaSelected = 0;
    bool scaleFlag = false;
    double scale = 1; // view pixels per picture pixel

    Drag drag = Drag::None;
    int edges = 0;
    QPointF dragStart;
    QRect dragOriginal;
    QRect dragRect;

    explicit Private(velkPicScroll *owner)
        : q(owner)
        , events(new velkPicScrollEvents(owner))
        , view(new PicScrollView(owner))
        , hBar(new QScrollBar(Qt::Horizontal, owner))
        , vBar(new QScrollBar(Qt::Vertical, owner))
        , status(new QLabel(owner))
    {
        events->setObjectName(QStringLiteral("events"));
        hBar->setObjectName(QStringLiteral("HScroll1"));
        vBar->setObjectName(QStringLiteral("VScroll1"));
        status->setObjectName(QStringLiteral("Status"));
        status->setAutoFillBackground(true);
        status->hide();
        hBar->hide();
        vBar->hide();
        for (QScrollBar *bar : {hBar, vBar}) {
            bar->setSingleStep(kScrollStepPx);
            bar->setFocusPolicy(Qt::NoFocus);
            QObject::connect(bar, &QScrollBar::valueChanged, view, qOverload<>(&QWidget::update));
        }
    }

    QPoint offset() const { return scaleFlag ? QPoint() : QPoint(hBar->value(), vBar->value()); }
    double tolerance() const { return kGripPx / scale; }

    // Places view and scroll bars for the control's size and the picture; with ScaleFlag
    // also makes the scaled copy when the size it needs changed.
    void relayout()
    {
        const QSize outer = q->size();
        const QSize pic = picture.size();
        const int barW = vBar->sizeHint().width();
        const int barH = hBar->sizeHint().height();
        bool needH = false;
        bool needV = false;
        if (!scaleFlag && !picture.isNull()) {
            needH = pic.width() > outer.width();
            needV = pic.height() > outer.height() - (needH ? barH : 0);
            needH = pic.width() > outer.width() - (needV ? barW : 0);
        }
        const QSize inner(std::max(0, outer.width() - (needV ? barW : 0)),
                          std::max(0, outer.height() - (needH ? barH : 0)));
        view->setGeometry(QRect(QPoint(0, 0), inner));
        placeBar(hBar, needH, QRect(0, inner.height(), inner.width(), barH), pic.width() - inner.width(), inner.width());
        placeBar(vBar, needV, QRect(inner.width(), 0, barW, inner.height()), pic.height() - inner.height(),
                 inner.height());
        updateScale(inner);
        status->adjustSize();
        status->move(4, std::max(0, inner.height() - status->height() - 4));
        view->update();
    }

    static void placeBar(QScrollBar *bar, bool shown, const QRect &rect, int range, int page)
    {
        bar->setVisible(shown);
        bar->setGeometry(rect);
        bar->setRange(0, shown ? std::max(0, range) : 0);
        bar->setPageStep(std::max(1, page));
    }

    void updateScale(const QSize &inner)
    {
        if (!scaleFlag || picture.isNull() || inner.isEmpty()) {
            scale = 1;
            scaled = QImage();
            return;
        }
        scale = std::min(double(inner.width()) / picture.width(), double(inner.height()) / picture.height());
        const QSize target(std::max(1, int(std::lround(picture.width() * scale))),
                           std::max(1, int(std::lround(picture.height() * scale))));
        if (scaled.size() != target)
            scaled = picture.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }

    QRectF viewRectOf(const QRect &pictureRect) const
    {
        const QPointF a = q->viewFromPicture(pictureRect.topLeft());
        const QPointF b = q->viewFromPicture(QPointF(pictureRect.right(), pictureRect.bottom()));
        return QRectF(a, b);
    }

    QPoint clampedToPicture(QPointF p) const
    {
        // Clamped as doubles: a host may pass any float, and only then is it an int.
        auto clampTo = [](double v, int size) {
            return std::isfinite(v) ? int(std::clamp(std::floor(v), 0.0, double(std::max(0, size - 1)))) : 0;
        };
        return QPoint(clampTo(p.x(), picture.width()), clampTo(p.y(), picture.height()));
    }

    int edgesAt(const QRect &r, QPointF p) const
    {
        const double t = tolerance();
        if (p.x() < r.left() - t || p.x() > r.right() + t || p.y() < r.top() - t || p.y() > r.bottom() + t)
            return 0;
        int e = 0;
        if (std::abs(p.x() - r.left()) <= t)
            e |= Left;
        else if (std::abs(p.x() - r.right()) <= t)
            e |= Right;
        if (std::abs(p.y() - r.top()) <= t)
            e |= Top;
        else if (std::abs(p.y() - r.bottom()) <= t)
            e |= Bottom;
        return e;
    }

    void startDrag(QPointF p)
    {
        const PicArea &selected = areas.area(areaSelected);
        if (selected.valid && (edges = edgesAt(selected.rect(), p)) != 0) {
            drag = Drag::Resize;
        } else if (const int hit = areas.hitTest(p, 0); hit > 0) {
            select(hit);
            drag = Drag::Move;
        } else {
            select(0);
            drag = Drag::Draw;
        }
        dragStart = p;
        dragOriginal = drag == Drag::Draw ? QRect(clampedToPicture(p), QSize(1, 1)) : areas.area(areaSelected).rect();
        dragRect = dragOriginal;
    }

    void followDrag(QPointF p)
    {
        const QPoint at = clampedToPicture(p);
        switch (drag) {
        case Drag::Draw:
            dragRect = QRect(dragOriginal.topLeft(), at).normalized();
            break;
        case Drag::Move: {
            const QPoint delta = clampedToPicture(p) - clampedToPicture(dragStart);
            QRect moved = dragOriginal.translated(delta);
            moved.moveLeft(std::clamp(moved.left(), 0, std::max(0, picture.width() - moved.width())));
            moved.moveTop(std::clamp(moved.top(), 0, std::max(0, picture.height() - moved.height())));
            dragRect = moved;
            break;
        }
        case Drag::Resize: {
            QRect r = dragOriginal;
            if (edges & Left) r.setLeft(at.x());
            if (edges & Right) r.setRight(at.x());
            if (edges & Top) r.setTop(at.y());
            if (edges & Bottom) r.setBottom(at.y());
            dragRect = r.normalized();
            break;
        }
        case Drag::None:
            return;
        }
        view->update();
    }

    void finishDrag()
    {
        const Drag ended = std::exchange(drag, Drag::None);
        view->update();
        if (ended == Drag::Draw) {
            const QRectF shown = viewRectOf(dragRect);
            if (dragRect.width() > 1 && dragRect.height() > 1 && shown.width() >= kMinDrawPx
                && shown.height() >= kMinDrawPx) {
                areaSelected = short(std::min(areas.add(dragRect), int(SHRT_MAX)));
                emit events->AreasChanged();
            }
        } else if (ended != Drag::None && dragRect != dragOriginal) {
            areas.replace(areaSelected, dragRect, areas.area(areaSelected).link);
            emit events->AreasChanged();
        }
    }

    void select(int n)
    {
        if (areaSelected == n)
            return;
        areaSelected = short(n);
        view->update();
    }

    void editLink()
    {
        const PicArea &a = areas.area(areaSelected);
        if (!a.valid)
            return;
        const auto answer = Dialogs::instance().InputBox(areasSyntax, QStringLiteral("Verknüpfung"), a.link);
        if (!answer || answer->isEmpty())
            return;
        areas.replace(areaSelected, a.rect(), *answer);
        view->update();
        emit events->AreasChanged();
    }

    void scrollBy(int dx, int dy)
    {
        hBar->setValue(hBar->value() + dx);
        vBar->setValue(vBar->value() + dy);
    }

    void paintPicture(QPainter &painter, const QRect &exposed) const
    {
        if (picture.isNull())
            return;
        if (scaleFlag) {
            painter.drawImage(exposed.topLeft(), scaled, exposed);
            return;
        }
        // Only the exposed part of the picture is drawn: the cost follows the view, not the picture.
        painter.drawImage(exposed.topLeft(), picture, exposed.translated(offset()));
    }

    void paintArea(Canvas &canvas, const QRect &rect, const QString &link, bool selected) const
    {
        const QRectF r = viewRectOf(rect);
        if (!r.intersects(QRectF(view->rect()).adjusted(-2, -2, 2, 2)))
            return;
        const Color color = selected ? kSelectedColor : kAreaColor;
        canvas.setDrawWidth(selected ? 2 : 1);
        canvas.Box(r.left(), r.top(), r.right(), r.bottom(), color);
        canvas.setDrawWidth(1);
        if (link.isEmpty())
            return;
        const double w = canvas.TextWidth(link) + 4;
        const double h = canvas.TextHeight(link);
        canvas.FilledBox(r.left() + 1, r.top() + 1, r.left() + w, r.top() + h, kLinkBack);
        canvas.setForeColor(color);
        canvas.setCurrentX(r.left() + 3);
        canvas.setCurrentY(r.top() + 1);
        canvas.Print(link);
    }

    void paintAreas(Canvas &canvas) const
    {
        for (int n = 1; n <= areas.count(); ++n) {
            const PicArea &a = areas.area(n);
            const bool dragged = drag != Drag::None && drag != Drag::Draw && n == areaSelected;
            if (a.valid)
                paintArea(canvas, dragged ? dragRect : a.rect(), a.link, n == areaSelected);
        }
        if (drag == Drag::Draw)
            paintArea(canvas, dragRect, QString(), true);
    }
};

void PicScrollView::paintEvent(QPaintEvent *event)
{
    const velkPicScroll::Private &d = *q->d;
    Canvas canvas(this, ScaleMode::Pixels);
    QPainter &painter = *canvas.painter();
    painter.fillRect(event->rect(), resolveColor(kViewBack));
    d.paintPicture(painter, event->rect());
    d.paintAreas(canvas);
}

void PicScrollView::updateCursor(QPointF p, int buttons)
{
    const velkPicScroll::Private &d = *q->d;
    if (buttons != 0 || d.areasEdit == 0 || d.picture.isNull()) {
        if (buttons == 0)
            unsetCursor();
        return;
    }
    const PicArea &selected = d.areas.area(d.areaSelected);
    const int e = selected.valid ? d.edgesAt(selected.rect(), p) : 0;
    if (e == (Left | Top) || e == (Right | Bottom))
        setCursor(Qt::SizeFDiagCursor);
    else if (e == (Right | Top) || e == (Left | Bottom))
        setCursor(Qt::SizeBDiagCursor);
    else if (e & (Left | Right))
        setCursor(Qt::SizeHorCursor);
    else if (e & (Top | Bottom))
        setCursor(Qt::SizeVerCursor);
    else if (d.areas.hitTest(p) > 0)
        setCursor(Qt::SizeAllCursor);
    else
        setCursor(Qt::CrossCursor);
}

velkPicScroll::velkPicScroll(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>(this))
{
    setFocusPolicy(Qt::StrongFocus);
    d->relayout();
}

velkPicScroll::~velkPicScroll() = default;

velkPicScrollEvents *velkPicScroll::events() const { return d->events; }
short velkPicScroll::AreasEdit() const { return d->areasEdit; }

void velkPicScroll::setAreasEdit(short edit)
{
    d->areasEdit = edit;
    d->drag = Private::Drag::None;
}

QString velkPicScroll::AreasSyntax() const { return d->areasSyntax; }
void velkPicScroll::setAreasSyntax(const QString &syntax) { d->areasSyntax = syntax; }
short velkPicScroll::AreaSelected() const { return d->areaSelected; }
void velkPicScroll::setAreaSelected(short n) { d->select(n); }
QString velkPicScroll::Areas() const { return d->areas.text(); }

void velkPicScroll::setAreas(const QString &areas)
{
    d->areas.setText(areas);
    d->areaSelected = 0;
    d->drag = Private::Drag::None;
    d->view->update();
}

QString velkPicScroll::filename() const { return d->fileName; }

void velkPicScroll::setFilename(const QString &fileName)
{
    d->picture = QImage(); // the old picture goes before the new one comes
    d->scaled = QImage();
    d->picture = readPicture(fileName);
    d->fileName = d->picture.isNull() ? QString() : fileName;
    d->drag = Private::Drag::None;
    d->relayout();
    setScrollPosition(QPoint(0, 0));
}

bool velkPicScroll::ScaleFlag() const { return d->scaleFlag; }

void velkPicScroll::setScaleFlag(bool on)
{
    if (d->scaleFlag == on)
        return;
    d->scaleFlag = on;
    d->relayout();
}

int velkPicScroll::PicWidth() const { return d->picture.width(); }
int velkPicScroll::PicHeight() const { return d->picture.height(); }
QWidget *velkPicScroll::ChildPicture() const { return d->view; }

void velkPicScroll::AreaDelete()
{
    if (d->areaSelected < 1 || d->areaSelected > d->areas.count())
        return;
    d->areas.remove(d->areaSelected);
    d->areaSelected = 0;
    d->view->update();
}

void velkPicScroll::Rotate(short richtung)
{
    if (d->picture.isNull())
        return;
    d->scaled = QImage();
    QImage work;
    RotateQuarter(d->picture, work, richtung);
    d->relayout();
}

bool velkPicScroll::SaveBMP(const QString &file)
{
    if (d->picture.isNull())
        return false;
    QSaveFile out(file);
    return out.open(QIODevice::WriteOnly) && d->picture.save(&out, "BMP") && out.commit();
}

bool velkPicScroll::SaveJPG(const QString &file)
{
    if (d->picture.isNull())
        return false;
    d->status->setText(QStringLiteral("Speichere JPG"));
    d->relayout();
    d->status->show();
    d->status->repaint();
    velkJPG jpg;
    const bool ok = jpg.CreateFromBitmap(d->picture) && jpg.SaveJPG(file, 90);
    d->status->hide();
    return ok;
}

const QImage &velkPicScroll::picture() const { return d->picture; }
double velkPicScroll::scale() const { return d->scale; }
QPoint velkPicScroll::scrollPosition() const { return d->offset(); }

void velkPicScroll::setScrollPosition(QPoint picturePixel)
{
    d->hBar->setValue(picturePixel.x());
    d->vBar->setValue(picturePixel.y());
}

QPointF velkPicScroll::pictureFromView(QPointF viewPoint) const
{
    return (viewPoint + QPointF(d->offset())) / d->scale;
}

QPointF velkPicScroll::viewFromPicture(QPointF picturePoint) const
{
    return picturePoint * d->scale - QPointF(d->offset());
}

void velkPicScroll::MouseDown(int button, int shift, float x, float y)
{
    if (d->areasEdit != 0 && button == MouseButton::Left && !d->picture.isNull() && d->drag == Private::Drag::None)
        d->startDrag(QPointF(x, y));
    emit d->events->MouseDown(short(button), short(shift), x, y);
}

void velkPicScroll::MouseMove(int button, int shift, float x, float y)
{
    if (d->drag != Private::Drag::None) {
        if (button & MouseButton::Left)
            d->followDrag(QPointF(x, y));
        else
            d->finishDrag();
    }
    emit d->events->MouseMove(short(button), short(shift), x, y);
}

void velkPicScroll::MouseUp(int button, int shift, float x, float y)
{
    if (d->drag != Private::Drag::None && button == MouseButton::Left) {
        d->followDrag(QPointF(x, y));
        d->finishDrag();
    }
    emit d->events->MouseUp(short(button), short(shift), x, y);
}

void velkPicScroll::DblClick()
{
    if (d->areasEdit == 0) {
        emit d->events->DblClick();
        return;
    }
    d->drag = Private::Drag::None;
    d->editLink();
}

void velkPicScroll::DblClickAt(QPointF picturePoint)
{
    // The area under the pointer is the one to link, even when no press selected it first.
    if (d->areasEdit != 0 && d->drag == Private::Drag::None) {
        if (const int hit = d->areas.hitTest(picturePoint); hit > 0)
            d->select(hit);
    }
    DblClick();
}

void velkPicScroll::KeyDown(int keyCode, int)
{
    const QPoint page(d->hBar->pageStep(), d->vBar->pageStep());
    switch (keyCode) {
    case KeyCode::Left: d->scrollBy(-kScrollStepPx, 0); break;
    case KeyCode::Right: d->scrollBy(kScrollStepPx, 0); break;
    case KeyCode::Up: d->scrollBy(0, -kScrollStepPx); break;
    case KeyCode::Down: d->scrollBy(0, kScrollStepPx); break;
    case KeyCode::PageUp: d->scrollBy(0, -page.y()); break;
    case KeyCode::PageDown: d->scrollBy(0, page.y()); break;
    case KeyCode::Home: setScrollPosition(QPoint(0, 0)); break;
    case KeyCode::End: setScrollPosition(QPoint(d->hBar->maximum(), d->vBar->maximum())); break;
    case KeyCode::Delete:
        if (d->areasEdit != 0 && d->areas.area(d->areaSelected).valid) {
            AreaDelete();
            emit d->events->AreasChanged();
        }
        break;
    case KeyCode::Return:
        if (d->areasEdit != 0)
            d->editLink();
        break;
    case KeyCode::Escape:
        d->drag = Private::Drag::None;
        d->select(0);
        break;
    default: break;
    }
}

QSize velkPicScroll::sizeHint() const { return {320, 240}; }

void velkPicScroll::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    d->relayout();
}

void velkPicScroll::keyPressEvent(QKeyEvent *event)
{
    const int code = keyCodeOf(event);
    switch (code) {
    case KeyCode::Left: case KeyCode::Right: case KeyCode::Up: case KeyCode::Down:
    case KeyCode::PageUp: case KeyCode::PageDown: case KeyCode::Home: case KeyCode::End:
    case KeyCode::Delete: case KeyCode::Return: case KeyCode::Escape:
        KeyDown(code, shiftStateFromQt(event->modifiers()));
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

namespace {
[[maybe_unused]] const bool registered =
    (ControlFactory::registerClass<velkPicScroll>(QStringLiteral("velkPicScroll")), true);
}

} // namespace velk
