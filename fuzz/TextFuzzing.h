#pragma once

// Shared bits of the text-helper fuzz targets: input as UTF-8 text, and a check that
// stops the run loudly when a property does not hold.

#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

inline QString fuzzText(const uint8_t *data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
}

inline void fuzzCheck(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "property violated: %s\n", what);
        std::abort();
    }
}

// The step-by-step references rebuild the text per step; keep them to inputs where
// that stays quick, so the fuzzer spends its time on the helpers themselves.
inline constexpr qsizetype kReferenceLimit = 2000;
