#include "ChartPainter_p.h"

#include <velk/platform/Canvas.h>

namespace velk {

namespace {

void print(Canvas &c, const ChartPlan::Text &text)
{
    if (text.text.isEmpty())
        return;
    c.setCurrentX(text.topLeft.x());
    c.setCurrentY(text.topLeft.y());
    c.Print(text.text);
}

void paintGrid(Canvas &c, const ChartPlan &plan, Color textColor)
{
    c.setForeColor(textColor);
    for (const ChartPlan::GridLine &line : plan.grid) {
        c.Line(plan.left, line.y, plan.right, line.y, ChartPainter::GridColor);
        print(c, line.label);
    }
}

void paintAxes(Canvas &c, const ChartPlan &plan, Color color)
{
    c.Line(plan.left, plan.plotTop, plan.left, plan.axisBottom, color);
    c.Line(plan.left, plan.axisBottom, plan.right, plan.axisBottom, color);
    if (plan.zeroY != plan.axisBottom)
        c.Line(plan.left, plan.zeroY, plan.right, plan.zeroY, color);
}

void paintLines(Canvas &c, const ChartPlan &plan)
{
    c.setDrawWidth(ChartPainter::LineWidthPx);
    for (const ChartPlan::Series &series : plan.lines) {
        const Color color = chartSetColor(series.set);
        for (size_t i = 1; i < series.points.size(); ++i) {
            const QPointF &a = series.points[i - 1];
            const QPointF &b = series.points[i];
            c.Line(a.x(), a.y(), b.x(), b.y(), color);
        }
    }
    c.setDrawWidth(1);
}

void paintLegend(Canvas &c, const ChartPlan &plan, Color textColor)
{
    c.setForeColor(textColor);
    for (const ChartPlan::LegendEntry &entry : plan.legend) {
        const QRectF &m = entry.mark;
        c.FilledBox(m.left(), m.top(), m.right(), m.bottom(), chartSetColor(entry.set));
        print(c, entry.text);
    }
}

} // namespace

Color basicPaletteColor(int number)
{
    static const Color palette[16] = {
        rgbColor(0, 0, 0),       rgbColor(0, 0, 128),   rgbColor(0, 128, 0),   rgbColor(0, 128, 128),
        rgbColor(128, 0, 0),     rgbColor(128, 0, 128), rgbColor(128, 128, 0), rgbColor(192, 192, 192),
        rgbColor(128, 128, 128), rgbColor(0, 0, 255),   rgbColor(0, 255, 0),   rgbColor(0, 255, 255),
        rgbColor(255, 0, 0),     rgbColor(255, 0, 255), rgbColor(255, 255, 0), rgbColor(255, 255, 255)};
    return number >= 0 && number < 16 ? palette[number] : palette[0];
}

Color chartSetColor(int setnr) { return basicPaletteColor(chartSetColorNumber(setnr)); }

void ChartPainter::paint(Canvas &c, const ChartPlan &plan)
{
    const Color text = SystemColor::WindowText;
    paintGrid(c, plan, text);
    for (const ChartPlan::Bar &bar : plan.bars)
        c.FilledBox(bar.rect.left(), bar.rect.top(), bar.rect.right(), bar.rect.bottom(), chartSetColor(bar.set));
    paintAxes(c, plan, text);
    paintLines(c, plan);
    c.setForeColor(text);
    for (const ChartPlan::Text &label : plan.xLabels)
        print(c, label);
    paintLegend(c, plan, text);
    const bool bold = c.FontBold();
    c.setFontBold(true);
    print(c, plan.title);
    c.setFontBold(bold);
}

} // namespace velk
