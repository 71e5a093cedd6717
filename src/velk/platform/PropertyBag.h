#pragma once

#include <velk/velk_export.h>
#include <velk/xml/StdXMLNode.h>

#include <QStringList>
#include <QVariantMap>

QT_BEGIN_NAMESPACE
class QObject;
class QWidget;
QT_END_NAMESPACE

namespace velk {

/// Keeps a control's design properties: the writable `Q_PROPERTY`s marked `STORED true`
/// that the control's own classes declare (Qt's inherited widget properties are left to
/// Qt). `write` puts only values that differ from the class default, the value a freshly
/// constructed control of the same class has; `read` sets what is present and leaves the
/// rest as it is. Names the control does not know stay in the backing untouched, so a bag
/// written by a newer version survives a round trip through an older one.
///
/// A value that does not convert to the property's type ("abc" for an int) or that the
/// control does not accept (its setter clamps or refuses it) is ignored with a warning;
/// the property keeps its value.
class VELK_EXPORT PropertyBag
{
public:
    /// Names of the stored properties of `control`, in declaration order.
    static QStringList storedProperties(const QObject *control);
    /// The stored properties' values on a new control of the same class (cached per class).
    static QVariantMap defaults(const QObject *control);

    /// Map backing: sets every non-default stored property, removes those at their default,
    /// keeps unknown keys.
    static void write(const QObject *control, QVariantMap &bag);
    /// Sets the stored properties present in `bag`; returns how many were accepted.
    static int read(QObject *control, const QVariantMap &bag);

    /// Element backing: one attribute per property name on `element` (a missing Tag becomes
    /// the control's object name, or its class name).
    static void write(const QObject *control, StdXMLNode &element);
    static int read(QObject *control, const StdXMLNode &element);

    /// A whole form: one child element of `root` per velkGUI control below `form` that has
    /// an object name, the element's Tag being that name. Children of `root` that match no
    /// control are kept.
    static void writeForm(const QWidget *form, const StdXMLNodePtr &root);
    static int readForm(QWidget *form, const StdXMLNodePtr &root);

    /// A Qt Designer form (.ui text) made safe for Qt's form loader, which would set a
    /// misspelt property as a new dynamic one, "abc" for a number as 0 and an out-of-range
    /// value cut down to the type. Every property of a velkGUI control that the control does
    /// not have, whose value does not fit its type or that the control refuses is left out
    /// with a warning, so the control keeps its default. Everything else passes unchanged;
    /// text that is no well-formed XML comes back as it was, for the loader to report.
    static QByteArray checkedUiForm(const QByteArray &ui);
};

} // namespace velk
