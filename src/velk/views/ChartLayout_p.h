#pragma once

#include <velk/views/ChartModel_p.h>
#include <velk/velk_export.h>

#include <QPointF>
#include <QRectF>
#include <QString>

#include <functional>
#include <vector>

namespace velk {

/// Everything a chart draws, in twips, y growing downwards.
struct VELK_TESTS_EXPORT ChartPlan
{
    struct Text
    {
        QString text;
        QPointF topLeft;
    };
    struct GridLine
    {
        double y = 0;
        Text label; ///< the value, right-aligned left of the plot
    };
    struct Bar
    {
        int set = 0;
        QRectF rect;
    };
    struct Series
    {
        int set = 0;
        std::vector<QPointF> points;
    };
    struct LegendEntry
    {
        int set = 0;
        QRectF mark;
        Text text;
    };

    double width = 0;
    double height = 0;
    Text title;
    double plotTop = 0;
    double axisBottom = 0;
    double left = 0;  ///< L: the value axis
    double right = 0; ///< R: the plot's right edge
    double zeroY = 0;
    std::vector<GridLine> grid;
    std::vector<Bar> bars;
    std::vector<Series> lines;
    std::vector<Text> xLabels; ///< labels that would overlap the previous one are left out
    std::vector<LegendEntry> legend;
};

/// Text measurement for the layout: the width of a text and the height of a line, twips.
struct ChartTextMetrics
{
    std::function<double(const QString &)> width;
    double lineHeight = 195;
    double titleHeight = 240;
};

/// The chart's geometry, computed once per change and shared by painting.
class VELK_TESTS_EXPORT ChartLayout
{
public:
    static constexpr double LegendPitch = 400;     ///< distance between legend entries
    static constexpr double LegendFreeBelow = 250; ///< kept free below the legend
    static constexpr double LegendMark = 150;      ///< side of a legend's colour mark
    static constexpr double Gap = 90;              ///< between a mark or value label and its neighbour
    static constexpr double Margin = 120;          ///< at the control's left and right edges

    static ChartPlan compute(const ChartModel &model, const QString &title, double widthTwips, double heightTwips,
                             const ChartTextMetrics &metrics);
};

} // namespace velk
