#include "velkUmfangForm.h"

#include "UmfangRule_p.h"

#include <velk/platform/Dialogs.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <array>

namespace velk {
namespace {

struct LimitSpec
{
    const char *name;    ///< field name after "Chk_", "T_" and "C_"
    const char *caption;
};

const LimitSpec kLimits[UmfangFields::LimitCount] = {
    {"SizeBigger", "größer als"},
    {"SizeSmaller", "kleiner als"},
    {"AgeOlder", "älter als"},
    {"AgeYounger", "jünger als"},
};

const char *const kAttributeNames[UmfangFields::AttrCount] = {
    "Archiv", "schreibgeschützt", "versteckt", "System", "", "",
};

QString digitsOf(const QString &text)
{
    QString digits;
    for (QChar c : text) {
        if (c >= u'0' && c <= u'9')
            digits += c;
    }
    return digits;
}

} // namespace

struct velkUmfangForm::Private
{
    struct LimitRow
    {
        QCheckBox *check = nullptr;
        QLineEdit *number = nullptr;
        QComboBox *unit = nullptr;
    };

    QLineEdit *file = nullptr;
    QLineEdit *path = nullptr;
    std::array<LimitRow, UmfangFields::LimitCount> limits{};
    std::array<QCheckBox *, UmfangFields::AttrCount> attrSet{};
    std::array<QCheckBox *, UmfangFields::AttrCount> attrNotSet{};
    QStringList extra; ///< the parts of the rule the fields cannot show
    QLabel *extraNote = nullptr;
};

velkUmfangForm::velkUmfangForm(QWidget *parent)
    : QDialog(parent)
    , d(std::make_unique<Private>())
{
    setObjectName(QStringLiteral("velkUmfangForm"));
    setWindowTitle(QStringLiteral("Regel"));
    setMinimumWidth(380);

    auto *patterns = new QFormLayout;
    d->file = new QLineEdit(this);
    d->file->setObjectName(QStringLiteral("T_File"));
    d->file->setPlaceholderText(QStringLiteral("*.*"));
    d->path = new QLineEdit(this);
    d->path->setObjectName(QStringLiteral("T_Path"));
    patterns->addRow(QStringLiteral("&Datei:"), d->file);
    patterns->addRow(QStringLiteral("&Verzeichnis:"), d->path);

    auto *limitBox = new QGroupBox(QStringLiteral("Größe und Alter"), this);
    auto *limitGrid = new QGridLayout(limitBox);
    const auto *digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    for (int k = 0; k < UmfangFields::LimitCount; ++k) {
        const QString name = QString::fromLatin1(kLimits[k].name);
        Private::LimitRow &row = d->limits[size_t(k)];
        row.check = new QCheckBox(QString::fromUtf8(kLimits[k].caption), limitBox);
        row.check->setObjectName(QStringLiteral("Chk_") + name);
        row.number = new QLineEdit(limitBox);
        row.number->setObjectName(QStringLiteral("T_") + name);
        row.number->setValidator(digits);
        row.number->setMaximumWidth(90);
        row.unit = new QComboBox(limitBox);
        row.unit->setObjectName(QStringLiteral("C_") + name);
        row.unit->addItems(k < UmfangFields::AgeOlder ? UmfangRule::sizeUnits() : UmfangRule::ageUnits());
        limitGrid->addWidget(row.check, k, 0);
        limitGrid->addWidget(row.number, k, 1);
        limitGrid->addWidget(row.unit, k, 2);
    }

    auto *attrBox = new QGroupBox(QStringLiteral("Attribute"), this);
    auto *attrGrid = new QGridLayout(attrBox);
    attrGrid->addWidget(new QLabel(QStringLiteral("gesetzt"), attrBox), 0, 1);
    attrGrid->addWidget(new QLabel(QStringLiteral("nicht gesetzt"), attrBox), 0, 2);
    const QString letters = UmfangRule::attributeLetters();
    for (int i = 0; i < UmfangFields::AttrCount; ++i) {
        const QString letter = letters.mid(i, 1);
        const QString name = QString::fromUtf8(kAttributeNames[i]);
        attrGrid->addWidget(new QLabel(name.isEmpty() ? letter : letter + QStringLiteral(" (") + name + u')', attrBox),
                            i + 1, 0);
        d->attrSet[size_t(i)] = new QCheckBox(attrBox);
        d->attrSet[size_t(i)]->setObjectName(QStringLiteral("Chk_Attr") + letter);
        d->attrNotSet[size_t(i)] = new QCheckBox(attrBox);
        d->attrNotSet[size_t(i)]->setObjectName(QStringLiteral("Chk_AttrNot") + letter);
        attrGrid->addWidget(d->attrSet[size_t(i)], i + 1, 1);
        attrGrid->addWidget(d->attrNotSet[size_t(i)], i + 1, 2);
    }

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    d->extraNote = new QLabel(this);
    d->extraNote->setObjectName(QStringLiteral("L_Extra"));
    d->extraNote->setWordWrap(true);
    d->extraNote->hide();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(patterns);
    layout->addWidget(limitBox);
    layout->addWidget(attrBox);
    layout->addWidget(d->extraNote);
    layout->addWidget(buttons);
}

velkUmfangForm::~velkUmfangForm() = default;

QString velkUmfangForm::Rule() const
{
    UmfangFields fields;
    fields.file = d->file->text();
    fields.path = d->path->text();
    for (int k = 0; k < UmfangFields::LimitCount; ++k) {
        const Private::LimitRow &row = d->limits[size_t(k)];
        fields.limits[size_t(k)] = {row.check->isChecked(), digitsOf(row.number->text()), row.unit->currentIndex()};
    }
    for (int i = 0; i < UmfangFields::AttrCount; ++i) {
        fields.attrSet[size_t(i)] = d->attrSet[size_t(i)]->isChecked();
        fields.attrNotSet[size_t(i)] = d->attrNotSet[size_t(i)]->isChecked();
    }
    fields.extra = d->extra;
    return UmfangRule::ruleOf(fields);
}

void velkUmfangForm::setRule(const QString &rule)
{
    const UmfangFields fields = UmfangRule::fieldsOf(rule);
    d->file->setText(fields.file);
    d->path->setText(fields.path);
    for (int k = 0; k < UmfangFields::LimitCount; ++k) {
        const Private::LimitRow &row = d->limits[size_t(k)];
        const UmfangLimit &limit = fields.limits[size_t(k)];
        row.check->setChecked(limit.checked);
        row.number->setText(limit.number);
        row.unit->setCurrentIndex(limit.unit);
    }
    for (int i = 0; i < UmfangFields::AttrCount; ++i) {
        d->attrSet[size_t(i)]->setChecked(fields.attrSet[size_t(i)]);
        d->attrNotSet[size_t(i)]->setChecked(fields.attrNotSet[size_t(i)]);
    }
    d->extra = fields.extra;
    // The parts without a field are kept; the note shows them so nothing is hidden.
    d->extraNote->setText(QStringLiteral("Weitere Angaben, die erhalten bleiben: ")
                          + UmfangRule::description(fields.extra.join(u'|')));
    d->extraNote->setVisible(!fields.extra.isEmpty());
}

QString velkUmfangForm::Edit(const QString &rule, QWidget *parent)
{
    velkUmfangForm form(parent);
    form.setRule(rule);
    if (Dialogs::instance().exec(form) != QDialog::Accepted)
        return QStringLiteral("*");
    return form.Rule();
}

} // namespace velk
