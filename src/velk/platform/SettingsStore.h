#pragma once

// The per-user key/value store behind the registry helpers: root keys 0..6, key paths
// split at "\", named values of four types.
//
// Storage: one text file per root key, named after the root ("HKEY_CURRENT_USER.settings"),
// in $VELK_CONFIG_DIR when that is set, else in $XDG_CONFIG_HOME/velk (~/.config/velk).
// Files are written by the library's text-file rule (Windows-1252 with CR LF when every
// character fits, else UTF-8 with a byte-order mark) and replaced atomically, so a crash
// mid-write leaves the old file whole. Example:
//
//     ; velk settings 1
//     [Software]
//
//     [Software\velk]
//     @="Standardwert"
//     "FontSize"="10"
//     "Liste"=multi:"a","b"
//     "Roh"=hex:00,41,ff
//     "Zahl"=dword:0000000a
//
// - A section "[path]" opens a key; every key along a path has a section of its own, so
//   empty keys survive. "[]" is the root key itself. In key names "%", "[", "]", control
//   characters and unpaired surrogates are written as "%XXXX" (four hex digits).
// - A value line is `name=data`. The name is "@" for the key's default value, else a
//   quoted text. Data: a quoted text (string, type 1), `hex:` bytes as two-digit hex
//   numbers joined by "," (binary, type 3), `dword:` eight hex digits (32-bit number,
//   type 4), `multi:` quoted texts joined by "," (multi-string, type 7).
// - In quoted texts `\\`, `\"`, `\r`, `\n` and `\t` stand for themselves; other control
//   characters and unpaired surrogates are `\uXXXX`. Everything else is written as is.
// - Lines starting with ";" and lines that cannot be read are skipped.
//
// Key and value names match without regard to case; a name keeps the
// case it was first written with. The file is read again when it changed on disk (another
// process wrote it) and served from memory otherwise; a write re-reads first under a lock
// file, so writers in two processes do not lose each other's values.

#include <velk/velk_export.h>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace velk {

/// One stored value: its type and the data field that belongs to the type.
struct SettingsValue
{
    enum Type { String = 1, Binary = 3, Number = 4, MultiString = 7 };

    Type type = String;
    QString text;         ///< String
    QByteArray bytes;     ///< Binary
    quint32 number = 0;   ///< Number
    QStringList strings;  ///< MultiString

    static SettingsValue fromString(const QString &text) { return {String, text, {}, 0, {}}; }
    static SettingsValue fromBinary(const QByteArray &bytes) { return {Binary, {}, bytes, 0, {}}; }
    static SettingsValue fromNumber(quint32 number) { return {Number, {}, {}, number, {}}; }
    static SettingsValue fromStrings(const QStringList &strings) { return {MultiString, {}, {}, 0, strings}; }

    bool operator==(const SettingsValue &) const = default;
};

class VELK_EXPORT SettingsStore
{
public:
    /// Root keys by number 0..6 (file names and the names of the roots).
    static constexpr int RootCount = 7;

    /// A store in `directory`; an empty text follows the environment at every call.
    explicit SettingsStore(const QString &directory = QString());
    ~SettingsStore();
    SettingsStore(const SettingsStore &) = delete;
    SettingsStore &operator=(const SettingsStore &) = delete;

    /// The per-user store (following the environment).
    static SettingsStore &instance();
    /// $VELK_CONFIG_DIR, else $XDG_CONFIG_HOME/velk, else ~/.config/velk.
    static QString defaultDirectory();
    /// "HKEY_CURRENT_USER" for 1 and so on; empty outside 0..6.
    static QString rootName(int root);

    QString directory() const;
    /// The file that holds `root`; empty outside 0..6.
    QString filePath(int root) const;

    /// The value `name` ("@" or an empty text: the default value) of the key; nullopt
    /// when the root, key or value does not exist.
    std::optional<SettingsValue> readValue(int root, const QString &keyPath, const QString &name);
    /// Creates every missing key along `keyPath` and writes the value; false (and nothing
    /// changed) when the root is unknown or the file cannot be written.
    bool writeValue(int root, const QString &keyPath, const QString &name, const SettingsValue &value);
    /// Creates every missing key along `keyPath`; true when the key exists afterwards.
    bool createKey(int root, const QString &keyPath);
    /// Whether the key exists (the root itself, an empty path, always does for 0..6).
    bool keyExists(int root, const QString &keyPath);
    /// Removes one value; false when it did not exist or the file cannot be written.
    bool deleteValue(int root, const QString &keyPath, const QString &name);
    /// Removes a key with all its sub keys and values; false when it did not exist, is
    /// the root, or the file cannot be written.
    bool deleteKey(int root, const QString &keyPath);
    /// Names of the direct sub keys, sorted without regard to case; empty for a missing key.
    QStringList subKeys(int root, const QString &keyPath);
    /// Names of the key's values ("@" for the default value), sorted without regard to case.
    QStringList valueNames(int root, const QString &keyPath);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
