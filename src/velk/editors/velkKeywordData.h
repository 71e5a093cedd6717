#pragma once

#include <velk/velk_export.h>

#include <QString>

namespace velk {

/// One keyword of a velkKeyword bar with the counts it is ranked by.
class VELK_EXPORT velkKeywordData
{
public:
    QString Text;
    int Clicks = 0;      ///< how often the keyword was picked
    int ClicksOther = 0; ///< grows whenever another keyword is picked

    /// Clicks − ClicksOther: the higher, the further ahead the keyword stands.
    int Ranking() const { return Clicks - ClicksOther; }
};

} // namespace velk
