#include "GUI.h"

#include "Credentials_p.h"

#include <velk/date/DateForm.h>
#include <velk/editors/StdSelectPath.h>
#include <velk/platform/Dialogs.h>
#include <velk/preview/PageText.h>
#include <velk/preview/PreView.h>
#include <velk/sheet/velkSheet.h>

#include <QDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace velk {
namespace {

// Answers confirmed in this process, by address.
QHash<QString, QString> &remembered()
{
    static QHash<QString, QString> answers;
    return answers;
}

// The credentials form: the address, the user field T_User, the password field T_Password;
// C_OK sets the result "user:password", C_Cancel an empty one.
class FormUsrPwd : public QDialog
{
public:
    FormUsrPwd(const QString &url, const QString &stored, QWidget *parent)
        : QDialog(parent)
    {
        setObjectName(QStringLiteral("FormUsrPwd"));
        setWindowTitle(QStringLiteral("Anmeldung"));
        auto *layout = new QGridLayout(this);
        auto *address = new QLabel(url, this);
        address->setObjectName(QStringLiteral("Label1"));
        address->setTextFormat(Qt::PlainText);
        m_user->setObjectName(QStringLiteral("T_User"));
        m_password->setObjectName(QStringLiteral("T_Password"));
        m_password->setEchoMode(QLineEdit::Password);
        const qsizetype colon = stored.indexOf(u':');
        m_user->setText(colon < 0 ? stored : stored.left(colon));
        m_password->setText(colon < 0 ? QString() : stored.mid(colon + 1));
        auto *userLabel = new QLabel(QStringLiteral("&Benutzername:"), this);
        userLabel->setBuddy(m_user);
        auto *passwordLabel = new QLabel(QStringLiteral("&Passwort:"), this);
        passwordLabel->setBuddy(m_password);
        auto *ok = new QPushButton(QStringLiteral("OK"), this);
        ok->setObjectName(QStringLiteral("C_OK"));
        ok->setDefault(true);
        auto *cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
        cancel->setObjectName(QStringLiteral("C_Cancel"));
        layout->addWidget(address, 0, 0, 1, 3);
        layout->addWidget(userLabel, 1, 0);
        layout->addWidget(m_user, 1, 1, 1, 2);
        layout->addWidget(passwordLabel, 2, 0);
        layout->addWidget(m_password, 2, 1, 1, 2);
        layout->addWidget(ok, 3, 1);
        layout->addWidget(cancel, 3, 2);
        connect(ok, &QPushButton::clicked, this, [this] {
            m_result = m_user->text() + u':' + m_password->text();
            accept();
        });
        connect(cancel, &QPushButton::clicked, this, [this] {
            m_result.clear();
            reject();
        });
    }

    QString result() const { return m_result; }

private:
    QLineEdit *m_user = new QLineEdit(this);
    QLineEdit *m_password = new QLineEdit(this);
    QString m_result;
};

// Shows the normal pointer while the form is up and puts back whatever the host had.
class DefaultPointer
{
public:
    DefaultPointer() { QGuiApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~DefaultPointer() { QGuiApplication::restoreOverrideCursor(); }
    DefaultPointer(const DefaultPointer &) = delete;
    DefaultPointer &operator=(const DefaultPointer &) = delete;
};

} // namespace

GUI::GUI(QObject *parent)
    : QObject(parent)
{
}

GUI::~GUI() = default;

QString GUI::SelectPath(QWidget *frm, const QString &cap, const QString &pfd, const QString &flg)
{
    StdSelectPath form(frm, flg);
    if (!cap.isEmpty())
        form.setWindowTitle(cap);
    form.setPath(pfd);
    Dialogs::instance().exec(form);
    return form.result();
}

void GUI::ShowPreView(const QString &caption, const QString &Body, const QString &ers, QWidget *parentform)
{
    PreView::Show(caption, Body, ers, parentform);
}

void GUI::ShowPreView_Auswertung(const QString &caption, velkSheet *velkSht, const QString &header,
                                 const QString &datevalue, QWidget *parentform)
{
    if (!velkSht)
        return;
    const PageText page = SheetPageText(*velkSht, caption, datevalue, header);
    PreView::Show(caption, page.text, page.repl, parentform);
}

void GUI::ReplaceVariables(QString &txt, const QString &repl)
{
    txt = ExpandPageText(txt, repl);
}

QString GUI::SelectDate(QWidget *frm, const QString &datrange, int ViewType)
{
    DateForm form(frm, ViewType);
    form.setPreset(datrange);
    Dialogs::instance().exec(form);
    return form.result();
}

bool GUI::AskUserPassword(const QString &url)
{
    FormUsrPwd form(url, Credentials::read(url), nullptr);
    {
        DefaultPointer pointer;
        Dialogs::instance().exec(form);
    }
    const QString answer = form.result();
    if (answer.isEmpty())
        return false;
    Credentials::write(url, answer);
    remembered().insert(url, answer.trimmed());
    return true;
}

QString GUI::UserName(const QString &url)
{
    return remembered().value(url).section(u':', 0, 0);
}

QString GUI::Password(const QString &url)
{
    const QString answer = remembered().value(url);
    const qsizetype colon = answer.indexOf(u':');
    return colon < 0 ? QString() : answer.mid(colon + 1);
}

} // namespace velk
