#include <velk/editors/UmfangRule_p.h>
#include <velk/editors/velkUmfangForm.h>

#include "support/TestSupport.h"

using namespace velk;

TEST(UmfangRule, DescribesEachPartInGerman)
{
    EXPECT_EQ(UmfangRule::description(QStringLiteral("doc *.pdf|size > 10 MB|attr -H")),
              QStringLiteral("Datei *.pdf, Größe > 10 MB, ohne Attribut H"));
    EXPECT_EQ(UmfangRule::description(QStringLiteral("par C:\\Archiv|age < 3 Wochen|attr +A")),
              QStringLiteral("Verzeichnis C:\\Archiv, Alter < 3 Wochen, Attribut A"));
    // "file" and "path" read like "doc" and "par"; unknown parts stay as they are.
    EXPECT_EQ(UmfangRule::description(QStringLiteral("file a.txt|path b|person Meier|subject Rechnung|xyz 1")),
              QStringLiteral("Datei a.txt, Verzeichnis b, Person Meier, Betreff Rechnung, xyz 1"));
    EXPECT_EQ(UmfangRule::description(QString()), QString());
    EXPECT_EQ(UmfangRule::description(QStringLiteral("||doc x||")), QStringLiteral("Datei x"));
}

TEST(UmfangRule, FormFieldsRoundTripInCanonicalOrder)
{
    const QString canonical = QStringLiteral(
        "doc *.pdf|par /archiv/2026|size > 10 MB|size < 2 GB|age > 1 Jahre|age < 30 Tage"
        "|attr +A|attr -A|attr -H|attr +G|attr -G");
    const UmfangFields fields = UmfangRule::fieldsOf(canonical);
    EXPECT_EQ(fields.file, QStringLiteral("*.pdf"));
    EXPECT_EQ(fields.path, QStringLiteral("/archiv/2026"));
    EXPECT_EQ(fields.limits[UmfangFields::SizeBigger], (UmfangLimit{true, QStringLiteral("10"), 2}));
    EXPECT_EQ(fields.limits[UmfangFields::AgeOlder], (UmfangLimit{true, QStringLiteral("1"), 3}));
    EXPECT_TRUE(fields.attrSet[0] && fields.attrNotSet[0] && fields.attrNotSet[2] && fields.attrSet[5]);
    EXPECT_FALSE(fields.attrSet[2]);
    EXPECT_TRUE(fields.extra.isEmpty());
    EXPECT_EQ(UmfangRule::ruleOf(fields), canonical);

    // Out of order parts come back in the fields' order.
    EXPECT_EQ(UmfangRule::ruleOf(UmfangRule::fieldsOf(QStringLiteral("attr -S|age < 2 Monate|doc a"))),
              QStringLiteral("doc a|age < 2 Monate|attr -S"));
    // Patterns that match everything are left out.
    EXPECT_EQ(UmfangRule::ruleOf(UmfangRule::fieldsOf(QStringLiteral("doc *.*"))), QString());
    EXPECT_EQ(UmfangRule::ruleOf(UmfangRule::fieldsOf(QStringLiteral("doc *|par |attr +R"))), QStringLiteral("attr +R"));
}

TEST(UmfangRule, PartsTheFormCannotShowAreKeptAfterIt)
{
    const struct { const char *rule, *written; } rows[] = {
        {"person Meier|doc a", "doc a|person Meier"},
        {"file x|path y|subject z", "file x|path y|subject z"},
        {"size > 10 TB|size > 5 KB", "size > 5 KB|size > 10 TB"},   // unknown unit
        {"age > 1,5 Jahre|age > 2 jahre", "age > 1,5 Jahre|age > 2 jahre"}, // not digits, unit case
        {"doc a|doc b|attr +A|attr +A", "doc a|attr +A|doc b|attr +A"},  // repeated parts
        {"attr +X|attr H|size >5 KB", "attr +X|attr H|size >5 KB"},
        {"size > 5 KB|doc *.*|doc c", "doc c|size > 5 KB"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.rule);
        const QString written = UmfangRule::ruleOf(UmfangRule::fieldsOf(QString::fromUtf8(row.rule)));
        EXPECT_EQ(written, QString::fromUtf8(row.written));
        EXPECT_EQ(UmfangRule::ruleOf(UmfangRule::fieldsOf(written)), written) << "a second pass changes nothing";
    }
    UmfangFields ticked;
    ticked.limits[UmfangFields::SizeSmaller] = {true, QString(), 1};
    ticked.limits[UmfangFields::AgeYounger] = {false, QStringLiteral("4"), 0};
    EXPECT_EQ(UmfangRule::ruleOf(ticked), QString()) << "a limit needs both its box and a number";
}

TEST(velkUmfangForm, FieldsShowTheRuleAndNumbersTakeDigitsOnly)
{
    velkUmfangForm form;
    form.setRule(QStringLiteral("doc *.txt|size < 3 KB|attr -P|person X"));
    EXPECT_EQ(form.findChild<QLineEdit *>(QStringLiteral("T_File"))->text(), QStringLiteral("*.txt"));
    EXPECT_TRUE(form.findChild<QCheckBox *>(QStringLiteral("Chk_SizeSmaller"))->isChecked());
    EXPECT_EQ(form.findChild<QComboBox *>(QStringLiteral("C_SizeSmaller"))->currentText(), QStringLiteral("KB"));
    EXPECT_TRUE(form.findChild<QCheckBox *>(QStringLiteral("Chk_AttrNotP"))->isChecked());
    EXPECT_EQ(form.findChild<QComboBox *>(QStringLiteral("C_AgeOlder"))->count(), 4);

    auto *number = form.findChild<QLineEdit *>(QStringLiteral("T_AgeOlder"));
    QTest::keyClicks(number, QStringLiteral("1x2-"));
    EXPECT_EQ(number->text(), QStringLiteral("12"));
    form.findChild<QCheckBox *>(QStringLiteral("Chk_AgeOlder"))->setChecked(true);
    form.findChild<QComboBox *>(QStringLiteral("C_AgeOlder"))->setCurrentIndex(1);
    form.findChild<QCheckBox *>(QStringLiteral("Chk_AttrS"))->setChecked(true);
    EXPECT_EQ(form.Rule(), QStringLiteral("doc *.txt|size < 3 KB|age > 12 Wochen|attr +S|attr -P|person X"));
}
