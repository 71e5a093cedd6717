#include "ChartModel_p.h"

#include <velk/common/Rounding_p.h>

#include <cmath>
#include <limits>

namespace velk {

namespace {

int clampToInt(double v)
{
    if (v >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (v <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(v);
}

} // namespace

ChartScale ChartScale::of(int min, int max, int maxScaleY, int step1)
{
    ChartScale s;
    s.range = maxScaleY > 0 ? qint64(maxScaleY) : qint64(max) - qint64(min);
    if (s.range < 0)
        s.range = 0;
    if (step1 > 0) {
        s.step = step1;
        s.count = s.range / s.step;
        return s;
    }
    s.step = 1;
    while (s.step * 10 <= s.range)
        s.step *= 10;
    s.count = s.range / s.step;
    while (s.count > 8) {
        s.count = qint64(RoundHalfEven(s.count / 2.0));
        s.step *= 2;
    }
    while (s.count >= 1 && s.count < 3) {
        s.count *= 2;
        // Ranges of 1 or 2 would halve the step to 0.
        s.step = std::max<qint64>(1, qint64(RoundHalfEven(s.step / 2.0)));
    }
    return s;
}

int chartSetColorNumber(int setnr)
{
    const int n = ((setnr + 8) % 14 + 14) % 14;
    return n == 0 ? 14 : n;
}

void ChartModel::Init(int sets, int datacount, int typ)
{
    m_min = m_max = m_maxScaleY = m_step1 = 0;
    if (sets < 1)
        return;
    datacount = std::max(0, datacount);
    if ((qint64(sets) + 1) * (qint64(datacount) + 1) > MaxCells)
        return;
    m_sets = sets;
    m_datacount = datacount;
    m_typ = typ;
    m_data.assign(size_t(sets + 1) * size_t(datacount + 1), 0.0);
    m_legends.assign(size_t(sets + 1), QString());
    m_xLabels.assign(size_t(datacount + 1), QString());
    for (int i = 1; i <= datacount; ++i)
        m_xLabels[i] = QString::number(i);
}

bool ChartModel::inGrid(int setnr, int datanr) const
{
    return setnr >= 0 && setnr <= m_sets && datanr >= 0 && datanr <= m_datacount && !m_data.empty();
}

void ChartModel::SetData(int setnr, int datanr, double value)
{
    if (!inGrid(setnr, datanr) || !std::isfinite(value))
        return;
    m_data[cell(setnr, datanr)] = value;
    if (value > m_max)
        m_max = clampToInt(std::floor(value + 0.999999));
    if (value < m_min)
        m_min = clampToInt(std::floor(value));
}

void ChartModel::SetLegende(int setnr, const QString &text)
{
    if (setnr >= 0 && setnr < int(m_legends.size()))
        m_legends[setnr] = text;
}

void ChartModel::SetXLabel(int datanr, const QString &text)
{
    if (datanr >= 0 && datanr < int(m_xLabels.size()))
        m_xLabels[datanr] = text;
}

void ChartModel::Recalculate()
{
    m_min = m_max = 0;
    for (int k = 1; k <= m_sets; ++k) {
        for (int i = 1; i <= m_datacount; ++i) {
            const double v = m_data[cell(k, i)];
            if (v > m_max)
                m_max = RoundHalfEvenToInt(v);
            if (v < m_min)
                m_min = RoundHalfEvenToInt(v);
        }
    }
}

void ChartModel::SetScale(int maxScaleY, int step1)
{
    m_maxScaleY = maxScaleY;
    m_step1 = step1;
}

double ChartModel::value(int setnr, int datanr) const
{
    return inGrid(setnr, datanr) ? m_data[cell(setnr, datanr)] : 0.0;
}

QString ChartModel::legend(int setnr) const
{
    return setnr >= 0 && setnr < int(m_legends.size()) ? m_legends[setnr] : QString();
}

QString ChartModel::xLabel(int datanr) const
{
    return datanr >= 0 && datanr < int(m_xLabels.size()) ? m_xLabels[datanr] : QString();
}

} // namespace velk
