#pragma once

#include <QSqlDatabase>
#include <QString>

/// The gallery's sample document archive: an SQLite database created on first use
/// from data/sample-archive.sql, so every page works on the same believable data.
class SampleArchive
{
public:
    /// Opens (and on first use creates) the archive file `path`.
    explicit SampleArchive(const QString &path);
    ~SampleArchive();

    bool isOpen() const;
    QString path() const { return m_path; }
    QString errorText() const { return m_error; }
    QSqlDatabase database() const;

private:
    /// Raised whenever data/sample-archive.sql changes.
    static constexpr int kScriptVersion = 3;

    bool isCurrent() const;
    bool create();

    QString m_path;
    QString m_connection;
    QString m_error;
};
