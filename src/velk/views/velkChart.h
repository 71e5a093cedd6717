#pragma once

#include <velk/velk_export.h>

#include <QObject>
#include <QString>
#include <QWidget>

#include <memory>

namespace velk {

/// The events of a velkChart.
class VELK_EXPORT velkChartEvents : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
signals:
    /// Every mouse press on the chart: button 1/2/4, shift state, position in twips.
    void MouseDown(int Button, int Shift, float x, float y);
};

/// A business chart of one or more data sets over numbered x positions: a title, a value
/// axis with grid steps, x labels and a legend of the set names, drawn in twips on its
/// picture box "Picture1".
///
/// Drawing styles (`typ` of Init): 2 grouped bars, 1 lines (3 pixels wide, drawn when
/// there are at least two positions), any other value axes, labels and legend only.
/// Set k is drawn in basic palette colour (k + 8) mod 14 (0 becoming 14): blue, green,
/// cyan, red, magenta, yellow, then the dark six, silver and grey.
///
/// Filling the data does not redraw; Refresh (and SetScale, and every resize) does.
class VELK_EXPORT velkChart : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString title READ title WRITE setTitle)

public:
    Q_INVOKABLE explicit velkChart(QWidget *parent = nullptr);
    ~velkChart() override;

    velkChartEvents *events() const;

    /// The title printed centred above the plot (shown with the next Refresh).
    QString title() const;
    void setTitle(const QString &title);

    /// Sizes the chart for `sets` data sets of `datacount` positions, all 0, legends empty,
    /// x labels "1", "2", …; resets the value range and the fixed scale. With sets < 1
    /// only the range and the fixed scale are reset.
    Q_INVOKABLE void Init(int sets, int datacount, int typ);
    /// Value of set `setnr` (1…sets) at position `datanr` (1…datacount). The range's max
    /// rises to the smallest integer at or above the value, its min falls to the integer
    /// below it. Indices outside the chart, NaN and infinities are ignored.
    Q_INVOKABLE void SetData(int setnr, int datanr, double value);
    Q_INVOKABLE void SetLegende(int setnr, const QString &txt);
    Q_INVOKABLE void SetXLabel(int datanr, const QString &txt);
    /// Computes min and max anew from the values, each rounded to the nearest integer.
    Q_INVOKABLE void Recalculate();
    /// Fixes the scale's maximum range and its step (0 = automatic) and redraws.
    Q_INVOKABLE void SetScale(int maxscaley, int step1);
    /// Redraws the chart.
    Q_INVOKABLE void Refresh();
    /// Puts the chart's picture on the clipboard.
    Q_INVOKABLE void Copy();

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    friend struct velkChartAccess;
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
