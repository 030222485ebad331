#pragma once

#include <string>

#include "rules/Errors.h"

namespace store {

// A user's own database that could not be laid or opened: what failed, why, and what to do.
[[noreturn]] inline void FailOwnDatabase(const std::string& what, const std::string& reason) {
    throw rules::DatabaseError("Datenbankfehler: " + what + " (" + reason +
                               "). Bitte das beheben und das Programm neu starten.");
}

}  // namespace store
