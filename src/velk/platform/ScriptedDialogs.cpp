#include "ScriptedDialogs.h"

#include <QDialog>
#include <QtDebug>

#include <deque>

namespace velk {

struct ScriptedDialogs::Private
{
    std::deque<int> msgBox;
    std::deque<std::optional<QString>> inputBox;
    std::deque<QString> openFile;
    std::deque<QString> saveFile;
    std::deque<QString> directory;
    std::deque<std::optional<QColor>> color;
    std::deque<FormHandler> form;
    std::vector<Question> questions;

    // Records the question and hands out the next answer of its queue, if any.
    template<typename T>
    std::optional<T> take(std::deque<T> &queue, Question question)
    {
        question.answered = !queue.empty();
        if (!question.answered)
            qWarning("ScriptedDialogs: no answer queued for \"%s\"", qPrintable(question.prompt + question.title));
        questions.push_back(std::move(question));
        if (queue.empty())
            return std::nullopt;
        T answer = std::move(queue.front());
        queue.pop_front();
        return answer;
    }

    QString takeFile(std::deque<QString> &queue, Kind kind, const QString &title,
                     const QString &dir, const QString &filter, int options,
                     const QString &suffix)
    {
        Question q{kind, QString(), title, options, dir, filter, suffix};
        return take(queue, std::move(q)).value_or(QString());
    }
};

ScriptedDialogs::ScriptedDialogs() : d(std::make_unique<Private>()) {}
ScriptedDialogs::~ScriptedDialogs() = default;

void ScriptedDialogs::answerMsgBox(int result) { d->msgBox.push_back(result); }
void ScriptedDialogs::answerInputBox(std::optional<QString> text) { d->inputBox.push_back(std::move(text)); }
void ScriptedDialogs::answerOpenFile(const QString &path) { d->openFile.push_back(path); }
void ScriptedDialogs::answerSaveFile(const QString &path) { d->saveFile.push_back(path); }
void ScriptedDialogs::answerDirectory(const QString &path) { d->directory.push_back(path); }
void ScriptedDialogs::answerColor(std::optional<QColor> color) { d->color.push_back(color); }
void ScriptedDialogs::answerForm(FormHandler handler) { d->form.push_back(std::move(handler)); }

const std::vector<ScriptedDialogs::Question> &ScriptedDialogs::questions() const
{
    return d->questions;
}

std::vector<ScriptedDialogs::Question> ScriptedDialogs::unanswered() const
{
    std::vector<Question> result;
    for (const Question &q : d->questions) {
        if (!q.answered)
            result.push_back(q);
    }
    return result;
}

int ScriptedDialogs::pendingAnswers() const
{
    return int(d->msgBox.size() + d->inputBox.size() + d->openFile.size() + d->saveFile.size()
               + d->directory.size() + d->color.size() + d->form.size());
}

void ScriptedDialogs::clear()
{
    *d = Private();
}

int ScriptedDialogs::MsgBox(const QString &prompt, int style, const QString &title)
{
    return d->take(d->msgBox, Question{Kind::MsgBox, prompt, title, style})
        .value_or(MsgBoxResult::Cancel);
}

std::optional<QString> ScriptedDialogs::InputBox(const QString &prompt, const QString &title,
                                                 const QString &defaultText)
{
    return d->take(d->inputBox, Question{Kind::InputBox, prompt, title, 0, defaultText})
        .value_or(std::nullopt);
}

QString ScriptedDialogs::getOpenFileName(QWidget *, const QString &title, const QString &dir,
                                         const QString &filter, int options,
                                         const QString &defaultSuffix)
{
    return d->takeFile(d->openFile, Kind::OpenFile, title, dir, filter, options, defaultSuffix);
}

QString ScriptedDialogs::getSaveFileName(QWidget *, const QString &title, const QString &dir,
                                         const QString &filter, int options,
                                         const QString &defaultSuffix)
{
    return d->takeFile(d->saveFile, Kind::SaveFile, title, dir, filter, options, defaultSuffix);
}

QString ScriptedDialogs::getExistingDirectory(QWidget *, const QString &title, const QString &dir)
{
    return d->takeFile(d->directory, Kind::Directory, title, dir, QString(), 0, QString());
}

QColor ScriptedDialogs::getColor(QWidget *, const QColor &initial, bool &ok)
{
    const std::optional<QColor> answer =
        d->take(d->color, Question{Kind::Color, QString(), QString(), 0, initial.name()})
            .value_or(std::nullopt);
    ok = answer.has_value();
    return answer.value_or(initial);
}

int ScriptedDialogs::exec(QDialog &dialog)
{
    dialog.setResult(QDialog::Rejected);
    std::optional<FormHandler> handler =
        d->take(d->form, Question{Kind::Form, dialog.objectName(), dialog.windowTitle()});
    if (handler && *handler)
        (*handler)(dialog);
    return dialog.result();
}

ScopedDialogs::ScopedDialogs()
{
    auto dialogs = std::make_unique<ScriptedDialogs>();
    m_dialogs = dialogs.get();
    m_previous = Dialogs::setInstance(std::move(dialogs));
}

ScopedDialogs::~ScopedDialogs()
{
    Dialogs::setInstance(std::move(m_previous));
}

} // namespace velk
