#pragma once

#include <velk/common/Collection.h>
#include <velk/editors/BoardData.h>
#include <velk/velk_export.h>

#include <QString>

#include <memory>

namespace velk {

/// One line of a velkBoard joining two boxes. An end may be empty (an unknown id in a
/// loaded configuration) or a box no longer on the board; such a link is kept, but
/// neither drawn nor hit.
class VELK_EXPORT BoardLink
{
public:
    /// A new link with a fresh identifier: a UUID in upper case with braces.
    BoardLink();

    QString id;
    std::shared_ptr<BoardData> Location1;
    std::shared_ptr<BoardData> Location2;
    Collection<QString> data; ///< extra values, each "key=value"

    /// "ID" sets `id`; any other key is appended to `data` as key "=" par.
    void AddData(const QString &key, const QString &par);
    /// The `data` texts joined with CR LF; "" when there are none.
    QString Datas() const;
    /// The value of the first `data` text whose key equals `key` without regard to case.
    QString GetData(const QString &key) const;
    /// Replaces the value of that text, or appends key "=" par when there is none.
    void SetData(const QString &key, const QString &par);
    /// "ID=", "Location1=" and "Location2=" with the ends' ids ("" for an empty end), then
    /// the `data` texts, each line ending in CR LF.
    QString Config() const;

private:
    friend class BoardModel;
    struct WithoutId {};

public:
    // A record being loaded gets its id from the text; one is made only if none comes.
    // Only the board can name the tag.
    explicit BoardLink(WithoutId) {}
};

} // namespace velk
