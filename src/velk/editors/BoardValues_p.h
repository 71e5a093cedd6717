#pragma once

// The key=value list shared by boxes and links, and the identifiers they are born with.

#include <velk/common/Collection.h>
#include <velk/velk_export.h>

#include <QString>

namespace velk {
class BoardData;
class BoardLink;
}

namespace velk::BoardValues {

/// A new identifier: a UUID in upper case with braces.
VELK_TESTS_EXPORT QString newId();
/// Reads "x/y" (each a leading number, rounded half to even and kept within ±10^9; no
/// "/" gives y = 0).
VELK_TESTS_EXPORT void readPosition(QStringView text, int &x, int &y);
VELK_TESTS_EXPORT QString joined(const Collection<QString> &data);
/// Position (1-based) of the first text whose key equals `key` ignoring case; 0 if none.
VELK_TESTS_EXPORT int find(const Collection<QString> &data, const QString &key);
VELK_TESTS_EXPORT QString value(const Collection<QString> &data, const QString &key);
VELK_TESTS_EXPORT void set(Collection<QString> &data, const QString &key, const QString &par);
/// Appends "key=value" CR LF for every text.
VELK_TESTS_EXPORT void appendLines(QString &out, const Collection<QString> &data);
/// Appends the record's Config lines to `out` (no temporary text per record).
VELK_TESTS_EXPORT void appendConfig(QString &out, const BoardData &b);
VELK_TESTS_EXPORT void appendConfig(QString &out, const BoardLink &l);

} // namespace velk::BoardValues
