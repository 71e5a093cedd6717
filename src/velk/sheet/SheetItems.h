#pragma once

#include <velk/sheet/SheetRows.h>

#include <memory>

namespace velk {

/// Read-only, 1-based view of a sheet's rows in display order (the sheet's ListItems).
/// Valid as long as the sheet; reflects later changes.
class SheetItems
{
public:
    explicit SheetItems(const SheetRows &rows) : m_rows(&rows) {}

    int Count() const { return m_rows->count(); }
    /// Row at `pos`; empty outside 1 .. Count.
    std::shared_ptr<SheetData> Item(int pos) const { return m_rows->ptr(pos); }

    auto begin() const { return m_rows->all().begin(); }
    auto end() const { return m_rows->all().end(); }

private:
    const SheetRows *m_rows;
};

} // namespace velk
