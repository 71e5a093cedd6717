#pragma once

#include <velk/velk_export.h>

#include <QString>

namespace velk {

/// Where a sheet keeps its user's column layout (the ColumnsRegistry property): a
/// settings key path and, after the last "\" or "/", the value name. Empty: the layout
/// is not kept.
class VELK_TESTS_EXPORT SheetColumnStore
{
public:
    QString registry() const { return m_registry; }
    void setRegistry(const QString &registry) { m_registry = registry; }

    /// The kept column definition; "" when there is none or nothing is kept.
    QString load() const;
    /// Keeps `definition`; nothing happens while the registry is empty.
    void save(const QString &definition) const;

private:
    QString keyPath() const;
    QString valueName() const;

    QString m_registry;
};

} // namespace velk
