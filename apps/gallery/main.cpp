#include "GalleryWindow.h"
#include "SampleArchive.h"

#include <velk/velkgui.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QStandardPaths>
#include <QTextStream>

#include <cstdio>

namespace {

bool hasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

QString archivePath()
{
    QString dir = qEnvironmentVariable("VELK_CONFIG_DIR");
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/velk");
    QDir().mkpath(dir);
    return dir + QStringLiteral("/sample-archive.sqlite");
}

// Renders every page (or the one asked for) offscreen and prints each PNG's path.
int writeScreenshots(GalleryWindow &window, const QString &dir, const QString &onlyPage)
{
    QDir().mkpath(dir);
    QTextStream out(stdout);
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    int written = 0;
    for (int i = 0; i < window.pageCount(); ++i) {
        if (!onlyPage.isEmpty() && window.pageTitle(i) != onlyPage && GalleryPages::slug(window.pageTitle(i)) != onlyPage)
            continue;
        window.showPage(i);
        QCoreApplication::processEvents();
        const QString file = QDir(dir).absoluteFilePath(
            QStringLiteral("%1-%2.png").arg(i + 1, 2, 10, QLatin1Char('0')).arg(GalleryPages::slug(window.pageTitle(i))));
        if (!window.grab().save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
        out << file << Qt::endl;
        ++written;
    }
    if (written == 0) {
        std::fprintf(stderr, "no such page: %s\n", qPrintable(onlyPage));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    // Without a display the gallery renders its pages to PNG files instead of a window.
    const bool headless = !hasDisplay() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (headless)
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velk-gallery"));
    velk::registerBuiltinControls();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("velkGUI gallery: every control on the sample archive"));
    parser.addHelpOption();
    const QCommandLineOption screenshots(QStringLiteral("screenshots"),
                                         QStringLiteral("Write one PNG per page to <dir> and exit."),
                                         QStringLiteral("dir"));
    const QCommandLineOption page(QStringLiteral("page"), QStringLiteral("Only this page (title or file name part)."),
                                  QStringLiteral("title"));
    const QCommandLineOption archive(QStringLiteral("archive"), QStringLiteral("Sample archive file to use."),
                                     QStringLiteral("file"));
    const QCommandLineOption list(QStringLiteral("list"), QStringLiteral("Print the page titles and exit."));
    const QCommandLineOption size(QStringLiteral("size"), QStringLiteral("Window size for the screenshots, e.g. 640x420."),
                                  QStringLiteral("WxH"));
    parser.addOptions({screenshots, page, archive, list, size});
    parser.process(app);

    if (parser.isSet(list)) {
        QTextStream out(stdout);
        for (const GalleryPage &p : GalleryPages::all())
            out << p.title << Qt::endl;
        return 0;
    }

    SampleArchive sample(parser.isSet(archive) ? parser.value(archive) : archivePath());
    if (!sample.isOpen())
        std::fprintf(stderr, "sample archive not available: %s\n", qPrintable(sample.errorText()));

    GalleryWindow window(sample);
    if (parser.isSet(size)) {
        const QStringList wh = parser.value(size).split(u'x');
        if (wh.size() == 2 && wh[0].toInt() > 0 && wh[1].toInt() > 0)
            window.resize(wh[0].toInt(), wh[1].toInt());
    }
    if (parser.isSet(screenshots) || headless) {
        const QString dir = parser.isSet(screenshots) ? parser.value(screenshots) : QStringLiteral("out/gallery");
        return writeScreenshots(window, dir, parser.value(page));
    }
    window.show();
    if (parser.isSet(page)) {
        for (int i = 0; i < window.pageCount(); ++i) {
            if (window.pageTitle(i) == parser.value(page) || GalleryPages::slug(window.pageTitle(i)) == parser.value(page))
                window.showPage(i);
        }
    }
    return app.exec();
}
