#include "store/platform/ConnectionText.h"

#include <optional>

#include "base/AsciiText.h"
#include "base/Errors.h"

namespace store {
namespace {

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

[[noreturn]] void Reject(std::string_view connectionText, std::string_view reason) {
    throw base::DatabaseError("Die Verbindungsangabe „" + std::string(connectionText) +
                              "“ ist ungültig: " + std::string(reason));
}

// "key=" at the start of `text`, the key without regard to case and with blanks around it;
// returns what follows the "=", untouched.
std::optional<std::string_view> AfterKey(std::string_view text, std::string_view key) {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos ||
        base::LowerAscii(TrimBlanks(text.substr(0, equals))) != key) {
        return std::nullopt;
    }
    return text.substr(equals + 1);
}

// The value of the first pair and the rest of the text after the ";" that ends it. A braced
// value ends at its "}".
struct FirstPair {
    std::string_view value;
    std::string_view rest;
};

std::optional<FirstPair> SplitFirstPair(std::string_view connectionText, std::string_view text) {
    std::size_t valueEnd = text.find(';');
    const std::size_t valueStart = text.find_first_not_of(' ');
    if (valueStart != std::string_view::npos && text[valueStart] == '{') {
        const std::size_t close = text.find('}');
        if (close == std::string_view::npos) Reject(connectionText, "„{“ ohne „}“.");
        valueEnd = text.find_first_not_of(' ', close + 1);
        if (valueEnd != std::string_view::npos && text[valueEnd] != ';') {
            Reject(connectionText, "Zeichen nach „}“.");
        }
    }
    if (valueEnd == std::string_view::npos) return FirstPair{text, {}};
    return FirstPair{text.substr(0, valueEnd), text.substr(valueEnd + 1)};
}

bool IsAccessDriverName(std::string_view braced) {
    return base::ContainsIgnoringAsciiCase(braced, "*.mdb");
}

}  // namespace

std::string DatabasePathOf(std::string_view connectionText) {
    std::string_view pathKey;
    std::optional<FirstPair> first;
    if (std::optional<std::string_view> provider = AfterKey(connectionText, "provider")) {
        first = SplitFirstPair(connectionText, *provider);
        const std::string name = base::LowerAscii(TrimBlanks(first->value));
        if (name != "microsoft.jet.oledb.4.0" && name != "microsoft.jet.oledb.3.51") {
            Reject(connectionText, "unbekannter Datenbanktreiber.");
        }
        pathKey = "data source";
    } else if (std::optional<std::string_view> driver = AfterKey(connectionText, "driver")) {
        first = SplitFirstPair(connectionText, *driver);
        if (!IsAccessDriverName(TrimBlanks(first->value))) {
            Reject(connectionText, "unbekannter Datenbanktreiber.");
        }
        pathKey = "dbq";
    } else {
        Reject(connectionText, "kein Datenbanktreiber angegeben.");
    }
    // The path is all the rest, as it stands: a folder name may hold any character, ";", "=",
    // braces, quotes and blanks at either end among them.
    std::optional<std::string_view> path = AfterKey(first->rest, pathKey);
    if (!path) {
        Reject(connectionText, pathKey == "dbq" ? "„Dbq“ fehlt." : "„Data Source“ fehlt.");
    }
    if (path->empty()) Reject(connectionText, "keine Datenbankdatei angegeben.");
    return std::string(*path);
}

}  // namespace store
