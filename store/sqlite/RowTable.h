#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Errors.h"
#include "rules/StoredRows.h"
#include "store/sqlite/Connection.h"

namespace store {

// What a write of the table came to. SQLite may report a failure after the change reached the
// file (an unlock after the commit that fails), or drop a whole transaction (a full disk makes
// it): whether the change is in the file, the file says.
struct WriteResult {
    // The file holds the whole change.
    bool reachedFile = true;
    // Of the rows the write stores, how many the file holds, from the first in the order they
    // were made; nothing when the file cannot be read.
    std::optional<std::size_t> rowsKept;
    // What failed, as the user is told it: for a change that reached the file, with a sentence
    // saying what was stored or deleted all the same. Nothing when nothing failed.
    std::optional<base::DatabaseError> failure;

    // Throws the failure when the file does not hold the whole change: the window stays as it was.
    void ThrowUnlessInFile() const {
        if (!reachedFile) throw *failure;
    }
    // Throws any failure, once the window shows what the file holds.
    void ThrowIfFailed() const {
        if (failure) throw *failure;
    }
};

// tblLotterySeries of an open Lotto.mdb, and everything the program does with it: the check at
// start, the commands' statements, the transaction of a batch, the truth from the file after a
// failed write, the count after another program's change, and reading the rows again whenever the
// table changed. Counts are returned, never kept: the window's mSeriesCount is the count.
class RowTable {
  public:
    // Works through `connection`, which stays open while the table is used.
    explicit RowTable(Connection& connection) : mConnection(connection) {}

    // Checks the file at `path` (CheckLottoFile) and returns the number of rows.
    std::int16_t Open(const std::string& path);

    // The number of rows, by the count statement; OverflowError beyond base::kMostRows.
    std::int16_t Count();
    // The number of rows, when another program changed the file since the last look (the
    // table's definition is checked again first); nothing when none did.
    std::optional<std::int16_t> CountIfChangedElsewhere();

    // All rows in the order they were stored, positioned on the first (the list statement).
    std::unique_ptr<Recordset> List();
    // The rows in table order, read again when this or another program changed the table.
    const rules::StoredRows& Rows();
    // The same, as of the look for other programs' changes that CountIfChangedElsewhere just
    // made: a command looks at the file once.
    const rules::StoredRows& RowsAsOfLastLook();
    // The rows as Rows() last read them, without asking whether the table changed since.
    const rules::StoredRows& RowsAsLastRead() const { return mRows; }

    // Stores `row` as it is (the insert statement, the text bound as its parameter) in a table
    // of `rowsBefore` rows. Throws OverflowError, storing nothing, when the table is full or the
    // row longer than base::kLongestRow; a failure of the insert itself is in the result.
    WriteResult Insert(std::string_view row, std::int16_t rowsBefore);
    // Stores `count` rows, made one at a time by `makeRow`, in one transaction with one sync into
    // a table of `rowsBefore` rows. After a failure the rows made before it are kept: committed,
    // or, when SQLite dropped the whole transaction and the file verifiably holds none of them,
    // stored once more.
    WriteResult InsertBatch(std::int16_t count, std::int16_t rowsBefore,
                            const std::function<std::string()>& makeRow);
    WriteResult DeleteAll();

  private:
    // Throws the OverflowError for a row that cannot be stored in a table of `rowsBefore` rows.
    static void CheckRoomFor(std::string_view row, std::int16_t rowsBefore);
    // Whether the table holds `rows` rows, `row` the last.
    bool HoldsLast(std::string_view row, std::int16_t rows) noexcept;
    // Where the table ends, before a batch.
    std::int64_t LastId();
    // How many rows of the batch `made` the table holds after a failure, from the first;
    // nothing when the file cannot be read.
    std::optional<std::size_t> KeepRowsMadeBefore(const std::vector<std::string>& made) noexcept;
    // The rows stored after the row `id`, in stored order; nothing when the file cannot be read.
    std::optional<std::vector<std::string>> RowsAfter(std::int64_t id) noexcept;
    // The rows, read again unless they were read at the same stamp of other programs' changes
    // and of this connection's own.
    const rules::StoredRows& RowsAsOf(std::uint64_t otherProgramsStamp);

    Connection& mConnection;
    rules::StoredRows mRows;
    // Other programs' and this connection's changes as of the last read of mRows that succeeded.
    std::optional<std::pair<std::uint64_t, std::uint64_t>> mRowsStamp;
    std::uint64_t mOtherProgramsStamp = 0;  // as of the last count
    std::uint64_t mLookedStamp = 0;         // as of the last look
    std::int64_t mLastIdBeforeBatch = 0;
};

}  // namespace store
