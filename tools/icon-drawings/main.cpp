// Draws the library's own 16 × 16 icons: pictures for names the theme has no icon for,
// drawn in the theme's palette, some composed from theme icons with a small badge.
// Usage: draw-icons <theme 16x16 folder> <output folder>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <functional>
#include <map>

namespace {

QString themeDir;

// Tango palette
const QColor kOutline(46, 52, 54);
const QColor kAluminium(186, 189, 182);
const QColor kAluminiumLight(238, 238, 236);
const QColor kAluminiumDark(85, 87, 83);
const QColor kBlue(52, 101, 164);
const QColor kBlueLight(114, 159, 207);
const QColor kBlueDark(32, 74, 135);
const QColor kGreen(115, 210, 22);
const QColor kGreenDark(78, 154, 6);
const QColor kYellow(252, 233, 79);
const QColor kYellowDark(196, 160, 0);
const QColor kOrange(245, 121, 0);
const QColor kRed(204, 0, 0);
const QColor kRedDark(164, 0, 0);
const QColor kBrown(143, 89, 2);
const QColor kBrownLight(233, 185, 110);
const QColor kPlum(117, 80, 123);

QImage blank()
{
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage theme(const QString &path)
{
    QImage image(themeDir + QLatin1Char('/') + path);
    if (image.isNull())
        std::fprintf(stderr, "missing theme icon %s\n", qPrintable(path));
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

struct Painter : QPainter
{
    explicit Painter(QImage &image) : QPainter(&image) { setRenderHint(QPainter::Antialiasing); }
    void pen(const QColor &c, double w = 1) { setPen(QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)); }
};

// A theme icon with a smaller picture in its lower right corner.
QImage withBadge(const QString &base, const QImage &badge, int size = 10)
{
    QImage image = theme(base);
    Painter p(image);
    p.drawImage(QRect(16 - size, 16 - size, size, size),
                badge.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    return image;
}

QImage checkMark(const QColor &color, double width)
{
    QImage image = blank();
    Painter p(image);
    p.pen(color, width);
    QPainterPath path;
    path.moveTo(3, 8.5);
    path.lineTo(6.5, 12);
    path.lineTo(13, 4);
    p.drawPath(path);
    return image;
}

QImage checkBox(bool checked, bool gray)
{
    QImage image = blank();
    Painter p(image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(gray ? QColor(128, 128, 128) : kOutline);
    p.setBrush(gray ? QColor(212, 212, 212) : Qt::white);
    p.drawRect(2, 2, 12, 12);
    if (checked) {
        p.setRenderHint(QPainter::Antialiasing);
        p.pen(gray ? QColor(110, 110, 110) : kOutline, 2);
        QPainterPath path;
        path.moveTo(4.5, 8);
        path.lineTo(7, 10.5);
        path.lineTo(11.5, 5);
        p.drawPath(path);
    }
    return image;
}

QImage key(const QColor &fill, const QColor &line, double dx = 0, double dy = 0)
{
    QImage image = blank();
    Painter p(image);
    p.translate(dx, dy);
    p.pen(line);
    p.setBrush(fill);
    QPainterPath shape;
    shape.addEllipse(QRectF(1.5, 4.5, 7, 7));
    shape.addRect(QRectF(7.5, 7, 7, 2.5));
    shape.addRect(QRectF(11.5, 9, 1.5, 2.5));
    shape.addRect(QRectF(13.5, 9, 1.5, 3));
    p.drawPath(shape.simplified());
    p.setBrush(line);
    p.drawEllipse(QRectF(3.5, 7, 2, 2));
    return image;
}

QImage pencil(bool gray)
{
    QImage image = blank();
    Painter p(image);
    const QColor body = gray ? QColor(170, 170, 170) : kYellow;
    const QColor line = gray ? QColor(110, 110, 110) : kBrown;
    p.translate(8, 8);
    p.rotate(-45);
    p.pen(line);
    p.setBrush(body);
    p.drawRect(QRectF(-4, -2, 10, 4));
    p.setBrush(gray ? QColor(140, 140, 140) : kRed);
    p.drawRect(QRectF(6, -2, 2, 4));
    p.setBrush(gray ? QColor(220, 220, 220) : kBrownLight);
    QPainterPath tip;
    tip.moveTo(-4, -2);
    tip.lineTo(-8, 0);
    tip.lineTo(-4, 2);
    tip.closeSubpath();
    p.drawPath(tip);
    return image;
}

QImage database()
{
    QImage image = blank();
    Painter p(image);
    p.pen(kBlueDark);
    QLinearGradient g(2, 0, 14, 0);
    g.setColorAt(0, kBlueLight);
    g.setColorAt(1, kBlue);
    p.setBrush(g);
    QPainterPath body;
    body.moveTo(2.5, 3.5);
    body.lineTo(2.5, 12.5);
    body.arcTo(QRectF(2.5, 10.5, 11, 4), 180, 180);
    body.lineTo(13.5, 3.5);
    p.drawPath(body);
    p.setBrush(kBlueLight.lighter(130));
    p.drawEllipse(QRectF(2.5, 1.5, 11, 4));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(2.5, 5.5, 11, 4), 180 * 16, 180 * 16);
    p.drawArc(QRectF(2.5, 8.5, 11, 4), 180 * 16, 180 * 16);
    return image;
}

QImage person()
{
    QImage image = blank();
    Painter p(image);
    p.pen(kBlueDark);
    p.setBrush(kBlueLight);
    QPainterPath shoulders;
    shoulders.moveTo(2.5, 15.5);
    shoulders.cubicTo(2.5, 9, 13.5, 9, 13.5, 15.5);
    shoulders.closeSubpath();
    p.drawPath(shoulders);
    p.pen(kBrown);
    p.setBrush(QColor(252, 175, 62));
    p.drawEllipse(QRectF(4.5, 1.5, 7, 7.5));
    return image;
}

QImage letterFrom(const QImage &mail, int x, int y, int size)
{
    QImage image = blank();
    Painter p(image);
    p.drawImage(QRect(x, y, size, size), mail.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    return image;
}

QImage letters()
{
    const QImage mail = theme(QStringLiteral("apps/internet-mail.png"));
    QImage image = letterFrom(mail, 0, 0, 12);
    Painter p(image);
    p.drawImage(QRect(4, 4, 12, 12), mail.scaled(12, 12, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    return image;
}

QImage openLetter()
{
    QImage image = blank();
    Painter p(image);
    p.pen(kAluminiumDark);
    p.setBrush(kAluminiumLight);
    QPainterPath flap;
    flap.moveTo(1.5, 7.5);
    flap.lineTo(8, 1.5);
    flap.lineTo(14.5, 7.5);
    p.drawPath(flap);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 3.5, 7, 8));
    p.pen(kBlueLight);
    for (double y : {5.5, 7.5})
        p.drawLine(QPointF(6, y), QPointF(10, y));
    p.pen(kAluminiumDark);
    p.setBrush(kAluminiumLight);
    QPainterPath front;
    front.moveTo(1.5, 7.5);
    front.lineTo(8, 11.5);
    front.lineTo(14.5, 7.5);
    front.lineTo(14.5, 14.5);
    front.lineTo(1.5, 14.5);
    front.closeSubpath();
    p.drawPath(front);
    return image;
}

QImage table()
{
    QImage image = blank();
    Painter p(image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(kAluminiumDark);
    p.setBrush(Qt::white);
    p.drawRect(1, 2, 14, 12);
    p.fillRect(2, 3, 13, 3, kBlueLight);
    for (int y : {6, 9, 12})
        p.drawLine(1, y, 15, y);
    for (int x : {6, 10})
        p.drawLine(x, 2, x, 14);
    return image;
}

QImage openBook()
{
    QImage image = blank();
    Painter p(image);
    p.pen(kBlueDark);
    p.setBrush(kBlue);
    p.drawRect(QRectF(0.5, 4.5, 15, 9));
    p.pen(kAluminiumDark);
    p.setBrush(Qt::white);
    QPainterPath left, right;
    left.moveTo(8, 4);
    left.cubicTo(6, 2.5, 3, 2.5, 1.5, 3.5);
    left.lineTo(1.5, 12.5);
    left.cubicTo(3, 11.5, 6, 11.5, 8, 13);
    left.closeSubpath();
    right.moveTo(8, 4);
    right.cubicTo(10, 2.5, 13, 2.5, 14.5, 3.5);
    right.lineTo(14.5, 12.5);
    right.cubicTo(13, 11.5, 10, 11.5, 8, 13);
    right.closeSubpath();
    p.drawPath(left);
    p.drawPath(right);
    p.pen(kAluminium);
    for (double y : {6.0, 8.0, 10.0}) {
        p.drawLine(QPointF(3, y), QPointF(6.5, y));
        p.drawLine(QPointF(9.5, y), QPointF(13, y));
    }
    return image;
}

QImage books()
{
    QImage image = blank();
    Painter p(image);
    p.setRenderHint(QPainter::Antialiasing, false);
    const struct { int x, w, top; QColor color; } spines[] = {
        {1, 4, 2, kRedDark}, {5, 4, 4, kBlue}, {9, 3, 1, kGreenDark}, {12, 3, 3, kBrown}};
    for (const auto &s : spines) {
        p.setPen(kOutline);
        p.setBrush(s.color);
        p.drawRect(s.x, s.top, s.w - 1, 14 - s.top);
        p.setPen(kYellow);
        p.drawLine(s.x + 1, s.top + 3, s.x + s.w - 2, s.top + 3);
    }
    p.setPen(kOutline);
    p.drawLine(0, 15, 15, 15);
    return image;
}

QImage badge(const QColor &color, const QString &letter)
{
    QImage image = blank();
    Painter p(image);
    p.pen(color.darker(140));
    p.setBrush(color);
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2.5, 2.5);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(1, 1, 14, 14), Qt::AlignCenter, letter);
    return image;
}

QImage funnel()
{
    QImage image = blank();
    Painter p(image);
    p.pen(kBlueDark);
    QLinearGradient g(0, 0, 16, 0);
    g.setColorAt(0, kBlueLight);
    g.setColorAt(1, kBlue);
    p.setBrush(g);
    QPainterPath path;
    path.moveTo(1.5, 2.5);
    path.lineTo(14.5, 2.5);
    path.lineTo(9.5, 8.5);
    path.lineTo(9.5, 14.5);
    path.lineTo(6.5, 12.5);
    path.lineTo(6.5, 8.5);
    path.closeSubpath();
    p.drawPath(path);
    return image;
}

QImage sortAz()
{
    QImage image = blank();
    Painter p(image);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(7);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kBlueDark);
    p.drawText(QRect(0, 0, 8, 8), Qt::AlignCenter, QStringLiteral("A"));
    p.drawText(QRect(0, 8, 8, 8), Qt::AlignCenter, QStringLiteral("Z"));
    p.pen(kGreenDark, 1.5);
    p.drawLine(QPointF(11.5, 2), QPointF(11.5, 13));
    p.setPen(Qt::NoPen);
    p.setBrush(kGreenDark);
    p.drawPolygon(QPolygonF({QPointF(8.5, 10), QPointF(14.5, 10), QPointF(11.5, 15)}));
    return image;
}

QImage keywordTag()
{
    QImage image = blank();
    Painter p(image);
    p.pen(kYellowDark);
    p.setBrush(kYellow);
    QPainterPath tag;
    tag.moveTo(1.5, 8);
    tag.lineTo(6, 3.5);
    tag.lineTo(14.5, 3.5);
    tag.lineTo(14.5, 12.5);
    tag.lineTo(6, 12.5);
    tag.closeSubpath();
    p.drawPath(tag);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(4.5, 6.5, 3, 3));
    p.pen(kBrown);
    p.drawLine(QPointF(9, 6.5), QPointF(13, 6.5));
    p.drawLine(QPointF(9, 9.5), QPointF(12, 9.5));
    return image;
}

QImage hierarchy()
{
    QImage image = blank();
    Painter p(image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(kAluminiumDark);
    p.drawLine(7, 5, 7, 8);
    p.drawLine(3, 8, 12, 8);
    p.drawLine(3, 8, 3, 10);
    p.drawLine(12, 8, 12, 10);
    p.setPen(kBlueDark);
    p.setBrush(kBlueLight);
    p.drawRect(4, 1, 6, 4);
    p.setBrush(kGreen);
    p.setPen(kGreenDark);
    p.drawRect(0, 10, 6, 4);
    p.drawRect(9, 10, 6, 4);
    return image;
}

QImage questionBubble()
{
    QImage image = blank();
    Painter p(image);
    p.pen(kBlueDark);
    p.setBrush(Qt::white);
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(1.5, 1.5, 13, 10), 3, 3);
    QPainterPath tail;
    tail.moveTo(4, 11);
    tail.lineTo(3.5, 14.5);
    tail.lineTo(8, 11);
    p.drawPath(bubble.united(tail));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kBlue);
    p.drawText(QRect(1, 1, 14, 11), Qt::AlignCenter, QStringLiteral("?"));
    return image;
}

