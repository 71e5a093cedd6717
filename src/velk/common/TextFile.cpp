#include "TextFile.h"

#include <QFile>
#include <QSaveFile>

#include <array>

namespace velk::TextFile {
namespace {

// Windows-1252 bytes 0x80..0x9F; 0 marks the five bytes the code page leaves undefined,
// which decode to the C1 control of the same value as every other decoder does.
constexpr std::array<char16_t, 32> kHighTable = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

constexpr char kBom[] = "\xEF\xBB\xBF";

char16_t fromCp1252(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F && kHighTable[byte - 0x80] != 0)
        return kHighTable[byte - 0x80];
    return byte;
}

// The byte for a character, or -1 when Windows-1252 has none.
int toCp1252(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i) {
        if (kHighTable[i] == c)
            return 0x80 + i;
    }
    if (c >= 0x80 && c <= 0x9F && kHighTable[c - 0x80] == 0)
        return c; // undefined byte read earlier: write it back unchanged
    return -1;
}

} // namespace

QString decode(const QByteArray &bytes)
{
    if (bytes.startsWith(kBom))
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = fromCp1252(static_cast<unsigned char>(bytes[i]));
    return text;
}

bool fitsWindows1252(const QString &text)
{
    for (QChar c : text) {
        if (toCp1252(c.unicode()) < 0)
            return false;
    }
    return true;
}

QByteArray encode(const QString &text)
{
    if (!fitsWindows1252(text))
        return QByteArray(kBom) + text.toUtf8();
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        bytes[i] = static_cast<char>(toCp1252(text[i].unicode()));
    return bytes;
}

QString toCrLf(const QString &text)
{
    QString out;
    out.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r'))
            out += u'\r';
        out += text[i];
    }
    return out;
}

std::optional<QString> read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return decode(file.readAll());
}

bool write(const QString &path, const QString &text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = encode(text);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace velk::TextFile
