#include "velkIcon.h"

#include <velk/common/IconNames.h>
#include <velk/common/LeadingNumber_p.h>
#include <velk/common/Rounding_p.h>
#include <velk/common/ImageServices.h>
#include <velk/platform/Canvas.h>
#include <velk/platform/ControlFactory.h>

#include <QPaintEngine>
#include <QPainter>

#include <cmath>

// The pictures are compiled into the library; referencing the resource here also keeps
// it in static builds.
static void initIconResources()
{
    Q_INIT_RESOURCE(velk_icons);
}

namespace velk {

namespace {

constexpr int kCell = velkIcon::CellSize;
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kSilhouetteGray = qRgb(128, 128, 128);

QImage whiteCell()
{
    QImage cell(kCell, kCell, QImage::Format_RGB32);
    cell.fill(kWhite);
    return cell;
}

// Icons are kept opaque on white, so that AND leaves the destination where an icon is empty.
QImage cellOnWhite(const QImage &picture)
{
    QImage cell = whiteCell();
    if (picture.isNull())
        return cell;
    QPainter p(&cell);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (picture.width() > kCell || picture.height() > kCell) {
        const QImage fitted = picture.scaled(kCell, kCell, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        p.drawImage((kCell - fitted.width()) / 2, (kCell - fitted.height()) / 2, fitted);
    } else {
        p.drawImage((kCell - picture.width()) / 2, (kCell - picture.height()) / 2, picture);
    }
    return cell;
}

QImage turnedClockwise(const QImage &cell)
{
    QImage source = cell;
    QImage work;
    RotateQuarter(source, work, 1);
    return source.convertToFormat(QImage::Format_RGB32);
}

void putCell(QImage &strip, int index, const QImage &cell)
{
    QPainter p(&strip);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(index * kCell, 0, cell);
}

struct Strips
{
    QImage first;
    QImage second;
};

// The built-in pictures are loaded once per process; each control shares them until it
// adds icons of its own (QImage copies on write).
const Strips &builtInStrips()
{
    static const Strips strips = [] {
        initIconResources();
        const QStringList &names = IconNames();
        const int count = int(names.size());
        Strips s;
        s.first = QImage(velkIcon::FirstStripCount * kCell, kCell, QImage::Format_RGB32);
        s.first.fill(kWhite);
        s.second = QImage(std::max(1, count - velkIcon::FirstStripCount) * kCell, kCell, QImage::Format_RGB32);
        s.second.fill(kWhite);
        for (int n = 1; n <= count; ++n) {
            const QImage cell = cellOnWhite(QImage(QStringLiteral(":/velk/icons/%1.png").arg(names[n - 1])));
            if (n <= velkIcon::FirstStripCount)
                putCell(s.first, n - 1, cell);
            else
                putCell(s.second, n - velkIcon::FirstStripCount - 1, turnedClockwise(cell));
        }
        return s;
    }();
    return strips;
}

// The icon number a text starts with; 0 when it has none or one beyond any icon.
int iconNumber(const QString &text)
{
    const double value = LeadingNumber(text);
    return std::fabs(value) > 2147483647.0 ? 0 : RoundHalfEvenToInt(value);
}

bool supportsRasterOps(QPainter &p)
{
    return p.paintEngine() && p.paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
}

// Where AND is not available (printers, PDF) white is made transparent instead, which
// looks the same on any background.
QImage whiteAsTransparent(const QImage &cell)
{
    QImage keyed = cell.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < keyed.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == 0xFFFFFF)
                line[x] = 0;
        }
    }
    return keyed;
}

QImage orOnto(const QImage &cell, QRgb background)
{
    QImage result = cell.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            line[x] = (line[x] | background) | 0xFF000000;
    }
    return result;
}

} // namespace

struct velkIcon::Private
{
    QStringList added;
    QImage strip1;
    QImage strip2;
    QImage picture1 = whiteCell();
    QImage picture2 = whiteCell();

    int builtInCount() const { return int(IconNames().size()); }
    int lastNumber() const { return builtInCount() + int(added.size()); }

    // The upright cell of icon `n`; false when the number has no picture.
    bool cellOf(int n, QImage &cell)
    {
        if (n < 1 || n > lastNumber())
            return false;
        if (n <= FirstStripCount) {
            cell = strip1.copy((n - 1) * kCell, 0, kCell, kCell);
            return true;
        }
        const QImage stored = strip2.copy((n - FirstStripCount - 1) * kCell, 0, kCell, kCell);
        QPainter p(&picture2);
        RotateBitmap(p, stored, 0, 0, kCell, kCell, 90);
        p.end();
        cell = picture2;
        return true;
    }

