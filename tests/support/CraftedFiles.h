#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "tests/support/TempDatabase.h"

namespace testing_support {

// A Lotto.mdb made elsewhere, damaged or hostile: what another program does to a file of 13 rows
// the program made, and what the start check says of it.
struct CraftedFile {
    const char* name;
    std::string sql;             // run on the file of 13 rows
    const char* refusal;         // a part of the start's message, or nullptr when accepted
    std::size_t scrambleAt = 0;  // where to damage the file, if at all
};

const std::vector<CraftedFile>& CraftedFiles();

// Makes the file of `database`, which holds the 13 rows, into `file`.
void Craft(const TempDatabase& database, const CraftedFile& file);

// The bytes of the file at `path`.
std::string FileBytes(const std::string& path);

}  // namespace testing_support
