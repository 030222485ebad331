#pragma once

#include <string>
#include <string_view>

namespace store {

// Reads a connection text of one of the three forms the start-up probe builds:
//   "Provider=Microsoft.Jet.OLEDB.4.0; Data Source=<path>"
//   "Provider=Microsoft.Jet.OLEDB.3.51; Data Source=<path>"
//   "Driver={<name containing *.mdb>}; Dbq=<path>"
// Keys compare without regard to case; a path runs to the end of the text or to the next
// ";" that starts another known key, so paths may themselves contain ";".
// Returns the database path, or throws DatabaseError naming what is wrong.
std::string DatabasePathOf(std::string_view connectionText);

}  // namespace store
