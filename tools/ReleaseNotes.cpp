#include "tools/ReleaseNotes.h"

#include <chrono>
#include <cstdio>
#include <sstream>
#include <stdexcept>

namespace release_notes {
namespace {

[[noreturn]] void Refuse(const std::string& line) {
    throw std::runtime_error("CHANGELOG.md: \"" + line +
                             "\" is no version heading \"## 1.2.3 (YYYY-MM-DD HH:MM)\"");
}

// A heading with a date that is one, and a time of day that is one.
Release ReadHeading(const std::string& line) {
    Release release;
    char version[64] = {};
    int end = -1;  // where the closing parenthesis ends, when the line gets that far
    if (std::sscanf(line.c_str(), "## %63s (%d-%u-%u %u:%u)%n", version, &release.year,
                    &release.month, &release.day, &release.hour, &release.minute, &end) != 6 ||
        end != static_cast<int>(line.size())) {
        Refuse(line);
    }
    using namespace std::chrono;
    const year_month_day date{year{release.year}, month{release.month}, day{release.day}};
    if (!date.ok() || release.hour > 23 || release.minute > 59) Refuse(line);
    release.version = version;
    return release;
}

std::string DebianDate(const Release& release) {
    using namespace std::chrono;
    const year_month_day date{year{release.year}, month{release.month}, day{release.day}};
    static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char text[64];
    std::snprintf(text, sizeof text, "%s, %02u %s %04d %02u:%02u:00 +0000",
                  kDays[weekday{sys_days{date}}.c_encoding()], release.day,
                  kMonths[release.month - 1], release.year, release.hour, release.minute);
    return text;
}

std::string Escaped(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        if (c == '&') {
            escaped += "&amp;";
        } else if (c == '<') {
            escaped += "&lt;";
        } else if (c == '>') {
            escaped += "&gt;";
        } else {
            escaped += c;
        }
    }
    return escaped;
}

}  // namespace

std::vector<Release> ReadReleases(std::string_view changelog) {
    std::vector<Release> releases;
    std::istringstream lines{std::string(changelog)};
    std::string line;
    while (std::getline(lines, line)) {
        if (line.starts_with("## ")) {
            releases.push_back(ReadHeading(line));
        } else if (!releases.empty() && line.starts_with("- ")) {
            releases.back().entries.push_back({line.substr(2)});
        } else if (!releases.empty() && line.starts_with("  ") &&
                   !releases.back().entries.empty()) {
            releases.back().entries.back().push_back(line.substr(2));
        }
    }
    if (releases.empty()) throw std::runtime_error("CHANGELOG.md holds no version");
    return releases;
}

void RequireNewest(const std::vector<Release>& releases, std::string_view version) {
    if (releases.empty() || releases.front().version != version) {
        throw std::runtime_error("CHANGELOG.md must begin with \"## " + std::string(version) +
                                 " (YYYY-MM-DD HH:MM)\"");
    }
}

std::string DebianChangelog(const std::vector<Release>& releases) {
    std::string text;
    for (const Release& release : releases) {
        text += "varedadav (" + release.version + ") unstable; urgency=medium\n\n";
        for (const auto& entry : release.entries) {
            for (std::size_t i = 0; i < entry.size(); ++i) {
                text += (i == 0 ? "  * " : "    ") + entry[i] + "\n";
            }
        }
        text +=
            "\n -- Varedadav developers <dev@varedadav.example>  " + DebianDate(release) + "\n\n";
    }
    text.pop_back();
    return text;
}

std::string AppStreamReleases(const std::vector<Release>& releases) {
    std::string text;
    for (const Release& release : releases) {
        char date[32];
        std::snprintf(date, sizeof date, "%04d-%02u-%02uT%02u:%02u:00Z", release.year,
                      release.month, release.day, release.hour, release.minute);
        text += "    <release version=\"" + release.version + "\" date=\"" + date + "\">\n" +
                "      <description>\n        <ul>\n";
        for (const auto& entry : release.entries) {
            std::string joined;
            for (const std::string& part : entry) joined += (joined.empty() ? "" : " ") + part;
            text += "          <li>" + Escaped(joined) + "</li>\n";
        }
        text += "        </ul>\n      </description>\n    </release>\n";
    }
    return text;
}

std::string ManualPageDate(const std::vector<Release>& releases) {
    const Release& newest = releases.front();
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02u-%02u", newest.year, newest.month, newest.day);
    return date;
}

}  // namespace release_notes
