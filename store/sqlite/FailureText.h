#pragma once

#include <string>
#include <string_view>

#include "store/sqlite/FailureNote.h"

// The words the store gives the user when a statement or a call of the system fails, each
// sentence written whole, so that a search for the words of a message finds them here. In the
// sentences "{file}" stands for a file's path, and " ({reason})" for the system's reason in
// parentheses, left out when the system gave none.
namespace store {

inline constexpr std::string_view kConnectionNotOpen =
    "Datenbankfehler: Die Verbindung ist nicht offen.";
inline constexpr std::string_view kConnectionAlreadyOpen =
    "Datenbankfehler: Die Verbindung ist bereits offen.";
inline constexpr std::string_view kNoNextRecord =
    "Datenbankfehler: Es gibt keinen weiteren Datensatz.";
inline constexpr std::string_view kNoCurrentRecord =
    "Datenbankfehler: Es gibt keinen aktuellen Datensatz.";
inline constexpr std::string_view kNotOneStatement =
    "Datenbankfehler: Die Anweisung muss genau eine SQL-Anweisung sein.";
inline constexpr std::string_view kNotOneStatementWithParameter =
    "Datenbankfehler: Die Anweisung muss genau eine SQL-Anweisung mit einem Parameter sein.";

std::string MissingFieldMessage(std::string_view field);

// A German sentence for an SQLite result code, followed by the file it concerns, if given, and
// SQLite's own detail, quoted.
std::string DescribeSqliteError(int resultCode, std::string_view detail,
                                std::string_view file = {});

// The call the system failed, for a `resultCode` it explains, with SQLite's detail, quoted.
std::string FailedCallMessage(int resultCode, const FileFailure& failure, std::string_view detail);
// A look at the database file at `path` that the system failed, told as the read error it is.
std::string FailedLookMessage(const std::string& path, int systemCode);

std::string ReplacedFileMessage(const std::string& path);
std::string DamagedFileMessage(const std::string& path);
// SQLite called a page damaged, and its quick check afterwards found the file sound
// (`checkedSound`) or could not run.
std::string UnreadablePageMessage(const std::string& path, bool checkedSound,
                                  std::string_view detail);

// For a database file opened for reading only, `reason` being the system's: the notice at start,
// and the message when a statement would have written.
std::string ReadOnlyNotice(const std::string& path, const std::string& reason);
std::string ReadOnlyRefusalMessage(const std::string& path, const std::string& reason);

}  // namespace store
