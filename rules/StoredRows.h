#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "rules/Evaluation.h"
#include "rules/RandomDraw.h"
#include "rules/WinnerCounts.h"

namespace rules {

// The stored rows in memory, in table order: their texts and, apart from them, their keys, so
// that a scan over all rows stays in few cache lines; the winner tables are built on first use.
class StoredRows {
  public:
    void Clear();
    // Adds `text` as the last row. A row longer than base::kLongestRow is never worked with:
    // then no row is kept and the DatabaseError naming its sheet and box is thrown.
    void Append(std::string text);

    const std::vector<std::string>& Texts() const { return mTexts; }
    const std::vector<RowKey>& Keys() const { return mKeys; }

    // The winner tables of the rows they cover, and in table order the indexes of the rows they
    // do not cover. REQUIRES: at most WinnerCounts::kMostCountedRows rows.
    struct WinnerTables {
        WinnerCounts counts;
        std::vector<std::uint32_t> uncovered;
    };
    const WinnerTables& Winners() const;

    // What `draw` won over the rows, without looking at each row: from the winner tables, and by
    // the text rule for the rows they cannot describe. Nothing when the draw must be evaluated
    // in full instead: more rows than a count holds, or a win beyond 32 bits, which the
    // evaluation reports as it fails.
    std::optional<std::int32_t> WonBy(const SimulatedDraw& draw) const;

  private:
    std::vector<std::string> mTexts;
    std::vector<RowKey> mKeys;
    mutable std::unique_ptr<WinnerTables> mWinners;
};

}  // namespace rules
