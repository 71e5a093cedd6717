#include "Error.h"

namespace velk {

Error::Error(int number, const QString &description)
    : m_number(number)
    , m_description(description)
    , m_what(QStringLiteral("velk error %1: %2").arg(number).arg(description).toUtf8())
{
}

} // namespace velk
