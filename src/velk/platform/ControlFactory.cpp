#include "ControlFactory.h"

#include <QHash>
#include <QMetaMethod>
#include <QMetaProperty>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace velk {
namespace {

struct Registry
{
    QHash<QString, const QMetaObject *> byName;
    ControlFactory::Creator fallback;
};

Registry &registry()
{
    static Registry r;
    return r;
}

QString lastDotPart(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name : name.mid(dot + 1);
}

const QMetaObject *findClass(const QString &className)
{
    const auto &byName = registry().byName;
    if (auto it = byName.constFind(className); it != byName.constEnd())
        return it.value();
    const QString shortName = lastDotPart(className);
    for (auto it = byName.constBegin(); it != byName.constEnd(); ++it) {
        if (it.key().compare(className, Qt::CaseInsensitive) == 0
            || it.key().compare(shortName, Qt::CaseInsensitive) == 0)
            return it.value();
    }
    return nullptr;
}

} // namespace

void ControlFactory::registerMetaObject(const QMetaObject &metaObject, const QString &className)
{
    registry().byName.insert(className.isEmpty() ? lastDotPart(QString::fromLatin1(metaObject.className())) : className,
                             &metaObject);
}

bool ControlFactory::isRegistered(const QString &className)
{
    return findClass(className) != nullptr;
}

QStringList ControlFactory::classNames()
{
    QStringList names = registry().byName.keys();
    names.sort();
    return names;
}

void ControlFactory::setFallbackCreator(Creator creator)
{
    registry().fallback = std::move(creator);
}

QWidget *ControlFactory::create(const QString &className, QWidget *parent, QString *error)
{
    if (const QMetaObject *meta = findClass(className)) {
        QObject *object = meta->newInstance(Q_ARG(QWidget *, parent));
        if (auto *widget = qobject_cast<QWidget *>(object))
            return widget;
        delete object;
        if (error)
            *error = QStringLiteral("%1 has no constructor (QWidget *parent)").arg(className);
        return nullptr;
    }
    if (registry().fallback) {
        if (QWidget *widget = registry().fallback(className, parent))
            return widget;
    }
    if (error)
        *error = QStringLiteral("unknown class %1").arg(className);
    return nullptr;
}

// --- late binding ---------------------------------------------------------------------

namespace LateBound {
namespace {

LateBoundResult failure(const QString &why)
{
    LateBoundResult r;
    r.error = why;
    return r;
}

// The parameter type; a by-reference parameter ("int&") has no meta type of its own,
// so it is looked up by the name of the type it refers to.
QMetaType parameterType(const QMetaMethod &m, int i)
{
    const QMetaType direct = m.parameterMetaType(i);
    if (direct.isValid())
        return direct;
    QByteArray name = m.parameterTypes().value(i);
    if (name.startsWith("const "))
        name = name.mid(6);
    while (name.endsWith('&'))
        name.chop(1);
    return QMetaType::fromName(name);
}

bool isCallable(const QMetaMethod &m)
{
    return m.methodType() == QMetaMethod::Method || m.methodType() == QMetaMethod::Slot;
}

// Candidate methods called `name` with `argc` parameters, most derived first.
std::vector<QMetaMethod> methodsNamed(const QMetaObject *meta, const QString &name, int argc)
{
    std::vector<QMetaMethod> found;
    const QByteArray wanted = name.toLatin1();
    for (int i = meta->methodCount() - 1; i >= 0; --i) {
        const QMetaMethod m = meta->method(i);
        if (isCallable(m) && m.name() == wanted && m.parameterCount() == argc)
            found.push_back(m);
    }
    return found;
}

LateBoundResult invoke(QObject *object, const QMetaMethod &method, const QVariantList &args)
{
    // Arguments are converted into storage of the parameter types; references and
    // plain values alike are then passed by pointer, as the meta-object call expects.
    QVariantList converted;
    converted.reserve(args.size());
    for (int i = 0; i < args.size(); ++i) {
        const QMetaType type = parameterType(method, i);
        QVariant v = args[i];
        if (type.id() != QMetaType::QVariant && v.metaType() != type && !v.convert(type))
            return failure(QStringLiteral("argument %1 of %2 cannot be converted").arg(i + 1).arg(QString::fromLatin1(method.name())));
        converted.push_back(type.id() == QMetaType::QVariant ? QVariant::fromValue(v) : v);
    }
    std::vector<void *> argv(size_t(args.size()) + 1, nullptr);
    QVariant result;
    const QMetaType returnType = method.returnMetaType();
    if (returnType.isValid() && returnType.id() != QMetaType::Void) {
        result = QVariant(returnType);
        argv[0] = result.data();
    }
    for (int i = 0; i < converted.size(); ++i)
        argv[size_t(i) + 1] = converted[i].data();
    if (object->qt_metacall(QMetaObject::InvokeMetaMethod, method.methodIndex(), argv.data()) >= 0)
        return failure(QStringLiteral("%1 could not be called").arg(QString::fromLatin1(method.name())));
    LateBoundResult r;
    r.ok = true;
    r.value = result;
    return r;
}

} // namespace

LateBoundResult get(QObject *object, const QString &name)
{
    if (!object)
        return failure(QStringLiteral("no object"));
    const QMetaObject *meta = object->metaObject();
    const int index = meta->indexOfProperty(name.toLatin1().constData());
    if (index >= 0) {
        LateBoundResult r;
        r.value = meta->property(index).read(object);
        r.ok = r.value.isValid();
        if (!r.ok)
            r.error = QStringLiteral("property %1 cannot be read").arg(name);
        return r;
    }
    const auto methods = methodsNamed(meta, name, 0);
    if (methods.empty())
        return failure(QStringLiteral("%1 has no member %2").arg(QString::fromLatin1(meta->className()), name));
    return invoke(object, methods.front(), {});
}

LateBoundResult set(QObject *object, const QString &name, const QVariant &value)
{
    if (!object)
        return failure(QStringLiteral("no object"));
    const QMetaObject *meta = object->metaObject();
    const int index = meta->indexOfProperty(name.toLatin1().constData());
    if (index >= 0) {
        const QMetaProperty property = meta->property(index);
        if (!property.isWritable())
            return failure(QStringLiteral("property %1 is read-only").arg(name));
        LateBoundResult r;
        r.ok = property.write(object, value);
        if (!r.ok)
            r.error = QStringLiteral("property %1 rejected the value").arg(name);
        return r;
    }
    for (const QString &candidate : {name, QStringLiteral("set") + name}) {
        const auto methods = methodsNamed(meta, candidate, 1);
        if (!methods.empty())
            return invoke(object, methods.front(), {value});
    }
    return failure(QStringLiteral("%1 has no member %2").arg(QString::fromLatin1(meta->className()), name));
}

LateBoundResult call(QObject *object, const QString &method, const QVariantList &args)
{
    if (!object)
        return failure(QStringLiteral("no object"));
    auto methods = methodsNamed(object->metaObject(), method, int(args.size()));
    // Overloads whose parameter types match the arguments exactly are tried first.
    const auto exactMatches = [&](const QMetaMethod &m) {
        int n = 0;
        for (int i = 0; i < args.size(); ++i)
            n += parameterType(m, i) == args[i].metaType() ? 1 : 0;
        return n;
    };
    std::stable_sort(methods.begin(), methods.end(),
                     [&](const QMetaMethod &a, const QMetaMethod &b) { return exactMatches(a) > exactMatches(b); });
    if (methods.empty())
        return failure(QStringLiteral("%1 has no method %2 with %3 arguments")
                           .arg(QString::fromLatin1(object->metaObject()->className()), method)
                           .arg(args.size()));
    LateBoundResult last;
    for (const QMetaMethod &m : methods) {
        last = invoke(object, m, args);
        if (last.ok)
            return last;
    }
    return last;
}

bool hasMember(const QObject *object, const QString &name)
{
    if (!object)
        return false;
    const QMetaObject *meta = object->metaObject();
    if (meta->indexOfProperty(name.toLatin1().constData()) >= 0)
        return true;
    const QByteArray wanted = name.toLatin1();
    for (int i = 0; i < meta->methodCount(); ++i) {
        const QMetaMethod m = meta->method(i);
        if (isCallable(m) && m.name() == wanted)
            return true;
    }
    return false;
}

} // namespace LateBound

