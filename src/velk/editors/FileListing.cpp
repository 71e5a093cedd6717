#include "FileListing_p.h"

#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>
#include <atomic>

namespace velk {
namespace {

std::atomic<int> g_listCount{0};

void sortCaseless(QStringList &names)
{
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
}

} // namespace

FilePattern::FilePattern(const QString &pattern)
{
    for (const QString &part : pattern.split(u';', Qt::SkipEmptyParts)) {
        const QString wildcard = part.trimmed();
        if (wildcard.isEmpty())
            continue;
        if (wildcard == u"*.*" || wildcard == u"*") {
            m_all = true;
            continue;
        }
        // Names hold no "/", so the path-aware conversion matches them as plain names.
        m_parts.emplace_back(QRegularExpression::wildcardToRegularExpression(wildcard),
                             QRegularExpression::CaseInsensitiveOption);
    }
}

bool FilePattern::matches(const QString &name) const
{
    if (m_all)
        return true;
    return std::any_of(m_parts.begin(), m_parts.end(),
                       [&name](const QRegularExpression &re) { return re.match(name).hasMatch(); });
}

FolderListing FileListing::list(const QString &folder, const FilePattern &pattern, bool onlyFolders)
{
    ++g_listCount;
    FolderListing listing;
    const QDir::Filters filters = onlyFolders ? (QDir::Dirs | QDir::NoDotAndDotDot)
                                              : (QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot);
    QDirIterator it(folder, filters);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        const QString name = info.fileName();
        if (info.isDir())
            listing.folders.append(name);
        else if (!onlyFolders && pattern.matches(name))
            listing.files.append(name);
    }
    sortCaseless(listing.folders);
    sortCaseless(listing.files);
    return listing;
}

int FileListing::listCount() { return g_listCount.load(); }

} // namespace velk
