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
    out += QStringLiteral("ID=") + id + QStringLiteral("\r\n");
    out += QStringLiteral("Location1=") + (Location1 ? Location1->id : QString()) + QStringLiteral("\r\n");
    out += QStringLiteral("Location2=") + (Location2 ? Location2->id : QString()) + QStringLiteral("\r\n");
    BoardValues::appendLines(out, data);
    return out;
}

} // namespace velk
