#include "velkChart.h"

#include "ChartPainter_p.h"
#include "velkChart_p.h"

#include <velk/platform/Canvas.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/PictureBox.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QResizeEvent>

namespace velk {

struct velkChart::Private
{
    explicit Private(velkChart *owner)
        : events(new velkChartEvents(owner))
        , picture(new PictureBox(owner))
    {
        events->setObjectName(QStringLiteral("events"));
        picture->setObjectName(QStringLiteral("Picture1"));
        picture->setScaleMode(ScaleMode::Twips);
        picture->setBackColor(SystemColor::WindowBackground);
    }

    ChartTextMetrics metrics()
    {
        Canvas &c = picture->canvas();
        ChartTextMetrics m;
        m.width = [&c](const QString &text) { return c.TextWidth(text); };
        m.lineHeight = c.TextHeight();
        c.setFontBold(true);
        m.titleHeight = c.TextHeight();
        c.setFontBold(false);
        return m;
    }

    void draw(const QRect &area)
    {
        // A hidden chart gets its resize event only when shown; its size is known already.
        picture->setGeometry(area);
        Canvas &c = picture->canvas();
        c.setFontName(QStringLiteral("Arial"));
        c.setFontSize(8);
        plan = ChartLayout::compute(model, title, picture->ScaleWidth(), picture->ScaleHeight(), metrics());
        picture->Cls();
        ChartPainter::paint(c, plan);
        picture->Refresh();
    }

    velkChartEvents *events;
    PictureBox *picture;
    ChartModel model;
    ChartPlan plan;
    QString title;
};

velkChart::velkChart(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>(this))
{
    connect(d->picture, &PictureBox::MouseDown, d->events, &velkChartEvents::MouseDown);
}

velkChart::~velkChart() = default;

velkChartEvents *velkChart::events() const { return d->events; }

QString velkChart::title() const { return d->title; }
void velkChart::setTitle(const QString &title) { d->title = title; }

void velkChart::Init(int sets, int datacount, int typ) { d->model.Init(sets, datacount, typ); }
void velkChart::SetData(int setnr, int datanr, double value) { d->model.SetData(setnr, datanr, value); }
void velkChart::SetLegende(int setnr, const QString &txt) { d->model.SetLegende(setnr, txt); }
void velkChart::SetXLabel(int datanr, const QString &txt) { d->model.SetXLabel(datanr, txt); }
void velkChart::Recalculate() { d->model.Recalculate(); }

void velkChart::SetScale(int maxscaley, int step1)
{
    d->model.SetScale(maxscaley, step1);
    d->draw(rect());
}

void velkChart::Refresh() { d->draw(rect()); }

void velkChart::Copy()
{
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->setImage(d->picture->image());
}

QSize velkChart::sizeHint() const { return {400, 260}; }

void velkChart::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    d->draw(rect());
}

const ChartModel &velkChartAccess::model(const velkChart &chart) { return chart.d->model; }
const ChartPlan &velkChartAccess::plan(const velkChart &chart) { return chart.d->plan; }

namespace {
[[maybe_unused]] const bool registered = (ControlFactory::registerClass<velkChart>(QStringLiteral("velkChart")), true);
}

} // namespace velk
