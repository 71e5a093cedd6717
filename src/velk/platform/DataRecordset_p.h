#pragma once

#include <velk/platform/DataRecordset.h>

#include "DataSource_p.h"

#include <vector>

namespace velk {

struct DataRecordset::Private
{
    explicit Private(std::unique_ptr<data::RecordSource> records)
        : source(std::move(records))
    {
        const int n = source->fieldCount();
        names.reserve(n);
        for (int i = 0; i < n; ++i) {
            names.push_back(source->fieldName(i));
            resolved.emplace_back(names.back(), i);
        }
    }

    std::unique_ptr<data::RecordSource> source;
    std::vector<QString> names;
    // Spellings already resolved, with their field: a loop asking for the same names
    // row after row finds them by an exact comparison.
    mutable std::vector<std::pair<QString, int>> resolved;

    // The field index of `name`, -1 when there is none.
    int indexOf(const QString &name) const
    {
        for (const auto &[spelling, index] : resolved) {
            if (spelling.size() == name.size() && spelling == name)
                return index;
        }
        for (int i = 0; i < int(names.size()); ++i) {
            if (names[i].compare(name, Qt::CaseInsensitive) == 0) {
                if (resolved.size() < names.size() + 64)
                    resolved.emplace_back(name, i);
                return i;
            }
        }
        return -1;
    }
};

} // namespace velk
