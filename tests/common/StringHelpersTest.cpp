#include <velk/common/StringHelpers.h>

#include "support/TestSupport.h"

using namespace velk;

namespace {
QString S(const char *utf8) { return QString::fromUtf8(utf8); }
}

TEST(StringHelpers, GetTokenConsumesPieceByPiece)
{
    QString s = S("a,b,c");
    for (const char *expected : {"a", "b", "c", "", ""})
        EXPECT_EQ(GetToken(s, S(",")), S(expected));
    EXPECT_TRUE(s.isEmpty());

    s = S(",b");
    EXPECT_EQ(GetToken(s, S(",")), S(""));
    EXPECT_EQ(s, S("b"));
    s = S("a<>b<c");
    EXPECT_EQ(GetToken(s, S("<>")), S("a"));
    EXPECT_EQ(s, S("b<c"));

    s = S(" a , b ");
    EXPECT_EQ(GetTokenTrim(s, S(",")), S("a"));
    EXPECT_EQ(s, S("b"));
    EXPECT_EQ(LeftOfSep(S("k=v=w"), S("=")), S("k"));
    EXPECT_EQ(LeftOfSep(S("kv"), S("=")), S("kv"));

    s = S("l1\r\nl2\nl3");
    for (const char *expected : {"l1", "l2", "l3"})
        EXPECT_EQ(GetLine(s), S(expected));
    EXPECT_TRUE(s.isEmpty());
}

TEST(StringHelpers, FieldsCountFromOneAndKeepEmptyFields)
{
    struct Row { const char *s, *sep; int n; const char *field; };
    const Row rows[] = {
        {"a||c", "|", 0, ""}, {"a||c", "|", 1, "a"}, {"a||c", "|", 2, ""}, {"a||c", "|", 3, "c"},
        {"a||c", "|", 4, ""}, {"a,b,", ",", 3, ""}, {"a::b::c", "::", 2, "b"}, {"", ",", 1, ""},
        {"abc", ",", 1, "abc"}, {"abc", ",", -1, ""},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(std::string(r.s) + " #" + std::to_string(r.n));
        EXPECT_EQ(GetField(S(r.s), S(r.sep), r.n), S(r.field));
        EXPECT_EQ(GetNthToken(S(r.s), S(r.sep), r.n), S(r.field));
    }
}

