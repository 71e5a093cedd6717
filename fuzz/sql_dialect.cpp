// The SQL dialect over arbitrary text: no crash or hang, output growing at most linearly,
// and translating its own output again stays well-formed (pivot rewrites start with SELECT).

#include <velk/platform/SqlDialect_p.h>

#include "TextFuzzing.h"

using namespace velk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzzText(data, size);
    for (const auto flavor : {SqlDialect::Flavor::Sqlite, SqlDialect::Flavor::Standard}) {
        const SqlDialect::Translation t = SqlDialect::translate(text, flavor);
        // Each input character yields a bounded piece of output; an ORDER BY repeats the
        // GROUP BY list once, a pivot its expression twice.
        fuzzCheck(t.sql.size() <= 80 * text.size() + 200, "output grows faster than the input");
        fuzzCheck(!t.pivot || t.sql.startsWith(QStringLiteral("SELECT ")), "pivot rewrite without SELECT");
        const SqlDialect::Translation again = SqlDialect::translate(t.sql, flavor);
        fuzzCheck(again.sql.size() <= 80 * t.sql.size() + 200, "second pass grows faster than its input");
    }
    return 0;
}
