#pragma once

#include <string>
#include <string_view>

namespace store {

// Reads a connection text of one of the three forms the start-up probe builds:
//   "Provider=Microsoft.Jet.OLEDB.4.0; Data Source=<path>"
//   "Provider=Microsoft.Jet.OLEDB.3.51; Data Source=<path>"
//   "Driver={<name containing *.mdb>}; Dbq=<path>"
// Keys compare without regard to case and may have blanks around them; the path is the whole
// rest of the text after "Data Source=" or "Dbq=", exactly as it stands, whatever characters
// it holds.
// Returns the database path, or throws DatabaseError naming what is wrong.
std::string DatabasePathOf(std::string_view connectionText);

}  // namespace store
