#include "PropertyBag.h"

#include <velk/platform/ControlFactory.h>

#include <QDebug>
#include <QFont>
#include <QHash>
#include <QMetaProperty>
#include <QPointer>
#include <QWidget>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <limits>
#include <map>
#include <memory>
#include <set>

namespace velk {
namespace {

bool isOwnClass(const QMetaObject *meta)
{
    return meta && qstrncmp(meta->className(), "velk", 4) == 0;
}

QList<QMetaProperty> storedOf(const QMetaObject *meta)
{
    QList<QMetaProperty> result;
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty p = meta->property(i);
        if (isOwnClass(p.enclosingMetaObject()) && p.isStored() && p.isReadable() && p.isWritable())
            result << p;
    }
    return result;
}

// One fresh instance per class gives the defaults; later calls use the cache.
const QVariantMap &defaultsOf(const QMetaObject *meta)
{
    static QHash<const QMetaObject *, QVariantMap> cache;
    if (auto it = cache.constFind(meta); it != cache.constEnd())
        return it.value();
    QVariantMap values;
    std::unique_ptr<QObject> fresh(meta->newInstance(Q_ARG(QWidget *, nullptr)));
    if (fresh) {
        for (const QMetaProperty &p : storedOf(meta))
            values.insert(QString::fromLatin1(p.name()), p.read(fresh.get()));
    }
    return cache.insert(meta, values).value();
}

bool isNumeric(int typeId)
{
    switch (typeId) {
    case QMetaType::Bool:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

bool integerRange(int typeId, qint64 &min, qint64 &max)
{
    auto set = [&](auto lo, auto hi) {
        min = qint64(lo);
        max = qint64(hi);
        return true;
    };
    switch (typeId) {
    case QMetaType::Char:
    case QMetaType::SChar:
        return set(std::numeric_limits<signed char>::min(), std::numeric_limits<signed char>::max());
    case QMetaType::UChar:
        return set(0, 255);
    case QMetaType::Short:
        return set(std::numeric_limits<short>::min(), std::numeric_limits<short>::max());
    case QMetaType::UShort:
        return set(0, std::numeric_limits<unsigned short>::max());
    case QMetaType::Int:
        return set(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    case QMetaType::UInt:
        return set(0, std::numeric_limits<unsigned int>::max());
    case QMetaType::Long:
    case QMetaType::LongLong:
        return set(std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max());
    case QMetaType::ULong:
        return set(0, std::numeric_limits<qint64>::max());
    default:
        return false;
    }
}

// `value` as the property's type, or an invalid QVariant when it does not fit.
QVariant convertTo(const QVariant &value, QMetaType type)
{
    const int id = type.id();
    const bool isText = value.metaType().id() == QMetaType::QString || value.metaType().id() == QMetaType::QByteArray;
    if (id == QMetaType::Bool) {
        if (!isText)
            return value.metaType().id() == QMetaType::Bool ? value : QVariant();
        const QString t = value.toString().trimmed().toLower();
        if (t == u"true" || t == u"1" || t == u"-1")
            return QVariant(true);
        if (t == u"false" || t == u"0")
            return QVariant(false);
        return {};
    }
    qint64 min = 0;
    qint64 max = 0;
    if (integerRange(id, min, max)) {
        bool ok = false;
        qint64 n = 0;
        if (isText) {
            n = value.toString().trimmed().toLongLong(&ok);
        } else if (value.metaType().id() == QMetaType::Double || value.metaType().id() == QMetaType::Float) {
            const double d = value.toDouble();
            ok = d == double(qint64(d));
            n = qint64(d);
        } else if (isNumeric(value.metaType().id())) {
            n = value.toLongLong(&ok);
        }
        if (!ok || n < min || n > max)
            return {};
        QVariant result(n);
        return result.convert(type) ? result : QVariant();
    }
    if (id == QMetaType::Double || id == QMetaType::Float) {
        bool ok = false;
        const double d = isText ? value.toString().trimmed().toDouble(&ok) : value.toDouble(&ok);
        if (!ok || !qIsFinite(d))
            return {};
        QVariant result(d);
        return result.convert(type) ? result : QVariant();
    }
    if (id == QMetaType::QFont && isText) {
        QFont font;
        return font.fromString(value.toString()) ? QVariant(font) : QVariant();
    }
    if (value.metaType() == type)
        return value;
    QVariant result = value;
    return result.convert(type) ? result : QVariant();
}

QString asText(const QVariant &value)
{
    if (value.metaType().id() == QMetaType::QFont)
        return value.value<QFont>().toString();
    return value.toString();
}

QString className(const QObject *control)
{
    const QString full = QString::fromLatin1(control->metaObject()->className());
    return full.mid(full.lastIndexOf(u':') + 1);
}

// Sets one property from bag text or a bag value; false (with a warning) when refused.
bool assign(QObject *control, const QMetaProperty &p, const QVariant &raw)
{
    const QVariant value = convertTo(raw, p.metaType());
    if (!value.isValid()) {
        qWarning().noquote() << QStringLiteral("%1.%2: Wert \"%3\" passt nicht zum Typ %4, ignoriert")
                                    .arg(className(control), QString::fromLatin1(p.name()), raw.toString(),
                                         QString::fromLatin1(p.metaType().name()));
        return false;
    }
    const QVariant before = p.read(control);
    if (!p.write(control, value)) {
        qWarning().noquote() << QStringLiteral("%1.%2: Wert \"%3\" nicht gesetzt")
                                    .arg(className(control), QString::fromLatin1(p.name()), raw.toString());
        return false;
    }
    // A numeric setter that clamps or refuses the value shows it is out of range.
    if (isNumeric(p.metaType().id()) && p.read(control) != value) {
        p.write(control, before);
        qWarning().noquote() << QStringLiteral("%1.%2: Wert \"%3\" außerhalb des Bereichs, ignoriert")
                                    .arg(className(control), QString::fromLatin1(p.name()), raw.toString());
        return false;
    }
    return true;
}

// Attribute names in a start tag's text (for the warning about names no property has).
QStringList attributeNames(const QString &text)
{
    QStringList names;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        while (i < n && text[i].isSpace())
            ++i;
        const qsizetype start = i;
        while (i < n && !text[i].isSpace() && text[i] != u'=')
            ++i;
        if (i > start)
            names << text.mid(start, i - start);
        while (i < n && text[i].isSpace())
            ++i;
        if (i < n && text[i] == u'=') {
            ++i;
            while (i < n && text[i].isSpace())
                ++i;
            if (i < n && (text[i] == u'"' || text[i] == u'\'')) {
                const QChar quote = text[i++];
                while (i < n && text[i] != quote)
                    ++i;
                ++i;
            } else {
                while (i < n && !text[i].isSpace())
                    ++i;
            }
        } else if (i == start) {
            ++i;
        }
    }
    return names;
}

void warnUnknown(const QObject *control, const QStringList &names, const QList<QMetaProperty> &stored)
{
    for (const QString &name : names) {
        const bool known = std::any_of(stored.begin(), stored.end(),
                                       [&](const QMetaProperty &p) { return name == QLatin1String(p.name()); });
        if (!known)
            qWarning().noquote() << QStringLiteral("%1: unbekannte Eigenschaft \"%2\" bleibt unverändert")
                                        .arg(className(control), name);
    }
}

// The form's named velkGUI controls; the parts a control keeps inside itself (such as a
// button's icon set) belong to that control, not to the form.
QList<QWidget *> formControls(const QWidget *form)
{
    QList<QWidget *> result;
    for (QWidget *w : form->findChildren<QWidget *>()) {
        if (!isOwnClass(w->metaObject()) || w->objectName().isEmpty())
            continue;
        bool inner = false;
        for (const QWidget *up = w->parentWidget(); up && up != form && !inner; up = up->parentWidget())
            inner = isOwnClass(up->metaObject());
        if (!inner)
            result << w;
    }
    return result;
}

// Checks the properties a .ui form sets on velkGUI controls, against a scratch control
// per class.
class UiFormChecker
{
public:
    // Numbers of the <property> elements (counted over the whole text) to leave out.
    std::set<int> refused;

    bool scan(const QByteArray &ui)
    {
        QXmlStreamReader reader(ui);
        QStringList elements;  // the open elements
        QStringList classes;   // the class of every open <widget>
        int propertyCount = 0;
        while (!reader.atEnd()) {
            const QXmlStreamReader::TokenType token = reader.readNext();
            if (token == QXmlStreamReader::EndElement) {
                if (elements.takeLast() == u"widget")
                    classes.removeLast();
            } else if (token == QXmlStreamReader::StartElement) {
                const QString name = reader.name().toString();
                if (name == u"property") {
                    const int number = propertyCount++;
                    if (!elements.isEmpty() && elements.last() == u"widget" && !checkProperty(reader, classes.last()))
                        refused.insert(number);
                    if (reader.isEndElement())
                        continue; // the checker read the whole element
                }
                elements << name;
                if (name == u"widget")
                    classes << reader.attributes().value(QLatin1String("class")).toString();
            }
        }
        return !reader.hasError();
    }

private:
    // Reads the property element through its value; false when the control refuses it.
    bool checkProperty(QXmlStreamReader &reader, const QString &widgetClass)
    {
        const QString property = reader.attributes().value(QLatin1String("name")).toString();
        QObject *control = scratch(widgetClass);
        if (!control)
            return true; // not one of ours
        QString kind;
        QString text;
        while (reader.readNextStartElement()) {
            if (kind.isEmpty()) {
                kind = reader.name().toString();
                if (isTextKind(kind)) {
                    text = reader.readElementText(QXmlStreamReader::IncludeChildElements);
                    continue;
                }
            }
            reader.skipCurrentElement();
        }
        const QMetaObject *meta = control->metaObject();
        const int index = meta->indexOfProperty(property.toLatin1().constData());
        if (index < 0) {
            qWarning().noquote() << QStringLiteral("%1: unbekannte Eigenschaft \"%2\" ignoriert").arg(className(control), property);
            return false;
        }
        const QMetaProperty p = meta->property(index);
        const QList<QMetaProperty> stored = storedOf(meta);
        const bool own = std::any_of(stored.begin(), stored.end(), [&](const QMetaProperty &s) { return s.propertyIndex() == index; });
        if (!own || !isTextKind(kind))
            return true; // Qt's own widget properties, fonts and the like are Qt's to read
        return assign(control, p, text);
    }

    static bool isTextKind(const QString &kind)
    {
        static const QStringList kinds{QStringLiteral("string"), QStringLiteral("cstring"), QStringLiteral("number"),
                                       QStringLiteral("UInt"), QStringLiteral("longlong"), QStringLiteral("ULongLong"),
                                       QStringLiteral("double"), QStringLiteral("float"), QStringLiteral("bool")};
        return kinds.contains(kind);
    }

    QObject *scratch(const QString &widgetClass)
    {
        const QString name = widgetClass.mid(widgetClass.lastIndexOf(u':') + 1);
        if (!name.startsWith(u"velk") || !ControlFactory::isRegistered(name))
            return nullptr;
        std::unique_ptr<QWidget> &control = m_scratch[name];
        if (!control)
            control.reset(ControlFactory::create(name));
        return control.get();
    }

    std::map<QString, std::unique_ptr<QWidget>> m_scratch;
};

} // namespace

QByteArray PropertyBag::checkedUiForm(const QByteArray &ui)
{
    UiFormChecker checker;
    if (!checker.scan(ui))
        return ui;
    if (checker.refused.empty())
        return ui;
    QByteArray result;
    QXmlStreamReader reader(ui);
    QXmlStreamWriter writer(&result);
    int propertyCount = 0;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == u"property" && checker.refused.count(propertyCount++)) {
            reader.skipCurrentElement();
            continue;
        }
        writer.writeCurrentToken(reader);
    }
    return reader.hasError() ? ui : result;
}

