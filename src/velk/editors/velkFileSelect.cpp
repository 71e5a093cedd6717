#include "velkFileSelect.h"

#include "FileListing_p.h"

#include <velk/common/StdRegistry.h>
#include <velk/platform/ControlFactory.h>
#include <velk/sheet/SheetModel_p.h>
#include <velk/sheet/SheetState_p.h>
#include <velk/sheet/velkSheet_p.h>
#include <velk/sheet/velkSheet.h>

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStandardPaths>
#include <QStorageInfo>

#include <vector>

namespace velk {
namespace {

const QString kPlaceholder = QStringLiteral("...");
const QString kDrive = QStringLiteral("drive");
const QString kPath = QStringLiteral("path");
const QString kFile = QStringLiteral("file");
const QString kShellFoldersKey = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
constexpr int kCurrentUser = 1;
// Room left of the roots for their expand boxes, one tree step.
constexpr int kRootIndentTwips = 300;

// Caption = shell folder key, in the order the roots are listed.
const std::pair<const char *, const char *> kShellFolders[] = {
    {"Morvai", "Morvai"},
    {"Eigene Dateien", "Personal"},
    {"Eigene Musik", "My Music"},
    {"Eigene Bilder", "My Pictures"},
    {"Eigene Videos", "My Video"},
    {"Desktop", "Desktop"},
    {"Favoriten", "Favorites"},
};

struct RegisteredRoot
{
    QString icon;
    QString caption;
    QString location;
};

QString kindOf(const SheetData &row)
{
    const qsizetype bar = row.Tag.indexOf(u'|');
    return bar < 0 ? row.Tag : row.Tag.left(bar);
}

QString locationOf(const SheetData &row)
{
    const qsizetype bar = row.Tag.indexOf(u'|');
    return bar < 0 ? QString() : row.Tag.mid(bar + 1);
}

std::shared_ptr<SheetData> makeRow(const QString &text, const QString &icon, int indent, const QString &tag)
{
    auto row = std::make_shared<SheetData>();
    row->setText(text);
    row->setIcon(icon);
    row->Indent = short(indent);
    row->Tag = tag;
    return row;
}

// A folder row with its "..." child.
void addFolderRows(std::vector<std::shared_ptr<SheetData>> &rows, const QString &text, const QString &icon,
                   int indent, const QString &tag)
{
    rows.push_back(makeRow(text, icon, indent, tag));
    rows.push_back(makeRow(kPlaceholder, QString(), indent + 1, QString()));
}

QString joinPath(const QString &base, const QString &name)
{
    return base.endsWith(u'/') ? base + name : base + u'/' + name;
}

QString withSlashes(QString path)
{
    return path.replace(u'\\', u'/');
}

QStringList mountedRoots()
{
    QStringList roots{QStringLiteral("/")};
    QStringList others;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (volume.isValid() && root != u"/" && !others.contains(root))
            others.append(root);
    }
    others.sort();
    return roots + others;
}

} // namespace

struct velkFileSelect::Private
{
    velkFileSelect *q;
    velkFileSelectEvents *events;
    velkSheet *sheet;
    QString flags;
    QString pattern = QStringLiteral("*.*");
    std::vector<RegisteredRoot> roots;
    bool quiet = false; // SelectPath moves the selection without raising Click events

    explicit Private(velkFileSelect *owner)
        : q(owner)
        , events(new velkFileSelectEvents(owner))
        , sheet(new velkSheet(owner))
    {
        events->setObjectName(QStringLiteral("events"));
        sheet->setObjectName(QStringLiteral("velkSheet1"));
        sheet->setFlags(QStringLiteral("singleselect"));
        sheet->setLeftMargin(kRootIndentTwips);
    }

    bool hasFlag(const QString &word) const
    {
        return flags.split(u' ', Qt::SkipEmptyParts).contains(word, Qt::CaseInsensitive);
    }

    QString sheetFlags() const
    {
        QStringList words{QStringLiteral("singleselect")};
        for (const QString &word : flags.split(u' ', Qt::SkipEmptyParts)) {
            if (word.compare(u"onlypath", Qt::CaseInsensitive) != 0 && word.compare(u"shellfolders", Qt::CaseInsensitive) != 0)
                words.append(word);
        }
        return words.join(u' ');
    }

    void buildRoots()
    {
        sheet->setRedraw(false);
        sheet->Clear();
        sheet->setFlags(sheetFlags());
        std::vector<std::shared_ptr<SheetData>> rows;
        for (const QString &root : mountedRoots())
            addFolderRows(rows, root, QStringLiteral("drive"), 0, kDrive + u'|' + root);
        if (hasFlag(QStringLiteral("shellfolders"))) {
            for (const auto &[caption, key] : kShellFolders) {
                if (!ShellFolderPath(QString::fromLatin1(key)).isEmpty())
                    addFolderRows(rows, QString::fromLatin1(caption), QStringLiteral("path"), 0,
                                  kPath + QStringLiteral("|{") + QString::fromLatin1(key) + u'}');
            }
        }
        for (const RegisteredRoot &root : roots)
            addFolderRows(rows, root.caption, root.icon, 0, kPath + u'|' + root.location);
        SheetInternals::state(*sheet).model().insertItems(0, std::move(rows));
        sheet->setRedraw(true);
    }

