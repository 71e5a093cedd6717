#include <velk/editors/BoardData.h>

#include <velk/editors/BoardValues_p.h>

namespace velk {

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
        BoardValues::readPosition(par, x, y);
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
