#pragma once

#include "GalleryPage.h"

#include <velk/xml/StdXML.h>

#include <QMainWindow>

class SampleArchive;

namespace velk {
class velkFrameControl;
}

/// The demo host: a frame built from data/gallery-layout.xml whose tab bar holds one tab
/// per registered page; each page is a snap-in with its own toolbar, built when its tab
/// is first shown. Snap-in status texts go to the status bar as an event log; its right
/// end names the page shown. Ctrl+Tab and Ctrl+Shift+Tab switch pages, F1 shows the page's
/// short help.
class GalleryWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit GalleryWindow(SampleArchive &archive, QWidget *parent = nullptr);
    ~GalleryWindow() override;

    int pageCount() const { return int(m_pages.size()); }
    QString pageTitle(int index) const { return m_pages[index].title; }
    /// Selects the tab of page `index`.
    void showPage(int index);
    /// The page shown, -1 before the first one is.
    int currentPage() const { return m_current; }
    /// The built widget of page `index` (nullptr until the page was first shown).
    QWidget *pageWidget(int index) const;
    /// Shows the current page's purpose and help in a dialog that does not block.
    void showHelp();
    velk::velkFrameControl *frame() const { return m_frame; }

private:
    velk::StdXMLNodePtr loadLayout();

    std::vector<GalleryPage> m_pages;
    velk::StdXML m_layout;
    velk::velkFrameControl *m_frame;
    class QLabel *m_pageName;
    int m_current = -1;
};
