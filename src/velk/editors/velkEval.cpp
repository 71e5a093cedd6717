#include "velkEval.h"

#include "EvalCondition_p.h"
#include "EvalPainter_p.h"

#include <velk/platform/ControlFactory.h>
#include <velk/platform/PictureBox.h>

#include <QMouseEvent>
#include <QResizeEvent>

namespace velk {

struct velkEval::Private
{
    velkEvalEvents *events = nullptr;
    PictureBox *picture = nullptr;
    EvalRange range;
};

velkEval::velkEval(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>())
{
    d->events = new velkEvalEvents(this);
    d->events->setObjectName(QStringLiteral("events"));
    d->picture = new PictureBox(this);
    d->picture->setObjectName(QStringLiteral("Picture1"));
    d->picture->setScaleMode(ScaleMode::Twips);
    d->picture->setBackColor(0xFFFFFF);
    connect(d->picture, &PictureBox::MouseDown, this, &velkEval::MouseDown);
    resize(sizeHint());
    d->picture->setGeometry(rect());
    Refresh();
}

velkEval::~velkEval() = default;

velkEvalEvents *velkEval::events() const { return d->events; }

short velkEval::value1() const { return d->range.value1; }
void velkEval::setValue1(short value) { d->range.value1 = value; }
short velkEval::value2() const { return d->range.value2; }
void velkEval::setValue2(short value) { d->range.value2 = value; }

QString velkEval::Condition() const
{
    return EvalCondition::conditionOf(d->range);
}

void velkEval::setCondition(const QString &condition)
{
    EvalCondition::applyCondition(d->range, condition);
    Refresh();
}

void velkEval::Refresh()
{
    EvalPainter::paint(d->picture->canvas(), d->range, d->picture->ScaleWidth(), d->picture->ScaleHeight());
}

void velkEval::MouseDown(int button, int shift, float x, float y)
{
    Q_UNUSED(button);
    Q_UNUSED(y);
    EvalCondition::press(d->range, EvalCondition::valueAt(x, d->picture->ScaleWidth()), shift);
    Refresh();
    emit d->events->Click();
}

void velkEval::mousePressEvent(QMouseEvent *event)
{
    // Presses normally land on the picture box; one sent to the control itself counts the same.
    const MouseInput m = mouseInputOf(event, TwipsPerPixel);
    MouseDown(m.button, m.shift, m.x, m.y);
}

void velkEval::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    d->picture->setGeometry(rect());
    Refresh();
}

QSize velkEval::sizeHint() const
{
    return {86, 20};
}

namespace {
[[maybe_unused]] const bool registered = (ControlFactory::registerClass<velkEval>(QStringLiteral("velkEval")), true);
}

} // namespace velk
