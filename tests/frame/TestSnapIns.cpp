#include "TestSnapIns.h"

#include <velk/platform/ControlFactory.h>

QList<RecordingSnapIn *> &RecordingSnapIn::alive()
{
    static QList<RecordingSnapIn *> list;
    return list;
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
