#include <velk/editors/BoardValues_p.h>

#include <velk/editors/BoardData.h>
#include <velk/editors/BoardLink.h>

#include <velk/common/LeadingNumber_p.h>
#include <velk/common/Rounding_p.h>

#include <QUuid>

#include <algorithm>
#include <string_view>

namespace velk::BoardValues {

namespace {
const QString crlf = QStringLiteral("\r\n");

QStringView keyOf(const QString &text)
{
    const qsizetype eq = text.indexOf(u'=');
    return eq < 0 ? QStringView(text) : QStringView(text).left(eq);
}
} // namespace

namespace {
// Positions are kept well inside int so that a box's far edge never overflows.
constexpr int kPositionLimit = 1'000'000'000;

int positionOf(QStringView text)
{
    return RoundHalfEvenToInt(LeadingNumber(text), -kPositionLimit, kPositionLimit);
}
} // namespace

void readPosition(QStringView text, int &x, int &y)
{
    const qsizetype slash = text.indexOf(u'/');
    x = positionOf(slash < 0 ? text : text.left(slash));
    y = slash < 0 ? 0 : positionOf(text.mid(slash + 1));
}

QString newId()
{
    return QUuid::createUuid().toString(QUuid::WithBraces).toUpper();
}

QString joined(const Collection<QString> &data)
{
    QString out;
    bool first = true;
    for (const QString &text : data) {
        if (!first)
            out += crlf;
        out += text;
        first = false;
    }
    return out;
}

int find(const Collection<QString> &data, const QString &key)
{
    int pos = 1;
    for (const QString &text : data) {
        if (keyOf(text).compare(key, Qt::CaseInsensitive) == 0)
            return pos;
        ++pos;
    }
    return 0;
}

QString value(const Collection<QString> &data, const QString &key)
{
    const int pos = find(data, key);
    if (pos == 0)
        return QString();
    const QString &text = *data.Item(pos);
    const qsizetype eq = text.indexOf(u'=');
    return eq < 0 ? QString() : text.mid(eq + 1);
}

void set(Collection<QString> &data, const QString &key, const QString &par)
{
    const int pos = find(data, key);
    if (pos == 0) {
        data.Add(key + u'=' + par);
        return;
    }
    // The stored key keeps its spelling; only the value changes.
    QString &text = *data.Item(pos);
    text = keyOf(text).toString() + u'=' + par;
}

void appendLines(QString &out, const Collection<QString> &data)
{
    for (const QString &text : data) {
        out += text;
        out += crlf;
    }
}

namespace {
// Writes a record's lines straight into the output's storage: the room a record needs is
// known from its texts' lengths, so the output grows (doubling) at most once per record and
// each piece is one copy, not one append call.
class RecordWriter
{
public:
    RecordWriter(QString &out, qsizetype room) : m_out(out)
    {
        const qsizetype need = out.size() + room;
        if (out.capacity() < need)
            out.reserve(std::max(need, 2 * out.capacity()));
        m_start = m_at = reinterpret_cast<char16_t *>(out.data()) + out.size();
    }
    ~RecordWriter() { m_out.resize(m_out.size() + (m_at - m_start)); }
    RecordWriter(const RecordWriter &) = delete;
    RecordWriter &operator=(const RecordWriter &) = delete;

    // Room for a line of `key` and `value`, and for a number.
    static qsizetype lineRoom(std::u16string_view key, const QString &value) { return qsizetype(key.size()) + value.size() + 2; }
    static constexpr qsizetype kNumberRoom = 11;

    void line(std::u16string_view key, const QString &value)
    {
        put(key);
        m_at = std::copy_n(value.utf16(), value.size(), m_at);
        put(u"\r\n");
    }
    void put(std::u16string_view text) { m_at = std::copy(text.begin(), text.end(), m_at); }
    // Writes the digits without a temporary text (a board writes two numbers per box).
    void number(int value)
    {
        char16_t digits[kNumberRoom];
        int at = kNumberRoom;
        qint64 v = value;
        const bool negative = v < 0;
        if (negative)
            v = -v;
        do {
            digits[--at] = char16_t(u'0' + v % 10);
            v /= 10;
        } while (v != 0);
        if (negative)
            digits[--at] = u'-';
        m_at = std::copy(digits + at, digits + kNumberRoom, m_at);
    }
    void lines(const Collection<QString> &data)
    {
        for (const QString &text : data) {
            m_at = std::copy_n(text.utf16(), text.size(), m_at);
            put(u"\r\n");
        }
    }
    static qsizetype linesRoom(const Collection<QString> &data)
    {
        qsizetype room = 0;
        for (const QString &text : data)
            room += text.size() + 2;
        return room;
    }

private:
    QString &m_out;
    char16_t *m_start = nullptr;
    char16_t *m_at = nullptr;
};

const QString &idOf(const std::shared_ptr<BoardData> &end)
{
    static const QString none;
    return end ? end->id : none;
}
} // namespace

void appendConfig(QString &out, const BoardData &b)
{
    RecordWriter w(out, RecordWriter::lineRoom(u"ID=", b.id) + RecordWriter::lineRoom(u"Caption=", b.caption)
                            + RecordWriter::lineRoom(u"Description=", b.Description) + 4 + 2 * RecordWriter::kNumberRoom
                            + 1 + 2 + RecordWriter::linesRoom(b.data));
    w.line(u"ID=", b.id);
    w.line(u"Caption=", b.caption);
    w.line(u"Description=", b.Description);
    w.put(u"Pos=");
    w.number(b.x);
    w.put(u"/");
    w.number(b.y);
    w.put(u"\r\n");
    w.lines(b.data);
}

void appendConfig(QString &out, const BoardLink &l)
{
    const QString &end1 = idOf(l.Location1);
    const QString &end2 = idOf(l.Location2);
    RecordWriter w(out, RecordWriter::lineRoom(u"ID=", l.id) + RecordWriter::lineRoom(u"Location1=", end1)
                            + RecordWriter::lineRoom(u"Location2=", end2) + RecordWriter::linesRoom(l.data));
    w.line(u"ID=", l.id);
    w.line(u"Location1=", end1);
    w.line(u"Location2=", end2);
    w.lines(l.data);
}

} // namespace velk::BoardValues
