#include "PicAreas_p.h"

#include <algorithm>

namespace velk {

namespace {

const QString kLineBreak = QStringLiteral("\r\n");

// Widths and heights of rectangles within this bound still fit an int.
constexpr int kCoordinateLimit = 1 << 30;

bool readNumber(QStringView text, int &out)
{
    bool ok = false;
    out = text.trimmed().toInt(&ok);
    return ok && out > -kCoordinateLimit && out < kCoordinateLimit;
}

} // namespace

QRect PicArea::rect() const
{
    return QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)));
}

void PicAreas::setText(const QString &text)
{
    m_lines = text.isEmpty() ? QStringList() : text.split(kLineBreak);
    m_areas.clear();
    m_areas.reserve(m_lines.size());
    for (const QString &line : std::as_const(m_lines))
        m_areas.push_back(parseLine(line));
}

QString PicAreas::text() const { return m_lines.join(kLineBreak); }

int PicAreas::count() const { return int(m_lines.size()); }

const PicArea &PicAreas::area(int n) const
{
    static const PicArea none;
    return n >= 1 && n <= count() ? m_areas[size_t(n - 1)] : none;
}

int PicAreas::hitTest(QPointF point, double tolerance) const
{
    for (int n = count(); n >= 1; --n) {
        const PicArea &a = m_areas[size_t(n - 1)];
        if (!a.valid)
            continue;
        const QRect r = a.rect();
        if (point.x() >= r.left() - tolerance && point.x() <= r.right() + tolerance
            && point.y() >= r.top() - tolerance && point.y() <= r.bottom() + tolerance)
            return n;
    }
    return 0;
}

int PicAreas::add(const QRect &rect, const QString &link)
{
    m_lines.append(formatLine(rect, link));
    m_areas.push_back(parseLine(m_lines.last()));
    return count();
}

void PicAreas::replace(int n, const QRect &rect, const QString &link)
{
    if (n < 1 || n > count())
        return;
    m_lines[n - 1] = formatLine(rect, link);
    m_areas[size_t(n - 1)] = parseLine(m_lines[n - 1]);
}

void PicAreas::remove(int n)
{
    if (n < 1 || n > count())
        return;
    m_lines.removeAt(n - 1);
    m_areas.erase(m_areas.begin() + (n - 1));
}

PicArea PicAreas::parseLine(const QString &line)
{
    PicArea a;
    const qsizetype open = line.indexOf(QLatin1Char('['));
    if (open < 0)
        return a;
    const QStringView numbers = QStringView(line).left(open);
    int values[4] = {};
    qsizetype start = 0;
    for (int i = 0; i < 4; ++i) {
        const qsizetype comma = i < 3 ? numbers.indexOf(QLatin1Char(','), start) : numbers.size();
        if (comma < 0 || !readNumber(numbers.mid(start, comma - start), values[i]))
            return a;
        start = comma + 1;
    }
    const qsizetype close = line.indexOf(QLatin1Char(']'), open + 1);
    a.link = line.mid(open + 1, close < 0 ? -1 : close - open - 1);
    a.x1 = values[0];
    a.y1 = values[1];
    a.x2 = values[2];
    a.y2 = values[3];
    a.valid = true;
    return a;
}

QString PicAreas::formatLine(const QRect &rect, const QString &link)
{
    const QRect r = rect.normalized();
    return QStringLiteral("%1,%2,%3,%4 [%5]")
        .arg(r.left())
        .arg(r.top())
        .arg(r.right())
        .arg(r.bottom())
        .arg(storableLink(link));
}

QString PicAreas::storableLink(const QString &link)
{
    QString out;
    out.reserve(link.size());
    for (const QChar c : link) {
        if (c == QLatin1Char(']'))
            continue;
        out.append(c == QLatin1Char('\r') || c == QLatin1Char('\n') ? QLatin1Char(' ') : c);
    }
    return out;
}

} // namespace velk
