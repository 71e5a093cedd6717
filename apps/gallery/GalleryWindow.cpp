#include "GalleryWindow.h"

#include "GalleryData.h"

#include "GallerySnapIn.h"

#include <velk/frame/velkFrameControl.h>
#include <velk/platform/ControlFactory.h>

#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QShortcut>
#include <QStatusBar>

namespace {

// Used when the layout file is missing or unreadable: the same screen, plainly.
const char *const kFallbackLayout =
    "<GALERIE><TABS><ITEM control=\"GallerySnapIn\"/></TABS></GALERIE>";

velk::StdXMLNodePtr firstTabs(const velk::StdXMLNodePtr &element)
{
    if (element->Tag == QStringLiteral("TABS"))
        return element;
    for (const velk::StdXMLNodePtr &child : element->SubElements()) {
        if (velk::StdXMLNodePtr found = firstTabs(child))
            return found;
    }
    return nullptr;
}

} // namespace

GalleryWindow::GalleryWindow(SampleArchive &archive, QWidget *parent)
    : QMainWindow(parent)
    , m_pages(GalleryPages::all())
    , m_frame(new velk::velkFrameControl)
    , m_pageName(new QLabel)
{
    setWindowTitle(QStringLiteral("velkGUI Galerie"));
    velk::ControlFactory::registerClass<GallerySnapIn>();
    GallerySnapIn::setArchive(&archive);
    m_frame->setObjectName(QStringLiteral("galleryFrame"));
    setCentralWidget(m_frame);
    statusBar()->showMessage(QStringLiteral("Bereit"));
    m_pageName->setObjectName(QStringLiteral("pageName"));
    statusBar()->addPermanentWidget(m_pageName);
    GallerySnapIn::setShownHandler([this](const QString &title) {
        for (int i = 0; i < pageCount(); ++i) {
            if (m_pages[size_t(i)].title == title)
                m_current = i;
        }
        m_pageName->setText(QStringLiteral("Seite: %1").arg(title));
    });
    GalleryPages::setOpener([this](const QString &title) {
        for (int i = 0; i < pageCount(); ++i) {
            if (m_pages[size_t(i)].title == title)
                showPage(i);
        }
    });
    const auto step = [this](int by) { showPage((qMax(m_current, 0) + by + pageCount()) % pageCount()); };
    const auto shortcut = [this](QKeySequence keys, std::function<void()> action) {
        auto *s = new QShortcut(keys, this);
        s->setContext(Qt::ApplicationShortcut);
        connect(s, &QShortcut::activated, this, std::move(action));
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), [step] { step(1); });
    shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), [step] { step(-1); });
    shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), [step] { step(-1); });
    shortcut(QKeySequence(Qt::Key_F1), [this] { showHelp(); });
    connect(m_frame->events(), &velk::velkFrameControlEvents::StatusText, statusBar(),
            [this](const QString &text) { statusBar()->showMessage(text); });
    resize(1100, 720);
    m_frame->Init(loadLayout());
}

GalleryWindow::~GalleryWindow()
{
    GallerySnapIn::setShownHandler(nullptr);
    GalleryPages::setOpener(nullptr);
    m_frame->Disconnect();
}

QWidget *GalleryWindow::pageWidget(int index) const
{
    if (index < 0 || index >= pageCount())
        return nullptr;
    for (GallerySnapIn *snapIn : m_frame->findChildren<GallerySnapIn *>()) {
        if (snapIn->title() == m_pages[size_t(index)].title)
            return snapIn->page();
    }
    return nullptr;
}

void GalleryWindow::showHelp()
{
    if (m_current < 0)
        return;
    const GalleryPage &page = m_pages[size_t(m_current)];
    auto *box = findChild<QMessageBox *>(QStringLiteral("pageHelp"));
    if (!box) {
        box = new QMessageBox(QMessageBox::Information, QString(), QString(), QMessageBox::Close, this);
        box->setObjectName(QStringLiteral("pageHelp"));
        box->setModal(false);
    }
    box->setWindowTitle(QStringLiteral("Hilfe: %1").arg(page.title));
    box->setText(QStringLiteral("<b>%1</b><p>%2</p>").arg(page.purposeText().toHtmlEscaped(), page.helpText().toHtmlEscaped()));
    box->show();
}

// The first TABS of the layout holds one ITEM as the pattern for every page: each page
// gets a copy with its title as tab caption, its file name as message and its title as
// parameter.
velk::StdXMLNodePtr GalleryWindow::loadLayout()
{
    const QString file = galleryDataFile(QStringLiteral("gallery-layout.xml"));
    if (!m_layout.Load(file) || !m_layout.Root || m_layout.Root->Count() == 0)
        m_layout.LoadXML(QString::fromLatin1(kFallbackLayout));
    const velk::StdXMLNodePtr screen = m_layout.Root->Item(1);
    const velk::StdXMLNodePtr tabs = firstTabs(screen);
    if (!tabs || tabs->Count() == 0)
        return screen;
    const velk::StdXMLNodePtr pattern = tabs->Item(1);
    tabs->Remove(pattern);
    for (const GalleryPage &page : m_pages) {
        const velk::StdXMLNodePtr item = pattern->Clone(true);
        item->SetAttribute(QStringLiteral("caption"), page.title);
        item->SetAttribute(QStringLiteral("message"), GalleryPages::slug(page.title));
        item->AddItem(QStringLiteral("SEITE"), QString())->SetAttribute(QStringLiteral("titel"), page.title);
        tabs->AddChild(item);
    }
    return screen;
}

void GalleryWindow::showPage(int index)
{
    if (index < 0 || index >= pageCount())
        return;
    m_frame->ShowElement(GalleryPages::slug(m_pages[size_t(index)].title));
}
