#pragma once

#include <velk/velk_export.h>

#include <QDialog>
#include <QString>

#include <memory>

class QAction;

namespace velk {

class velkButton;
class velkMenuBar;
class velkPreView;
class velkSheet;

/// The preview window: the preview `View1` under the command bar `velkMenuBar1` (print,
/// copy, first, previous, "page/Pages", next, last) with the page buttons `velkButton1`
/// (previous) and `velkButton2` (next), and a menu of the actions `menu_first`,
/// `menu_previous`, `menu_next`, `menu_last`, `menu_drucken`, `menu_kopieren`,
/// `menu_page`, `menu_refresh` and `menu_close`. Its placement is kept in the settings
/// value "PreviewPosition".
class VELK_EXPORT PreView : public QDialog
{
    Q_OBJECT

public:
    explicit PreView(QWidget *parent = nullptr);
    ~PreView() override;

    velkPreView *View1() const;
    velkMenuBar *velkMenuBar1() const;

    /// Runs command `id` of the command bar (1 print … 7 last page).
    Q_INVOKABLE void Command(int id);
    /// Asks for a page number (prompt "Seite") and shows that page.
    Q_INVOKABLE void AskPage();

    /// Opens a preview window captioned `caption` for `txt` with `repl` through
    /// Dialogs::exec; returns how the window ended.
    static int Show(const QString &caption, const QString &txt, const QString &repl, QWidget *parent = nullptr);
    /// The sheet's page text (SheetPageText) in a window captioned "Druckvorschau " + title.
    static int ShowSheet(const velkSheet &sheet, const QString &title, const QString &date,
                         const QString &header = {}, const QString &columns = {}, QWidget *parent = nullptr);
    /// Prints the sheet's page text through the preview of a window that is never shown.
    static void PrintSheet(const velkSheet &sheet, const QString &title, const QString &date,
                           const QString &header = {}, const QString &columns = {});

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    void pageChanged();

    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
