#include "FileListing_p.h"

#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <utility>
#include <vector>

namespace velk {
namespace {

std::atomic<int> g_listCount{0};

// Sorts without regard to case, ties in binary order; each name is folded once, not in
// every comparison.
void sortCaseless(QStringList &names)
{
    std::vector<std::pair<QString, QString>> keyed;
    keyed.reserve(size_t(names.size()));
    for (QString &name : names)
        keyed.emplace_back(name.toCaseFolded(), std::move(name));
    std::sort(keyed.begin(), keyed.end());
    for (qsizetype i = 0; i < names.size(); ++i)
        names[i] = std::move(keyed[size_t(i)].second);
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
