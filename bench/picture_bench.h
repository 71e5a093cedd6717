#pragma once

// Shared by the picture benchmarks: the 12-megapixel photo they work on.

#include "RatioReporter.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QString>

#include <cstdio>
#include <map>
#include <string>

// A 4000 × 3000 crop of a photo from mate-backgrounds (installed by ./run bench), written
// once as a quality-90 JPEG into the temporary folder. Empty when the package is missing.
inline QString photo12MP()
{
    static const QString path = [] {
        const QString source = QStringLiteral("/usr/share/backgrounds/mate/abstract/Elephants_5640x3172.jpg");
        const QString target = QDir::temp().filePath(QStringLiteral("velk-bench-12mp.jpg"));
        if (QFileInfo::exists(target))
            return target;
        const QImage full(source);
        if (full.isNull())
            return QString();
        const QRect crop((full.width() - 4000) / 2, (full.height() - 3000) / 2, 4000, 3000);
        return full.copy(crop).save(target, "JPEG", 90) ? target : QString();
    }();
    return path;
}