QStringList PropertyBag::storedProperties(const QObject *control)
{
    QStringList names;
    if (control) {
        for (const QMetaProperty &p : storedOf(control->metaObject()))
            names << QString::fromLatin1(p.name());
    }
    return names;
}

QVariantMap PropertyBag::defaults(const QObject *control)
{
    return control ? defaultsOf(control->metaObject()) : QVariantMap();
}

void PropertyBag::write(const QObject *control, QVariantMap &bag)
{
    if (!control)
        return;
    const QVariantMap &initial = defaultsOf(control->metaObject());
    for (const QMetaProperty &p : storedOf(control->metaObject())) {
        const QString name = QString::fromLatin1(p.name());
        const QVariant value = p.read(control);
        if (initial.contains(name) && initial.value(name) == value)
            bag.remove(name);
        else
            bag.insert(name, value);
    }
}

int PropertyBag::read(QObject *control, const QVariantMap &bag)
{
    if (!control)
        return 0;
    const QList<QMetaProperty> stored = storedOf(control->metaObject());
    int accepted = 0;
    for (const QMetaProperty &p : stored) {
        const auto it = bag.constFind(QString::fromLatin1(p.name()));
        if (it != bag.constEnd() && assign(control, p, it.value()))
            ++accepted;
    }
    warnUnknown(control, bag.keys(), stored);
    return accepted;
}