// --- generic events -------------------------------------------------------------------

struct GenericEventRelay::Private
{
    struct Relayed
    {
        QMetaMethod signal;
    };
    Handler handler;
    std::vector<Relayed> relayed;
};

GenericEventRelay::GenericEventRelay(QObject *source, Handler handler, QObject *parent)
    : QObject(parent)
    , d(std::make_unique<Private>())
{
    d->handler = std::move(handler);
    if (!source)
        return;
    const int firstOwn = source->isWidgetType() ? QWidget::staticMetaObject.methodCount()
                                                : QObject::staticMetaObject.methodCount();
    connectSignals(source, firstOwn);
    if (QObject *events = source->findChild<QObject *>(QStringLiteral("events"), Qt::FindDirectChildrenOnly))
        connectSignals(events, QObject::staticMetaObject.methodCount());
}

GenericEventRelay::~GenericEventRelay() = default;

void GenericEventRelay::connectSignals(QObject *emitter, int firstMethod)
{
    const QMetaObject *meta = emitter->metaObject();
    for (int i = firstMethod; i < meta->methodCount(); ++i) {
        const QMetaMethod m = meta->method(i);
        if (m.methodType() != QMetaMethod::Signal)
            continue;
        // Slots of this relay live past the end of QObject's methods; each one stands
        // for one relayed signal.
        const int slot = QObject::staticMetaObject.methodCount() + int(d->relayed.size());
        d->relayed.push_back({m});
        QMetaObject::connect(emitter, i, this, slot, Qt::DirectConnection);
    }
}

QStringList GenericEventRelay::eventNames() const
{
    QStringList names;
    for (const auto &r : d->relayed)
        names.push_back(QString::fromLatin1(r.signal.name()));
    return names;
}

int GenericEventRelay::qt_metacall(QMetaObject::Call call, int id, void **arguments)
{
    id = QObject::qt_metacall(call, id, arguments);
    if (id < 0 || call != QMetaObject::InvokeMetaMethod)
        return id;
    if (id >= int(d->relayed.size()))
        return -1;
    const QMetaMethod &signal = d->relayed[size_t(id)].signal;
    QVariantList args;
    for (int i = 0; i < signal.parameterCount(); ++i)
        args.push_back(QVariant(LateBound::parameterType(signal, i), arguments[i + 1]));
    if (d->handler)
        d->handler(QString::fromLatin1(signal.name()), args);
    // Write back what the handler changed in by-reference arguments.
    const QList<QByteArray> types = signal.parameterTypes();
    for (int i = 0; i < signal.parameterCount(); ++i) {
        const QByteArray &type = types[i];
        if (!type.endsWith('&') || type.startsWith("const "))
            continue;
        const QMetaType metaType = LateBound::parameterType(signal, i);
        QVariant v = args[i];
        if (v.metaType() != metaType && !v.convert(metaType))
            continue;
        metaType.destruct(arguments[i + 1]);
        metaType.construct(arguments[i + 1], v.constData());
    }
    return -1;
}

} // namespace velk
