#include "store/sqlite/RowTable.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "base/Errors.h"
#include "base/Limits.h"
#include "base/NumberText.h"
#include "store/sqlite/FileCheck.h"
#include "store/sqlite/RowStatements.h"

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

// `failure`'s message and, as the file tells it, what the write changed all the same.
base::DatabaseError Despite(const base::DatabaseError& failure, std::string_view changed) {
    return base::DatabaseError(std::string(failure.what()) + " " + std::string(changed));
}

// What the message about a failed batch of `count` rows says of the `kept` ones.
std::string StoredOfBatchText(std::optional<std::size_t> kept, std::int16_t count) {
    const std::string all = base::WholeNumberText(count);
    if (!kept) return "Wie viele Zahlenreihen gespeichert wurden, ließ sich nicht feststellen.";
    if (*kept == static_cast<std::size_t>(count)) {
        return count == 1 ? "Die Zahlenreihe wurde trotzdem gespeichert."
                          : "Alle " + all + " Zahlenreihen wurden trotzdem gespeichert.";
    }
    return "Gespeichert wurden " + base::WholeNumberText(static_cast<std::int64_t>(*kept)) +
           " der " + all + (count == 1 ? " Zahlenreihe." : " Zahlenreihen.");
}

void RollBackQuietly(Connection& connection) noexcept {
    try {
        if (connection.InTransaction()) connection.RollbackTrans();
    } catch (const std::exception&) {
    }
}

}  // namespace

std::int16_t RowTable::Open(const std::string& path) {
    CheckLottoFile(mConnection, path);
    mOtherProgramsStamp = mLookedStamp = mConnection.OtherProgramsStamp();
    return Count();
}

std::int16_t RowTable::Count() {
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

std::optional<std::int16_t> RowTable::CountIfChangedElsewhere() {
    const std::uint64_t stamp = mLookedStamp = mConnection.OtherProgramsStamp();
    if (stamp == mOtherProgramsStamp) return std::nullopt;
    // Another program may also have changed the table's definition.
    CheckRowTable(mConnection);
    const std::int16_t rows = Count();
    mOtherProgramsStamp = stamp;
    return rows;
}

std::unique_ptr<Recordset> RowTable::List() {
    return mConnection.Execute(std::string(kListStatement));
}

const rules::StoredRows& RowTable::Rows() { return RowsAsOf(mConnection.OtherProgramsStamp()); }

const rules::StoredRows& RowTable::RowsAsOfLastLook() { return RowsAsOf(mLookedStamp); }

const rules::StoredRows& RowTable::RowsAsOf(std::uint64_t otherProgramsStamp) {
    const std::pair stamp(otherProgramsStamp, mConnection.OwnChanges());
    if (mRowsStamp == stamp) return mRows;
    mRows.Clear();
    std::unique_ptr<Recordset> list = List();
    for (; !list->Eof(); list->MoveNext()) mRows.Append(list->Field(kListField).Text());
    list->Close();
    // A change between the stamp and the read only makes the next look read again.
    mRowsStamp = stamp;
    return mRows;
}

void RowTable::CheckRoomFor(std::string_view row, std::int16_t rowsBefore) {
    if (rowsBefore == base::kMostRows) base::ThrowTableFull();
    // The program never stores a row it would refuse to read back.
    if (row.size() > base::kLongestRow) {
        throw base::OverflowError("Überlauf: Die Zahlenreihe" +
                                  base::RowLengthText(static_cast<std::int64_t>(row.size())) +
                                  " Sie wurde nicht gespeichert.");
    }
}

WriteResult RowTable::Insert(std::string_view row, std::int16_t rowsBefore) {
    CheckRoomFor(row, rowsBefore);
    try {
        mConnection.ExecuteWithText(kInsertStatement, row);
        return {true, 1, std::nullopt};
    } catch (const base::DatabaseError& failure) {
        // The insert may have been committed before SQLite reported the failure.
        if (!HoldsLast(row, static_cast<std::int16_t>(rowsBefore + 1))) return {false, 0, failure};
        return {true, 1, Despite(failure, "Die Zahlenreihe wurde trotzdem gespeichert.")};
    }
}

bool RowTable::HoldsLast(std::string_view row, std::int16_t rows) noexcept {
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

WriteResult RowTable::DeleteAll() {
    try {
        mConnection.Execute(std::string(kDeleteAllStatement));
        return {};
    } catch (const base::DatabaseError& failure) {
        // The rows may be gone although SQLite reported a failure.
        bool emptied = false;
        try {
            emptied = Count() == 0;
        } catch (const std::exception&) {
        }
        if (!emptied) return {false, std::nullopt, failure};
        return {true, std::nullopt,
                Despite(failure, "Alle Zahlenreihen wurden trotzdem gelöscht.")};
    }
}

WriteResult RowTable::InsertBatch(std::int16_t count, std::int16_t rowsBefore,
                                  const std::function<std::string()>& makeRow) {
    std::vector<std::string> made;
    made.reserve(static_cast<std::size_t>(std::max<std::int16_t>(count, 0)));
    try {
        // Inside the transaction, which keeps other programs from adding rows until it ends.
        mConnection.BeginTrans();
        mLastIdBeforeBatch = LastId();
        for (int row = 0; row < count; ++row) {
            std::string next = makeRow();
            CheckRoomFor(next, static_cast<std::int16_t>(rowsBefore + row));
            mConnection.ExecuteWithText(kInsertStatement, next);
            made.push_back(std::move(next));
        }
        mConnection.CommitTrans();
        return {true, made.size(), std::nullopt};
    } catch (const base::AppError& failure) {
        const std::optional<std::size_t> kept = KeepRowsMadeBefore(made);
        return {kept == static_cast<std::size_t>(count), kept,
                base::DatabaseError(std::string(failure.what()) + " " +
                                    StoredOfBatchText(kept, count))};
    } catch (...) {
        KeepRowsMadeBefore(made);
        throw;
    }
}

std::int64_t RowTable::LastId() {
    std::unique_ptr<Recordset> last = mConnection.Execute(
        "select coalesce(max(LotterySeriesID), 0) as LastId from tblLotterySeries");
    const std::string id = last->Field("LastId").Text();
    last->Close();
    std::int64_t lastId = 0;
    if (std::from_chars(id.data(), id.data() + id.size(), lastId).ec != std::errc()) {
        throw base::DatabaseError(
            "Datenbankfehler: Die Tabelle tblLotterySeries hat eine "
            "LotterySeriesID, die keine ganze Zahl ist.");
    }
    return lastId;
}

std::optional<std::size_t> RowTable::KeepRowsMadeBefore(
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
            for (const std::string& row : made) mConnection.ExecuteWithText(kInsertStatement, row);
            mConnection.CommitTrans();
        } catch (const std::exception&) {
            RollBackQuietly(mConnection);
        }
        present = RowsAfter(mLastIdBeforeBatch);
    }
    if (!present) return std::nullopt;
    return RowsOfTheBatch(*present, made);
}

std::optional<std::vector<std::string>> RowTable::RowsAfter(std::int64_t id) noexcept {
    try {
        return ColumnTexts(mConnection,
                           "select BallNumberList from tblLotterySeries where LotterySeriesID > " +
                               std::to_string(id) + " order by LotterySeriesID",
                           kListField);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace store
