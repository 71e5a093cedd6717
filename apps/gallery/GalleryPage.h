#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QScrollArea;
class QVBoxLayout;
class SampleArchive;

/// One page of the gallery: a title, a factory that builds the page's widget, the
/// library controls it shows, a one-line purpose and a short help text. Pages register
/// themselves from their own file with VELK_GALLERY_PAGE, so a new control adds its page
/// without touching the window.
struct GalleryPage
{
    QString title;
    int order = 0; ///< pages are listed by ascending order, then title
    std::function<QWidget *(SampleArchive &archive, QWidget *parent)> create;
    const char *controls = ""; ///< UTF-8: class names as registered, comma-separated
    const char *purpose = "";  ///< UTF-8: one line for the start page
    const char *help = "";     ///< UTF-8: a few sentences shown by F1

    QStringList controlNames() const;
    QString purposeText() const { return QString::fromUtf8(purpose); }
    QString helpText() const { return QString::fromUtf8(help); }
};

class GalleryPages
{
public:
    static void add(GalleryPage page);
    /// All registered pages, sorted.
    static std::vector<GalleryPage> all();
    /// The page's name in file names and tab messages: lower case ASCII, umlauts spelt out.
    static QString slug(const QString &title);
    /// The first page that shows control `className`.
    static std::optional<GalleryPage> pageOf(const QString &className);

    /// Shows the page called `title` in the window (set by the window; links on pages use it).
    static void open(const QString &title);
    static void setOpener(std::function<void(const QString &title)> opener);
};

/// A page whose content scrolls when the window is smaller than it: `layout` starts with
/// the word-wrapped `intro` (rich text); call `finish()` once the content is laid out.
struct ScrollingPage
{
    ScrollingPage(QWidget *parent, const QString &intro);
    /// Puts the content into the scroll area and returns the page.
    QWidget *finish();

    QWidget *page;
    QVBoxLayout *layout;

private:
    QScrollArea *m_scroll;
    QWidget *m_content;
};

struct GalleryPageRegistrar
{
    explicit GalleryPageRegistrar(GalleryPage page) { GalleryPages::add(std::move(page)); }
};

#define VELK_GALLERY_CONCAT2(a, b) a##b
#define VELK_GALLERY_CONCAT(a, b) VELK_GALLERY_CONCAT2(a, b)
/// VELK_GALLERY_PAGE("Titel", order, factory, "velkSheet,velkMenuBar", "Zweck in einer Zeile",
///                   "Kurzhilfe für F1")
#define VELK_GALLERY_PAGE(title, order, factory, ...)                                          \
    static const GalleryPageRegistrar VELK_GALLERY_CONCAT(galleryPage_, __LINE__)(             \
        GalleryPage{QStringLiteral(title), order, factory __VA_OPT__(, ) __VA_ARGS__})
