#include "store/SeriesCache.h"

#include "store/SeriesStatements.h"

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
    for (; !rows.Eof(); rows.MoveNext()) {
        mTexts.push_back(rows.Field(kListField).Text());
        mKeys.push_back(rules::KeyOf(mTexts.back()));
    }
    rows.Close();
    // A change between the stamp and the read only makes the next look read again.
    mStamp = mStampSeen;
}

}  // namespace store
