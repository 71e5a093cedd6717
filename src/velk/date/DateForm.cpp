#include "DateForm.h"

#include "velkDateControl.h"

#include <velk/common/CalendarHelpers.h>
#include <velk/date/DateText_p.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace velk {
namespace {

constexpr int kMarginPx = 8;
constexpr int kGapPx = 6;
constexpr int kRowPx = 22;
constexpr int kButtonWPx = 90;
const QSize kPickerPx(196, 162);

} // namespace

struct DateForm::Private
{
    DateForm *q;
    int viewType;
    QString result;
    QLabel *label1 = new QLabel(q);
    QLineEdit *text1 = new QLineEdit(q);
    QLabel *label2 = new QLabel(q);
    QCheckBox *check1 = new QCheckBox(QStringLiteral("bis Datum:"), q);
    velkDateControl *picker1 = new velkDateControl(q);
    velkDateControl *picker2 = new velkDateControl(q);
    QPushButton *ok = new QPushButton(QStringLiteral("Schliessen"), q);
    QPushButton *cancel = new QPushButton(QStringLiteral("Abbrechen"), q);

    Private(DateForm *owner, int type) : q(owner), viewType(type)
    {
        label1->setObjectName(QStringLiteral("Label1"));
        text1->setObjectName(QStringLiteral("Text1"));
        label2->setObjectName(QStringLiteral("Label2"));
        check1->setObjectName(QStringLiteral("Check1"));
        picker1->setObjectName(QStringLiteral("velkDateControl1"));
        picker2->setObjectName(QStringLiteral("velkDateControl2"));
        ok->setObjectName(QStringLiteral("C_OK"));
        cancel->setObjectName(QStringLiteral("C_Cancel"));
        ok->setDefault(true);
        label2->setText(QStringLiteral("Datum:"));
        label2->setBuddy(picker1);
        label1->setBuddy(text1);
        picker2->setEnabled(false);
    }

    bool isRangeMode() const { return viewType == 0; }

    // Writes the pickers' dates into Text1; read-only meanwhile, so the text handler keeps still.
    void writeText()
    {
        text1->setReadOnly(true);
        QString text = picker1->Datum();
        const QString end = picker2->Datum();
        if (check1->isChecked() && end != text && !end.isEmpty())
            text += QStringLiteral(" - ") + end;
        text1->setText(text);
        text1->setReadOnly(false);
    }

    void followCheck()
    {
        label2->setText(check1->isChecked() ? QStringLiteral("ab Datum:") : QStringLiteral("Datum:"));
        picker2->setEnabled(check1->isChecked());
    }

    // Typed text sets the pickers; Check1 is disabled meanwhile, so its handler keeps still.
    void readText(const QString &text)
    {
        if (text1->isReadOnly())
            return;
        check1->setEnabled(false);
        const qsizetype dash = text.indexOf(u'-');
        if (dash >= 0) {
            picker1->setDatum(text.left(dash));
            check1->setChecked(true);
            picker2->setDatum(text.mid(dash + 1));
        } else {
            picker1->setDatum(text);
            check1->setChecked(false);
        }
        check1->setEnabled(true);
        followCheck();
    }

    void checkToggled()
    {
        if (!check1->isEnabled())
            return;
        if (check1->isChecked() && picker2->Datum().isEmpty())
            picker2->setDatum(TodayText());
        followCheck();
        writeText();
    }

    void layout()
    {
        const bool range = isRangeMode();
        label1->setText(range ? QStringLiteral("Datum / Datumsbereich:") : QStringLiteral("Datum:"));
        picker2->setVisible(range);
        check1->setVisible(range);
        const int pickersW = range ? 2 * kPickerPx.width() + kGapPx : kPickerPx.width();
        int y = kMarginPx;
        label1->setGeometry(kMarginPx, y, pickersW, kRowPx);
        y += kRowPx;
        text1->setGeometry(kMarginPx, y, pickersW, kRowPx);
        y += kRowPx + kGapPx;
        label2->setGeometry(kMarginPx, y, kPickerPx.width(), kRowPx);
        check1->setGeometry(kMarginPx + kPickerPx.width() + kGapPx, y, kPickerPx.width(), kRowPx);
        y += kRowPx;
        picker1->setGeometry(kMarginPx, y, kPickerPx.width(), kPickerPx.height());
        picker2->setGeometry(kMarginPx + kPickerPx.width() + kGapPx, y, kPickerPx.width(), kPickerPx.height());
        const int buttonsX = std::max(kMarginPx + pickersW + kGapPx, q->width() - kMarginPx - kButtonWPx);
        ok->setGeometry(buttonsX, kMarginPx + kRowPx, kButtonWPx, kRowPx + 4);
        cancel->setGeometry(buttonsX, kMarginPx + 2 * kRowPx + kGapPx + 4, kButtonWPx, kRowPx + 4);
    }

    QSize preferredSize() const
    {
        const int pickersW = isRangeMode() ? 2 * kPickerPx.width() + kGapPx : kPickerPx.width();
        return QSize(2 * kMarginPx + pickersW + kGapPx + kButtonWPx,
                     2 * kMarginPx + 3 * kRowPx + kGapPx + kPickerPx.height());
    }
};

DateForm::DateForm(QWidget *parent, int viewType)
    : QDialog(parent)
    , d(std::make_unique<Private>(this, viewType))
{
    setObjectName(QStringLiteral("DateForm"));
    setWindowTitle(QStringLiteral("Datum ausw\u00e4hlen"));
    connect(d->picker1->events(), &velkDateControlEvents::Changed, this, [this] { d->writeText(); });
    connect(d->picker2->events(), &velkDateControlEvents::Changed, this, [this] { d->writeText(); });
    connect(d->text1, &QLineEdit::textChanged, this, [this](const QString &text) { d->readText(text); });
    connect(d->check1, &QCheckBox::toggled, this, [this] { d->checkToggled(); });
    connect(d->ok, &QPushButton::clicked, this, [this] {
        d->result = d->text1->text();
        accept();
    });
    connect(d->cancel, &QPushButton::clicked, this, [this] {
        d->result.clear();
        reject();
    });
    resize(d->preferredSize());
    d->layout();
}

DateForm::~DateForm() = default;

void DateForm::setPreset(const QString &text)
{
    d->text1->setText(text);
    d->readText(text); // also when the text equals the current one
}

QString DateForm::result() const { return d->result; }
int DateForm::viewType() const { return d->viewType; }
QLineEdit *DateForm::Text1() const { return d->text1; }
QCheckBox *DateForm::Check1() const { return d->check1; }
velkDateControl *DateForm::velkDateControl1() const { return d->picker1; }
velkDateControl *DateForm::velkDateControl2() const { return d->picker2; }

void DateForm::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    d->layout();
}

} // namespace velk
