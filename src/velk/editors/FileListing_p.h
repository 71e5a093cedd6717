#pragma once

// Reading one folder for the file tree: its subfolders and the files that match a
// pattern, hidden entries left out, each list sorted without regard to case.

#include <velk/velk_export.h>

#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <vector>

namespace velk {

/// A ";"-separated list of wildcards ("*.txt;*.pdf"), matched without regard to case;
/// "*.*" matches every name, with or without a dot. An empty pattern matches nothing.
class VELK_TESTS_EXPORT FilePattern
{
public:
    explicit FilePattern(const QString &pattern = QStringLiteral("*.*"));
    bool matches(const QString &name) const;

private:
    bool m_all = false;
    std::vector<QRegularExpression> m_parts;
};

struct FolderListing
{
    QStringList folders;
    QStringList files;
};

namespace FileListing {
/// The folder's subfolders and (unless `onlyFolders`) its matching files; empty lists for
/// a folder that cannot be read or is gone. Links to folders count as folders.
VELK_TESTS_EXPORT FolderListing list(const QString &folder, const FilePattern &pattern, bool onlyFolders);
/// How many folders `list` has read in this process (tests check that trees load lazily).
VELK_TESTS_EXPORT int listCount();
} // namespace FileListing

} // namespace velk
