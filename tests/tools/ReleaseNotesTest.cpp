#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "tools/ReleaseNotes.h"

namespace {

const char* const kEntries =
    "- First entry, which runs\n"
    "  over two lines & has <marks>.\n"
    "- Second entry.\n";

// What the documents say of a changelog whose newest heading is `heading`, or the reason the
// changelog is refused.
TEST(ReleaseNotes, AcceptOnlyRealVersionHeadings) {
    struct Case {
        const char* heading;
        const char* version;                    // the project's
        std::optional<std::string> debianDate;  // nothing: refused
    };
    const Case cases[] = {
        {"## 1.2.0 (2026-12-07 16:00)", "1.2.0", "Mon, 07 Dec 2026 16:00:00 +0000"},
        {"## 1.2.0 (2024-02-29 23:59)", "1.2.0", "Thu, 29 Feb 2024 23:59:00 +0000"},
        {"## 1.2.0 (2026-00-07 16:00)", "1.2.0", std::nullopt},  // month 0
        {"## 1.2.0 (2026-13-07 16:00)", "1.2.0", std::nullopt},  // month 13
        {"## 1.2.0 (2025-02-29 16:00)", "1.2.0", std::nullopt},  // no such day
        {"## 1.2.0 (2026-12-07 24:00)", "1.2.0", std::nullopt},
        {"## 1.2.0", "1.2.0", std::nullopt},               // no date
        {"## 1.2.0 (2026-12-07)", "1.2.0", std::nullopt},  // no time
        {"## 1.2.0 (2026-12-07 16:00) extra", "1.2.0", std::nullopt},
        {"## 1.2.0 (2026-12-07 16:00", "1.2.0", std::nullopt},   // not closed
        {"## 1.2.0 (2026-12-07 16:00]", "1.2.0", std::nullopt},  // closed by something else
        {"## 1.1.0 (2026-12-07 16:00)", "1.2.0", std::nullopt},  // not the project's version
    };
    for (const Case& c : cases) {
        const std::string changelog = std::string("# Changelog\n\nSome words.\n\n") + c.heading +
                                      "\n\n" + kEntries +
                                      "\n## 1.0.0 (2026-01-02 03:04)\n\n- Old.\n";
        try {
            const auto releases = release_notes::ReadReleases(changelog);
            release_notes::RequireNewest(releases, c.version);
            ASSERT_TRUE(c.debianDate) << c.heading << " was accepted";
            const std::string debian = release_notes::DebianChangelog(releases);
            EXPECT_NE(debian.find("varedadav (" + std::string(c.version) + ") unstable"),
                      std::string::npos);
            EXPECT_NE(debian.find("  * First entry, which runs\n    over two lines"),
                      std::string::npos)
                << debian;
            EXPECT_NE(
                debian.find(" -- Varedadav developers <dev@varedadav.example>  " + *c.debianDate),
                std::string::npos)
                << debian;
            EXPECT_NE(release_notes::AppStreamReleases(releases).find(
                          "<li>First entry, which runs over two lines &amp; has &lt;marks&gt;."
                          "</li>"),
                      std::string::npos);
            const std::string heading = c.heading;  // ## 1.2.0 (YYYY-MM-DD HH:MM)
            EXPECT_NE(
                release_notes::AppStreamReleases(releases).find(
                    "date=\"" + heading.substr(10, 10) + "T" + heading.substr(21, 5) + ":00Z\""),
                std::string::npos);
            EXPECT_EQ(release_notes::ManualPageDate(releases), heading.substr(10, 10));
        } catch (const std::runtime_error& refusal) {
            EXPECT_FALSE(c.debianDate) << c.heading << ": " << refusal.what();
        }
    }
}

}  // namespace
