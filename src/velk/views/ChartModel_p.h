#pragma once

#include <velk/velk_export.h>

#include <QString>
#include <QtGlobal>

#include <vector>

namespace velk {

/// The grid of a value axis: the range it spans, the step between grid lines and the
/// number of steps.
struct VELK_TESTS_EXPORT ChartScale
{
    qint64 range = 0;
    qint64 step = 1;
    qint64 count = 0;

    /// range = max − min (or `maxScaleY` when positive); a positive `step1` is the step as
    /// given; otherwise the power of ten below the range, halved or doubled until 3 to 8
    /// steps fit (counts and steps rounded halves to even, a step never below 1).
    static ChartScale of(int min, int max, int maxScaleY, int step1);
};

/// The data of a chart: sets × positions of values, legends, x labels and the value range.
/// Sets and positions count from 1; index 0 exists and is stored but not drawn.
class VELK_TESTS_EXPORT ChartModel
{
public:
    /// Cells (sets + 1) × (positions + 1) beyond this are refused.
    static constexpr qint64 MaxCells = qint64(1) << 24;

    /// sets < 1 resets only the range and the fixed scale; otherwise the data is sized and
    /// zeroed, legends emptied and x labels numbered "1", "2", …
    void Init(int sets, int datacount, int typ);
    /// Stores a value; max rises to the next integer at or above it, min falls to the
    /// integer below. Out-of-range indices, NaN and infinities are ignored.
    void SetData(int setnr, int datanr, double value);
    void SetLegende(int setnr, const QString &text);
    void SetXLabel(int datanr, const QString &text);
    /// min and max anew from the drawn values (sets and positions from 1), rounded.
    void Recalculate();
    void SetScale(int maxScaleY, int step1);

    int sets() const { return m_sets; }
    int datacount() const { return m_datacount; }
    int typ() const { return m_typ; }
    int min() const { return m_min; }
    int max() const { return m_max; }
    int maxScaleY() const { return m_maxScaleY; }
    int step1() const { return m_step1; }
    /// 0 outside the grid.
    double value(int setnr, int datanr) const;
    QString legend(int setnr) const;
    QString xLabel(int datanr) const;
    ChartScale scale() const { return ChartScale::of(m_min, m_max, m_maxScaleY, m_step1); }

private:
    bool inGrid(int setnr, int datanr) const;
    qint64 cell(int setnr, int datanr) const { return qint64(setnr) * (m_datacount + 1) + datanr; }

    int m_sets = 0;
    int m_datacount = 0;
    int m_typ = 0;
    int m_min = 0;
    int m_max = 0;
    int m_maxScaleY = 0;
    int m_step1 = 0;
    std::vector<double> m_data;
    std::vector<QString> m_legends;
    std::vector<QString> m_xLabels;
};

/// The palette colour number of set k: (k + 8) mod 14, 0 becoming 14.
VELK_TESTS_EXPORT int chartSetColorNumber(int setnr);

} // namespace velk
