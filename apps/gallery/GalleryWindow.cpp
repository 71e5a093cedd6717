#include "GalleryWindow.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QStackedWidget>

GalleryWindow::GalleryWindow(SampleArchive &archive, QWidget *parent)
    : QMainWindow(parent)
    , m_archive(archive)
    , m_pages(GalleryPages::all())
    , m_built(m_pages.size(), nullptr)
    , m_list(new QListWidget)
    , m_stack(new QStackedWidget)
{
    setWindowTitle(QStringLiteral("velkGUI Galerie"));
    m_list->setObjectName(QStringLiteral("pageList"));
    m_list->setFixedWidth(180);
    for (const GalleryPage &page : m_pages)
        m_list->addItem(page.title);

    auto *central = new QWidget;
    auto *layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    layout->addWidget(m_stack, 1);
    setCentralWidget(central);
    resize(1100, 720);

    connect(m_list, &QListWidget::currentRowChanged, this, &GalleryWindow::showPage);
    if (!m_pages.empty())
        m_list->setCurrentRow(0);
}

void GalleryWindow::showPage(int index)
{
    if (index < 0 || index >= pageCount())
        return;
    if (!m_built[index]) {
        m_built[index] = m_pages[index].create(m_archive, m_stack);
        m_stack->addWidget(m_built[index]);
    }
    m_stack->setCurrentWidget(m_built[index]);
    if (m_list->currentRow() != index)
        m_list->setCurrentRow(index);
}
