#pragma once

#include <velk/platform/Dialogs.h>

namespace velk {

/// The real dialogs: QMessageBox (German button texts), QInputDialog, QFileDialog and
/// QColorDialog; modal forms run with QDialog::exec.
class VELK_EXPORT QtDialogs : public Dialogs
{
public:
    int MsgBox(const QString &prompt, int style = MsgBoxStyle::OkOnly,
               const QString &title = QString()) override;
    std::optional<QString> InputBox(const QString &prompt, const QString &title = QString(),
                                    const QString &defaultText = QString()) override;
    QString getOpenFileName(QWidget *parent, const QString &title, const QString &dir,
                            const QString &filter, int options = 0,
                            const QString &defaultSuffix = QString()) override;
    QString getSaveFileName(QWidget *parent, const QString &title, const QString &dir,
                            const QString &filter, int options = 0,
                            const QString &defaultSuffix = QString()) override;
    QString getExistingDirectory(QWidget *parent, const QString &title,
                                 const QString &dir) override;
    /// Opens fully expanded; the sixteen custom colours start white.
    QColor getColor(QWidget *parent, const QColor &initial, bool &ok) override;
    int exec(QDialog &dialog) override;
};

} // namespace velk
