#include <velk/platform/ControlFactory.h>

#include "support/TestSupport.h"

#include <QWidget>

using namespace velk;

namespace {

// A hosted control as the frame sees one: properties, invokables, by-reference events.
class FakeSnapIn : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Parameter READ Parameter WRITE setParameter)
    Q_PROPERTY(bool IsDirty READ IsDirty)
public:
    Q_INVOKABLE explicit FakeSnapIn(QWidget *parent = nullptr) : QWidget(parent) {}
    QString Parameter() const { return m_parameter; }
    void setParameter(const QString &p) { m_parameter = p; }
    bool IsDirty() const { return true; }
    Q_INVOKABLE QString ReceiveCommand(const QString &cmd, int value) { return cmd + QString::number(value * 2); }
    Q_INVOKABLE void Click(int index) { lastClick = index; }
    Q_INVOKABLE void Click(const QString &key) { lastKey = key; }
    int lastClick = 0;
    QString lastKey;

signals:
    void StatusText(const QString &text);
    void BeforeClose(int &cancel, const QString &why);

private:
    QString m_parameter;
};

class EventsOnly : public QObject
{
    Q_OBJECT
signals:
    void Changed(int id);
};

class WithCompanion : public QWidget
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit WithCompanion(QWidget *parent = nullptr) : QWidget(parent)
    {
        events = new EventsOnly;
        events->setParent(this);
        events->setObjectName(QStringLiteral("events"));
    }
    EventsOnly *events;
};

} // namespace

TEST(ControlFactory, CreatesRegisteredClassesByAnyFormOfTheirName)
{
    ControlFactory::registerClass<FakeSnapIn>();
    QWidget parent;
    for (const char *name : {"FakeSnapIn", "fakesnapin", "Archiv.FakeSnapIn"}) {
        SCOPED_TRACE(name);
        QWidget *w = ControlFactory::create(QString::fromLatin1(name), &parent);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->parent(), &parent);
        EXPECT_NE(qobject_cast<FakeSnapIn *>(w), nullptr);
    }
    QString error;
    EXPECT_EQ(ControlFactory::create(QStringLiteral("NoSuchControl"), &parent, &error), nullptr);
    EXPECT_TRUE(error.contains(QStringLiteral("NoSuchControl")));

    ControlFactory::setFallbackCreator([](const QString &name, QWidget *p) -> QWidget * {
        return name == QStringLiteral("HostControl") ? new QWidget(p) : nullptr;
    });
    EXPECT_NE(ControlFactory::create(QStringLiteral("HostControl"), &parent), nullptr);
    ControlFactory::setFallbackCreator({});
}

TEST(LateBound, ReadsWritesAndCallsMembersAndReportsWhatIsMissing)
{
    FakeSnapIn snapIn;
    EXPECT_TRUE(LateBound::set(&snapIn, QStringLiteral("Parameter"), QStringLiteral("<P/>")).ok);
    EXPECT_EQ(LateBound::get(&snapIn, QStringLiteral("Parameter")).value.toString(), QStringLiteral("<P/>"));
    EXPECT_FALSE(LateBound::set(&snapIn, QStringLiteral("IsDirty"), false).ok) << "read-only property";

    const auto r = LateBound::call(&snapIn, QStringLiteral("ReceiveCommand"), {QStringLiteral("x"), QStringLiteral("21")});
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.value.toString(), QStringLiteral("x42"));

    // Overloads are chosen by what the arguments convert to.
    EXPECT_TRUE(LateBound::call(&snapIn, QStringLiteral("Click"), {7}).ok);
    EXPECT_EQ(snapIn.lastClick, 7);

    const auto missing = LateBound::call(&snapIn, QStringLiteral("SaveParameter"));
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.error.isEmpty());
    EXPECT_FALSE(LateBound::call(&snapIn, QStringLiteral("ReceiveCommand"), {1}).ok) << "wrong argument count";
    EXPECT_FALSE(LateBound::get(nullptr, QStringLiteral("Parameter")).ok);
    EXPECT_FALSE(LateBound::get(&snapIn, QStringLiteral("Toolbar")).ok);
    EXPECT_TRUE(LateBound::hasMember(&snapIn, QStringLiteral("ReceiveCommand")));
    EXPECT_FALSE(LateBound::hasMember(&snapIn, QStringLiteral("Toolbar")));
}

TEST(GenericEventRelay, DeliversEventNamesArgumentsAndByReferenceAnswers)
{
    FakeSnapIn snapIn;
    QStringList seen;
    GenericEventRelay relay(&snapIn, [&](const QString &name, QVariantList &args) {
        seen << name + u':' + args.value(0).toString();
        if (name == QStringLiteral("BeforeClose"))
            args[0] = -1;
    });
    EXPECT_EQ(relay.eventNames(), (QStringList{QStringLiteral("StatusText"), QStringLiteral("BeforeClose")}));

    emit snapIn.StatusText(QStringLiteral("bereit"));
    int cancel = 0;
    emit snapIn.BeforeClose(cancel, QStringLiteral("x"));
    EXPECT_EQ(cancel, -1);
    EXPECT_EQ(seen, (QStringList{QStringLiteral("StatusText:bereit"), QStringLiteral("BeforeClose:0")}));

    WithCompanion control;
    QString companionEvent;
    GenericEventRelay companionRelay(&control, [&](const QString &name, QVariantList &args) {
        companionEvent = name + QString::number(args.value(0).toInt());
    });
    emit control.events->Changed(5);
    EXPECT_EQ(companionEvent, QStringLiteral("Changed5"));
}

#include "ControlFactoryTest.moc"
