#pragma once

// Small helpers shared by the test binaries.

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>
#include <ostream>

QT_BEGIN_NAMESPACE
// Readable QString values in gtest failure messages.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList &l, std::ostream *os) { *os << '[' << l.join(QStringLiteral(", ")).toStdString() << ']'; }
QT_END_NAMESPACE
