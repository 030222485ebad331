#include "store/sqlite/SeriesCache.h"

#include "base/Limits.h"
#include "rules/Stake.h"
#include "store/sqlite/SeriesStatements.h"

namespace store {

bool SeriesCache::IsCurrent(Connection& connection) {
    mStampSeen = connection.ChangeStamp();
    if (mStamp == mStampSeen) return true;
    mStamp.reset();
    return false;
}

void SeriesCache::Load(Recordset& rows) {
    mStamp.reset();
    mTexts.clear();
    mKeys.clear();
    mWinners.reset();
    for (; !rows.Eof(); rows.MoveNext()) {
        mTexts.push_back(rows.Field(kListField).Text());
        if (mTexts.back().size() > base::kLongestRow) {
            rows.Close();
            const auto ordinal = static_cast<std::int64_t>(mTexts.size());
            const auto bytes = static_cast<std::int64_t>(mTexts.back().size());
            mTexts.clear();
            mKeys.clear();
            rules::ThrowRowTooLong(ordinal, bytes);
        }
        mKeys.push_back(rules::KeyOf(mTexts.back()));
    }
    rows.Close();
    // A change between the stamp and the read only makes the next look read again.
    mStamp = mStampSeen;
}

const SeriesCache::WinnerTables& SeriesCache::Winners() {
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

}  // namespace store
