// The "Rahmen" page keeps a layout edited with the mouse for the next start and goes back
// to the shipped layout on "Zurücksetzen"; FrameLayoutFile does the keeping.

#include "pages/FrameLayoutFile.h"
#include "GalleryPage.h"
#include "SampleArchive.h"

#include <velk/frame/velkFrameControl.h>
#include <velk/platform/Input.h>
#include <velk/xml/StdXML.h>

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

using namespace velk;

namespace {

// Points VELK_CONFIG_DIR at a folder of its own for as long as it lives.
class ConfigDir
{
public:
    ConfigDir()
        : m_old(qgetenv("VELK_CONFIG_DIR"))
    {
        qputenv("VELK_CONFIG_DIR", m_dir.path().toLocal8Bit());
    }
    ~ConfigDir() { qputenv("VELK_CONFIG_DIR", m_old); }
    QString file(const QString &name) const { return m_dir.filePath(name); }

private:
    QByteArray m_old;
    QTemporaryDir m_dir;
};

void writeFile(const QString &path, const QByteArray &text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

} // namespace

TEST(FrameLayoutFile, KeepsTheEditedLayoutForTheNextStartUntilReset)
{
    ConfigDir config;
    QTemporaryDir shippedDir;
    const QString shipped = shippedDir.filePath(QStringLiteral("shipped.xml"));
    writeFile(shipped, "<SCREEN><COLS><SPACE width=\"50%\"/><SPACE width=\"50%\"/></COLS></SCREEN>");
    const QString fallback = QStringLiteral("<SCREEN><SPACE/></SCREEN>");

    FrameLayoutFile first(QStringLiteral("layout.xml"), shipped, fallback);
    StdXMLNodePtr screen = first.load();
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->Tag, QStringLiteral("COLS"));
    EXPECT_FALSE(first.isEdited());
    screen->Item(1)->SetAttribute(QStringLiteral("width"), QStringLiteral("30%"));
    ASSERT_TRUE(first.save()) << first.errorText().toStdString();
    EXPECT_EQ(first.userFile(), config.file(QStringLiteral("layout.xml")));
    EXPECT_TRUE(first.isEdited());

    FrameLayoutFile next(QStringLiteral("layout.xml"), shipped, fallback);
    screen = next.load();
    EXPECT_TRUE(next.isEdited());
    EXPECT_EQ(screen->Item(1)->GetAttribute(QStringLiteral("width")), QStringLiteral("30%"));
    screen = next.reset();
    EXPECT_FALSE(next.isEdited());
    EXPECT_EQ(screen->Item(1)->GetAttribute(QStringLiteral("width")), QStringLiteral("50%"));
    EXPECT_FALSE(QFile::exists(next.userFile()));

    // Nothing readable: the built-in layout; an unwritable settings folder: a message.
    writeFile(next.userFile(), "kein XML");
    FrameLayoutFile broken(QStringLiteral("layout.xml"), shippedDir.filePath(QStringLiteral("fehlt.xml")), fallback);
    EXPECT_EQ(broken.load()->Tag, QStringLiteral("SPACE"));
    QFile::remove(next.userFile());
    QDir().mkpath(next.userFile()); // a folder where the file should go
    EXPECT_FALSE(broken.save());
    EXPECT_TRUE(broken.errorText().contains(next.userFile()));
}

TEST(GalleryFramePage, ALayoutDraggedInConfigurationModeComesBackUntilReset)
{
    ConfigDir config;
    QTemporaryDir dir;
    SampleArchive archive(dir.filePath(QStringLiteral("archive.sqlite")));
    ASSERT_TRUE(archive.isOpen()) << archive.errorText().toStdString();
    std::optional<GalleryPage> rahmen;
    for (const GalleryPage &page : GalleryPages::all()) {
        if (page.title == QStringLiteral("Rahmen"))
            rahmen = page;
    }
    ASSERT_TRUE(rahmen);
    QWidget host;
    const auto open = [&] { return std::unique_ptr<QWidget>(rahmen->create(archive, &host)); };
    const auto frameOf = [](QWidget *page) {
        return page->findChild<velkFrameControl *>(QStringLiteral("velkFrameControl1"));
    };

    std::unique_ptr<QWidget> page = open();
    velkFrameControl *frame = frameOf(page.get());
    ASSERT_NE(frame, nullptr);
    const QString shipped = frame->layoutElement()->xml();
    page->findChild<QPushButton *>(QStringLiteral("configure"))->click();
    ASSERT_TRUE(frame->ConfigMode());

    // The first column boundary along a line through the upper part, found by the pointer.
    QWidget *surface = frame->findChild<QWidget *>(QStringLiteral("Picture1"));
    const int y = frame->height() / 4;
    int x = 1;
    for (; x < frame->width(); ++x) {
        frame->MouseMove(0, 0, float(x), float(y));
        if (surface->cursor().shape() == Qt::SizeHorCursor)
            break;
    }
    ASSERT_LT(x, frame->width());
    frame->MouseDown(MouseButton::Left, 0, float(x), float(y));
    frame->MouseMove(MouseButton::Left, 0, float(x + 60), float(y));
    frame->MouseUp(MouseButton::Left, 0, float(x + 60), float(y));
    const QString edited = frame->layoutElement()->xml();
    ASSERT_NE(edited, shipped);
    page->findChild<QPushButton *>(QStringLiteral("configure"))->click(); // leaving saves
    EXPECT_FALSE(frame->ConfigMode());
    EXPECT_TRUE(QFile::exists(config.file(QStringLiteral("archive-layout.xml"))));
    page.reset();

    page = open(); // the next start
    frame = frameOf(page.get());
    EXPECT_EQ(frame->layoutElement()->xml(), edited);
    EXPECT_TRUE(page->findChild<QLabel *>(QStringLiteral("hint"))->text().startsWith(QStringLiteral("Bearbeitetes Layout")));
    page->findChild<QPushButton *>(QStringLiteral("reset"))->click();
    EXPECT_EQ(frame->layoutElement()->xml(), shipped);
    EXPECT_FALSE(QFile::exists(config.file(QStringLiteral("archive-layout.xml"))));
    page.reset();

    page = open();
    EXPECT_EQ(frameOf(page.get())->layoutElement()->xml(), shipped);
}