    // A root's location as a path: "{key}" resolves to the personal folder.
    static QString resolved(const QString &location)
    {
        if (location.startsWith(u'{') && location.endsWith(u'}'))
            return ShellFolderPath(location.mid(1, location.size() - 2));
        return location;
    }

    QString fullPath(const SheetData *row) const
    {
        QStringList names;
        while (row && row->Parent()) {
            names.prepend(row->GetSubText(1));
            row = row->Parent();
        }
        if (!row)
            return {};
        QString path = resolved(locationOf(*row));
        for (const QString &name : names)
            path = joinPath(path, name);
        return path;
    }

    // A folder that is a link back to one of its ancestors would repeat forever.
    bool isLoop(const SheetData *row, const QString &path) const
    {
        const QString canonical = QFileInfo(path).canonicalFilePath();
        if (canonical.isEmpty())
            return true; // gone or unreadable
        for (const SheetData *up = row->Parent(); up; up = up->Parent()) {
            if (QFileInfo(fullPath(up)).canonicalFilePath() == canonical)
                return true;
        }
        return false;
    }

    FolderListing listingFor(const SheetData *row, const QString &path)
    {
        FolderListing listing;
        if (path.contains(QStringLiteral("://"))) {
            Collection<QString> files, folders;
            emit events->Extension(path, files, folders);
            for (const QString &name : folders)
                listing.folders.append(name);
            for (const QString &name : files)
                listing.files.append(name);
            return listing;
        }
        if (path.isEmpty() || isLoop(row, path))
            return listing;
        return FileListing::list(path, FilePattern(pattern), hasFlag(QStringLiteral("onlypath")));
    }

    void expandRow(int pos)
    {
        SheetModel &model = SheetInternals::state(*sheet).model();
        if (!model.hasUninitializedChilds(pos))
            return;
        model.removeItem(pos + 1);
        const SheetData *row = model.rows().at(pos);
        const FolderListing listing = listingFor(row, fullPath(row));
        const int indent = row->Indent + 1;
        std::vector<std::shared_ptr<SheetData>> rows;
        rows.reserve(2 * listing.folders.size() + listing.files.size());
        for (const QString &name : listing.folders)
            addFolderRows(rows, name, QStringLiteral("path"), indent, kPath);
        if (!hasFlag(QStringLiteral("onlypath"))) {
            for (const QString &name : listing.files)
                rows.push_back(makeRow(name, QStringLiteral("file"), indent, kFile));
        }
        model.insertItems(pos + 1, std::move(rows));
        sheet->Refresh();
    }

    void onClick()
    {
        const SheetData *row = SheetInternals::state(*sheet).model().selected();
        if (quiet || !row || row->Text() == kPlaceholder)
            return;
        if (kindOf(*row) == kFile)
            emit events->Click(fullPath(row));
        else
            emit events->ClickPath(fullPath(row));
    }

    void onDblClick(int pos)
    {
        const SheetData *row = SheetInternals::state(*sheet).model().rows().at(pos);
        if (row && kindOf(*row) == kFile)
            emit events->DblClick(fullPath(row));
    }

    // The child of `parent` named `name`: exact first, then without regard to case.
    int childNamed(int parent, const QString &name)
    {
        expandRow(parent);
        const SheetModel &model = SheetInternals::state(*sheet).model();
        int caseless = 0;
        for (int child = model.queryNext(0, parent); child; child = model.queryNext(1, child)) {
            const QString text = model.rows().at(child)->GetSubText(1);
            if (text == name)
                return child;
            if (!caseless && text.compare(name, Qt::CaseInsensitive) == 0)
                caseless = child;
        }
        return caseless;
    }

    // The root whose location is the longest start of `path`; the rest of the path in `rest`.
    int rootFor(const QString &path, QString &rest) const
    {
        const SheetModel &model = SheetInternals::state(*sheet).model();
        int best = 0;
        qsizetype bestLength = -1;
        for (int pos = 1; pos; pos = model.queryNext(1, pos)) {
            const SheetData *row = model.rows().at(pos);
            if (!row)
                break;
            const QString location = withSlashes(resolved(locationOf(*row)));
            if (location.isEmpty() || location.size() <= bestLength)
                continue;
            if (!path.startsWith(location, Qt::CaseInsensitive))
                continue;
            const bool atBoundary = location.endsWith(u'/') || path.size() == location.size()
                || path.at(location.size()) == u'/';
            if (!atBoundary)
                continue;
            best = pos;
            bestLength = location.size();
        }
        if (best)
            rest = path.mid(bestLength);
        return best;
    }

