#pragma once

#include <velk/sheet/SheetData.h>

#include <memory>
#include <vector>

namespace velk {

/// Read-only, 1-based view of a sheet's rows in display order (the sheet's ListItems).
/// Valid as long as the sheet; reflects later changes.
class SheetItems
{
public:
    using RowPtr = std::shared_ptr<SheetData>;

    explicit SheetItems(const std::vector<RowPtr> &rows) : m_rows(&rows) {}

    int Count() const { return int(m_rows->size()); }
    /// Row at `pos`; empty outside 1 .. Count.
    RowPtr Item(int pos) const { return pos >= 1 && pos <= Count() ? (*m_rows)[size_t(pos - 1)] : RowPtr(); }

    auto begin() const { return m_rows->begin(); }
    auto end() const { return m_rows->end(); }

private:
    const std::vector<RowPtr> *m_rows;
};

} // namespace velk
