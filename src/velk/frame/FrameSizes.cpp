#include "FrameSizes.h"

#include <cmath>

namespace velk {

int FrameSizes::roundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double result = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0))
        result = floor + 1.0;
    return int(result);
}

double FrameSizes::leadingValue(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    double sign = 1.0;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        sign = text[i] == u'-' ? -1.0 : 1.0;
        ++i;
    }
    double value = 0.0;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128)
        value = value * 10.0 + (text[i++].unicode() - u'0');
    if (i < n && text[i] == u'.') {
        double scale = 0.1;
        for (++i; i < n && text[i].isDigit() && text[i].unicode() < 128; ++i, scale /= 10.0)
            value += (text[i].unicode() - u'0') * scale;
    }
    return sign * value;
}

int FrameSizes::wholeValue(const QString &text)
{
    return roundHalfEven(leadingValue(text));
}

std::vector<int> FrameSizes::distribute(const QStringList &sizeTexts, int total, bool configMode)
{
    const qsizetype count = sizeTexts.size();
    std::vector<int> sizes(size_t(count), 0);
    if (count == 0)
        return sizes;
    const int avail = total - int(count - 1) * GapPx;

    int sum = 0;
    for (qsizetype i = 0; i < count; ++i) {
        const QString sizeText = sizeTexts[i].trimmed();
        int size = 0;
        if (sizeText.endsWith(u'%'))
            size = roundHalfEven(double(avail) * leadingValue(sizeText) / 100.0);
        else if (!sizeText.isEmpty())
            size = wholeValue(sizeText) + (configMode ? ConfigModeExtraPx : 0);
        sizes[size_t(i)] = size;
        sum += size;
    }

    // Fixed sizes that do not fit are shrunk in proportion; the rounded results are then
    // taken to fill the room exactly, so nothing is left for unsized neighbours.
    if (sum > avail) {
        const double factor = avail > 0 ? double(sum) / double(avail) : 0.0;
        for (int &size : sizes)
            size = factor > 0.0 ? roundHalfEven(size / factor) : 0;
        sum = avail;
    }

    int unsized = 0;
    for (int size : sizes)
        unsized += size == 0 ? 1 : 0;
    if (unsized > 0) {
        const int share = roundHalfEven(double(avail - sum) / unsized);
        for (int &size : sizes) {
            if (size == 0)
                size = share;
        }
    }
    return sizes;
}

} // namespace velk
