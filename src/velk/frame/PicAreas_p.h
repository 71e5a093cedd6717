#pragma once

#include <velk/velk_export.h>

#include <QPointF>
#include <QRect>
#include <QString>
#include <QStringList>

#include <vector>

namespace velk {

/// One line of an area list: "x1,y1,x2,y2 [link]". A line that does not read this way is
/// kept as it is but is no area (`valid` false): it is neither drawn nor hit.
struct VELK_TESTS_EXPORT PicArea
{
    bool valid = false;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    QString link;

    /// The rectangle with its corners ordered, (x1,y1) to (x2,y2) inclusive of both.
    QRect rect() const;
};

/// The area list of a picture: one area per line, lines joined by CR LF, none after the
/// last. Areas are numbered by their line (from 1), so a line that does not read never
/// shifts the numbers of the others; lines that are not rewritten are kept byte for byte.
class VELK_TESTS_EXPORT PicAreas
{
public:
    /// Splits `text` at CR LF; an empty text has no lines.
    void setText(const QString &text);
    QString text() const;

    int count() const;
    /// Area `n` (1-based); an invalid area for numbers out of range.
    const PicArea &area(int n) const;

    /// The number of the last valid area whose rectangle, grown by `tolerance`, holds
    /// `point`; 0 for none (later areas are drawn over earlier ones).
    int hitTest(QPointF point, double tolerance = 0) const;

    /// Appends an area; its number.
    int add(const QRect &rect, const QString &link = QString());
    /// Rewrites line `n` (ignored out of range).
    void replace(int n, const QRect &rect, const QString &link);
    /// Removes line `n` (ignored out of range).
    void remove(int n);

    /// Reads one line: four whole numbers separated by ",", the fourth ending at "[", and
    /// the link up to the next "]" (or the line's end). Numbers of 2^30 or more (either
    /// sign) make the line unreadable, so sizes computed from them cannot overflow.
    static PicArea parseLine(const QString &line);
    /// "x1,y1,x2,y2 [link]" for the rectangle's corners, smaller x and y first.
    static QString formatLine(const QRect &rect, const QString &link);
    /// The link as a line can hold it: line breaks become spaces and "]" is dropped, so
    /// the link can neither end early nor start another line.
    static QString storableLink(const QString &link);

private:
    QStringList m_lines;
    std::vector<PicArea> m_areas;
};

} // namespace velk
