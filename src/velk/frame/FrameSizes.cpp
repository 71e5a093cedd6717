#include "FrameSizes_p.h"

#include <velk/common/LeadingNumber_p.h>
#include <velk/common/Rounding_p.h>

namespace velk {

int FrameSizes::wholeValue(const QString &text)
{
    return RoundHalfEvenToInt(LeadingNumber(text));
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
            size = RoundHalfEvenToInt(double(avail) * LeadingNumber(sizeText) / 100.0);
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
            size = factor > 0.0 ? RoundHalfEvenToInt(size / factor) : 0;
        sum = avail;
    }

    int unsized = 0;
    for (int size : sizes)
        unsized += size == 0 ? 1 : 0;
    if (unsized > 0) {
        const int share = RoundHalfEvenToInt(double(avail - sum) / unsized);
        for (int &size : sizes) {
            if (size == 0)
                size = share;
        }
    }
    return sizes;
}

} // namespace velk
