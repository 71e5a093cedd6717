#pragma once

// Searching UTF-16 text for one code unit, inline: the parser asks this several times per
// element over short stretches, where a call into the string library costs more than the
// search. Eight code units are compared at a time where SSE2 is there.

#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace velk::XmlScan {

/// The first `c` in [p, end), or `end`.
inline const char16_t *find(const char16_t *p, const char16_t *end, char16_t c)
{
#if defined(__SSE2__)
    const __m128i needle = _mm_set1_epi16(short(c));
    while (end - p >= 8) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const int mask = _mm_movemask_epi8(_mm_cmpeq_epi16(chunk, needle));
        if (mask != 0)
            return p + __builtin_ctz(unsigned(mask)) / 2;
        p += 8;
    }
#endif
    while (p < end && *p != c)
        ++p;
    return p;
}

/// Position of the first `c` in `text` at or after `from`, or -1.
inline std::ptrdiff_t indexOf(const char16_t *text, std::ptrdiff_t size, std::ptrdiff_t from, char16_t c)
{
    if (from >= size)
        return -1;
    const char16_t *at = find(text + from, text + size, c);
    return at == text + size ? -1 : at - text;
}

} // namespace velk::XmlScan
