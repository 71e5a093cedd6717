#include "SheetDrag_p.h"

#include "SheetState_p.h"
#include "velkSheet.h"

#include <velk/platform/DragDrop.h>

#include <QCoreApplication>
#include <QDropEvent>
#include <QRegularExpression>
#include <QUrl>

namespace velk {

namespace {

const QString textFormat = QStringLiteral("text/plain");
const QString filesFormat = QStringLiteral("text/uri-list");

// A target that only hovers asks again and again; files are fetched at every fourth ask.
constexpr int requestsPerFileFetch = 4;

// QUrl::fromLocalFile escapes every '%' of a path with a search-and-replace over the whole
// text before it sets the path. An absolute path without '%' (and without the "//host"
// form it treats apart) needs no escaping: setting it directly gives the same URL and
// saves that pass, some 40% of the time a long file list takes.
QUrl localFileUrl(const QString &path)
{
    if (!path.startsWith(u'/') || path.startsWith(u"//") || path.contains(u'%'))
        return QUrl::fromLocalFile(path);
    QUrl url;
    url.setScheme(QStringLiteral("file"));
    url.setPath(path, QUrl::TolerantMode);
    return url;
}

// The paths of a host's answer for files: a list of paths, or a text of one path per line;
// empty ones are left out. `reserve` learns how many there are at most.
template<typename Reserve, typename Visit>
void forEachPath(const QVariant &data, Reserve reserve, Visit visit)
{
    QStringList paths;
    if (data.metaType().id() == QMetaType::QStringList)
        paths = data.toStringList();
    else if (data.metaType().id() == QMetaType::QString)
        paths = data.toString().split(QRegularExpression(QStringLiteral("\r?\n")));
    reserve(paths.size());
    for (const QString &path : std::as_const(paths)) {
        if (!path.isEmpty())
            visit(path);
    }
}

} // namespace

SheetDragData::SheetDragData(int dragType, Request request)
    : m_dragType(dragType)
    , m_request(std::move(request))
{
    // A drop inside this process is seen here before the target reads the data.
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
}

SheetDragData::~SheetDragData() = default;

bool SheetDragData::offersText() const
{
    return m_dragType == SheetDragType::Text || m_dragType == SheetDragType::TextAndFiles;
}

bool SheetDragData::offersFiles() const
{
    return m_dragType == SheetDragType::Files || m_dragType == SheetDragType::TextAndFiles;
}

QStringList SheetDragData::formats() const
{
    QStringList list;
    if (offersText())
        list << textFormat;
    if (offersFiles())
        list << filesFormat;
    return list;
}

bool SheetDragData::hasFormat(const QString &mimeType) const
{
    return formats().contains(mimeType);
}

bool SheetDragData::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Drop && static_cast<QDropEvent *>(event)->mimeData() == this)
        m_dropping = true;
    return QMimeData::eventFilter(watched, event);
}

bool SheetDragData::fetch(int format) const
{
    ++m_requests;
    const bool atOnce = m_dragType == SheetDragType::Text || m_dragType == SheetDragType::TextAndFiles;
    if (!m_dropping && !atOnce && m_requests < requestsPerFileFetch)
        return false;
    m_requests = 0;
    QVariant data;
    if (m_request)
        m_request(data, format);
    (format == SheetDragType::Text ? m_lastText : m_lastFiles) = data;
    return true;
}

QVariant SheetDragData::retrieveData(const QString &mimeType, QMetaType type) const
{
    Q_UNUSED(type);
    if (mimeType == textFormat && offersText()) {
        fetch(SheetDragType::Text);
        return textOf(m_lastText);
    }
    if (mimeType == filesFormat && offersFiles()) {
        // QMimeData keeps URLs as a list of variants; it gives them out as QUrls. The list
        // is made once per answer of the host and kept for the asks it serves.
        if (fetch(SheetDragType::Files) || !m_urlsMade) {
            QVariantList urls;
            forEachPath(m_lastFiles, [&urls](qsizetype count) { urls.reserve(count); },
                        [&urls](const QString &path) { urls.append(QVariant(localFileUrl(path))); });
            m_lastUrls = std::move(urls);
            m_urlsMade = true;
        }
        return m_lastUrls;
    }
    return QVariant();
}

QString SheetDragData::textOf(const QVariant &data)
{
    if (data.metaType().id() == QMetaType::QStringList)
        return data.toStringList().join(QStringLiteral("\r\n"));
    if (data.metaType().id() == QMetaType::QVariantList || !data.canConvert<QString>())
        return QString();
    return data.toString();
}

QList<QUrl> SheetDragData::urlsOf(const QVariant &data)
{
    QList<QUrl> urls;
    forEachPath(data, [&urls](qsizetype count) { urls.reserve(count); },
                [&urls](const QString &path) { urls.append(localFileUrl(path)); });
    return urls;
}

int runSheetDrag(SheetState &state, velkSheetEvents &events, QWidget *source, const std::shared_ptr<SheetData> &row)
{
    if (!row)
        return DropEffect::None;
    state.setDragKeyword(row->GetSubText(1));
    int dragType = SheetDragType::None;
    Q_EMIT events.DragCheck(row, dragType);
    if (dragType <= 0)
        return DropEffect::None;
    int effects = DropEffect::Copy | DropEffect::Move;
    Q_EMIT events.DragAllowedEffects(effects);
    // The sheet may go while the drag runs (a handler may close its window).
    const QPointer<velkSheetEvents> alive(&events);
    auto *data = new SheetDragData(dragType, [alive](QVariant &value, int format) {
        if (alive)
            Q_EMIT alive->DragRequest(value, format);
    });
    const int effect = Drag::exec(source, data, effects);
    if (alive)
        Q_EMIT alive->DragComplete(effect);
    return effect;
}

} // namespace velk
