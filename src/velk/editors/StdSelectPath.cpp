#include "StdSelectPath.h"

#include "velkFileSelect.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace velk {

struct StdSelectPath::Private
{
    velkFileSelect *files;
    QLineEdit *text1;
    QString result;
};

StdSelectPath::StdSelectPath(QWidget *parent, const QString &flags)
    : QDialog(parent)
    , d(std::make_unique<Private>())
{
    setObjectName(QStringLiteral("StdSelectPath"));
    setWindowTitle(QStringLiteral("Ordner ausw\u00e4hlen"));
    d->files = new velkFileSelect(this);
    d->files->setObjectName(QStringLiteral("velkFileSelect1"));
    d->files->setFlags((QStringLiteral("onlypath ") + flags).trimmed());
    d->files->Register(QStringLiteral("outlook"), QStringLiteral("Outlook"), QStringLiteral("outlook://"));
    d->text1 = new QLineEdit(this);
    d->text1->setObjectName(QStringLiteral("Text1"));
    auto *label = new QLabel(QStringLiteral("&Pfad:"), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setBuddy(d->text1);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("C_OK"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancel->setObjectName(QStringLiteral("C_Cancel"));

    auto *layout = new QGridLayout(this);
    layout->addWidget(d->files, 0, 0, 1, 3);
    layout->addWidget(label, 1, 0);
    layout->addWidget(d->text1, 1, 1, 1, 2);
    layout->addWidget(ok, 2, 1);
    layout->addWidget(cancel, 2, 2);
    layout->setColumnStretch(0, 1);
    resize(420, 480);

    connect(d->files->events(), &velkFileSelectEvents::ClickPath, this, [this](const QString &path) {
        d->text1->setText(path);
    });
    // Typing selects along the tree; the text itself stays as typed.
    connect(d->text1, &QLineEdit::textEdited, this, [this](const QString &text) { d->files->SelectPath(text); });
    connect(ok, &QPushButton::clicked, this, [this] {
        d->result = d->text1->text();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        d->result.clear();
        reject();
    });
}

StdSelectPath::~StdSelectPath() = default;

void StdSelectPath::setPath(const QString &path)
{
    d->files->SelectPath(path);
    d->text1->setText(path);
}

QString StdSelectPath::result() const { return d->result; }
velkFileSelect *StdSelectPath::velkFileSelect1() const { return d->files; }
QLineEdit *StdSelectPath::Text1() const { return d->text1; }

} // namespace velk
