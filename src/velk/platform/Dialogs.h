#pragma once

// Every question the library asks the user goes through this seam: message boxes, input
// boxes, file, folder and colour pickers, and the library's own modal forms. The real
// implementation shows Qt dialogs; tests install ScriptedDialogs.

#include <velk/velk_export.h>

#include <QColor>
#include <QString>

#include <memory>
#include <optional>

class QDialog;
class QWidget;

namespace velk {

/// Flags of Dialogs::MsgBox: one button set + one icon + one default button, added up.
namespace MsgBoxStyle {
inline constexpr int OkOnly = 0;
inline constexpr int OkCancel = 1;
inline constexpr int AbortRetryIgnore = 2;
inline constexpr int YesNoCancel = 3;
inline constexpr int YesNo = 4;
inline constexpr int RetryCancel = 5;
inline constexpr int Critical = 16;
inline constexpr int Question = 32;
inline constexpr int Exclamation = 48;
inline constexpr int Information = 64;
inline constexpr int DefaultButton1 = 0;
inline constexpr int DefaultButton2 = 256;
inline constexpr int DefaultButton3 = 512;
inline constexpr int ButtonsMask = 0x0F;
inline constexpr int IconMask = 0xF0;
inline constexpr int DefaultButtonMask = 0xF00;
} // namespace MsgBoxStyle

/// Results of Dialogs::MsgBox: the button the user pressed.
namespace MsgBoxResult {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Abort = 3;
inline constexpr int Retry = 4;
inline constexpr int Ignore = 5;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
} // namespace MsgBoxResult

/// Options of the file dialogs (bits, added up).
namespace FileDialogOption {
inline constexpr int PathMustExist = 1;   ///< the folder of the chosen path must exist
inline constexpr int FileMustExist = 2;   ///< only existing files can be chosen
inline constexpr int OverwritePrompt = 4; ///< ask before an existing file is replaced
inline constexpr int HideReadOnly = 8;    ///< no "open read-only" box
} // namespace FileDialogOption

class VELK_EXPORT Dialogs
{
public:
    /// The kinds of question, as ScriptedDialogs records them.
    enum class Kind { MsgBox, InputBox, OpenFile, SaveFile, Directory, Color, Form };

    virtual ~Dialogs();

    /// Shows `prompt` with the buttons, icon and default button of `style` (MsgBoxStyle);
    /// an empty `title` shows the application's name. Returns a MsgBoxResult; closing
    /// the box counts as Cancel where there is one, as No for Yes/No, as Abort for
    /// Abort/Retry/Ignore and as OK for a lone OK.
    virtual int MsgBox(const QString &prompt, int style = MsgBoxStyle::OkOnly,
                       const QString &title = QString()) = 0;
    /// The text entered, or nullopt when the user cancelled.
    virtual std::optional<QString> InputBox(const QString &prompt, const QString &title = QString(),
                                            const QString &defaultText = QString()) = 0;
    /// The chosen file's full path, or an empty text on cancel. `dir` is the initial
    /// folder or a path whose file part is preselected; `filter` is in Qt's form
    /// ("Text-Dateien (*.txt);;Alle Dateien (*)"); `options` are FileDialogOption bits;
    /// `defaultSuffix` is appended to a typed name without an extension.
    virtual QString getOpenFileName(QWidget *parent, const QString &title, const QString &dir,
                                    const QString &filter, int options = 0,
                                    const QString &defaultSuffix = QString()) = 0;
    virtual QString getSaveFileName(QWidget *parent, const QString &title, const QString &dir,
                                    const QString &filter, int options = 0,
                                    const QString &defaultSuffix = QString()) = 0;
    /// The chosen folder, or an empty text on cancel.
    virtual QString getExistingDirectory(QWidget *parent, const QString &title,
                                         const QString &dir) = 0;
    /// The chosen colour with `ok` set, or `initial` with `ok` cleared on cancel.
    virtual QColor getColor(QWidget *parent, const QColor &initial, bool &ok) = 0;
    /// Runs one of the library's modal forms; the QDialog::DialogCode it ended with.
    virtual int exec(QDialog &dialog) = 0;

    /// The installed implementation (the Qt dialogs unless another was installed).
    static Dialogs &instance();
    /// Installs `dialogs` (nullptr: the Qt dialogs again) and returns the previous one,
    /// which is nullptr when none had been made yet.
    static std::unique_ptr<Dialogs> setInstance(std::unique_ptr<Dialogs> dialogs);
};

} // namespace velk
