#include "TestSnapIns.h"

#include <velk/platform/ControlFactory.h>

RecordingSnapIn::RecordingSnapIn(QWidget *parent)
    : QWidget(parent)
{
    alive().push_back(this);
}

RecordingSnapIn::~RecordingSnapIn()
{
    alive().removeOne(this);
}

QList<RecordingSnapIn *> &RecordingSnapIn::alive()
{
    static QList<RecordingSnapIn *> list;
    return list;
}

QString RecordingSnapIn::Parameter() const
{
    const_cast<RecordingSnapIn *>(this)->calls.push_back(QStringLiteral("get Parameter"));
    return text;
}

void RecordingSnapIn::setParameter(const QString &value)
{
    calls.push_back(QStringLiteral("set Parameter=") + value);
    text = value;
}

bool RecordingSnapIn::IsDirty() const
{
    const_cast<RecordingSnapIn *>(this)->calls.push_back(QStringLiteral("get IsDirty"));
    return dirty;
}

void RecordingSnapIn::setIsDirty(bool value)
{
    calls.push_back(QStringLiteral("set IsDirty=%1").arg(value));
    dirty = value;
}

QString RecordingSnapIn::Toolbar() const
{
    const_cast<RecordingSnapIn *>(this)->calls.push_back(QStringLiteral("get Toolbar"));
    return toolbar;
}

velk::Color RecordingSnapIn::BackColor() const
{
    return backColor;
}

void RecordingSnapIn::setBackColor(velk::Color color)
{
    calls.push_back(QStringLiteral("set BackColor=%1").arg(color));
    backColor = color;
}

bool RecordingSnapIn::IsVisible() const
{
    return isVisible;
}

void RecordingSnapIn::setIsVisible(bool visible)
{
    calls.push_back(QStringLiteral("set IsVisible=%1").arg(visible));
    isVisible = visible;
    if (onIsVisible)
        onIsVisible();
}

bool RecordingSnapIn::ToolbarEnabled(int id)
{
    calls.push_back(QStringLiteral("ToolbarEnabled(%1)").arg(id));
    return id != 2;
}

void RecordingSnapIn::Click(int id)
{
    calls.push_back(QStringLiteral("Click(%1)").arg(id));
}

void RecordingSnapIn::ReceiveCommand(const QString &cmd, const QString &value)
{
    calls.push_back(QStringLiteral("ReceiveCommand(%1,%2)").arg(cmd, value));
}

void RecordingSnapIn::SaveParameter()
{
    calls.push_back(QStringLiteral("SaveParameter"));
}

void registerTestSnapIns()
{
    static const bool done = [] {
        velk::ControlFactory::registerClass<RecordingSnapIn>(QStringLiteral("Test.Recorder"));
        velk::ControlFactory::registerClass<BareSnapIn>(QStringLiteral("Test.Bare"));
        velk::ControlFactory::registerClass<PositionClickSnapIn>(QStringLiteral("Test.PositionClick"));
        return true;
    }();
    (void)done;
}
