#include "store/sqlite/FileText.h"

#include <utf8.h>

#include <cstdint>
#include <cstdio>
#include <iterator>

namespace store {
namespace {

// Characters that change how the text around them is shown without showing themselves: the
// C1 controls, soft hyphen, zero-width and direction marks, line and paragraph separators,
// direction embeddings, overrides and isolates, word joiners and the byte order mark.
bool IsInvisibleFormat(std::uint32_t c) {
    return (c >= 0x80 && c <= 0x9f) || c == 0xad || c == 0x61c || c == 0x180e ||
           (c >= 0x200b && c <= 0x200f) || (c >= 0x2028 && c <= 0x202e) ||
           (c >= 0x2060 && c <= 0x206f) || c == 0xfeff || (c >= 0xe0000 && c <= 0xe007f);
}

// The quotation marks the messages put around a file's text: inside it they could end the
// quotation early.
bool IsQuotationMark(std::uint32_t c) { return c == 0x201e || c == 0x201c || c == '"'; }

// Control and format characters as C-style escapes, which every font can show.
void AppendVisible(std::string& out, std::uint32_t c) {
    char escape[16] = "";
    switch (c) {
        case '\n':
            out += "\\n";
            return;
        case '\r':
            out += "\\r";
            return;
        case '\t':
            out += "\\t";
            return;
        case '\\':
            out += "\\\\";
            return;
    }
    if (c < 0x20 || c == 0x7f) {
        std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned>(c));
    } else if (IsInvisibleFormat(c) || IsQuotationMark(c)) {
        // Beyond the first plane, as \U with eight digits, so no digit after it can join it.
        std::snprintf(escape, sizeof escape, c > 0xffff ? "\\U%08X" : "\\u%04X",
                      static_cast<unsigned>(c));
    } else {
        utf8::append(static_cast<char32_t>(c), std::back_inserter(out));
        return;
    }
    out += escape;
}

}  // namespace

std::string QuotedFileText(std::string_view text, std::size_t mostCharacters) {
    const std::string valid = utf8::replace_invalid(std::string(text));
    std::string quoted = "„";
    auto next = valid.begin();
    for (std::size_t shown = 0; next != valid.end(); ++shown) {
        if (shown == mostCharacters) {
            quoted += "…";
            break;
        }
        AppendVisible(quoted, utf8::next(next, valid.end()));
    }
    return quoted + "“";
}

}  // namespace store
