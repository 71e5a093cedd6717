#include <QImage>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

QString runGallery(const QStringList &args, int *exitCode)
{
    QProcess gallery;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    gallery.setProcessEnvironment(env);
    gallery.start(QStringLiteral(VELK_GALLERY_EXE), args);
    gallery.waitForFinished(120000);
    *exitCode = gallery.exitStatus() == QProcess::NormalExit ? gallery.exitCode() : -1;
    return QString::fromLocal8Bit(gallery.readAllStandardOutput());
}

// A page that renders as one flat colour shows nothing.
bool hasContent(const QImage &image)
{
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); y += 3) {
        for (int x = 0; x < image.width(); x += 3) {
            if (image.pixel(x, y) != first)
                return true;
        }
    }
    return false;
}

} // namespace

TEST(Gallery, EveryPageRendersOffscreenToAPicture)
{
    QTemporaryDir dir;
    int exitCode = 0;
    const QStringList titles = runGallery({QStringLiteral("--list")}, &exitCode).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(exitCode, 0);
    ASSERT_FALSE(titles.isEmpty());

    const QStringList files = runGallery({QStringLiteral("--screenshots"), dir.path(),
                                          QStringLiteral("--archive"), dir.filePath(QStringLiteral("archive.sqlite"))},
                                         &exitCode)
                                  .split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(exitCode, 0);
    ASSERT_EQ(files.size(), titles.size());
    for (const QString &file : files) {
        SCOPED_TRACE(file.toStdString());
        const QImage image(file);
        ASSERT_FALSE(image.isNull());
        EXPECT_GE(image.width(), 800);
        EXPECT_TRUE(hasContent(image));
    }
}

TEST(Gallery, OverviewPageReadsTheSampleArchive)
{
    QTemporaryDir dir;
    int exitCode = 0;
    runGallery({QStringLiteral("--screenshots"), dir.path(), QStringLiteral("--page"), QStringLiteral("Übersicht"),
                QStringLiteral("--archive"), dir.filePath(QStringLiteral("archive.sqlite"))},
               &exitCode);
    ASSERT_EQ(exitCode, 0);
    // The archive was created from the SQL script on first use.
    EXPECT_GT(QFileInfo(dir.filePath(QStringLiteral("archive.sqlite"))).size(), 10000);
    {
        // The script's umlauts survive the way into the database.
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        db.setDatabaseName(dir.filePath(QStringLiteral("archive.sqlite")));
        ASSERT_TRUE(db.open());
        QSqlQuery query(QStringLiteral("SELECT Name FROM Themen WHERE ThemaID = 1"), db);
        ASSERT_TRUE(query.next());
        EXPECT_EQ(query.value(0).toString(), QStringLiteral("Verträge"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));

    runGallery({QStringLiteral("--screenshots"), dir.path(), QStringLiteral("--page"), QStringLiteral("no-such-page")},
               &exitCode);
    EXPECT_NE(exitCode, 0);
}
