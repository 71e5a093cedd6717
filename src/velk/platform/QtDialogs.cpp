#include "QtDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include <vector>

namespace velk {
namespace {

struct MsgBoxButton
{
    QMessageBox::StandardButton standard;
    int result;
    const char *text;
};

std::vector<MsgBoxButton> buttonsOf(int style)
{
    using QMB = QMessageBox;
    const MsgBoxButton ok{QMB::Ok, MsgBoxResult::Ok, "OK"};
    const MsgBoxButton cancel{QMB::Cancel, MsgBoxResult::Cancel, "Abbrechen"};
    const MsgBoxButton abort{QMB::Abort, MsgBoxResult::Abort, "Abbrechen"};
    const MsgBoxButton retry{QMB::Retry, MsgBoxResult::Retry, "Wiederholen"};
    const MsgBoxButton ignore{QMB::Ignore, MsgBoxResult::Ignore, "Ignorieren"};
    const MsgBoxButton yes{QMB::Yes, MsgBoxResult::Yes, "Ja"};
    const MsgBoxButton no{QMB::No, MsgBoxResult::No, "Nein"};
    switch (style & MsgBoxStyle::ButtonsMask) {
    case MsgBoxStyle::OkCancel: return {ok, cancel};
    case MsgBoxStyle::AbortRetryIgnore: return {abort, retry, ignore};
    case MsgBoxStyle::YesNoCancel: return {yes, no, cancel};
    case MsgBoxStyle::YesNo: return {yes, no};
    case MsgBoxStyle::RetryCancel: return {retry, cancel};
    default: return {ok};
    }
}

QMessageBox::Icon iconOf(int style)
{
    switch (style & MsgBoxStyle::IconMask) {
    case MsgBoxStyle::Critical: return QMessageBox::Critical;
    case MsgBoxStyle::Question: return QMessageBox::Question;
    case MsgBoxStyle::Exclamation: return QMessageBox::Warning;
    case MsgBoxStyle::Information: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

// The button that closing the box stands for: Cancel where there is one, otherwise the
// answer that does least (No, Abort, the lone OK).
int escapeResultOf(int style)
{
    switch (style & MsgBoxStyle::ButtonsMask) {
    case MsgBoxStyle::AbortRetryIgnore: return MsgBoxResult::Abort;
    case MsgBoxStyle::YesNo: return MsgBoxResult::No;
    case MsgBoxStyle::OkCancel:
    case MsgBoxStyle::YesNoCancel:
    case MsgBoxStyle::RetryCancel: return MsgBoxResult::Cancel;
    default: return MsgBoxResult::Ok;
    }
}

QString titleOr(const QString &title)
{
    return title.isEmpty() ? QGuiApplication::applicationDisplayName() : title;
}

QString runFileDialog(QWidget *parent, QFileDialog::AcceptMode mode, const QString &title,
                      const QString &dir, const QString &filter, int options,
                      const QString &defaultSuffix)
{
    QFileDialog dialog(parent, title, dir, filter);
    dialog.setAcceptMode(mode);
    const bool mustExist = mode == QFileDialog::AcceptOpen
                           && (options & FileDialogOption::FileMustExist);
    dialog.setFileMode(mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite,
                     !(options & FileDialogOption::OverwritePrompt));
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    const QString path = dialog.selectedFiles().value(0);
    // Qt's own dialog accepts a typed name in a folder that does not exist.
    if ((options & FileDialogOption::PathMustExist) && !QFileInfo(path).dir().exists())
        return QString();
    return path;
}

} // namespace

int QtDialogs::MsgBox(const QString &prompt, int style, const QString &title)
{
    QMessageBox box(iconOf(style), titleOr(title), prompt, QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    const std::vector<MsgBoxButton> buttons = buttonsOf(style);
    std::vector<QAbstractButton *> added;
    for (const MsgBoxButton &b : buttons) {
        QPushButton *button = box.addButton(b.standard);
        button->setText(QString::fromUtf8(b.text));
        added.push_back(button);
    }
    const size_t defaultIndex = size_t((style & MsgBoxStyle::DefaultButtonMask) / 256);
    box.setDefaultButton(static_cast<QPushButton *>(added[defaultIndex < added.size() ? defaultIndex : 0]));
    const int escapeResult = escapeResultOf(style);
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i].result == escapeResult)
            box.setEscapeButton(added[i]);
    }
    box.exec();
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (box.clickedButton() == added[i])
            return buttons[i].result;
    }
    return escapeResult;
}

std::optional<QString> QtDialogs::InputBox(const QString &prompt, const QString &title,
                                           const QString &defaultText)
{
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(titleOr(title));
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Abbrechen"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

QString QtDialogs::getOpenFileName(QWidget *parent, const QString &title, const QString &dir,
                                   const QString &filter, int options,
                                   const QString &defaultSuffix)
{
    return runFileDialog(parent, QFileDialog::AcceptOpen, title, dir, filter, options,
                         defaultSuffix);
}

QString QtDialogs::getSaveFileName(QWidget *parent, const QString &title, const QString &dir,
                                   const QString &filter, int options,
                                   const QString &defaultSuffix)
{
    return runFileDialog(parent, QFileDialog::AcceptSave, title, dir, filter, options,
                         defaultSuffix);
}

QString QtDialogs::getExistingDirectory(QWidget *parent, const QString &title,
                                        const QString &dir)
{
    return QFileDialog::getExistingDirectory(parent, title, dir);
}

QColor QtDialogs::getColor(QWidget *parent, const QColor &initial, bool &ok)
{
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, QColor(Qt::white));
    QColorDialog dialog(initial, parent);
    ok = dialog.exec() == QDialog::Accepted;
    return ok ? dialog.selectedColor() : initial;
}

int QtDialogs::exec(QDialog &dialog)
{
    return dialog.exec();
}

} // namespace velk
