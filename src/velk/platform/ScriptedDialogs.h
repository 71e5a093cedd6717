#pragma once

#include <velk/platform/Dialogs.h>

#include <functional>
#include <memory>
#include <vector>

namespace velk {

/// Dialogs that answer from queues a test fills beforehand and record every question.
/// Each kind has its own queue, used first in, first out. A question with no answer
/// queued is answered with "cancel" (MsgBox: Cancel, InputBox: nullopt, file and folder
/// pickers: an empty text, colour: not ok, form: Rejected) and recorded as unanswered,
/// so a test can fail on it instead of hanging on a real dialog.
class VELK_EXPORT ScriptedDialogs : public Dialogs
{
public:
    struct Question
    {
        Kind kind = Kind::MsgBox;
        QString prompt;      ///< MsgBox and InputBox prompt; a form's objectName
        QString title;       ///< title as passed; a form's window title
        int flags = 0;       ///< MsgBox style or FileDialogOption bits
        QString text;        ///< InputBox default, picker's initial folder, colour as #rrggbb
        QString filter;      ///< file dialogs: the Qt filter
        QString suffix;      ///< file dialogs: the default suffix
        bool answered = true;
    };
    /// Fills and closes a form: call accept(), reject() or done() on it (or leave it,
    /// which counts as Rejected).
    using FormHandler = std::function<void(QDialog &)>;

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    void answerMsgBox(int result);
    /// nullopt answers as if the user cancelled.
    void answerInputBox(std::optional<QString> text);
    /// An empty text answers as if the user cancelled.
    void answerOpenFile(const QString &path);
    void answerSaveFile(const QString &path);
    void answerDirectory(const QString &path);
    /// nullopt answers as if the user cancelled.
    void answerColor(std::optional<QColor> color);
    void answerForm(FormHandler handler);

    /// Every question asked, in order.
    const std::vector<Question> &questions() const;
    /// The questions that found no answer queued.
    std::vector<Question> unanswered() const;
    /// Answers queued but not asked for yet (all kinds).
    int pendingAnswers() const;
    /// Forgets questions and queued answers.
    void clear();

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
    QColor getColor(QWidget *parent, const QColor &initial, bool &ok) override;
    int exec(QDialog &dialog) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

/// Installs a fresh ScriptedDialogs for its lifetime and puts the previous dialogs back.
class VELK_EXPORT ScopedDialogs
{
public:
    ScopedDialogs();
    ~ScopedDialogs();
    ScopedDialogs(const ScopedDialogs &) = delete;
    ScopedDialogs &operator=(const ScopedDialogs &) = delete;

    ScriptedDialogs &operator*() const { return *m_dialogs; }
    ScriptedDialogs *operator->() const { return m_dialogs; }

private:
    ScriptedDialogs *m_dialogs;
    std::unique_ptr<Dialogs> m_previous;
};

} // namespace velk
