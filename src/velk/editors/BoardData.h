#pragma once

#include <velk/common/Collection.h>
#include <velk/velk_export.h>

#include <QString>

#include <memory>

namespace velk {

/// One box (location) of a velkBoard. Configuration lines split at their first "=" are
/// taken in through AddData and written back by Config, one line per value, each ending
/// in CR LF.
class VELK_EXPORT BoardData
{
public:
    /// A new box with a fresh identifier: a UUID in upper case with braces.
    BoardData();

    QString id;            ///< identifier; links refer to it
    QString caption;       ///< title drawn in the box
    QString Description;   ///< second text drawn in the box
    int x = 0;             ///< left edge on the board, twips
    int y = 0;             ///< top edge on the board, twips
    Collection<QString> data; ///< extra values, each "key=value"
    bool Selected = false;
    int nr = 0;            ///< 1-based position on the board, kept by the board

    /// "ID", "Caption", "Description" and "Pos" (x "/" y; text that is no number reads
    /// as 0) set the fields; any other key is appended to `data` as key "=" par.
    void AddData(const QString &key, const QString &par);
    /// The `data` texts joined with CR LF; "" when there are none.
    QString Datas() const;
    /// The value of the first `data` text whose key equals `key` without regard to case;
    /// "" when there is none.
    QString GetData(const QString &key) const;
    /// Replaces the value of that text, or appends key "=" par when there is none.
    void SetData(const QString &key, const QString &par);
    /// "ID=", "Caption=", "Description=", "Pos=x/y" and the `data` texts, each line
    /// ending in CR LF.
    QString Config() const;

private:
    friend class BoardModel;
    struct WithoutId {};

public:
    // A record being loaded gets its id from the text; one is made only if none comes.
    // Only the board can name the tag.
    explicit BoardData(WithoutId) {}
};

} // namespace velk