QImage vault()
{
    QImage image = blank();
    Painter p(image);
    p.pen(kOutline);
    QLinearGradient g(0, 0, 16, 16);
    g.setColorAt(0, kAluminium);
    g.setColorAt(1, kAluminiumDark);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 12), 1.5, 1.5);
    p.setBrush(kAluminiumLight);
    p.drawEllipse(QRectF(4.5, 4.5, 6, 6));
    p.drawLine(QPointF(7.5, 4.5), QPointF(7.5, 6.5));
    p.pen(kOutline, 1.5);
    p.drawLine(QPointF(12.5, 5), QPointF(12.5, 10));
    p.setBrush(kOutline);
    p.drawRect(QRectF(3, 14, 2, 1));
    p.drawRect(QRectF(11, 14, 2, 1));
    return image;
}

QImage chainLink()
{
    QImage image = blank();
    Painter p(image);
    p.translate(8, 8);
    p.rotate(-45);
    p.pen(kBlue, 2);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(-8, -2.5, 9, 5), 2.5, 2.5);
    p.pen(kBlueDark, 2);
    p.drawRoundedRect(QRectF(-1, -2.5, 9, 5), 2.5, 2.5);
    return image;
}

QImage mirrored(const QString &path)
{
    return theme(path).mirrored(true, false);
}

