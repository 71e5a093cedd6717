#pragma once

#include <velk/velk_export.h>

#include <QObject>
#include <QString>

class QWidget;

namespace velk {

class velkSheet;

/// One entry point to the library's modal dialogs and text services: folder selection,
/// date-range selection and a user/password prompt whose answers are remembered per
/// address. The forms run through Dialogs::exec, so tests answer them with a script.
class VELK_EXPORT GUI : public QObject
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit GUI(QObject *parent = nullptr);
    ~GUI() override;

    /// Shows the folder selection form (owned by `frm`, titled `cap`) at `pfd`; `flg` adds
    /// flag words of velkFileSelect. The chosen path, or "" on cancel.
    Q_INVOKABLE QString SelectPath(QWidget *frm, const QString &cap, const QString &pfd,
                                   const QString &flg = QString());
    /// Opens a preview window captioned `caption` for the page description `Body` with the
    /// replacement list `ers`.
    Q_INVOKABLE void ShowPreView(const QString &caption, const QString &Body, const QString &ers,
                                 QWidget *parentform = nullptr);
    /// Builds a page description from the sheet's columns and shown rows under `header`
    /// (empty: the standard header with `caption` and `datevalue`) and previews it.
    void ShowPreView_Auswertung(const QString &caption, velkSheet *velkSht, const QString &header,
                                const QString &datevalue, QWidget *parentform = nullptr);
    /// Replaces the page description variables in `txt` from the list `repl`.
    Q_INVOKABLE void ReplaceVariables(QString &txt, const QString &repl);
    /// Shows the date form (owned by `frm` when given) preset with `datrange`; `ViewType` 0
    /// offers a range, 1 a single date. The chosen range text, or "" on cancel.
    Q_INVOKABLE QString SelectDate(QWidget *frm, const QString &datrange, int ViewType = 0);
    /// Asks for user name and password for `url`, preset with the stored answer. On OK
    /// the answer is stored (keyring, else a scrambled settings value), remembered for
    /// UserName/Password, and true returned; on cancel nothing changes and false returns.
    Q_INVOKABLE bool AskUserPassword(const QString &url);

    /// The user name and password last confirmed for `url` in this process ("" if none).
    static QString UserName(const QString &url);
    static QString Password(const QString &url);
};

} // namespace velk
