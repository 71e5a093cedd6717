#include "PathHelpers.h"

#include "StringHelpers.h"

#include <QFileInfo>

#include <vector>

namespace velk {
namespace {

const QString kUrlMark = QStringLiteral("://");

bool isSep(QChar c) { return c == u'\\' || c == u'/'; }

// Position of the last "\" or "/" (0-based), -1 without one.
qsizetype lastSep(QStringView s)
{
    for (qsizetype i = s.size() - 1; i >= 0; --i) {
        if (isSep(s[i]))
            return i;
    }
    return -1;
}

// Drops leading ".\", one trailing "\." and every "\.\" (also runs of them, as repeated
// replacement would), in one pass.
QString foldDotSteps(const QString &path)
{
    QStringView rest(path);
    while (rest.startsWith(u".\\"))
        rest = rest.sliced(2);
    if (rest.endsWith(u"\\."))
        rest.chop(2);
    QString out;
    out.reserve(rest.size());
    for (qsizetype i = 0; i < rest.size(); ++i) {
        if (rest[i] == u'.' && i + 1 < rest.size() && rest[i + 1] == u'\\' && out.endsWith(u'\\')) {
            ++i;
            continue;
        }
        out += rest[i];
    }
    return out;
}

// Folds "\..\" steps from the left: each one takes the path before it to its parent
// folder. The text is read once; `seps` remembers where the kept part has separators so
// that finding the parent does not rescan it.
QString foldParentSteps(const QString &path)
{
    if (path.startsWith(u".."))
        return path;
    QString out;
    out.reserve(path.size());
    std::vector<qsizetype> seps;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const QChar c = path[i];
        out += c;
        if (isSep(c))
            seps.push_back(out.size() - 1);
        if (!(c == u'\\' && out.endsWith(u"\\..\\")))
            continue;
        const qsizetype step = out.size() - 4;
        if (step == 0) {
            out.remove(0, 1); // the path starts "\..\": only its leading "\" goes
            return out + path.mid(i + 1);
        }
        // ParentPath of the text before the step: up to its last separator, trimmed.
        while (!seps.empty() && seps.back() >= step)
            seps.pop_back();
        out.truncate(seps.empty() ? 0 : seps.back() + 1);
        qsizetype lead = 0;
        while (lead < out.size() && out[lead] == u' ')
            ++lead;
        if (lead > 0) {
            out.remove(0, lead);
            for (qsizetype &p : seps)
                p -= lead;
        }
        if (out.startsWith(u"..") || (out.isEmpty() && QStringView(path).sliced(i + 1).startsWith(u"..")))
            return out + path.mid(i + 1);
    }
    return out;
}

} // namespace

QString AddPathSep(const QString &path)
{
    QString p = TrimBlanks(path);
    if (p.isEmpty())
        return p;
    const QChar sep = p.contains(kUrlMark) ? u'/' : u'\\';
    if (!p.endsWith(sep))
        p += sep;
    return p;
}

QString StripPathSep(const QString &path)
{
    if (path.size() >= 2 && path[1] == u':') {
        if (path.size() == 2)
            return path + u'\\';
        if (path.size() == 3 && path[2] == u'\\')
            return path;
    }
    if (!path.isEmpty() && isSep(path.back()))
        return path.left(path.size() - 1);
    return path;
}

bool IsAbsolutePath(const QString &path)
{
    return (path.size() >= 2 && path[1] == u':') || path.startsWith(u"\\\\") || path.contains(kUrlMark);
}

QString CombinePath(const QString &base, const QString &rel)
{
    if (IsAbsolutePath(rel))
        return TrimBlanks(rel);
    if (base.contains(kUrlMark))
        return base + rel;
    QString path;
    if (!rel.startsWith(u'\\'))
        path = AddPathSep(TrimBlanks(base)) + TrimBlanks(rel);
    else if (base.size() >= 2 && base[1] == u':')
        path = base.left(2) + rel;
    else
        path = TrimBlanks(rel);
    return foldParentSteps(foldDotSteps(path));
}

QString ParentPath(const QString &path)
{
    const qsizetype at = lastSep(path);
    return at < 0 ? QString() : TrimBlanks(path.left(at + 1));
}

QString FileNameOf(const QString &path)
{
    return TrimBlanks(path.mid(lastSep(path) + 1));
}

int FileAttrOrNone(const QString &path)
{
    const QString native = NativePath(path);
    if (native.endsWith(u"/.") || native.endsWith(u"/.."))
        return -1;
    const QFileInfo info(native);
    if (native.isEmpty() || !info.exists())
        return -1;
    int attr = 0;
    if (!(info.permissions() & QFileDevice::WriteOwner))
        attr |= 1;
    if (info.fileName().startsWith(u'.'))
        attr |= 2;
    if (info.isDir())
        attr |= 16;
    else if (info.isFile())
        attr |= 32;
    return attr;
}

bool FileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(NativePath(path));
    return info.exists() && !info.isDir();
}

QString NativePath(const QString &path)
{
    QString p = path;
    p.replace(u'\\', u'/');
    return p;
}

} // namespace velk
