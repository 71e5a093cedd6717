#include "GallerySnapIn.h"

#include "GalleryPage.h"

#include <velk/xml/StdXML.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

SampleArchive *theArchive = nullptr;

std::function<void(const QString &)> shownHandler;

enum ToolbarItem { Rebuild = 1, CopyPicture = 2 };

} // namespace

GallerySnapIn::GallerySnapIn(QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("pageScroll"));
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    layout->addWidget(m_scroll);
}

void GallerySnapIn::setShownHandler(std::function<void(const QString &title)> handler)
{
    shownHandler = std::move(handler);
}

void GallerySnapIn::setArchive(SampleArchive *archive)
{
    theArchive = archive;
}

QString GallerySnapIn::Parameter() const
{
    return m_parameter;
}

void GallerySnapIn::setParameter(const QString &parameter)
{
    m_parameter = parameter;
    velk::StdXML doc;
    doc.LoadXML(QStringLiteral("<P>") + parameter + QStringLiteral("</P>"));
    const velk::StdXMLNodePtr page = doc.Root ? doc.Root->QuerySingle(QStringLiteral("SEITE")) : nullptr;
    const QString title = page ? page->GetAttribute(QStringLiteral("titel")) : QString();
    if (title == m_title)
        return;
    m_title = title;
    delete m_page;
    m_page = nullptr;
    if (m_visible)
        buildPage();
}

QString GallerySnapIn::Toolbar() const
{
    return QStringLiteral("refresh#Neu aufbauen,copy#Bild kopieren");
}

void GallerySnapIn::setIsVisible(bool visible)
{
    m_visible = visible;
    if (visible && !m_page)
        buildPage();
    if (visible && shownHandler)
        shownHandler(m_title);
}

void GallerySnapIn::Click(int id)
{
    if (id == Rebuild) {
        delete m_page;
        m_page = nullptr;
        buildPage();
    } else if (id == CopyPicture && m_page) {
        QApplication::clipboard()->setPixmap(m_page->grab());
        emit statustext(QStringLiteral("Bild von \"%1\" in die Zwischenablage kopiert").arg(m_title));
    }
}

void GallerySnapIn::buildPage()
{
    for (const GalleryPage &page : GalleryPages::all()) {
        if (page.title == m_title && theArchive) {
            m_page = page.create(*theArchive, this);
            break;
        }
    }
    if (!m_page)
        m_page = new QLabel(QStringLiteral("Keine Seite \"%1\"").arg(m_title), this);
    m_scroll->setWidget(m_page);
    m_page->show();
    emit statustext(QStringLiteral("Seite \"%1\" aufgebaut").arg(m_title));
}
