#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace store {

// How the rows of a damaged file can be rescued, for the messages that say it is damaged.
inline constexpr std::string_view kRescueHint =
    "Die Zahlenreihen lassen sich mit SQLite in eine neue Datei retten: "
    "„sqlite3 Lotto.mdb .recover | sqlite3 Gerettet.mdb“.";

// How many characters of a name read from a database file a message shows.
inline constexpr std::size_t kMostFileTextCharacters = 40;

// A text read from a database file (a trigger, table or column name, a type, SQLite's message
// about them), ready to stand in one of the program's messages: between „ and “, at most
// `mostCharacters` characters and then "…", with line breaks, tabs, other control characters and
// the backslash written as C escapes (\n, \t, \x1B, \\), direction marks and other invisible
// format characters, and the quotation marks „ “ ", as \uXXXX (\UXXXXXXXX beyond the first
// plane), and bytes that are not UTF-8 as �. So a file can neither pass its words off as the
// program's nor stretch a message box beyond the screen.
std::string QuotedFileText(std::string_view text,
                           std::size_t mostCharacters = kMostFileTextCharacters);

}  // namespace store
