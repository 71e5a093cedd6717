#pragma once

// Shared by the fuzz targets that write loaded XML trees back out.

#include <velk/xml/StdXMLNode.h>

#include <utility>
#include <vector>

// The length of the written text: three spaces per level make a deep chain's text grow
// with the square of its depth, so only documents of bounded text are written.
inline qsizetype writtenLength(const velk::StdXMLNodePtr &root)
{
    qsizetype length = 0;
    std::vector<std::pair<velk::StdXMLNode *, qsizetype>> pending{{root.get(), 0}};
    while (!pending.empty()) {
        const auto [node, level] = pending.back();
        pending.pop_back();
        length += 2 * (3 * level + 8) + 2 * node->Tag.size() + node->Parameter.size() + 6 * node->Body.size();
        for (int i = 1; i <= node->Count(); ++i)
            pending.emplace_back(node->Item(i).get(), level + 1);
    }
    return length;
}
