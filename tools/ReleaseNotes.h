#pragma once

#include <string>
#include <string_view>
#include <vector>

// CHANGELOG.md, read once for every document made from it. A version starts with a heading
// "## 1.2.3 (YYYY-MM-DD HH:MM)" (UTC); its entries are lines "- text", continued by lines
// indented with two blanks; everything before the first heading is ignored.
namespace release_notes {

struct Release {
    std::string version;
    int year = 0;
    unsigned month = 0, day = 0, hour = 0, minute = 0;
    std::vector<std::vector<std::string>> entries;  // each entry's lines, without the marks
};

// The releases of `changelog`, newest first as written. Throws std::runtime_error naming a
// heading that is not one of the form above with a real date and time, or when there is none.
std::vector<Release> ReadReleases(std::string_view changelog);

// Throws std::runtime_error unless the newest release is `version`.
void RequireNewest(const std::vector<Release>& releases, std::string_view version);

// The Debian changelog; the AppStream <release> elements; the newest release's date for the
// manual page, "YYYY-MM-DD".
std::string DebianChangelog(const std::vector<Release>& releases);
std::string AppStreamReleases(const std::vector<Release>& releases);
std::string ManualPageDate(const std::vector<Release>& releases);

}  // namespace release_notes
