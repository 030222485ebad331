#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace store {

// `text` with A to Z made lower case and every other byte as it was: names of keys, columns and
// registry paths compare without regard to case, whatever the user's locale.
inline std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return lower;
}

}  // namespace store
