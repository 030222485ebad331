#include "store/sqlite/FileCheck.h"

#include <string_view>
#include <vector>

#include "base/AsciiText.h"
#include "base/Errors.h"
#include "base/Limits.h"
#include "rules/Stake.h"
#include "store/sqlite/FileText.h"

namespace store {
namespace {

// Stands for a quoted name or string among the words: no keyword or name is spelt so.
constexpr std::string_view kQuotedWord = "\x01quoted";

// The words of an SQL text as SQLite reads them, lower case: comments and white space only
// separate words, and a quoted name or string is one word that is no keyword.
std::vector<std::string> Words(std::string_view sql) {
    std::vector<std::string> words;
    std::string word;
    const auto endWord = [&] {
        if (!word.empty()) words.push_back(base::LowerAscii(word));
        word.clear();
    };
    for (std::size_t i = 0; i < sql.size();) {
        const char c = sql[i];
        const std::string_view rest = sql.substr(i);
        if (rest.starts_with("--") || rest.starts_with("/*")) {
            endWord();
            const bool line = rest.starts_with("--");
            const std::size_t end = sql.find(line ? "\n" : "*/", i + 2);
            i = end == std::string_view::npos ? sql.size() : end + (line ? 1 : 2);
        } else if (c == '\'' || c == '"' || c == '`' || c == '[') {
            endWord();
            // A quote inside is doubled, which reads as two quoted parts in a row: no keyword.
            const std::size_t end = sql.find(c == '[' ? ']' : c, i + 1);
            i = end == std::string_view::npos ? sql.size() : end + 1;
            words.emplace_back(kQuotedWord);
        } else if (base::IsAsciiLetterOrDigit(c) || c == '_' || c == '$' ||
                   static_cast<unsigned char>(c) >= 0x80) {
            word += c;
            ++i;
        } else {
            endWord();
            if (c != ' ' && c != '\t' && c != '\n' && c != '\r' && c != '\f') {
                words.emplace_back(1, c);
            }
            ++i;
        }
    }
    endWord();
    return words;
}

// True iff the table definition `sql` has a conflict clause ("ON CONFLICT …") in any spelling
// SQLite accepts: any case, with comments and line breaks between the two words.
bool HasConflictClause(std::string_view sql) {
    const std::vector<std::string> words = Words(sql);
    for (std::size_t i = 0; i + 1 < words.size(); ++i) {
        if (words[i] == "on" && words[i + 1] == "conflict") return true;
    }
    return false;
}

[[noreturn]] void Refuse(const std::string& reason) {
    throw base::DatabaseError("Datenbankfehler: Die Tabelle tblLotterySeries " + reason +
                              " Das Programm arbeitet nur mit einer Tabelle, in der jede "
                              "Anweisung genau das tut, was sie sagt. Bitte die Tabelle mit "
                              "sqlite3 so ändern oder die Zahlenreihen in eine leere Lotto.mdb "
                              "übernehmen.");
}

// SQLite's affinity rules for a declared column type: only TEXT and BLOB affinity keep a text
// such as "07" or "1e5" as it was given.
bool KeepsTextAsGiven(const std::string& declaredType) {
    const std::string type = base::LowerAscii(declaredType);
    const auto has = [&](std::string_view part) { return type.find(part) != std::string::npos; };
    if (has("int")) return false;
    return has("char") || has("clob") || has("text") || has("blob") || type.empty();
}

void CheckColumns(Connection& connection) {
    bool idIsRowNumber = false;
    bool listKeepsText = false;
    int keyColumns = 0;
    std::unique_ptr<Recordset> columns = connection.Execute("pragma table_info(tblLotterySeries)");
    for (; !columns->Eof(); columns->MoveNext()) {
        const std::string name = base::LowerAscii(columns->Field("name").Text());
        const std::string type = columns->Field("type").Text();
        const bool key = columns->Field("pk").Text() != "0";
        keyColumns += key ? 1 : 0;
        if (name == "lotteryseriesid") idIsRowNumber = key && base::LowerAscii(type) == "integer";
        if (name == "ballnumberlist") listKeepsText = KeepsTextAsGiven(type);
    }
    columns->Close();
    if (!idIsRowNumber || keyColumns != 1) {
        Refuse(
            "hat keine Spalte LotterySeriesID als „INTEGER PRIMARY KEY“, die neue Zahlenreihen "
            "in der Reihenfolge ihres Speicherns numeriert.");
    }
    if (!listKeepsText) {
        Refuse(
            "speichert in der Spalte BallNumberList nicht jeden Text so, wie er ist (der "
            "Spaltentyp muss TEXT sein).");
    }
}

}  // namespace

void CheckRowTable(Connection& connection) {
    std::string kind;  // table, view, virtual or shadow; empty when not in the main schema
    bool withoutRowid = false;
    try {
        connection.Execute("select LotterySeriesID, BallNumberList from tblLotterySeries where 0");
        std::unique_ptr<Recordset> listed =
            connection.Execute("pragma main.table_list(tblLotterySeries)");
        if (!listed->Eof()) {
            kind = listed->Field("type").Text();
            withoutRowid = listed->Field("wr").Text() != "0";
        }
        listed->Close();
    } catch (const base::DatabaseError& error) {
        // Only a statement SQLite rejects says that the table is not there; a disk that fails
        // to read it, say, does not.
        if (error.cause() != base::DatabaseError::Cause::Rejected) throw;
        throw base::DatabaseError(
            "Datenbankfehler: Die Tabelle tblLotterySeries mit den Spalten LotterySeriesID und "
            "BallNumberList fehlt in der Datenbank. (" +
            std::string(error.what()) + ")");
    }
    if (kind != "table") {
        Refuse("ist keine gewöhnliche Tabelle, sondern " +
               (kind.empty() ? std::string("etwas anderes") : "vom Typ " + QuotedFileText(kind)) +
               ".");
    }
    if (withoutRowid) Refuse("ist eine Tabelle „WITHOUT ROWID“.");
    CheckColumns(connection);

    const std::vector<std::string> triggers = ColumnTexts(
        connection,
        "select name from sqlite_schema where type = 'trigger' and tbl_name = 'tblLotterySeries' "
        "collate nocase order by name",
        "name");
    if (!triggers.empty()) {
        // Names from the file, quoted and cut short; a few are enough to find them.
        constexpr std::size_t kMostNamed = 3;
        std::string names;
        for (std::size_t i = 0; i < triggers.size() && i < kMostNamed; ++i)
            names += (i == 0 ? "" : ", ") + QuotedFileText(triggers[i]);
        if (triggers.size() > kMostNamed)
            names += " und " + std::to_string(triggers.size() - kMostNamed) + " weitere";
        Refuse("hat Trigger, die beim Speichern oder Löschen mehr tun würden: " + names + ".");
    }
    // A conflict clause in the table's definition can make an insert replace or skip rows.
    for (const std::string& definition :
         ColumnTexts(connection,
                     "select sql from sqlite_schema where type = 'table' and name = "
                     "'tblLotterySeries' collate nocase",
                     "sql")) {
        if (HasConflictClause(definition)) {
            Refuse(
                "hat eine ON-CONFLICT-Klausel, mit der das Speichern Zeilen ersetzen oder "
                "auslassen kann.");
        }
    }
}

void CheckLottoFile(Connection& connection, const std::string& path) {
    // SQLite's own findings name pages and cells; reading may also fail outright.
    std::string finding;
    try {
        finding = connection.QuickCheck();
    } catch (const base::DatabaseError& failure) {
        // A lock or a lack of memory is no damage: its own message says what it is.
        if (failure.cause() != base::DatabaseError::Cause::Damage) throw;
        finding = "nicht lesbar";
    }
    if (finding != kSoundFinding) {
        throw base::DatabaseError("Datenbankfehler: Die Datenbankdatei " + path +
                                  " ist beschädigt (" + finding +
                                  "). Das Programm schreibt nicht in eine beschädigte Datei. " +
                                  std::string(kRescueHint));
    }
    CheckRowTable(connection);

    std::unique_ptr<Recordset> tooLong;
    try {
        tooLong = connection.Execute(
            "select LotterySeriesID, length(cast(BallNumberList as blob)) as Bytes from "
            "tblLotterySeries where length(cast(BallNumberList as blob)) > " +
            std::to_string(base::kLongestRow) + " order by LotterySeriesID limit 1");
    } catch (const base::DatabaseError& failure) {
        if (failure.cause() != base::DatabaseError::Cause::TooBig) throw;
        throw base::DatabaseError("Datenbankfehler: Eine Zahlenreihe ist länger als " +
                                  std::to_string(base::kLongestValueLoaded) +
                                  " Bytes; eine Zahlenreihe darf höchstens " +
                                  std::to_string(base::kLongestRow) + " Bytes lang sein.");
    }
    if (tooLong->Eof()) return;
    const std::string id = tooLong->Field("LotterySeriesID").Text();
    const auto bytes = static_cast<std::int64_t>(tooLong->Field("Bytes").Number());
    tooLong->Close();
    std::unique_ptr<Recordset> position = connection.Execute(
        "select count(*) as Ordinal from tblLotterySeries where LotterySeriesID <= " + id);
    const auto ordinal = static_cast<std::int64_t>(position->Field("Ordinal").Number());
    position->Close();
    rules::ThrowRowTooLong(ordinal, bytes);
}

}  // namespace store
