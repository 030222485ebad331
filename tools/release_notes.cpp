// Turns CHANGELOG.md into the release notes the packages carry:
//   release_notes debian CHANGELOG.md OUTPUT                  the Debian changelog
//   release_notes appstream CHANGELOG.md TEMPLATE OUTPUT      the AppStream metadata, its
//                                                            @VAREDADAV_RELEASES@ replaced
// A version starts with "## 1.2.3 (YYYY-MM-DD HH:MM)", UTC; its entries are lines "- text",
// continued by lines indented with two blanks. Everything before the first version is ignored.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Release {
    std::string version;
    int year = 0;
    unsigned month = 0, day = 0, hour = 0, minute = 0;
    std::vector<std::vector<std::string>> entries;  // each entry's lines, without the marks
};

int Fail(const std::string& message) {
    std::fprintf(stderr, "release_notes: %s\n", message.c_str());
    return 1;
}

bool ReadReleases(const std::string& path, std::vector<Release>& releases) {
    std::ifstream file(path);
    if (!file) return false;
    std::string line;
    while (std::getline(file, line)) {
        Release release;
        char version[64] = {};
        if (std::sscanf(line.c_str(), "## %63s (%d-%u-%u %u:%u)", version, &release.year,
                        &release.month, &release.day, &release.hour, &release.minute) == 6) {
            release.version = version;
            releases.push_back(release);
        } else if (!releases.empty() && line.starts_with("- ")) {
            releases.back().entries.push_back({line.substr(2)});
        } else if (!releases.empty() && line.starts_with("  ") &&
                   !releases.back().entries.empty()) {
            releases.back().entries.back().push_back(line.substr(2));
        }
    }
    return !releases.empty();
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

std::string Debian(const std::vector<Release>& releases) {
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

std::string AppStream(const std::vector<Release>& releases) {
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

bool Write(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() < 3) return Fail("usage: release_notes debian|appstream CHANGELOG.md ...");
    std::vector<Release> releases;
    if (!ReadReleases(args[1], releases)) return Fail("no version found in " + args[1]);
    if (args[0] == "debian" && args.size() == 3) {
        return Write(args[2], Debian(releases)) ? 0 : Fail("cannot write " + args[2]);
    }
    if (args[0] == "appstream" && args.size() == 4) {
        std::ifstream templateFile(args[2]);
        std::stringstream content;
        content << templateFile.rdbuf();
        std::string text = content.str();
        const std::string mark = "@VAREDADAV_RELEASES@";
        const std::size_t at = text.find(mark);
        if (!templateFile || at == std::string::npos) return Fail("no " + mark + " in " + args[2]);
        text.replace(at, mark.size(), AppStream(releases));
        return Write(args[3], text) ? 0 : Fail("cannot write " + args[3]);
    }
    return Fail("usage: release_notes debian|appstream CHANGELOG.md ...");
}
