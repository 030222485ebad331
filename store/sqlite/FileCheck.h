#pragma once

#include <string>
#include <string_view>

#include "store/sqlite/Connection.h"

// Checks of a Lotto.mdb that may come from anywhere, before the program works with it.
namespace store {

// How the rows of a damaged file can be rescued, for the messages that say it is damaged.
inline constexpr std::string_view kRescueHint =
    "Die Zahlenreihen lassen sich mit SQLite in eine neue Datei retten: "
    "„sqlite3 Lotto.mdb .recover | sqlite3 Gerettet.mdb“.";

// Throws DatabaseError, naming the table and its columns, unless tblLotterySeries is a table
// (not a view) with the columns LotterySeriesID, its integer primary key, which numbers new rows
// in the order they are stored, and BallNumberList, which keeps any text as given; and unless
// nothing in the schema makes the program's statements do more or less than they say: no
// trigger on the table and no ON CONFLICT clause that drops or replaces rows. Reads no row.
void CheckTicketTable(Connection& connection);

// Everything CheckTicketTable checks, and first that the file at `path` is sound (SQLite's quick
// check; the program never writes to a damaged file), then that no row is longer than
// base::kLongestRow. Reads every row once.
void CheckTicketFile(Connection& connection, const std::string& path);

}  // namespace store