    QImage silhouette(const QImage &cell)
    {
        picture1 = orOnto(cell, kSilhouetteGray);
        return picture1;
    }

    // The cell as it must be drawn for `state`, and whether it is ANDed.
    bool prepare(int ico, int state, QImage &image, bool &andOnto)
    {
        state = ((state % 4) + 4) % 4;
        if (state == 3 || !cellOf(ico, image))
            return false;
        andOnto = state != 0;
        if (state == 2)
            image = silhouette(image);
        return true;
    }

    void appendCell(const QImage &cell)
    {
        const int index = int(added.size()) + builtInCount() - FirstStripCount;
        if (strip2.width() < (index + 1) * kCell) {
            QImage wider(std::max(strip2.width(), (index + 1) * kCell), kCell, QImage::Format_RGB32);
            wider.fill(kWhite);
            QPainter p(&wider);
            p.drawImage(0, 0, strip2);
            p.end();
            strip2 = wider;
        }
        putCell(strip2, index, turnedClockwise(cell));
    }
};

velkIcon::velkIcon(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>())
{
    const Strips &strips = builtInStrips();
    d->strip1 = strips.first;
    d->strip2 = strips.second;
    setFixedSize(kCell, kCell);
    hide();
}

velkIcon::~velkIcon() = default;

int velkIcon::IconNr(const QString &ico) const
{
    if (ico == u"#")
        return -1;
    if (ico == u"##")
        return -2;
    if (ico == u"~")
        return -3;
    if (ico == u"-")
        return 199;
    if (const qsizetype pos = d->added.indexOf(ico); pos >= 0)
        return d->builtInCount() + int(pos) + 1;
    if (const int number = iconNumber(ico); number != 0)
        return number;
    return IconNumberOf(ico == u"location" ? QStringLiteral("db") : ico);
}

QString velkIcon::IconString(int ico) const
{
    if (ico < 1)
        return QString();
    if (ico <= d->builtInCount())
        return IconNames()[ico - 1];
    return d->added.value(ico - d->builtInCount() - 1);
}

void velkIcon::Paint(QPainter &dst, int x, int y, int ico, int state)
{
    QImage image;
    bool andOnto = false;
    if (!d->prepare(ico, state, image, andOnto))
        return;
    dst.save();
    if (andOnto && supportsRasterOps(dst))
        dst.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    else if (andOnto)
        image = whiteAsTransparent(image);
    dst.drawImage(x, y, image);
    dst.restore();
}

void velkIcon::Paint(Canvas &dst, int x, int y, int ico, int state)
{
    QImage image;
    bool andOnto = false;
    if (!d->prepare(ico, state, image, andOnto))
        return;
    QPainter *p = dst.painter();
    if (p)
        p->save();
    if (andOnto && p && supportsRasterOps(*p))
        p->setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    else if (andOnto)
        image = whiteAsTransparent(image);
    dst.PaintPicture(image, dst.fromPixels(x), dst.fromPixels(y));
    if (p)
        p->restore();
}

void velkIcon::AddIcon(const QString &icona, const QImage &picbox)
{
    d->picture1 = cellOnWhite(picbox);
    d->appendCell(d->picture1);
    d->added.append(icona);
}

void velkIcon::AddIcon(const QString &icona, QWidget *picbox)
{
    if (!picbox)
        return;
    const QImage grabbed = picbox->grab(QRect(0, 0, kCell, kCell)).toImage();
    d->appendCell(cellOnWhite(grabbed));
    d->added.append(icona);
}

QImage velkIcon::GetIcon(const QString &ico)
{
    QImage cell;
    d->picture1 = d->cellOf(IconNr(ico), cell) ? cell.convertToFormat(QImage::Format_RGB32) : whiteCell();
    return d->picture1;
}

int velkIcon::BuiltInCount() const { return d->builtInCount(); }

QString velkIcon::AddedNames() const
{
    QString names;
    for (const QString &name : d->added)
        names += name + u',';
    return names;
}

const QImage &velkIcon::PicIcon1() const { return d->strip1; }
const QImage &velkIcon::PicIcon2() const { return d->strip2; }
const QImage &velkIcon::Picture1() const { return d->picture1; }
const QImage &velkIcon::Picture2() const { return d->picture2; }

namespace {
[[maybe_unused]] const bool registered = (ControlFactory::registerClass<velkIcon>(QStringLiteral("velkIcon")), true);
}

} // namespace velk