TEST(StringHelpers, GetWordHonoursQuotes)
{
    struct Row { const char *in, *word, *rest; };
    const Row rows[] = {
        {R"("say ""hi"" now"   rest)", R"(say "hi" now)", "rest"},
        {R"("""" x)", R"(")", "x"},
        {"'it is'\t\r\n x", "it is", "x"},
        {"plain   next word", "plain", "next word"},
        {R"("unterminated)", "unterminated", ""},
        {R"("a"b)", "a", "b"},
        {"", "", ""},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.in);
        QString s = S(r.in);
        EXPECT_EQ(GetWord(s), S(r.word));
        EXPECT_EQ(s, S(r.rest));
    }
}

TEST(StringHelpers, EscapesCountBackslashesBeforeTheSeparator)
{
    struct Row { const char *s, *sep; int pos; };
    const Row rows[] = {
        {"a|b", "|", 2}, {R"(a\|b|c)", "|", 5}, {R"(a\\|b)", "|", 4}, {R"(a\\\|b|)", "|", 7},
        {R"(\|)", "|", 0}, {"", "|", 0}, {"abc", "", 0}, {R"(x\\y)", R"(\)", 2},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.s);
        EXPECT_EQ(FindUnescaped(S(r.s), S(r.sep)), r.pos);
    }
    QString s = S(R"(a\|b|c)");
    EXPECT_EQ(GetTokenEscaped(s, S("|")), S(R"(a\|b)"));
    EXPECT_EQ(s, S("c"));
}

TEST(StringHelpers, GetListValue)
{
    struct Row { const char *list, *key, *value; };
    const Row rows[] = {
        {R"(a=1|b=x\|y|c=2)", "b", "x|y"}, {R"(a=1|b=x\|y|c=2)", "B", ""},
        {R"(a=1|b=x\|y|c=2)", "c", "2"}, {"k=a=b", "k", "a=b"}, {"a=1|a=2", "a", "1"},
        {"flag|a=1", "a", "1"}, {"flag|a=1", "flag", ""}, {R"(a=x\\|b=2)", "b", "2"},
        {R"(a=x\\|b=2)", "a", R"(x\)"}, {R"(t=l1\nl2)", "t", "l1\r\nl2"}, {"", "a", ""},
        {"a=1|", "z", ""},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(std::string(r.list) + " / " + r.key);
        EXPECT_EQ(GetListValue(S(r.list), S(r.key)), S(r.value));
    }
}

TEST(StringHelpers, EscapeAndUnescape)
{
    struct Row { const char *plain, *special, *escaped; };
    const Row rows[] = {
        {"a\\b|c\r\nd", "", R"(a\\b\|c\nd)"},
        {"x=y;", "=;", R"(x\=y\;)"},
        {"a\tb", "\t", R"(a\009b)"},
        {R"(a\b)", R"(\)", R"(a\\\\b)"},     // the special pass sees the doubled backslash
        {"line\nx", "n", R"(li\ne\\nx)"},    // ...and the "n" of an escaped line end
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.plain);
        EXPECT_EQ(EscapeText(S(r.plain), S(r.special)), S(r.escaped));
    }
    struct Back { const char *escaped, *plain; };
    const Back backs[] = {
        {R"(a\065b)", "aAb"}, {R"(abc\)", R"(abc\)"}, {R"(\\n)", R"(\n)"}, {R"(a\nb)", "a\r\nb"},
        {R"(\\\|)", R"(\|)"}, {R"(\1a2z)", "\x01z"}, {R"(\12)", "\x0c"}, {R"(x=\y)", "x=y"},
    };
    for (const Back &b : backs) {
        SCOPED_TRACE(b.escaped);
        EXPECT_EQ(UnescapeText(S(b.escaped)), S(b.plain));
    }
    const QString text = S("Zeile 1\r\nZeile|2 \\ \"ä\" =;");
    EXPECT_EQ(UnescapeText(EscapeText(text, S("=;\""))), text);
}

TEST(StringHelpers, ReplaceText)
{
    struct Row { const char *s, *find, *repl; bool ignoreCase, wholeWord; const char *result; };
    const Row rows[] = {
        {"aaa", "a", "aa", false, false, "aaaaaa"},
        {"abab", "ab", "xab", false, false, "xabxab"},
        {"abcabc", "b", "B", false, false, "aBcaBc"},
        {"cat category", "cat", "dog", false, true, "dog category"},
        {"Cat CAT cat", "cat", "x", true, false, "x x x"},
        {"Cat category CAT", "cAt", "dog", true, true, "dog category dog"},
        {"Hello hello", "hello", "Bye", false, false, "Hello Bye"},
        {"Ärger ärger", "ärger", "x", true, false, "x x"},
        {"-- ", "-", "x", false, true, "x- "},   // after a replacement its last letter is the neighbour
        {"a a", "a", "", false, true, " "},
        {"cat1 cat_", "cat", "d", false, true, "d1 cat_"},
        {"abc", "", "x", false, false, "abc"},
        {"", "a", "b", false, false, ""},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(std::string(r.s) + " / " + r.find);
        QString s = S(r.s);
        ReplaceText(s, S(r.find), S(r.repl), r.ignoreCase, r.wholeWord);
        EXPECT_EQ(s, S(r.result));
    }
}

TEST(StringHelpers, WholeWordsAndWordCharacters)
{
    EXPECT_EQ(FindWholeWord(1, S("cat category cat"), S("cat")), 1);
    EXPECT_EQ(FindWholeWord(2, S("cat category cat"), S("cat")), 14);
    EXPECT_EQ(FindWholeWord(1, S("concat cat"), S("cat")), 8);
    EXPECT_EQ(FindWholeWord(1, S("cat_x cat"), S("cat")), 7);
    EXPECT_EQ(FindWholeWord(1, S("xcat"), S("cat")), 0);
    EXPECT_EQ(FindWholeWord(1, S("abc"), S("")), 0);
    for (char c : std::string("AZaz_"))
        EXPECT_TRUE(IsWordChar(QChar(c))) << c;
    for (QChar c : S("09 -@[`{ä"))
        EXPECT_FALSE(IsWordChar(c)) << int(c.unicode());
}

TEST(StringHelpers, TrimCutPad)
{
    EXPECT_EQ(TrimWhite(S("\t a b \r\n")), S("a b"));
    EXPECT_EQ(TrimBlanks(S("\t a ")), S("\t a"));
    QString s = S("abc");
    CutRight(s, 1);
    EXPECT_EQ(s, S("ab"));
    CutRight(s, 2);
    EXPECT_EQ(s, S(""));
    s = S("abc");
    CutRight(s, 5);
    EXPECT_EQ(s, S(""));
    EXPECT_EQ(PadLeft(S("ab"), 4), S("  ab"));
    EXPECT_EQ(PadLeft(S("abcdef"), 3), S("abc"));
    EXPECT_EQ(TrimText(QVariant(42)), S("42"));
    EXPECT_EQ(TrimText(QVariant(-1.5)), S("-1.5"));
    EXPECT_EQ(TrimText(QVariant(S(" x "))), S("x"));
}

TEST(StringHelpers, ParseNumberReadsGermanNumbers)
{
    struct Row { const char *s; double value; };
    const Row rows[] = {
        {"1.234,5", 1234.5}, {"12,5%", 12.5}, {"1.234.567,89", 1234567.89}, {"-3,25", -3.25},
        {"1.5", 1.5}, {"  7", 7}, {"12abc", 12}, {"1,2,3", 1.2}, {"abc", 0}, {"", 0}, {"-", 0},
        {"+,5", 0.5}, {"1e5", 1},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.s);
        EXPECT_DOUBLE_EQ(ParseNumber(S(r.s)), r.value);
    }
}

TEST(StringHelpers, AddSortedIgnoresCase)
{
    Collection<QString> list;
    for (const char *text : {"beta", "Alpha", "gamma", "alpha2", "ALPHA"})
        AddSorted(list, S(text), S(text).toUpper() == S(text) ? S("k") : QString());
    QStringList order;
    for (const QString &t : list)
        order << t;
    EXPECT_EQ(order, (QStringList{S("Alpha"), S("ALPHA"), S("alpha2"), S("beta"), S("gamma")}));
    EXPECT_EQ(*list.Item(S("k")), S("ALPHA"));
    ClearCollection(list);
    EXPECT_EQ(list.Count(), 0);
}

TEST(Collection, RemovingTheLastKeyedItemForgetsItsKey)
{
    Collection<int> list;
    list.Add(1, QStringLiteral("a"));
    list.Add(2, QStringLiteral("b"));
    EXPECT_TRUE(list.Exists(QStringLiteral("b")));
    EXPECT_TRUE(list.Remove(2));
    EXPECT_FALSE(list.Exists(QStringLiteral("b")));
    EXPECT_EQ(list.IndexOf(QStringLiteral("a")), 1);
    list.Add(0, QStringLiteral("z"), 1); // an insert before indexed items moves their keys
    EXPECT_EQ(list.IndexOf(QStringLiteral("a")), 2);
    EXPECT_EQ(list.IndexOf(QStringLiteral("z")), 1);
}

TEST(Collection, KeysGivenLateLineUpWithTheItemsAddedWithoutOne)
{
    Collection<int> list;
    list.Add(1);
    list.Add(2);
    list.Add(3, QStringLiteral("c"), 2);
    list.Add(4);
    EXPECT_EQ(list.IndexOf(QStringLiteral("c")), 2);
    EXPECT_EQ(list.Key(1), QString());
    EXPECT_EQ(list.Key(2), QStringLiteral("c"));
    EXPECT_TRUE(list.Remove(1));
    EXPECT_EQ(*list.Item(QStringLiteral("c")), 3);
    EXPECT_EQ(list.Key(1), QStringLiteral("c"));
    EXPECT_FALSE(list.Add(5, QStringLiteral("c")));
    EXPECT_EQ(list.Count(), 3);
}
