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

// The user's folder for temporary files, in its long form and without a closing separator: there
// Windows' Explorer runs a program started from inside a zip archive, alone, without the files
// beside it. Empty on Debian, where nothing starts a program that way.
std::string TemporaryFolder();

// True iff `path` is `folder` or lies inside it, its names compared as the file system compares
// them (on Windows regardless of case). Only the names are compared; nothing is looked up.
bool LiesIn(std::string_view path, std::string_view folder);

}  // namespace store
