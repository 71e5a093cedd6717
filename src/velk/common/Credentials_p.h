#pragma once

// Remembered answers of the user/password prompt, per address. With a desktop Secret
// Service the whole answer "user:password" goes to the keyring and the settings value
// holds only the scrambled user name; without one, the settings value holds the scrambled
// answer. Nothing is ever stored in plain text.

#include <velk/velk_export.h>

#include <QString>

namespace velk::Credentials {

/// The settings key of the answers (root 1); the value name is the address.
inline constexpr const char *SettingsKey = "Software\\KALVO AG\\Morvai\\Credentials";

/// The stored answer for `url`: the keyring's first, else the settings value in either
/// form (scrambled, or escaped plain text). Empty when there is none.
VELK_TESTS_EXPORT QString read(const QString &url);
/// Stores the trimmed `answer` for `url`; true when the keyring took it.
VELK_TESTS_EXPORT bool write(const QString &url, const QString &answer);

/// The stored form: marker, scrambled text, "%".
VELK_TESTS_EXPORT QString scramble(const QString &plain);
/// Reads a settings value in either form.
VELK_TESTS_EXPORT QString unscramble(const QString &stored);

/// Whether a Secret Service answered the last keyring request (tests report it).
VELK_TESTS_EXPORT bool keyringAnswered();

} // namespace velk::Credentials
