#include "GalleryData.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString galleryDataFile(const QString &name)
{
    static const QString dir = [] {
        const QDir installed(QCoreApplication::applicationDirPath() + QStringLiteral("/" VELK_GALLERY_INSTALLED_DATA_DIR));
        if (QFileInfo::exists(installed.filePath(QStringLiteral("gallery-layout.xml"))))
            return installed.absolutePath();
        return QStringLiteral(VELK_GALLERY_SOURCE_DATA_DIR);
    }();
    return dir + u'/' + name;
}
