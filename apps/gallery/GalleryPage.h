#pragma once

#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

class SampleArchive;

/// One page of the gallery: a title and a factory that builds the page's widget.
/// Pages register themselves from their own file with VELK_GALLERY_PAGE, so a new
/// control adds its page without touching the window.
struct GalleryPage
{
    QString title;
    int order = 0; ///< pages are listed by ascending order, then title
    std::function<QWidget *(SampleArchive &archive, QWidget *parent)> create;
};

class GalleryPages
{
public:
    static void add(GalleryPage page);
    /// All registered pages, sorted.
    static std::vector<GalleryPage> all();
    /// The page's name in file names and tab messages: lower case ASCII, umlauts spelt out.
    static QString slug(const QString &title);
};

struct GalleryPageRegistrar
{
    explicit GalleryPageRegistrar(GalleryPage page) { GalleryPages::add(std::move(page)); }
};

#define VELK_GALLERY_CONCAT2(a, b) a##b
#define VELK_GALLERY_CONCAT(a, b) VELK_GALLERY_CONCAT2(a, b)
#define VELK_GALLERY_PAGE(title, order, factory)                                               \
    static const GalleryPageRegistrar VELK_GALLERY_CONCAT(galleryPage_, __LINE__)(             \
        GalleryPage{QStringLiteral(title), order, factory})
