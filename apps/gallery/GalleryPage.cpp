#include "GalleryPage.h"

#include <algorithm>

namespace {
std::vector<GalleryPage> &registry()
{
    static std::vector<GalleryPage> pages;
    return pages;
}
} // namespace

void GalleryPages::add(GalleryPage page)
{
    registry().push_back(std::move(page));
}

std::vector<GalleryPage> GalleryPages::all()
{
    std::vector<GalleryPage> pages = registry();
    std::stable_sort(pages.begin(), pages.end(), [](const GalleryPage &a, const GalleryPage &b) {
        return a.order != b.order ? a.order < b.order : a.title < b.title;
    });
    return pages;
}
