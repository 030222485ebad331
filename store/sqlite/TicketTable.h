#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rules/RandomDraw.h"
#include "store/sqlite/Connection.h"
#include "store/sqlite/SeriesCache.h"

namespace store {

// tblLotterySeries of an open Lotto.mdb, and everything the program does with it: the check at
// start, the four statements, the transaction of a batch and the rows kept after a failed one,
// the count after another program's change, the rows in memory and their winner tables. Counts
// are returned, never kept: the window's mSeriesCount is the count.
class TicketTable {
  public:
    // Works through `connection`, which stays open while the table is used.
    explicit TicketTable(Connection& connection) : mConnection(connection) {}

    // Checks the file at `path` (CheckTicketFile) and returns the number of rows.
    std::int16_t Open(const std::string& path);

    // The number of rows, by the count statement; OverflowError beyond base::kMostRows.
    std::int16_t Count();
    // The number of rows, when another program changed the file since the last look (the
    // table's definition is checked again first); nothing when none did.
    std::optional<std::int16_t> CountIfChangedElsewhere();

    // All rows in the order they were stored, positioned on the first (the list statement).
    std::unique_ptr<Recordset> List();
    // Stores `row` as it is (the insert statement, the text bound as its parameter).
    void Insert(std::string_view row);
    // Whether the table holds `rows` rows, `row` the last: an insert that reported a failure
    // may have been committed before it (an unlock after the commit that fails).
    bool HoldsLast(std::string_view row, std::int16_t rows) noexcept;
    void DeleteAll();

    // A batch: BeginBatch opens a transaction and notes where the table ends, CommitBatch
    // writes its rows with one sync. After a failure, KeepRowsMadeBefore commits the rows made
    // so far, or, when SQLite dropped the whole transaction (a full disk makes it) and the file
    // verifiably holds none of them, stores them once more; it returns how many rows of the
    // batch the table holds (in the order made, from the first), nothing when the file cannot
    // be read.
    void BeginBatch();
    void CommitBatch();
    std::optional<std::size_t> KeepRowsMadeBefore(const std::vector<std::string>& made) noexcept;

    // The rows in table order, read again when this or another program changed the table.
    const SeriesCache& Rows();
    // What `draw` won over the rows as Rows() last read them, without looking at each row:
    // from the winner tables, and by the text rule for the rows they cannot describe. Nothing
    // when the draw must be evaluated in full instead: more rows than a count holds, or a win
    // beyond 32 bits, which the evaluation reports as it fails.
    std::optional<std::int32_t> WonBy(const rules::SimulatedDraw& draw);

  private:
    // The rows stored after the row `id`, in stored order; nothing when the file cannot be read.
    std::optional<std::vector<std::string>> RowsAfter(std::int64_t id) noexcept;

    Connection& mConnection;
    SeriesCache mCache;
    std::uint64_t mOtherProgramsStamp = 0;  // as of the last count
    std::int64_t mLastIdBeforeBatch = 0;
};

}  // namespace store
