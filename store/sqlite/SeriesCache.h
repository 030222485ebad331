#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "rules/Evaluation.h"
#include "rules/WinnerCounts.h"
#include "store/sqlite/Connection.h"

namespace store {

// The stored rows in table order, kept between commands and read again whenever the
// connection's change stamp moved, so that a change made by this program or by any other is
// always seen:
//   if (!cache.IsCurrent(connection)) cache.Load(*listOfAllRows);
// The keys lie apart from the texts so that a scan over all rows stays in few cache lines.
class SeriesCache {
  public:
    bool IsCurrent(Connection& connection);
    // Reads every row of an open list; the rows then count as current as of the last
    // IsCurrent.
    void Load(Recordset& rows);

    const std::vector<std::string>& Texts() const { return mTexts; }
    const std::vector<rules::RowKey>& Keys() const { return mKeys; }

    // The winner tables of the rows they cover, and in table order the indexes of the rows they
    // do not cover. Built on first use after a Load; REQUIRES: at most
    // WinnerCounts::kMostCountedRows rows.
    struct WinnerTables {
        rules::WinnerCounts counts;
        std::vector<std::uint32_t> uncovered;
    };
    const WinnerTables& Winners();

  private:
    std::vector<std::string> mTexts;
    std::vector<rules::RowKey> mKeys;
    std::unique_ptr<WinnerTables> mWinners;
    std::optional<std::uint64_t> mStamp;  // empty while the rows are not known to be current
    std::uint64_t mStampSeen = 0;
};

}  // namespace store
