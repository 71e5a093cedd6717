#pragma once

#include <velk/velk_export.h>

#include <QMimeData>
#include <QPointer>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>

class QWidget;

namespace velk {

class SheetData;
class SheetState;
class velkSheetEvents;

/// The drag types a DragCheck handler chooses from, and the data formats a drop target
/// asks for (the numbers are the platform's clipboard formats for text and file lists).
namespace SheetDragType {
inline constexpr int None = 0;
inline constexpr int Text = 1;
inline constexpr int Files = 15;
inline constexpr int TextAndFiles = 16;
} // namespace SheetDragType

/// The data of a drag out of a sheet. It announces "text/plain" for drag types 1 and 16
/// and "text/uri-list" for 15 and 16, and asks the host for the data only when a target
/// reads it: for types 1 and 16 at every request, for other types at every fourth (a
/// target asking again and again while it hovers gets the data it got last). A drop on a
/// widget of this process always asks. The host answers with a text (CR LF between lines)
/// for format 1 and a list of paths for format 15.
class VELK_TESTS_EXPORT SheetDragData : public QMimeData
{
public:
    /// Fills `data` for `format` (1 or 15): the sheet raises DragRequest.
    using Request = std::function<void(QVariant &data, int format)>;

    SheetDragData(int dragType, Request request);
    ~SheetDragData() override;

    QStringList formats() const override;
    bool hasFormat(const QString &mimeType) const override;
    /// Requests since the host was last asked.
    int requestCount() const { return m_requests; }

    /// A host's answer as text: a list joins its lines with CR LF; what is no text gives "".
    static QString textOf(const QVariant &data);
    /// A host's answer as file URLs: a list of paths, or a text of one path per line.
    static QList<QUrl> urlsOf(const QVariant &data);

protected:
    QVariant retrieveData(const QString &mimeType, QMetaType type) const override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool offersText() const;
    bool offersFiles() const;
    /// Counts a request for `format` and asks the host when it is due; true when it asked.
    bool fetch(int format) const;

    int m_dragType;
    Request m_request;
    mutable int m_requests = 0;
    mutable QVariant m_lastText;
    mutable QVariant m_lastFiles;
    mutable QVariantList m_lastUrls; ///< m_lastFiles as URLs
    mutable bool m_urlsMade = false;
    bool m_dropping = false;
};

/// Drags row `row` out of a sheet whose list is `source`: sets the drag keyword to the
/// row's first cell and raises DragCheck; when the host chooses a drag type above 0,
/// raises DragAllowedEffects (3, copy and move, unless the host changes it), runs the drag
/// through the DragDrop seam and raises DragComplete with the effect. Returns the effect;
/// 0 when no drag ran.
VELK_TESTS_EXPORT int runSheetDrag(SheetState &state, velkSheetEvents &events, QWidget *source,
                                   const std::shared_ptr<SheetData> &row);

} // namespace velk
