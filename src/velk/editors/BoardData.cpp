#include <velk/editors/BoardData.h>

#include <velk/common/LeadingNumber_p.h>
#include <velk/editors/BoardValues_p.h>

#include <algorithm>
#include <cmath>

namespace velk {

namespace {
// Positions are kept well inside int so that a box's far edge never overflows.
constexpr double kPositionLimit = 1'000'000'000.0;

int positionOf(QStringView text)
{
    const double value = std::clamp(LeadingNumber(text), -kPositionLimit, kPositionLimit);
    return int(std::nearbyint(value)); // halves to even, as a Long assignment rounds
}
} // namespace

BoardData::BoardData() : id(BoardValues::newId()) {}

void BoardData::AddData(const QString &key, const QString &par)
{
    if (key == u"ID") {
        id = par;
    } else if (key == u"Caption") {
        caption = par;
    } else if (key == u"Description") {
        Description = par;
    } else if (key == u"Pos") {
        const qsizetype slash = par.indexOf(u'/');
        const QStringView text(par);
        x = positionOf(slash < 0 ? text : text.left(slash));
        y = slash < 0 ? 0 : positionOf(text.mid(slash + 1));
    } else {
        data.Add(key + u'=' + par);
    }
}

QString BoardData::Datas() const { return BoardValues::joined(data); }
QString BoardData::GetData(const QString &key) const { return BoardValues::value(data, key); }
void BoardData::SetData(const QString &key, const QString &par) { BoardValues::set(data, key, par); }

QString BoardData::Config() const
{
    QString out;
    BoardValues::appendConfig(out, *this);
    return out;
}

} // namespace velk
