#include <velk/common/TextFile.h>

#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>

using namespace velk;

TEST(TextFile, Windows1252WhenEveryCharacterFits)
{
    const QString text = QStringLiteral("Preis: 5 € – Größe ä ö ü ß\r\n");
    ASSERT_TRUE(TextFile::fitsWindows1252(text));
    const QByteArray bytes = TextFile::encode(text);
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(bytes.size(), text.size());
    EXPECT_EQ(bytes.mid(9, 1), QByteArray("\x80"));         // €
    EXPECT_EQ(bytes.mid(11, 1), QByteArray("\x96"));        // en dash
    EXPECT_EQ(TextFile::decode(bytes), text);
    // Files without a byte-order mark are Windows-1252, whatever else they might be.
    EXPECT_EQ(TextFile::decode(QByteArray("\xE4\x80\x9F")), QStringLiteral("ä€Ÿ"));
}

TEST(TextFile, Utf8WithMarkWhenACharacterDoesNotFit)
{
    for (const QString &text : {QStringLiteral("Łódź €"), QStringLiteral("→"), QStringLiteral("日本")}) {
        ASSERT_FALSE(TextFile::fitsWindows1252(text));
        const QByteArray bytes = TextFile::encode(text);
        EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
        EXPECT_EQ(TextFile::decode(bytes), text);
    }
}

TEST(TextFile, FilesRoundTripAndLineEnds)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.txt"));
    for (const QString &text : {QStringLiteral("ä\r\nb"), QStringLiteral("ł\r\n")}) {
        ASSERT_TRUE(TextFile::write(path, text));
        EXPECT_EQ(TextFile::read(path).value_or(QString()), text);
    }
    EXPECT_FALSE(TextFile::read(dir.filePath(QStringLiteral("none"))).has_value());
    EXPECT_EQ(TextFile::toCrLf(QStringLiteral("a\nb\r\nc\n")), QStringLiteral("a\r\nb\r\nc\r\n"));
}