QImage twoKeys()
{
    QImage image = key(kYellow, kBrown, 0, -3);
    Painter p(image);
    p.drawImage(0, 0, key(kAluminium, kAluminiumDark, 0, 3));
    return image;
}

QImage task()
{
    return withBadge(QStringLiteral("actions/edit-paste.png"), checkMark(kGreenDark, 3), 11);
}

QImage topicPath()
{
    const QImage folder = theme(QStringLiteral("places/folder-saved-search.png"));
    QImage image = blank();
    Painter p(image);
    p.drawImage(QRect(0, 0, 11, 11), folder.scaled(11, 11, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    p.pen(kAluminiumDark);
    p.drawLine(QPointF(3.5, 11), QPointF(3.5, 13.5));
    p.drawLine(QPointF(3.5, 13.5), QPointF(6, 13.5));
    p.drawImage(QRect(6, 6, 10, 10), folder.scaled(10, 10, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: draw-icons <theme 16x16 folder> <output folder>\n");
        return 2;
    }
    themeDir = QString::fromLocal8Bit(argv[1]);
    const QString outDir = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(outDir);

    const std::map<QString, std::function<QImage()>> drawings = {
        {"upload", [] { return withBadge("mimetypes/text-x-generic.png", theme("actions/go-up.png")); }},
        {"download", [] { return withBadge("mimetypes/text-x-generic.png", theme("actions/go-down.png")); }},
        {"url", chainLink},
        {"key", [] { return key(kYellow, kBrown); }},
        {"keys", twoKeys},
        {"edit", [] { return pencil(false); }},
        {"editgray", [] { return pencil(true); }},
        {"ok", [] { return checkMark(kGreenDark, 2.5); }},
        {"question", questionBubble},
        {"db", database},
        {"person", person},
        {"letters", letters},
        {"openletter", openLetter},
        {"table", table},
        {"topicpath", topicPath},
        {"bookopen", openBook},
        {"books", books},
        {"checked", [] { return checkBox(true, false); }},
        {"unchecked", [] { return checkBox(false, false); }},
        {"checkedgray", [] { return checkBox(true, true); }},
        {"uncheckedgray", [] { return checkBox(false, true); }},
        {"task", task},
        {"access", [] { return badge(kRedDark, "A"); }},
        {"frontpage", [] { return badge(QColor(6, 152, 154), "F"); }},
        {"outlook", [] { return badge(kBlue, "O"); }},
        {"playback", [] { return mirrored("actions/media-playback-start.png"); }},
        {"filter", funnel},
        {"sort", sortAz},
        {"archivfile", [] { return withBadge("mimetypes/package-x-generic.png", theme("mimetypes/text-x-generic.png")); }},
        {"archivout", [] { return withBadge("mimetypes/package-x-generic.png", theme("actions/go-up.png")); }},
        {"archivin", [] { return withBadge("mimetypes/package-x-generic.png", theme("actions/go-down.png")); }},
        {"archivmail", [] { return withBadge("mimetypes/package-x-generic.png", theme("apps/internet-mail.png")); }},
        {"keyword", keywordTag},
        {"hierarchie", hierarchy},
        {"vaultcase", vault},
    };
    int failures = 0;
    for (const auto &[name, draw] : drawings) {
        const QString file = outDir + QLatin1Char('/') + name + QStringLiteral(".png");
        if (!draw().convertToFormat(QImage::Format_ARGB32).save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
