#include <velk/controls/velkButton.h>
#include <velk/menu/MenuLayout_p.h>
#include <velk/menu/velkMenuBar_p.h>
#include <velk/platform/ControlFactory.h>

#include "support/TestSupport.h"

#include <QTimer>
#include <QtTest>

using namespace velk;

TEST(ControlCreation, ControlsAreCreatedByClassNameWithTheirNamedChildren)
{
    struct Row { const char *className; bool hasIcon; bool hasTimer; };
    const Row rows[] = {
        {"velkIcon", false, false},
        {"velkButton", true, true},
        {"velkLabel", true, true},
        {"velkMenuBar", true, true},
        {"velkMenuPopup", false, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.className);
        QString error;
        std::unique_ptr<QWidget> control(ControlFactory::create(QString::fromLatin1(row.className), nullptr, &error));
        ASSERT_TRUE(control) << error.toStdString();
        EXPECT_EQ(QString::fromLatin1(control->metaObject()->className()), QStringLiteral("velk::") + row.className);
        EXPECT_EQ(control->findChild<QWidget *>(QStringLiteral("velkIcon1")) != nullptr, row.hasIcon);
        EXPECT_EQ(control->findChild<QTimer *>(QStringLiteral("Timer1")) != nullptr, row.hasTimer);
    }
}

TEST(ControlCreation, HostsAnswerMenuBarEventsLateBound)
{
    velkMenuBar bar;
    bar.resize(300, 24);
    bar.setMenu(QStringLiteral("Eins,Zwei"));
    QStringList seen;
    GenericEventRelay relay(&bar, [&](const QString &name, QVariantList &args) {
        seen << name;
        if (name == u"CheckState" && args.value(0).toInt() == 2)
            args[1] = false;
    });
    EXPECT_TRUE(relay.eventNames().contains(QStringLiteral("ClickMenu")));
    const QPoint second = MenuBarAccess::layout(bar)->captionRect(2).center();
    QTest::mouseClick(&bar, Qt::LeftButton, {}, second);
    EXPECT_FALSE(seen.contains(QStringLiteral("Click"))) << "the late-bound host disabled item 2";
    QTest::mouseClick(&bar, Qt::LeftButton, {}, MenuBarAccess::layout(bar)->captionRect(1).center());
    EXPECT_TRUE(seen.contains(QStringLiteral("Click")));
}
