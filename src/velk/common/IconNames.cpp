#include "IconNames.h"

namespace velk {

const QString &IconNameList()
{
    static const QString list = QStringLiteral(
        "right left delete preview print save editfile upload download web urldocument url "
        "file key exclamation up down newfile edit properties control error undo ok question "
        "openpath return path topic db home person persons contact text keys letter letters "
        "openletter packet table sendmail drive topicpath warning info schedule bookopen book "
        "sync up refresh checked unchecked open cut copy paste find redo task date access "
        "excel frontpage outlook powerpoint word checkedgray uncheckedgray attachment play "
        "playend playstart playback filter sort shortcut archivfile archivout archivin "
        "archivmail plus minus keyword hierarchie help vaultcase books editgray image");
    return list;
}

const QStringList &IconNames()
{
    static const QStringList names = IconNameList().split(u' ');
    return names;
}

int IconNumberOf(const QString &name)
{
    // indexOf finds the first of the two "up" entries, as a look-up by name must.
    return int(IconNames().indexOf(name) + 1);
}

} // namespace velk
