#include "GalleryPage.h"

#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace {
std::vector<GalleryPage> &registry()
{
    static std::vector<GalleryPage> pages;
    return pages;
}

std::function<void(const QString &)> &opener()
{
    static std::function<void(const QString &)> open;
    return open;
}
} // namespace

QStringList GalleryPage::controlNames() const
{
    QStringList names;
    for (const QString &name : QString::fromUtf8(controls).split(u',', Qt::SkipEmptyParts))
        names << name.trimmed();
    return names;
}

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

QString GalleryPages::slug(const QString &title)
{
    QString s;
    for (QChar c : title.toLower()) {
        if (c.isLetterOrNumber() && c.unicode() < 128)
            s += c;
        else if (c == u'ä') s += QStringLiteral("ae");
        else if (c == u'ö') s += QStringLiteral("oe");
        else if (c == u'ü') s += QStringLiteral("ue");
        else if (c == u'ß') s += QStringLiteral("ss");
        else if (!s.endsWith(u'-')) s += u'-';
    }
    return s;
}

std::optional<GalleryPage> GalleryPages::pageOf(const QString &className)
{
    for (const GalleryPage &page : all()) {
        if (page.controlNames().contains(className))
            return page;
    }
    return std::nullopt;
}

void GalleryPages::open(const QString &title)
{
    if (opener())
        opener()(title);
}

void GalleryPages::setOpener(std::function<void(const QString &title)> open)
{
    opener() = std::move(open);
}

ScrollingPage::ScrollingPage(QWidget *parent, const QString &intro)
    : page(new QWidget(parent))
    , m_scroll(new QScrollArea)
    , m_content(new QWidget)
{
    auto *outer = new QVBoxLayout(page);
    outer->setContentsMargins(0, 0, 0, 0);
    m_scroll->setWidgetResizable(true);
    outer->addWidget(m_scroll);
    layout = new QVBoxLayout(m_content);
    auto *label = new QLabel(intro);
    label->setWordWrap(true);
    layout->addWidget(label);
}

QWidget *ScrollingPage::finish()
{
    m_scroll->setWidget(m_content);
    return page;
}
