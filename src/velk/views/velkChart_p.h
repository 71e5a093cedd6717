#pragma once

#include <velk/views/ChartLayout_p.h>
#include <velk/views/ChartModel_p.h>
#include <velk/views/velkChart.h>

namespace velk {

/// What tests reach inside a chart: its data and the plan of the last drawing.
struct VELK_TESTS_EXPORT velkChartAccess
{
    static const ChartModel &model(const velkChart &chart);
    static const ChartPlan &plan(const velkChart &chart);
};

} // namespace velk
