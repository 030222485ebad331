#pragma once

#include <string>

#include "base/Errors.h"

namespace store {

// A user's own database that could not be laid or opened: what failed, why, and what to do.
[[noreturn]] inline void FailOwnDatabase(const std::string& what, const std::string& reason) {
    throw base::DatabaseError("Datenbankfehler: " + what + " (" + reason +
                              "). Bitte das beheben und das Programm neu starten.");
}

}  // namespace store
