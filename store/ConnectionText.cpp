#include "store/ConnectionText.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>

#include "rules/Errors.h"

namespace store {
namespace {

constexpr std::array<std::string_view, 4> kKnownKeys = {"provider", "data source", "driver", "dbq"};

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return lower;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// The known key that `text` starts with (after blanks), followed by "=", if any.
std::optional<std::string_view> KeyAt(std::string_view text) {
    std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    std::string key = LowerAscii(TrimBlanks(text.substr(0, equals)));
    for (std::string_view known : kKnownKeys) {
        if (key == known) return known;
    }
    return std::nullopt;
}

[[noreturn]] void Reject(std::string_view connectionText, std::string_view reason) {
    throw rules::DatabaseError("Die Verbindungsangabe „" + std::string(connectionText) +
                               "“ ist ungültig: " + std::string(reason));
}

std::map<std::string_view, std::string> SplitPairs(std::string_view text) {
    std::map<std::string_view, std::string> pairs;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::optional<std::string_view> key = KeyAt(text.substr(pos));
        if (!key) Reject(text, "unbekannter Schlüssel.");
        if (pairs.count(*key) != 0) Reject(text, "ein Schlüssel steht doppelt.");
        std::size_t valueStart = text.find('=', pos) + 1;
        std::size_t valueEnd = text.size();
        std::size_t next = text.size();
        if (valueStart < text.size() && text[valueStart] == '{') {
            std::size_t close = text.find('}', valueStart);
            if (close == std::string_view::npos) Reject(text, "„{“ ohne „}“.");
            valueEnd = close + 1;
            std::size_t after = text.find_first_not_of(' ', valueEnd);
            if (after != std::string_view::npos && text[after] != ';') {
                Reject(text, "Zeichen nach „}“.");
            }
            next = after == std::string_view::npos ? text.size() : after + 1;
        } else {
            for (std::size_t semicolon = text.find(';', valueStart);
                 semicolon != std::string_view::npos; semicolon = text.find(';', semicolon + 1)) {
                if (semicolon + 1 == text.size() || KeyAt(text.substr(semicolon + 1))) {
                    valueEnd = semicolon;
                    next = semicolon + 1;
                    break;
                }
            }
        }
        pairs[*key] = std::string(text.substr(valueStart, valueEnd - valueStart));
        pos = next;
    }
    return pairs;
}

bool IsAccessDriverName(std::string_view braced) {
    return braced.size() >= 2 && LowerAscii(braced).find("*.mdb") != std::string::npos;
}

}  // namespace

std::string DatabasePathOf(std::string_view connectionText) {
    std::map<std::string_view, std::string> pairs = SplitPairs(connectionText);
    auto has = [&](std::string_view key) { return pairs.count(key) != 0; };
    std::string path;
    if (has("provider")) {
        std::string provider = LowerAscii(TrimBlanks(pairs["provider"]));
        if (provider != "microsoft.jet.oledb.4.0" && provider != "microsoft.jet.oledb.3.51") {
            Reject(connectionText, "unbekannter Datenbanktreiber.");
        }
        if (!has("data source") || has("driver") || has("dbq")) {
            Reject(connectionText, "„Data Source“ fehlt.");
        }
        path = pairs["data source"];
    } else if (has("driver")) {
        if (!IsAccessDriverName(pairs["driver"])) {
            Reject(connectionText, "unbekannter Datenbanktreiber.");
        }
        if (!has("dbq") || has("data source")) Reject(connectionText, "„Dbq“ fehlt.");
        path = pairs["dbq"];
    } else {
        Reject(connectionText, "kein Datenbanktreiber angegeben.");
    }
    if (path.empty()) Reject(connectionText, "keine Datenbankdatei angegeben.");
    return path;
}

}  // namespace store