void PropertyBag::write(const QObject *control, StdXMLNode &element)
{
    if (!control)
        return;
    if (element.Tag.isEmpty())
        element.Tag = control->objectName().isEmpty() ? className(control) : control->objectName();
    const QVariantMap &initial = defaultsOf(control->metaObject());
    for (const QMetaProperty &p : storedOf(control->metaObject())) {
        const QString name = QString::fromLatin1(p.name());
        const QVariant value = p.read(control);
        if (initial.contains(name) && initial.value(name) == value) {
            if (element.HasAttribute(name))
                element.RemoveAttribute(name);
        } else {
            element.SetAttribute(name, asText(value));
        }
    }
}

int PropertyBag::read(QObject *control, const StdXMLNode &element)
{
    if (!control)
        return 0;
    const QList<QMetaProperty> stored = storedOf(control->metaObject());
    int accepted = 0;
    for (const QMetaProperty &p : stored) {
        const QString name = QString::fromLatin1(p.name());
        if (element.HasAttribute(name) && assign(control, p, element.GetAttribute(name)))
            ++accepted;
    }
    warnUnknown(control, attributeNames(element.Parameter), stored);
    return accepted;
}

void PropertyBag::writeForm(const QWidget *form, const StdXMLNodePtr &root)
{
    if (!form || !root)
        return;
    QHash<QString, StdXMLNodePtr> byTag;
    for (int i = 1; i <= root->Count(); ++i) {
        const StdXMLNodePtr child = root->Item(i);
        if (!byTag.contains(child->Tag))
            byTag.insert(child->Tag, child);
    }
    for (const QWidget *control : formControls(form)) {
        StdXMLNodePtr element = byTag.value(control->objectName());
        if (!element) {
            element = StdXMLNode::create();
            element->Tag = control->objectName();
            root->AddChild(element);
            byTag.insert(element->Tag, element);
        }
        write(control, *element);
    }
}

int PropertyBag::readForm(QWidget *form, const StdXMLNodePtr &root)
{
    if (!form || !root)
        return 0;
    QHash<QString, StdXMLNodePtr> byTag;
    for (int i = 1; i <= root->Count(); ++i) {
        const StdXMLNodePtr child = root->Item(i);
        if (!byTag.contains(child->Tag))
            byTag.insert(child->Tag, child);
    }
    int accepted = 0;
    for (QWidget *control : formControls(form)) {
        if (const StdXMLNodePtr element = byTag.value(control->objectName()))
            accepted += read(control, *element);
    }
    return accepted;
}

} // namespace velk
