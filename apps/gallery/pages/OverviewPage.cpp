#include "GalleryPage.h"
#include "SampleArchive.h"

#include <velk/platform/ControlFactory.h>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QSqlQuery>
#include <QTimer>
#include <QVBoxLayout>

#include <map>

namespace {

constexpr QSize ThumbnailSize(160, 100);
constexpr int MapColumns = 2;
constexpr QSize RenderSize(880, 550);

int countRows(const SampleArchive &archive, const QString &table)
{
    QSqlQuery query(archive.database());
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM ") + table) || !query.next())
        return 0;
    return query.value(0).toInt();
}

// A picture of the page as it looks live, built offscreen and shrunk.
QPixmap renderPage(const GalleryPage &page, SampleArchive &archive)
{
    std::unique_ptr<QWidget> widget(page.create(archive, nullptr));
    if (!widget)
        return {};
    widget->setAttribute(Qt::WA_DontShowOnScreen);
    widget->resize(RenderSize.expandedTo(widget->minimumSizeHint()));
    widget->show();
    const QPixmap picture = widget->grab();
    return picture.scaled(ThumbnailSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

/// The start page: every control of the library that has a page, with a live thumbnail
/// of that page, its purpose and a link that opens it. Thumbnails are drawn one per turn
/// of the event loop after the page is up.
class OverviewPage : public QWidget
{
public:
    OverviewPage(SampleArchive &archive, QWidget *parent)
        : QWidget(parent)
        , m_archive(archive)
    {
        auto *layout = new QVBoxLayout(this);
        auto *intro = new QLabel(QStringLiteral("<h2>velkGUI</h2>"
                                                "<p>Steuerelemente für das Dokumentenarchiv. Ein Klick auf einen "
                                                "Namen öffnet seine Seite; Strg+Tab blättert, F1 zeigt die Hilfe "
                                                "einer Seite.</p>"));
        intro->setWordWrap(true);
        layout->addWidget(intro);
        const QString status = archive.isOpen()
            ? QStringLiteral("Beispielarchiv: %1 Themen, %2 Dokumente, %3 Keywords")
                  .arg(countRows(archive, QStringLiteral("Themen")))
                  .arg(countRows(archive, QStringLiteral("Dokumente")))
                  .arg(countRows(archive, QStringLiteral("Keywords")))
            : QStringLiteral("Beispielarchiv nicht verfügbar: %1").arg(archive.errorText());
        auto *info = new QLabel(status);
        info->setObjectName(QStringLiteral("archiveStatus"));
        info->setWordWrap(true);
        layout->addWidget(info);

        auto *map = new QGridLayout;
        map->setHorizontalSpacing(16);
        for (int column = 0; column < MapColumns; ++column)
            map->setColumnStretch(column, 1);
        int shown = 0;
        QStringList classes = velk::ControlFactory::classNames();
        classes.sort(Qt::CaseInsensitive);
        for (const QString &className : classes) {
            const std::optional<GalleryPage> page = GalleryPages::pageOf(className);
            if (!page)
                continue; // not shown in the gallery yet
            auto *thumbnail = new QLabel;
            thumbnail->setObjectName(QStringLiteral("thumbnail_") + className);
            thumbnail->setFixedSize(ThumbnailSize);
            thumbnail->setAlignment(Qt::AlignCenter);
            thumbnail->setFrameShape(QFrame::StyledPanel);
            thumbnail->setText(QStringLiteral("…"));
            m_pending.push_back({thumbnail, *page});
            auto *text = new QLabel(QStringLiteral("<a href=\"%1\"><b>%2</b></a><br>%3<br><small>Seite „%1“</small>")
                                        .arg(page->title.toHtmlEscaped(), className, page->purposeText().toHtmlEscaped()));
            text->setObjectName(QStringLiteral("link_") + className);
            text->setWordWrap(true);
            text->setTextInteractionFlags(Qt::TextBrowserInteraction);
            text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            text->setMinimumWidth(100);
            QObject::connect(text, &QLabel::linkActivated, text, [](const QString &title) { GalleryPages::open(title); });
            auto *card = new QHBoxLayout;
            card->setSpacing(10);
            card->addWidget(thumbnail, 0, Qt::AlignTop);
            card->addWidget(text, 1);
            map->addLayout(card, shown / MapColumns, shown % MapColumns);
            ++shown;
        }
        layout->addLayout(map);
        layout->addStretch(1);
        QTimer::singleShot(0, this, [this] { drawNextThumbnail(); });
    }

protected:
    void showEvent(QShowEvent *event) override
    {
        QWidget::showEvent(event);
        if (m_paused) {
            m_paused = false;
            QTimer::singleShot(0, this, [this] { drawNextThumbnail(); });
        }
    }

private:
    // Pages are built only while the start page is shown, so other pages stay responsive.
    void drawNextThumbnail()
    {
        if (m_pending.empty())
            return;
        if (!isVisible()) {
            m_paused = true;
            return;
        }
        auto [label, page] = m_pending.front();
        m_pending.erase(m_pending.begin());
        if (label) {
            auto cached = m_pictures.find(page.title);
            if (cached == m_pictures.end())
                cached = m_pictures.emplace(page.title, renderPage(page, m_archive)).first;
            label->setPixmap(cached->second);
        }
        QTimer::singleShot(0, this, [this] { drawNextThumbnail(); });
    }

    SampleArchive &m_archive;
    std::vector<std::pair<QPointer<QLabel>, GalleryPage>> m_pending;
    std::map<QString, QPixmap> m_pictures;
    bool m_paused = false;
};

QWidget *createOverview(SampleArchive &archive, QWidget *parent)
{
    return new OverviewPage(archive, parent);
}

} // namespace

VELK_GALLERY_PAGE("Übersicht", 0, createOverview, "",
                  "Alle Steuerelemente mit Vorschaubild, Zweck und Verweis auf ihre Seite",
                  "Jede Zeile nennt ein Steuerelement der Bibliothek, das eine Seite in der Galerie hat. Das Bild "
                  "zeigt die Seite, wie sie gerade aussieht; der Name öffnet sie. Strg+Tab und Strg+Umschalt+Tab "
                  "wechseln die Seite, F1 zeigt die Kurzhilfe der angezeigten Seite.");
