#include "store/sqlite/TicketTable.h"

#include <charconv>
#include <limits>

#include "base/Errors.h"
#include "base/Limits.h"
#include "base/NumberText.h"
#include "rules/Evaluation.h"
#include "store/sqlite/FileCheck.h"
#include "store/sqlite/SeriesStatements.h"

namespace store {
namespace {

// How many of the rows `made`, from the first on, stand among `present` in the same order: rows
// another program added after a dropped transaction are not the batch's.
std::size_t RowsOfTheBatch(const std::vector<std::string>& present,
                           const std::vector<std::string>& made) {
    std::size_t found = 0;
    for (const std::string& row : present) {
        if (found < made.size() && row == made[found]) ++found;
    }
    return found;
}

void RollBackQuietly(Connection& connection) noexcept {
    try {
        if (connection.InTransaction()) connection.RollbackTrans();
    } catch (const std::exception&) {
    }
}

}  // namespace

std::int16_t TicketTable::Open(const std::string& path) {
    CheckTicketFile(mConnection, path);
    mOtherProgramsStamp = mConnection.OtherProgramsStamp();
    return Count();
}

std::int16_t TicketTable::Count() {
    std::unique_ptr<Recordset> count = mConnection.Execute(std::string(kCountStatement));
    std::int16_t rows = 0;
    if (!count->Eof()) {
        const double stored = count->Field(kCountField).Number();
        if (stored > static_cast<double>(base::kMostRows)) base::ThrowTooManyRows();
        rows = base::RoundToInt16(stored);
    }
    count->Close();
    return rows;
}

std::optional<std::int16_t> TicketTable::CountIfChangedElsewhere() {
    const std::uint64_t stamp = mConnection.OtherProgramsStamp();
    if (stamp == mOtherProgramsStamp) return std::nullopt;
    // Another program may also have changed the table's definition.
    CheckTicketTable(mConnection);
    const std::int16_t rows = Count();
    mOtherProgramsStamp = stamp;
    return rows;
}

std::unique_ptr<Recordset> TicketTable::List() {
    return mConnection.Execute(std::string(kListStatement));
}

void TicketTable::Insert(std::string_view row) {
    mConnection.ExecuteWithText(kInsertStatement, row);
}

bool TicketTable::HoldsLast(std::string_view row, std::int16_t rows) noexcept {
    try {
        if (Count() != rows) return false;
        std::unique_ptr<Recordset> last = mConnection.Execute(
            "select BallNumberList from tblLotterySeries order by LotterySeriesID desc limit 1");
        const bool held = !last->Eof() && last->Field(kListField).Text() == row;
        last->Close();
        return held;
    } catch (const std::exception&) {
        return false;
    }
}

void TicketTable::DeleteAll() { mConnection.Execute(std::string(kDeleteAllStatement)); }

void TicketTable::BeginBatch() {
    // Inside the transaction, which keeps other programs from adding rows until it ends.
    mConnection.BeginTrans();
    std::unique_ptr<Recordset> last = mConnection.Execute(
        "select coalesce(max(LotterySeriesID), 0) as LastId from tblLotterySeries");
    const std::string id = last->Field("LastId").Text();
    last->Close();
    if (std::from_chars(id.data(), id.data() + id.size(), mLastIdBeforeBatch).ec != std::errc()) {
        throw base::DatabaseError(
            "Datenbankfehler: Die Tabelle tblLotterySeries hat eine "
            "LotterySeriesID, die keine ganze Zahl ist.");
    }
}

void TicketTable::CommitBatch() { mConnection.CommitTrans(); }

std::optional<std::size_t> TicketTable::KeepRowsMadeBefore(
    const std::vector<std::string>& made) noexcept {
    if (made.empty()) {  // nothing was inserted: nothing can have reached the file
        RollBackQuietly(mConnection);
        return 0;
    }
    // A transaction still open holds the rows made before the failure.
    try {
        if (mConnection.InTransaction()) mConnection.CommitTrans();
    } catch (const std::exception&) {
        RollBackQuietly(mConnection);
    }
    // Whether they reached the file, only the file can say: an error may come after the commit.
    std::optional<std::vector<std::string>> present = RowsAfter(mLastIdBeforeBatch);
    if (present && RowsOfTheBatch(*present, made) == 0) {
        // Verifiably absent: SQLite dropped the whole transaction.
        try {
            mConnection.BeginTrans();
            for (const std::string& row : made) Insert(row);
            mConnection.CommitTrans();
        } catch (const std::exception&) {
            RollBackQuietly(mConnection);
        }
        present = RowsAfter(mLastIdBeforeBatch);
    }
    if (!present) return std::nullopt;
    return RowsOfTheBatch(*present, made);
}

std::optional<std::vector<std::string>> TicketTable::RowsAfter(std::int64_t id) noexcept {
    try {
        return ColumnTexts(mConnection,
                           "select BallNumberList from tblLotterySeries where LotterySeriesID > " +
                               std::to_string(id) + " order by LotterySeriesID",
                           kListField);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

const SeriesCache& TicketTable::Rows() {
    if (!mCache.IsCurrent(mConnection)) mCache.Load(*List());
    return mCache;
}

std::optional<std::int32_t> TicketTable::WonBy(const rules::SimulatedDraw& draw) {
    if (mCache.Texts().size() > static_cast<std::size_t>(base::kMostRows)) return std::nullopt;
    const SeriesCache::WinnerTables& winners = mCache.Winners();
    std::int64_t won = winners.counts.Count(draw.drawnNumbers, draw.additionalNumber).Won();
    if (!winners.uncovered.empty()) {
        const rules::Draw typed(draw.drawnNumberList, base::WholeNumberText(draw.additionalNumber));
        for (const std::uint32_t index : winners.uncovered) {
            won += typed.Evaluate(mCache.Texts()[index], mCache.Keys()[index]).prize;
        }
    }
    if (won > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    return static_cast<std::int32_t>(won);
}

}  // namespace store
