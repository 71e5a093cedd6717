#include <velk/editors/BoardLink.h>

#include <velk/editors/BoardValues_p.h>

namespace velk {

BoardLink::BoardLink() : id(BoardValues::newId()) {}

void BoardLink::AddData(const QString &key, const QString &par)
{
    if (key == u"ID")
        id = par;
    else
        data.Add(key + u'=' + par);
}

QString BoardLink::Datas() const { return BoardValues::joined(data); }
QString BoardLink::GetData(const QString &key) const { return BoardValues::value(data, key); }
void BoardLink::SetData(const QString &key, const QString &par) { BoardValues::set(data, key, par); }

QString BoardLink::Config() const
{
    QString out;
    BoardValues::appendConfig(out, *this);
    return out;
}

} // namespace velk
