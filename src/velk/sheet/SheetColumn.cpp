#include "SheetColumn.h"

#include <velk/common/Rounding_p.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace velk {

namespace {

struct Letter
{
    char16_t letter;
    int bit;
};

// The order in which ToString writes them.
constexpr Letter SpecialLetters[] = {
    {u'e', SheetColumn::Rating},   {u'q', SheetColumn::SpecialQ}, {u'c', SheetColumn::SpecialC},
    {u'b', SheetColumn::CheckCell}, {u'i', SheetColumn::SpecialI}, {u'%', SheetColumn::Percent},
    {u'l', SheetColumn::SpecialL},
};

// Stored layouts keep a width as a signed 16-bit number; larger numbers are held at its limits.
constexpr int MinWidth = std::numeric_limits<qint16>::min();
constexpr int MaxWidth = std::numeric_limits<qint16>::max();

// The width text of `reg` starting at `from`, up to the next ",".
QStringView widthTextAt(const QString &reg, qsizetype from)
{
    qsizetype end = reg.indexOf(u',', from);
    if (end < 0)
        end = reg.size();
    return QStringView(reg).mid(from, end - from);
}

} // namespace

int SheetColumn::widthFromText(QStringView text)
{
    if (text.startsWith(u'*'))
        return -1;
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    double value = 0;
    for (; i < text.size() && text[i].unicode() >= u'0' && text[i].unicode() <= u'9'; ++i)
        value = std::min(value * 10 + (text[i].unicode() - u'0'), 1e9);
    if (i < text.size() && text[i] == u'.') {
        double scale = 0.1;
        for (++i; i < text.size() && text[i].unicode() >= u'0' && text[i].unicode() <= u'9'; ++i, scale /= 10)
            value += (text[i].unicode() - u'0') * scale;
        value = RoundHalfEven(value);
    }
    if (negative)
        value = -value;
    return int(std::clamp(value, double(MinWidth), double(MaxWidth)));
}

int SheetColumn::WidthReal(int W) const
{
    if (!Enabled)
        return 0;
    if (Width != -1)
        return Width;
    return std::max(W, 0);
}

void SheetColumn::Init(const QString &a)
{
    QStringView entry(a);
    Enabled = !entry.startsWith(u'!');
    if (!Enabled) {
        // Blanks after the marker are dropped as blanks before an entry are: a caption
        // never begins with a blank, so the written entry reads back unchanged.
        entry = entry.mid(1);
        while (entry.startsWith(u' '))
            entry = entry.mid(1);
    }
    const qsizetype colon = entry.indexOf(u':');
    caption = (colon < 0 ? entry : entry.left(colon)).toString();
    const QStringView rest = colon < 0 ? QStringView() : entry.mid(colon + 1);
    Width = widthFromText(rest);
    const QString letters = rest.toString().toLower();
    Alignment = letters.contains(u'r') ? -1 : 0;
    Special = 0;
    for (const Letter &l : SpecialLetters) {
        if (letters.contains(QChar(l.letter)))
            Special |= l.bit;
    }
}

QString SheetColumn::ToString() const
{
    QString s;
    if (!Enabled)
        s += u'!';
    s += caption;
    s += u':';
    s += Width == -1 ? QStringLiteral("*") : QString::number(Width);
    if (Alignment == -1)
        s += u'R';
    for (const Letter &l : SpecialLetters) {
        if (Special & l.bit)
            s += QChar(l.letter);
    }
    return s;
}

bool SheetColumn::IsValue() const
{
    return Alignment == -1 || Special == Rating || Special == SpecialQ || Special == SpecialC
        || Special == Percent;
}

void SheetColumn::Merge(const QString &reg)
{
    // Searching "," + caption + ":" in "," + reg: a match at the very start of reg needs
    // no comma before it.
    auto find = [&reg](const QString &prefix) -> qsizetype {
        const QString needle = prefix + QLatin1Char(':');
        if (reg.startsWith(needle))
            return needle.size();
        const qsizetype at = reg.indexOf(QLatin1Char(',') + needle);
        return at < 0 ? -1 : at + 1 + needle.size();
    };
    qsizetype widthAt = find(caption);
    if (widthAt >= 0) {
        Enabled = true;
    } else {
        widthAt = find(QLatin1Char('!') + caption);
        if (widthAt < 0)
            return;
        Enabled = false;
    }
    Width = widthFromText(widthTextAt(reg, widthAt));
}

} // namespace velk
