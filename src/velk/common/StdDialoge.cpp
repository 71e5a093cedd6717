#include "StdDialoge.h"

#include <velk/common/StringHelpers.h>
#include <velk/platform/Dialogs.h>
#include <velk/platform/Input.h>
#include <velk/platform/Screen.h>
#include <velk/platform/SystemColors.h>

#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <array>

namespace velk {
namespace {

struct FileType
{
    const char *extension;
    const char *caption;
};

// Extension = caption; looked up exactly (case-sensitive), first row wins.
constexpr std::array<FileType, 15> kFileTypes = {{
    {"doc", "Word"}, {"xls", "Excel"}, {"ppt", "Powerpoint"}, {"html", "Web"},
    {"mht", "Webarchiv"}, {"bmp", "Bitmap"}, {"jpg", "Jpeg"}, {"csv", "CSV"},
    {"log", "Log"}, {"morvai", "Morvai"}, {"mdb", "Access-Datenbank"}, {"ini", "Ini"},
    {"txt", "Text"}, {"exe", "Anwendungs"}, {"dat", "Morvai-Daten"},
}};

QString fileTypeCaption(const QString &extension)
{
    for (const FileType &type : kFileTypes) {
        if (extension == QLatin1String(type.extension))
            return QString::fromLatin1(type.caption);
    }
    return extension;
}

QString qtPatterns(const QString &pattern)
{
    QStringList patterns = pattern.split(u';', Qt::SkipEmptyParts);
    for (QString &p : patterns) {
        p = p.trimmed();
        // "*.*" is written for "every file"; taken literally it would miss names
        // without a point.
        if (p == QLatin1String("*.*"))
            p = QStringLiteral("*");
    }
    return patterns.join(u' ');
}

int optionsOf(int mode)
{
    using namespace FileDialogOption;
    switch (mode) {
    case 0: return PathMustExist | FileMustExist | HideReadOnly;
    case 1: return OverwritePrompt | PathMustExist | HideReadOnly;
    default: return PathMustExist | HideReadOnly;
    }
}

bool &busyPointerShown()
{
    static bool shown = false;
    return shown;
}

} // namespace

QString BuildFileFilter(const QString &filter)
{
    if (!filter.startsWith(u'#'))
        return filter;
    QStringList parts;
    QString rest = filter.mid(1);
    while (!rest.isEmpty()) {
        const QString extension = GetToken(rest, QStringLiteral("#"));
        if (extension.isEmpty())
            continue;
        if (extension == QLatin1String("*"))
            parts << QStringLiteral("Alle Dateien");
        else
            parts << fileTypeCaption(extension) + QLatin1String("-Dateien");
        parts << QLatin1String("*.") + extension;
    }
    return parts.join(u'|');
}

QString QtFileFilter(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = qtPatterns(parts[i + 1]);
        if (patterns.isEmpty())
            continue;
        const QString inParens = QLatin1String("(") + patterns + QLatin1String(")");
        const QString caption = parts[i].trimmed();
        if (caption.endsWith(inParens))
            entries << caption;
        else if (caption.isEmpty())
            entries << inParens;
        else
            entries << caption + u' ' + inParens;
    }
    return entries.join(QLatin1String(";;"));
}

QString FileDialog(QWidget *owner, const QString &file, QString &dir, const QString &title,
                   const QString &filter, const QString &defaultExt, int mode)
{
    const QString currentFolder = QDir::currentPath();
    const QString folder = dir.isEmpty() ? currentFolder : dir;
    const QString start = file.isEmpty() ? folder : QDir(folder).filePath(file);
    const QString qtFilter = QtFileFilter(BuildFileFilter(filter));
    Dialogs &dialogs = Dialogs::instance();
    const QString chosen = mode == 0
        ? dialogs.getOpenFileName(owner, title, start, qtFilter, optionsOf(mode), defaultExt)
        : dialogs.getSaveFileName(owner, title, start, qtFilter, optionsOf(mode), defaultExt);
    QDir::setCurrent(currentFolder);
    if (chosen.isEmpty() || dir.isEmpty())
        return chosen;
    const QFileInfo info(chosen);
    dir = info.absolutePath();
    return info.fileName();
}

bool ChooseColorDialog(QWidget *owner, Color &color)
{
    bool ok = false;
    const QColor chosen = Dialogs::instance().getColor(owner, resolveColor(color), ok);
    if (!ok || !chosen.isValid())
        return false;
    color = colorFromQColor(chosen);
    return true;
}

void SetBusyPointer(bool ready)
{
    bool &shown = busyPointerShown();
    if (ready == !shown)
        return;
    if (ready)
        QGuiApplication::restoreOverrideCursor();
    else
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    shown = !ready;
}

int GetShiftState()
{
    return Screen::shiftState() & (ShiftState::Shift | ShiftState::Ctrl);
}

} // namespace velk
