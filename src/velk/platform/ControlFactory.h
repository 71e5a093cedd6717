#pragma once

#include <velk/velk_export.h>

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

#include <functional>
#include <memory>

class QWidget;

namespace velk {

/// Creates controls by class name, as a host's control container does. A class is
/// registered with its meta-object; it needs a `Q_INVOKABLE` constructor taking
/// `(QWidget *parent)`. Names are looked up exactly, then without regard to case, then by
/// the part after the last "." (so "velkGUI.velkSheet" finds "velkSheet").
class VELK_EXPORT ControlFactory
{
public:
    static void registerMetaObject(const QMetaObject &metaObject, const QString &className = QString());
    template<typename T> static void registerClass(const QString &className = QString())
    {
        registerMetaObject(T::staticMetaObject, className);
    }
    static bool isRegistered(const QString &className);
    static QStringList classNames();
    /// A new control of `className`, or nullptr with `error` set ("unknown class", ...).
    static QWidget *create(const QString &className, QWidget *parent = nullptr, QString *error = nullptr);
    /// Lets a host create classes the registry does not know (tried after the registry).
    using Creator = std::function<QWidget *(const QString &className, QWidget *parent)>;
    static void setFallbackCreator(Creator creator);
};

/// What a late-bound access gives: whether it worked, its value, and why not.
struct VELK_EXPORT LateBoundResult
{
    bool ok = false;
    QVariant value;
    QString error;
    explicit operator bool() const { return ok; }
};

/// Late-bound member access by name, as the frame addresses its snap-ins. A missing
/// member, a wrong argument count or a failed conversion is reported in the result,
/// never by a crash or an exception.
namespace LateBound {
/// Reads a `Q_PROPERTY` (or calls a no-argument invokable of that name).
VELK_EXPORT LateBoundResult get(QObject *object, const QString &name);
/// Writes a `Q_PROPERTY` (or calls a one-argument invokable named `name` or "set" + name).
VELK_EXPORT LateBoundResult set(QObject *object, const QString &name, const QVariant &value);
/// Calls an invokable method or slot with the arguments converted to its parameter types.
VELK_EXPORT LateBoundResult call(QObject *object, const QString &method, const QVariantList &args = {});
/// Whether `object` has a property, invokable or slot called `name`.
VELK_EXPORT bool hasMember(const QObject *object, const QString &name);
} // namespace LateBound

/// Delivers every signal of an object generically, as an event name plus its arguments,
/// the way a control container hands a hosted control's events to its owner. The object's
/// own signals (those declared below QWidget/QObject) and those of its companion event
/// object (a direct child named "events") are relayed. A handler may change by-reference
/// arguments in `args`; the changes are written back before the emitter continues.
class VELK_EXPORT GenericEventRelay : public QObject
{
public:
    using Handler = std::function<void(const QString &eventName, QVariantList &args)>;

    GenericEventRelay(QObject *source, Handler handler, QObject *parent = nullptr);
    ~GenericEventRelay() override;

    /// The names of the signals being relayed.
    QStringList eventNames() const;

    int qt_metacall(QMetaObject::Call call, int id, void **arguments) override;

private:
    void connectSignals(QObject *emitter, int firstMethod);

    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
