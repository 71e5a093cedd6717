#pragma once

#include <QString>
#include <QWidget>

#include <functional>

class SampleArchive;

/// One gallery page hosted by the frame. Its parameter names the page
/// (<SEITE titel="..."/>); the page is built the first time the frame shows it. The
/// toolbar rebuilds the page or copies its picture to the clipboard. The page sits in a
/// scroll area: it never gets less than its layout's minimum size, and scrolls instead.
class GallerySnapIn : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Parameter READ Parameter WRITE setParameter)
    Q_PROPERTY(QString Toolbar READ Toolbar)
    Q_PROPERTY(bool IsVisible READ IsVisible WRITE setIsVisible)

public:
    Q_INVOKABLE explicit GallerySnapIn(QWidget *parent = nullptr);

    /// The archive every page works on; set by the window before the frame is built.
    static void setArchive(SampleArchive *archive);

    QString Parameter() const;
    void setParameter(const QString &parameter);
    QString Toolbar() const;
    bool IsVisible() const { return m_visible; }
    void setIsVisible(bool visible);
    Q_INVOKABLE void Click(int id);

    /// The built page (the widget its factory returned), or nullptr.
    QWidget *page() const { return m_page; }
    QString title() const { return m_title; }
    /// Told whenever a snap-in's page is shown (the window names it in the status bar).
    static void setShownHandler(std::function<void(const QString &title)> handler);

signals:
    void statustext(const QString &text);

private:
    void buildPage();

    QString m_parameter;
    QString m_title;
    QWidget *m_page = nullptr;
    class QScrollArea *m_scroll = nullptr;
    bool m_visible = false;
};
