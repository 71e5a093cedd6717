#pragma once

#include <velk/velk_export.h>

#include <QString>
#include <QByteArray>
#include <exception>

namespace velk {

/// The library's run-time error: an error number and its text.
/// Raised only where the library's contract says an error is raised; everything
/// else reports failure through its result.
class VELK_EXPORT Error : public std::exception
{
public:
    Error(int number, const QString &description);

    int number() const noexcept { return m_number; }
    const QString &description() const noexcept { return m_description; }
    const char *what() const noexcept override { return m_what.constData(); }

private:
    int m_number;
    QString m_description;
    QByteArray m_what;
};

/// Error numbers the library raises.
namespace ErrorNumber {
inline constexpr int InvalidCall = 5;       ///< invalid procedure call or argument
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int FileNotFound = 53;
inline constexpr int ObjectRequired = 91;   ///< object variable not set
}

} // namespace velk
