#pragma once

#include <string>
#include <string_view>

#include "store/sqlite/Connection.h"

// Checks of a Lotto.mdb that may come from anywhere, before the program works with it.
namespace store {

// Throws DatabaseError, naming the table and its columns, unless tblLotterySeries is a table
// (not a view) with the columns LotterySeriesID, its integer primary key, which numbers new rows
// in the order they are stored, and BallNumberList, which keeps any text as given; and unless
// nothing in the schema makes the program's statements do more or less than they say: no
// trigger on the table and no ON CONFLICT clause that drops or replaces rows. Reads no row.
void CheckRowTable(Connection& connection);

// Everything CheckRowTable checks, and first that the file at `path` is sound (SQLite's quick
// check; the program never writes to a damaged file), then that no row is longer than
// base::kLongestRow. Reads every row once.
void CheckLottoFile(Connection& connection, const std::string& path);

}  // namespace store
