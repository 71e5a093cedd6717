#include <velk/preview/PageText.h>

#include "../../src/velk/preview/PageScript_p.h"
#include "support/TestSupport.h"

using namespace velk;

TEST(ExpandPageText, ReplacesPlaceholdersByValueAndIndex)
{
    struct Row
    {
        const char *name, *text, *repl, *expected;
    } rows[] = {
        {"first value", "#TITLE", "TITLE=Bericht;zwei", "Bericht"},
        {"indexed value", "#A(2) #A(1)", "A=x;y;z", "y x"},
        {"index past the last value is empty", "[#A(5)]", "A=x;y", "[]"},
        {"index 100 is no index", "#A(100)", "A=x", "x(100)"},
        {"missing name stays", "#NAME und #TITLE", "TITLE=T", "#NAME und T"},
        {"longest name wins", "#AB #A", "A=1\r\nAB=2", "2 1"},
        {"replaced text is not scanned again", "#A", "A=#B\r\nB=nein", "#B"},
        {"empty names are skipped", "#X", "=1\r\nX=2", "2"},
        {"no list leaves the text", "#X", "", "#X"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ExpandPageText(QString::fromUtf8(row.text), QString::fromUtf8(row.repl)), QString::fromUtf8(row.expected));
    }
}

TEST(ExpandPageText, LoopEmitsTheBlockPerValueWithForLines)
{
    const QString txt = QStringLiteral("Kopf\r\n$LOOP POS\r\n{\r\n#POS: #PREIS(#)\r\n$FOR 2 2 gerade\r\n}\r\nEnde");
    const QString repl = QStringLiteral("POS=a;b;c;;\r\nPREIS=1;2;3");
    EXPECT_EQ(ExpandPageText(txt, repl),
              QStringLiteral("Kopf\r\n$LOOP POS\r\na: 1\r\nb: 2\r\ngerade\r\nc: 3\r\nEnde"));
}

// Loops nest as blocks inside blocks; beyond 16 million characters no more copies are made.
TEST(ExpandPageText, NestedLoopsMultiplyAndStayBounded)
{
    auto nested = [](int depth) {
        QString txt, repl;
        QStringList values;
        for (int i = 0; i < 99; ++i)
            values << QStringLiteral("v");
        for (int level = 0; level < depth; ++level) {
            txt += QStringLiteral("$loop L%1\n{\n").arg(level);
            repl += QStringLiteral("L%1=%2\n").arg(level).arg(values.join(u';'));
        }
        txt += QStringLiteral("x");
        for (int level = 0; level < depth; ++level)
            txt += QStringLiteral("\n}");
        return ExpandPageText(txt, repl);
    };
    EXPECT_EQ(nested(2).count(u'x'), 99 * 99);
    EXPECT_LT(nested(6).size(), 40 * 1024 * 1024);
}

TEST(PageFormula, NumbersExpressionsConditionsAndAmounts)
{
    EXPECT_DOUBLE_EQ(pageNumber(u"2.5cm"), 2.5);
    EXPECT_DOUBLE_EQ(pageNumber(u"abc"), 0);
    EXPECT_DOUBLE_EQ(evaluatePageExpression(u"x+2*sp-y/4", 1, 8, 0.5), 1 + 1 - 2);
    EXPECT_DOUBLE_EQ(evaluatePageExpression(u"1/0", 0, 0, 0), 0);
    EXPECT_TRUE(evaluatePageCondition(QStringLiteral("10 > 9")));
    EXPECT_TRUE(evaluatePageCondition(QStringLiteral("1.234,50 = 1234,5")));
    EXPECT_TRUE(evaluatePageCondition(QStringLiteral("abc <> abd")));
    EXPECT_FALSE(evaluatePageCondition(QStringLiteral("0")));
    EXPECT_FALSE(evaluatePageCondition(QStringLiteral("")));
    EXPECT_TRUE(evaluatePageCondition(QStringLiteral("ja")));
    EXPECT_EQ(formatAmount(1234.5), QStringLiteral("1.234,50"));
    EXPECT_EQ(formatAmount(std::numeric_limits<double>::quiet_NaN()), QStringLiteral("0,00"));
}

TEST(PageDocument, ReadsPaperAndLineKinds)
{
    EXPECT_EQ(PageDocument(QStringLiteral("text")).paperCm(), QSizeF(21, 29.7));
    EXPECT_EQ(PageDocument(QStringLiteral("a\r\n$PAPER 29.7 21\r\nb")).paperCm(), QSizeF(29.7, 21));
    EXPECT_EQ(PageDocument(QStringLiteral("$paper 0 -3")).paperCm(), QSizeF(21, 29.7));
    const PageDocument doc(QStringLiteral("'c\r\n$Size 12\r\n{3}x%\r\n{99999}y\r\ntext"));
    ASSERT_EQ(doc.lines().size(), 5u);
    EXPECT_EQ(doc.lines()[0].kind, PageLine::Comment);
    EXPECT_EQ(doc.lines()[1].command, PageCommand::Size);
    EXPECT_EQ(doc.lines()[1].text, QStringLiteral("12"));
    EXPECT_EQ(doc.lines()[2].repeat, 3);
    EXPECT_EQ(doc.lines()[3].repeat, PageDocument::maxRepeat);
    EXPECT_EQ(doc.lines()[4].kind, PageLine::Text);
}
