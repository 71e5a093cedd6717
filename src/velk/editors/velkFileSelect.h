#pragma once

#include <velk/common/Collection.h>
#include <velk/velk_export.h>

#include <QObject>
#include <QString>
#include <QWidget>

#include <memory>

namespace velk {

class velkSheet;

/// The events of a velkFileSelect. Paths use "/".
class VELK_EXPORT velkFileSelectEvents : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
signals:
    /// A file row was clicked (its full path).
    void Click(const QString &file);
    /// A folder row was clicked (its full path).
    void ClickPath(const QString &Path);
    /// A file row was double-clicked.
    void DblClick(const QString &file);
    /// Asks the host for the content of a registered location `pfd` ("scheme://…"): the
    /// host adds file names to `lstfiles` and folder names to `lstpaths`.
    void Extension(const QString &pfd, velk::Collection<QString> &lstfiles, velk::Collection<QString> &lstpaths);
};

/// A folder and file tree on the embedded sheet `velkSheet1`. Roots: the file system
/// root "/" and the other mounted volumes (kind "drive"); with the flag "shellfolders" the
/// personal folders (kind "path", location "{key}"); then the roots a host registered,
/// whose content it supplies through Extension. A folder's children are read when it is
/// first expanded (by mouse or keyboard); until then it holds one row "...".
///
/// Each row's Tag is its kind ("drive", "path" or "file"); root rows add "|" and their
/// location ("drive|/", "path|{Personal}", "path|archiv://").
///
/// `flags`: "onlypath" shows folders only, "shellfolders" adds the personal folders; other
/// words go to the sheet after "singleselect". `Pattern`: ";"-separated wildcards for the
/// file rows, any case ("*.*" matches every name). Hidden entries are not shown.
class VELK_EXPORT velkFileSelect : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString flags READ flags WRITE setFlags STORED true)
    Q_PROPERTY(QString Pattern READ Pattern WRITE setPattern STORED true)

public:
    Q_INVOKABLE explicit velkFileSelect(QWidget *parent = nullptr);
    ~velkFileSelect() override;

    velkFileSelectEvents *events() const;
    velkSheet *sheet() const;

    QString flags() const;
    /// Sets the flags and builds the roots again.
    void setFlags(const QString &flags);
    QString Pattern() const;
    /// Applies to folders read from now on.
    void setPattern(const QString &pattern);

    /// Adds a root row `cap` with icon `ico` whose location is `classname` ("scheme://").
    Q_INVOKABLE void Register(const QString &ico, const QString &cap, const QString &classname);
    /// Walks the tree along `pfd` (parts split at "/" or "\"), from the root whose location
    /// is the longest start of it, expanding folders on the way; at each depth an exact
    /// name wins over one that differs only in case. Selects the deepest match and returns
    /// its path, or "" when no root matches.
    Q_INVOKABLE QString SelectPath(const QString &pfd);

    /// The full path of the row at `pos` ("" outside 1 .. Count).
    QString FullPath(int pos) const;
    /// Reads the children of the folder row at `pos` unless they are read already.
    void ExpandRow(int pos);

    /// Where a personal folder key ("Personal", "My Music", "Morvai", …) lies: the value of
    /// that name under Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders
    /// when set, else the desktop's standard folder ("Morvai": the data folder + "/Morvai";
    /// "Favorites" only from the settings). Empty when there is none.
    static QString ShellFolderPath(const QString &key);

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
