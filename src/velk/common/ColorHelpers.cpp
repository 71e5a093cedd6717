#include "ColorHelpers.h"

#include "LeadingNumber_p.h"
#include "Rounding_p.h"
#include "StringHelpers.h"

#include <array>
#include <cmath>

namespace velk {
namespace {

struct NamedColor
{
    const char16_t *name;
    int red, green, blue;
    bool namedBack; // the three grays are read but written as "r,g,b"
};

constexpr std::array<NamedColor, 23> kColorTable = {{
    {u"white", 255, 255, 255, true},
    {u"black", 0, 0, 0, true},
    {u"red", 255, 0, 0, true},
    {u"green", 0, 255, 0, true},
    {u"blue", 0, 0, 255, true},
    {u"yellow", 255, 255, 0, true},
    {u"lila", 255, 0, 255, true},
    {u"tuerkis", 0, 255, 255, true},
    {u"gray", 64, 64, 64, false},
    {u"lightred", 255, 128, 128, true},
    {u"lightgreen", 128, 255, 128, true},
    {u"lightblue", 128, 128, 255, true},
    {u"lightyellow", 255, 255, 128, true},
    {u"lightlila", 255, 128, 255, true},
    {u"lighttuerkis", 128, 255, 255, true},
    {u"lightgray", 128, 128, 128, false},
    {u"verylightred", 255, 192, 192, true},
    {u"verylightgreen", 192, 255, 192, true},
    {u"verylightblue", 192, 192, 255, true},
    {u"verylightyellow", 255, 255, 192, true},
    {u"verylightlila", 255, 192, 255, true},
    {u"verylighttuerkis", 192, 255, 255, true},
    {u"verylightgray", 192, 192, 192, false},
}};

// A colour part read as a number and rounded half to even; kept in a range where the sum
// below cannot overflow.
qint64 colorPart(const QString &text)
{
    const double value = RoundHalfEven(LeadingNumber(text));
    return qint64(qBound(-1e12, value, 1e12));
}

} // namespace

Color ColorFromText(const QString &text)
{
    if (!text.contains(u',')) {
        for (const NamedColor &row : kColorTable) {
            if (text == QStringView(row.name))
                return rgbColor(row.red, row.green, row.blue);
        }
        return SystemColor::ButtonFace;
    }
    QString rest = text;
    const qint64 red = colorPart(GetToken(rest, QStringLiteral(",")));
    const qint64 green = colorPart(GetToken(rest, QStringLiteral(",")));
    const qint64 blue = colorPart(rest);
    // Out-of-range parts spill into the next byte, as the plain sum does.
    return Color(quint64(red + 256 * green + 65536 * blue));
}

QString ColorToText(Color color)
{
    if (isSystemColor(color))
        return QString();
    const int red = int(color % 256);
    const int green = int((color / 256) % 256);
    const int blue = int(color / 65536);
    for (const NamedColor &row : kColorTable) {
        if (row.namedBack && row.red == red && row.green == green && row.blue == blue)
            return QString::fromUtf16(row.name);
    }
    return QStringLiteral("%1,%2,%3").arg(red).arg(green).arg(blue);
}

} // namespace velk
