#pragma once

#include "GalleryPage.h"

#include <QMainWindow>

class QListWidget;
class QStackedWidget;
class SampleArchive;

/// The demo host: a page list on the left, the chosen page on the right.
/// Pages are built when first shown.
class GalleryWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit GalleryWindow(SampleArchive &archive, QWidget *parent = nullptr);

    int pageCount() const { return int(m_pages.size()); }
    QString pageTitle(int index) const { return m_pages[index].title; }
    /// Shows page `index`, building it on first use.
    void showPage(int index);

private:
    SampleArchive &m_archive;
    std::vector<GalleryPage> m_pages;
    std::vector<QWidget *> m_built;
    QListWidget *m_list;
    QStackedWidget *m_stack;
};
