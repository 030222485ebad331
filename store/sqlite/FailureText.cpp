#include "store/sqlite/FailureText.h"

#include <sqlite3.h>

#include "store/platform/SystemError.h"
#include "store/sqlite/FileText.h"

namespace store {
namespace {

constexpr std::string_view kFileSlot = "{file}";
constexpr std::string_view kReasonSlot = " ({reason})";

// `sentence` with its slots filled in one pass, so that a path which happens to hold "{file}"
// stays as it is.
std::string Filled(std::string_view sentence, std::string_view file, std::string_view reason = {}) {
    std::string filled;
    while (!sentence.empty()) {
        if (sentence.starts_with(kFileSlot)) {
            filled += file;
            sentence.remove_prefix(kFileSlot.size());
        } else if (sentence.starts_with(kReasonSlot)) {
            if (!reason.empty()) filled += " (" + std::string(reason) + ")";
            sentence.remove_prefix(kReasonSlot.size());
        } else {
            filled += sentence.front();
            sentence.remove_prefix(1);
        }
    }
    return filled;
}

std::string WithSqliteDetail(const std::string& message, std::string_view detail) {
    return message + " (SQLite: " + QuotedFileText(detail) + ")";
}

std::string_view SentenceFor(int resultCode) {
    switch (resultCode & 0xff) {
        case SQLITE_READONLY:
            return "Die Datenbank ist schreibgeschützt.";
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return "Die Datenbank ist von einem anderen Programm gesperrt.";
        case SQLITE_FULL:
            return "Der Datenträger ist voll.";
        case SQLITE_NOTADB:
            return "Die Datei ist keine Datenbank.";
        case SQLITE_CORRUPT:
            return "Die Datenbankdatei ist beschädigt.";
        case SQLITE_CANTOPEN:
            return "Die Datenbankdatei kann nicht geöffnet werden.";
        case SQLITE_IOERR:
            return "Die Datenbankdatei kann nicht gelesen oder geschrieben werden.";
        case SQLITE_PERM:
        case SQLITE_AUTH:
            return "Der Zugriff auf die Datenbank ist nicht erlaubt.";
        case SQLITE_NOMEM:
            return "Für die Datenbank ist nicht genug Speicher frei.";
        case SQLITE_CONSTRAINT:
            return "Die Datenbank hat die Daten abgelehnt.";
        case SQLITE_TOOBIG:
            return "Ein Wert in der Datenbank ist zu groß, um ihn zu lesen.";
        default:
            return "Die Datenbank hat die Anweisung abgelehnt.";
    }
}

// What failed, in the words for an ordinary failure and for a full disk. An open for writing
// that ended in one for reading is said as any failed open.
struct CallSentences {
    FileRole role;
    FileCall call;
    std::string_view failed;
    std::string_view onFullDisk;
};

constexpr CallSentences kCallSentences[] = {
    {FileRole::Database, FileCall::Open,
     "Die Datenbankdatei „{file}“ konnte nicht geöffnet werden ({reason}).",
     "Der Datenträger ist voll: die Datenbankdatei „{file}“ konnte nicht geöffnet werden."},
    {FileRole::Database, FileCall::Read,
     "Die Datenbankdatei „{file}“ konnte nicht gelesen werden ({reason}).",
     "Der Datenträger ist voll: die Datenbankdatei „{file}“ konnte nicht gelesen werden."},
    {FileRole::Database, FileCall::Write,
     "Die Datenbankdatei „{file}“ konnte nicht geschrieben werden ({reason}).",
     "Der Datenträger ist voll: die Datenbankdatei „{file}“ konnte nicht geschrieben werden."},
    {FileRole::Database, FileCall::Sync,
     "Die Datenbankdatei „{file}“ konnte nicht auf den Datenträger geschrieben werden ({reason}).",
     "Der Datenträger ist voll: die Datenbankdatei „{file}“ konnte nicht auf den Datenträger "
     "geschrieben werden."},
    {FileRole::Database, FileCall::Truncate,
     "Die Datenbankdatei „{file}“ konnte nicht gekürzt werden ({reason}).",
     "Der Datenträger ist voll: die Datenbankdatei „{file}“ konnte nicht gekürzt werden."},
    {FileRole::Database, FileCall::Lock,
     "Die Datenbankdatei „{file}“ konnte nicht gesperrt oder freigegeben werden ({reason}).",
     "Der Datenträger ist voll: die Datenbankdatei „{file}“ konnte nicht gesperrt oder "
     "freigegeben werden."},
    {FileRole::Database, FileCall::Delete,
     "Die Datenbankdatei „{file}“ konnte nicht gelöscht werden ({reason}).",
     "Der Datenträger ist voll: die Datenbankdatei „{file}“ konnte nicht gelöscht werden."},

    {FileRole::Journal, FileCall::Open,
     "Die Journaldatei „{file}“ konnte nicht angelegt oder geöffnet werden ({reason}).",
     "Der Datenträger ist voll: die Journaldatei „{file}“ konnte nicht angelegt oder geöffnet "
     "werden."},
    {FileRole::Journal, FileCall::Read,
     "Die Journaldatei „{file}“ konnte nicht gelesen werden ({reason}).",
     "Der Datenträger ist voll: die Journaldatei „{file}“ konnte nicht gelesen werden."},
    {FileRole::Journal, FileCall::Write,
     "Die Journaldatei „{file}“ konnte nicht geschrieben werden ({reason}).",
     "Der Datenträger ist voll: die Journaldatei „{file}“ konnte nicht geschrieben werden."},
    {FileRole::Journal, FileCall::Sync,
     "Die Journaldatei „{file}“ konnte nicht auf den Datenträger geschrieben werden ({reason}).",
     "Der Datenträger ist voll: die Journaldatei „{file}“ konnte nicht auf den Datenträger "
     "geschrieben werden."},
    {FileRole::Journal, FileCall::Truncate,
     "Die Journaldatei „{file}“ konnte nicht gekürzt werden ({reason}).",
     "Der Datenträger ist voll: die Journaldatei „{file}“ konnte nicht gekürzt werden."},
    {FileRole::Journal, FileCall::Lock,
     "Die Journaldatei „{file}“ konnte nicht gesperrt oder freigegeben werden ({reason}).",
     "Der Datenträger ist voll: die Journaldatei „{file}“ konnte nicht gesperrt oder freigegeben "
     "werden."},
    {FileRole::Journal, FileCall::Delete,
     "Die Journaldatei „{file}“ konnte nicht gelöscht werden ({reason}).",
     "Der Datenträger ist voll: die Journaldatei „{file}“ konnte nicht gelöscht werden."},

    {FileRole::Other, FileCall::Open, "Die Datei „{file}“ konnte nicht geöffnet werden ({reason}).",
     "Der Datenträger ist voll: die Datei „{file}“ konnte nicht geöffnet werden."},
    {FileRole::Other, FileCall::Read, "Die Datei „{file}“ konnte nicht gelesen werden ({reason}).",
     "Der Datenträger ist voll: die Datei „{file}“ konnte nicht gelesen werden."},
    {FileRole::Other, FileCall::Write,
     "Die Datei „{file}“ konnte nicht geschrieben werden ({reason}).",
     "Der Datenträger ist voll: die Datei „{file}“ konnte nicht geschrieben werden."},
    {FileRole::Other, FileCall::Sync,
     "Die Datei „{file}“ konnte nicht auf den Datenträger geschrieben werden ({reason}).",
     "Der Datenträger ist voll: die Datei „{file}“ konnte nicht auf den Datenträger geschrieben "
     "werden."},
    {FileRole::Other, FileCall::Truncate,
     "Die Datei „{file}“ konnte nicht gekürzt werden ({reason}).",
     "Der Datenträger ist voll: die Datei „{file}“ konnte nicht gekürzt werden."},
    {FileRole::Other, FileCall::Lock,
     "Die Datei „{file}“ konnte nicht gesperrt oder freigegeben werden ({reason}).",
     "Der Datenträger ist voll: die Datei „{file}“ konnte nicht gesperrt oder freigegeben werden."},
    {FileRole::Other, FileCall::Delete,
     "Die Datei „{file}“ konnte nicht gelöscht werden ({reason}).",
     "Der Datenträger ist voll: die Datei „{file}“ konnte nicht gelöscht werden."},
};

// What a user can do about a read the disk refused, after the sentence that names the file.
constexpr std::string_view kAfterFailedRead =
    " Der Lesefehler hat nichts an ihr verändert. Bitte es gleich noch einmal versuchen; bleibt "
    "der Fehler, den Datenträger prüfen (ist etwa der USB-Stick oder das Netzlaufwerk noch "
    "verbunden?).";

std::string FailedCallSentence(int resultCode, const FileFailure& failure) {
    const FileCall call = failure.call == FileCall::OpenForWriting ? FileCall::Open : failure.call;
    for (const CallSentences& sentences : kCallSentences) {
        if (sentences.role != failure.role || sentences.call != call) continue;
        if ((resultCode & 0xff) == SQLITE_FULL || MeansDiskFull(failure.systemCode)) {
            return Filled(sentences.onFullDisk, failure.path);
        }
        const std::string sentence =
            Filled(sentences.failed, failure.path, SystemReason(failure.systemCode));
        return call == FileCall::Read ? sentence + std::string(kAfterFailedRead) : sentence;
    }
    return Filled("Die Datei „{file}“ konnte nicht verwendet werden ({reason}).", failure.path,
                  SystemReason(failure.systemCode));
}

std::string ReadOnlySentence(const std::string& path, const std::string& reason) {
    return Filled(
        "Die Datenbankdatei „{file}“ ließ sich nur zum Lesen öffnen, nicht zum "
        "Schreiben ({reason}).",
        path, reason);
}

}  // namespace

std::string MissingFieldMessage(std::string_view field) {
    return "Datenbankfehler: Das Feld „" + std::string(field) + "“ fehlt im Abfrageergebnis.";
}

std::string DescribeSqliteError(int resultCode, std::string_view detail, std::string_view file) {
    // SQLite's words may hold names from the file (a constraint, a schema object): quoted.
    std::string about = file.empty() ? "" : "„" + std::string(file) + "“; ";
    return "Datenbankfehler: " + std::string(SentenceFor(resultCode)) + " (" + about +
           "SQLite: " + QuotedFileText(detail) + ")";
}

std::string FailedCallMessage(int resultCode, const FileFailure& failure, std::string_view detail) {
    return WithSqliteDetail("Datenbankfehler: " + FailedCallSentence(resultCode, failure), detail);
}

std::string FailedLookMessage(const std::string& path, int systemCode) {
    const FileFailure failure{FileCall::Read, FileRole::Database, path, SQLITE_IOERR_FSTAT,
                              systemCode};
    return "Datenbankfehler: " + FailedCallSentence(SQLITE_IOERR, failure);
}

std::string ReplacedFileMessage(const std::string& path) {
    return Filled(
        "Datenbankfehler: Die Datenbankdatei {file} wurde gelöscht oder ersetzt. Bitte "
        "das Programm neu starten.",
        path);
}

std::string DamagedFileMessage(const std::string& path) {
    return Filled(
               "Datenbankfehler: Die Datenbankdatei {file} ist beschädigt. Damit nichts "
               "verloren geht, schreibt das Programm nicht mehr hinein. ",
               path) +
           std::string(kRescueHint);
}

std::string UnreadablePageMessage(const std::string& path, bool checkedSound,
                                  std::string_view detail) {
    const std::string_view sentence =
        checkedSound ? "Datenbankfehler: Die Datenbankdatei {file} konnte nicht gelesen werden; "
                       "die Prüfung danach fand sie unbeschädigt. Bitte es noch einmal versuchen."
                     : "Datenbankfehler: Die Datenbankdatei {file} konnte nicht gelesen werden; ob "
                       "sie beschädigt ist, ließ sich nicht prüfen. Bitte es noch einmal "
                       "versuchen.";
    return WithSqliteDetail(Filled(sentence, path), detail);
}

std::string ReadOnlyNotice(const std::string& path, const std::string& reason) {
    return ReadOnlySentence(path, reason) +
           " Zahlenreihen lassen sich auswerten und auflisten, aber nicht speichern oder löschen. "
           "Bitte das beheben und das Programm neu starten.";
}

std::string ReadOnlyRefusalMessage(const std::string& path, const std::string& reason) {
    return "Datenbankfehler: " + ReadOnlySentence(path, reason) +
           " Gespeichert oder gelöscht wurde nichts. Bitte das beheben und das Programm neu "
           "starten.";
}

}  // namespace store
