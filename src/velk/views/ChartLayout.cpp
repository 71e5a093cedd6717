#include "ChartLayout_p.h"

#include <algorithm>
#include <cmath>

namespace velk {

namespace {

constexpr double TitleTop = 60;
constexpr double LabelGapBelowAxis = 30;

struct Frame
{
    const ChartModel &model;
    const ChartTextMetrics &metrics;
    ChartScale scale;
    ChartPlan &plan;

    double yOf(double v) const
    {
        const double range = scale.range > 0 ? double(scale.range) : 1.0;
        return plan.zeroY + (plan.plotTop - plan.axisBottom) * v / range;
    }
};

void placeVertically(ChartPlan &plan, const QString &title, const ChartScale &scale, int min, const ChartTextMetrics &m)
{
    const double h = plan.height;
    double titleBottom = 0;
    if (!title.isEmpty()) {
        plan.title = {title, QPointF((plan.width - m.width(title)) / 2, TitleTop)};
        titleBottom = TitleTop + m.titleHeight;
    }
    plan.plotTop = titleBottom + 0.05 * h;
    plan.axisBottom = std::max(0.9 * h, plan.plotTop + 1);
    // The share of the range below zero lifts the zero line off the axis.
    plan.zeroY = scale.range > 0 ? plan.axisBottom + (plan.axisBottom - plan.plotTop) * min / double(scale.range)
                                 : plan.axisBottom;
}

// Grid values are the multiples of the step inside the range. When more would fit than
// lines of text, every n-th is kept, so any range ends in a few dozen lines.
std::vector<qint64> gridValues(const ChartScale &scale, int min, double plotHeight, double lineHeight)
{
    std::vector<qint64> values;
    const qint64 low = qint64(min);
    const qint64 high = low + scale.range;
    const auto firstK = qint64(std::ceil(double(low) / double(scale.step)));
    const auto lastK = qint64(std::floor(double(high) / double(scale.step)));
    if (lastK < firstK)
        return values;
    const qint64 fitting = std::max<qint64>(2, qint64(plotHeight / std::max(1.0, lineHeight)));
    const qint64 stride = std::max<qint64>(1, (lastK - firstK + fitting) / fitting);
    for (qint64 k = firstK; k <= lastK; k += stride)
        values.push_back(k * scale.step);
    return values;
}

double widestLegend(const ChartModel &model, const ChartTextMetrics &m)
{
    double widest = 0;
    for (int k = 1; k <= model.sets(); ++k)
        widest = std::max(widest, m.width(model.legend(k)));
    return widest;
}

void placeHorizontally(ChartPlan &plan, const ChartModel &model, const std::vector<qint64> &values, const ChartTextMetrics &m)
{
    double widestValue = 0;
    for (qint64 v : values)
        widestValue = std::max(widestValue, m.width(QString::number(v)));
    plan.left = ChartLayout::Margin + widestValue + ChartLayout::Gap;
    const double legendWidth = model.sets() > 0
        ? ChartLayout::Gap + ChartLayout::LegendMark + ChartLayout::Gap + widestLegend(model, m) + ChartLayout::Margin
        : ChartLayout::Margin;
    plan.right = std::max(plan.left + 15, plan.width - legendWidth);
}

void placeGrid(const Frame &f, const std::vector<qint64> &values)
{
    for (qint64 v : values) {
        const QString text = QString::number(v);
        const double y = f.yOf(double(v));
        f.plan.grid.push_back({y, {text, QPointF(f.plan.left - ChartLayout::Gap - f.metrics.width(text),
                                                 y - f.metrics.lineHeight / 2)}});
    }
}

void placeBars(const Frame &f)
{
    const int n = f.model.datacount();
    const int sets = f.model.sets();
    const double span = f.plan.right - f.plan.left;
    for (int j = 1; j <= n; ++j) {
        const double x0 = f.plan.left + span * (j - 1) / n;
        const double width = span / n;
        for (int k = 1; k <= sets; ++k) {
            const double v = f.model.value(k, j);
            if (v == 0)
                continue;
            const double y = f.yOf(v);
            const double a = x0 + width * (k - 0.5) / (sets + 1);
            const double b = x0 + width * (k + 0.5) / (sets + 1);
            f.plan.bars.push_back({k, QRectF(QPointF(a, std::min(y, f.plan.zeroY)), QPointF(b, std::max(y, f.plan.zeroY)))});
        }
    }
}

void placeLines(const Frame &f)
{
    const int n = f.model.datacount();
    const double span = f.plan.right - f.plan.left;
    for (int k = 1; k <= f.model.sets(); ++k) {
        ChartPlan::Series series{k, {}};
        series.points.reserve(size_t(n));
        for (int i = 1; i <= n; ++i)
            series.points.emplace_back(f.plan.left + span * (i - 1) / (n - 1), f.yOf(f.model.value(k, i)));
        f.plan.lines.push_back(std::move(series));
    }
}

// Labels are centred on their positions; one that would run into the previous label is
// left out (a narrow chart of many positions shows every few labels, and measures only those).
void placeXLabels(const Frame &f, bool atPoints)
{
    const int n = f.model.datacount();
    if (n < 1)
        return;
    const double span = f.plan.right - f.plan.left;
    const double top = std::max(0.95 * f.plan.height - f.metrics.lineHeight / 2, f.plan.axisBottom + LabelGapBelowAxis);
    double previousRight = -1e300;
    for (int i = 1; i <= n; ++i) {
        const double centre = atPoints ? f.plan.left + span * (i - 1) / (n - 1) : f.plan.left + span * (i - 0.5) / n;
        if (centre <= previousRight)
            continue;
        const QString text = f.model.xLabel(i);
        const double width = f.metrics.width(text);
        if (centre - width / 2 <= previousRight)
            continue;
        f.plan.xLabels.push_back({text, QPointF(centre - width / 2, top)});
        previousRight = centre + width / 2 + ChartLayout::Gap;
    }
}

void placeLegend(const Frame &f)
{
    const int sets = f.model.sets();
    double y = (f.plan.plotTop + f.plan.axisBottom) / 2 - sets * ChartLayout::LegendPitch / 2;
    const double lastBottom = y + (sets - 1) * ChartLayout::LegendPitch + ChartLayout::LegendMark;
    y -= std::max(0.0, lastBottom + ChartLayout::LegendFreeBelow - f.plan.height);
    y = std::max(0.0, y);
    const double markLeft = f.plan.right + ChartLayout::Gap;
    const double textLeft = markLeft + ChartLayout::LegendMark + ChartLayout::Gap;
    for (int k = 1; k <= sets && y < f.plan.height; ++k, y += ChartLayout::LegendPitch) {
        f.plan.legend.push_back({k, QRectF(markLeft, y, ChartLayout::LegendMark, ChartLayout::LegendMark),
                                 {f.model.legend(k), QPointF(textLeft, y + ChartLayout::LegendMark / 2 - f.metrics.lineHeight / 2)}});
    }
}

} // namespace

ChartPlan ChartLayout::compute(const ChartModel &model, const QString &title, double widthTwips, double heightTwips,
                               const ChartTextMetrics &metrics)
{
    ChartPlan plan;
    plan.width = std::max(0.0, widthTwips);
    plan.height = std::max(0.0, heightTwips);
    const ChartScale scale = model.scale();
    placeVertically(plan, title, scale, model.min(), metrics);
    const std::vector<qint64> values = gridValues(scale, model.min(), plan.axisBottom - plan.plotTop, metrics.lineHeight);
    placeHorizontally(plan, model, values, metrics);
    const Frame frame{model, metrics, scale, plan};
    placeGrid(frame, values);
    const bool lines = model.typ() == 1 && model.datacount() > 1;
    if (model.typ() == 2)
        placeBars(frame);
    else if (lines)
        placeLines(frame);
    placeXLabels(frame, lines);
    placeLegend(frame);
    return plan;
}

} // namespace velk
