#pragma once

#include <string>
#include <string_view>

namespace store {

inline constexpr std::string_view kDatabaseFileName = "Lotto.mdb";

// The database beside the program: the folder, a separator and "Lotto.mdb". The separator is
// always appended; the folder is not examined.
std::string DatabasePath(std::string_view programFolder);

// True iff `path` names an ordinary file (a directory of that name does not count).
bool IsOrdinaryFile(const std::string& path);

}  // namespace store
