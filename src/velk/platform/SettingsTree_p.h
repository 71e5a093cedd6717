#pragma once

#include <velk/platform/SettingsStore.h>
#include <velk/velk_export.h>

#include <map>

namespace velk {

/// The keys and values of one root key in memory, and their text form (described in
/// SettingsStore.h). Key paths are split at "\" (empty parts are dropped); key and value
/// names match without regard to case and keep the case they were first written with.
/// "@" and an empty text both name the default value.
class VELK_TESTS_EXPORT SettingsTree
{
public:
    /// Reads the text form; unreadable lines are skipped, never an error.
    static SettingsTree fromText(const QString &text);
    /// The text form with CR LF line ends.
    QString toText() const;

    bool keyExists(const QString &keyPath) const;
    /// Creates every missing key along the path.
    void createKey(const QString &keyPath);
    /// Removes the key and everything below it; false when missing or the root.
    bool removeKey(const QString &keyPath);
    QStringList subKeys(const QString &keyPath) const;

    const SettingsValue *value(const QString &keyPath, const QString &name) const;
    /// Creates the key path when needed.
    void setValue(const QString &keyPath, const QString &name, const SettingsValue &value);
    bool removeValue(const QString &keyPath, const QString &name);
    QStringList valueNames(const QString &keyPath) const;

    bool operator==(const SettingsTree &) const = default;

private:
    struct NamedValue
    {
        QString name; // as first written; empty for the default value
        SettingsValue value;
        bool operator==(const NamedValue &) const = default;
    };
    struct Key
    {
        QString path; // as first written, parts joined by "\"
        std::map<QString, NamedValue> values; // by folded name
        bool operator==(const Key &) const = default;
    };

    Key *findKey(const QString &keyPath);
    const Key *findKey(const QString &keyPath) const;
    Key &ensureKey(const QString &keyPath);

    // Every key by its folded path; the root key is "" and always present. The keys below
    // "a" are exactly the range from "a\" up to "a]" ("]" follows "\"), and a parent
    // sorts before its children, which the text form relies on.
    std::map<QString, Key> m_keys{{QString(), Key{}}};
};

} // namespace velk
