#include "GalleryPage.h"

#include <velk/views/velkChart.h>

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <cmath>

using namespace velk;

namespace {

const char *const kMonths[] = {"Jan", "Feb", "Mär", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};

velkChart *makeChart(const QString &title, int sets, int positions, int typ)
{
    auto *chart = new velkChart;
    chart->setTitle(title);
    chart->setMinimumSize(380, 240);
    chart->Init(sets, positions, typ);
    return chart;
}

// Documents filed per quarter by three departments, as grouped bars.
velkChart *barsChart()
{
    const double filed[3][4] = {{120, 135, 98, 160}, {80, 95, 110, 90}, {45, 60, 52, 71}};
    const char *legends[] = {"Einkauf", "Vertrieb", "Verwaltung"};
    velkChart *chart = makeChart(QStringLiteral("Abgelegte Belege je Quartal"), 3, 4, 2);
    for (int k = 1; k <= 3; ++k) {
        chart->SetLegende(k, QString::fromUtf8(legends[k - 1]));
        for (int q = 1; q <= 4; ++q)
            chart->SetData(k, q, filed[k - 1][q - 1]);
    }
    for (int q = 1; q <= 4; ++q)
        chart->SetXLabel(q, QStringLiteral("Q%1/2024").arg(q));
    return chart;
}

// Monthly amounts of two accounts, as lines.
velkChart *linesChart()
{
    velkChart *chart = makeChart(QStringLiteral("Umsatz je Monat (Tsd. €)"), 2, 12, 1);
    chart->SetLegende(1, QStringLiteral("2023"));
    chart->SetLegende(2, QStringLiteral("2024"));
    for (int m = 1; m <= 12; ++m) {
        chart->SetXLabel(m, QString::fromUtf8(kMonths[m - 1]));
        chart->SetData(1, m, 40 + 12 * std::sin(m / 2.0));
        chart->SetData(2, m, 46 + 9 * std::cos(m / 3.0) + m);
    }
    return chart;
}

// Profit and loss per month: negative bars move the zero line up.
velkChart *negativeChart()
{
    const double result[] = {12, -8, 5, -15, 22, 9, -4, 18, -11, 7, 14, -6};
    velkChart *chart = makeChart(QStringLiteral("Ergebnis je Monat"), 1, 12, 2);
    chart->SetLegende(1, QStringLiteral("Ergebnis"));
    for (int m = 1; m <= 12; ++m) {
        chart->SetXLabel(m, QString::fromUtf8(kMonths[m - 1]));
        chart->SetData(1, m, result[m - 1]);
    }
    return chart;
}

// Seven sets show the palette's order; a fixed scale keeps the steps at 25.
velkChart *legendChart()
{
    velkChart *chart = makeChart(QStringLiteral("Sieben Reihen, feste Skala"), 7, 3, 2);
    for (int k = 1; k <= 7; ++k) {
        chart->SetLegende(k, QStringLiteral("Reihe %1").arg(k));
        for (int i = 1; i <= 3; ++i)
            chart->SetData(k, i, 10 + 10 * k + 5 * i);
    }
    chart->SetScale(125, 25);
    return chart;
}

QWidget *createChartPage(SampleArchive &, QWidget *parent)
{
    auto *page = new QWidget(parent);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(QStringLiteral(
        "<b>velkChart</b>: gruppierte Balken (typ 2) und Linien (typ 1) mit Titel, Werteachse, "
        "x-Beschriftung und Legende. Negative Werte heben die Nulllinie an.")));
    auto *grid = new QGridLayout;
    const std::pair<velkChart *, const char *> charts[] = {
        {barsChart(), "velkChartBalken"}, {linesChart(), "velkChartLinien"},
        {negativeChart(), "velkChartNegativ"}, {legendChart(), "velkChartLegende"}};
    for (int i = 0; i < 4; ++i) {
        charts[i].first->setObjectName(QString::fromUtf8(charts[i].second));
        grid->addWidget(charts[i].first, i / 2, i % 2);
    }
    layout->addLayout(grid, 1);
    for (const auto &entry : charts)
        entry.first->Refresh();
    return page;
}

} // namespace

VELK_GALLERY_PAGE("Diagramm", 60, createChartPage, "velkChart",
                  "Balken- und Liniendiagramme aus Zahlenreihen",
                  "Vier Diagramme mit einer bis sieben Reihen, Legenden und Achsenbeschriftungen.");