    QString selectPath(const QString &pfd)
    {
        const QString path = withSlashes(pfd.trimmed());
        QString rest;
        int pos = rootFor(path, rest);
        if (!pos)
            return {};
        SheetModel &model = SheetInternals::state(*sheet).model();
        for (const QString &name : rest.split(u'/', Qt::SkipEmptyParts)) {
            const int child = childNamed(pos, name);
            if (!child)
                break;
            model.setExpanded(pos, true);
            pos = child;
        }
        quiet = true;
        sheet->setSelectedIndex(pos);
        quiet = false;
        sheet->EnsureVisible(pos);
        sheet->Refresh();
        return fullPath(model.rows().at(pos));
    }
};

velkFileSelect::velkFileSelect(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>(this))
{
    setFocusProxy(d->sheet);
    d->sheet->installEventFilter(this);
    connect(d->sheet->events(), &velkSheetEvents::expand, this, [this](int row) {
        const SheetData *data = SheetInternals::state(*d->sheet).model().rows().at(row);
        if (data && data->Expanded)
            d->expandRow(row);
    });
    connect(d->sheet->events(), &velkSheetEvents::Click, this, [this] { d->onClick(); });
    connect(d->sheet->events(), &velkSheetEvents::DblClick, this, [this](int row, int) { d->onDblClick(row); });
    d->buildRoots();
}

velkFileSelect::~velkFileSelect() = default;

velkFileSelectEvents *velkFileSelect::events() const { return d->events; }
velkSheet *velkFileSelect::sheet() const { return d->sheet; }
QString velkFileSelect::flags() const { return d->flags; }

void velkFileSelect::setFlags(const QString &flags)
{
    d->flags = flags;
    d->buildRoots();
}

QString velkFileSelect::Pattern() const { return d->pattern; }
void velkFileSelect::setPattern(const QString &pattern) { d->pattern = pattern; }

void velkFileSelect::Register(const QString &ico, const QString &cap, const QString &classname)
{
    d->roots.push_back({ico, cap, classname});
    std::vector<std::shared_ptr<SheetData>> rows;
    addFolderRows(rows, cap, ico, 0, kPath + u'|' + classname);
    SheetInternals::state(*d->sheet).model().insertItems(0, std::move(rows));
    d->sheet->Refresh();
}

QString velkFileSelect::SelectPath(const QString &pfd) { return d->selectPath(pfd); }

QString velkFileSelect::FullPath(int pos) const
{
    return d->fullPath(SheetInternals::state(*d->sheet).model().rows().at(pos));
}

void velkFileSelect::ExpandRow(int pos)
{
    d->expandRow(pos);
}

QString velkFileSelect::ShellFolderPath(const QString &key)
{
    const QString stored = RegGetString(kCurrentUser, kShellFoldersKey, key == u"Morvai" ? QStringLiteral("AppData") : key);
    if (!stored.isEmpty())
        return key == u"Morvai" ? joinPath(withSlashes(stored), QStringLiteral("Morvai")) : withSlashes(stored);
    static const std::pair<const char *, QStandardPaths::StandardLocation> standard[] = {
        {"Morvai", QStandardPaths::GenericDataLocation},
        {"Personal", QStandardPaths::DocumentsLocation},
        {"My Music", QStandardPaths::MusicLocation},
        {"My Pictures", QStandardPaths::PicturesLocation},
        {"My Video", QStandardPaths::MoviesLocation},
        {"Desktop", QStandardPaths::DesktopLocation},
    };
    for (const auto &[name, location] : standard) {
        if (key == QLatin1String(name)) {
            const QString path = QStandardPaths::writableLocation(location);
            if (path.isEmpty())
                return {};
            return key == u"Morvai" ? joinPath(path, QStringLiteral("Morvai")) : path;
        }
    }
    return {};
}

void velkFileSelect::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    d->sheet->setGeometry(rect());
}

bool velkFileSelect::eventFilter(QObject *watched, QEvent *event)
{
    // The sheet expands a row from the keyboard without raising expand: let it handle
    // the key, then read the children of a row that became expanded.
    if (watched != d->sheet || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    static_cast<QObject *>(d->sheet)->event(event);
    const int pos = d->sheet->SelectedIndex();
    const SheetData *row = SheetInternals::state(*d->sheet).model().rows().at(pos);
    if (row && row->Expanded)
        d->expandRow(pos);
    return true;
}

namespace {
[[maybe_unused]] const bool registered =
    (ControlFactory::registerClass<velkFileSelect>(QStringLiteral("velkFileSelect")), true);
}

} // namespace velk
