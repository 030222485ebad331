#include "rules/StoredRows.h"

#include <limits>

#include "base/Limits.h"
#include "base/NumberText.h"
#include "rules/Stake.h"

namespace rules {

void StoredRows::Clear() {
    mTexts.clear();
    mKeys.clear();
    mWinners.reset();
}

void StoredRows::Append(std::string text) {
    if (text.size() > base::kLongestRow) {
        const auto ordinal = static_cast<std::int64_t>(mTexts.size() + 1);
        const auto bytes = static_cast<std::int64_t>(text.size());
        Clear();
        ThrowRowTooLong(ordinal, bytes);
    }
    mWinners.reset();
    mKeys.push_back(KeyOf(text));
    mTexts.push_back(std::move(text));
}

const StoredRows::WinnerTables& StoredRows::Winners() const {
    if (!mWinners) {
        auto winners = std::make_unique<WinnerTables>();
        for (std::size_t index = 0; index < mKeys.size(); ++index) {
            if (!winners->counts.Add(mKeys[index])) {
                winners->uncovered.push_back(static_cast<std::uint32_t>(index));
            }
        }
        winners->counts.Seal();
        mWinners = std::move(winners);
    }
    return *mWinners;
}

std::optional<std::int32_t> StoredRows::WonBy(const SimulatedDraw& draw) const {
    if (mTexts.size() > static_cast<std::size_t>(base::kMostRows)) return std::nullopt;
    const WinnerTables& winners = Winners();
    std::int64_t won = winners.counts.Count(draw.drawnNumbers, draw.additionalNumber).Won();
    if (!winners.uncovered.empty()) {
        const Draw typed(draw.drawnNumberList, base::WholeNumberText(draw.additionalNumber));
        for (const std::uint32_t index : winners.uncovered) {
            won += typed.Evaluate(mTexts[index], mKeys[index]).prize;
        }
    }
    if (won > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    return static_cast<std::int32_t>(won);
}

}  // namespace rules
