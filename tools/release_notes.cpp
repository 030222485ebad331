// Makes the documents the packages carry from CHANGELOG.md, after checking that its newest
// version is the project's:
//   release_notes VERSION CHANGELOG.md debian OUTPUT
//       the Debian changelog
//   release_notes VERSION CHANGELOG.md appstream TEMPLATE OUTPUT
//       TEMPLATE with @VAREDADAV_RELEASES@ filled in
//   release_notes VERSION CHANGELOG.md manpage TEMPLATE OUTPUT
//       TEMPLATE with @VAREDADAV_RELEASE_DATE@ filled in
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/ReleaseNotes.h"

namespace {

std::string Read(const std::string& path) {
    std::ifstream file(path);
    if (!file) throw std::runtime_error("cannot read " + path);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

void Write(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    if (!file) throw std::runtime_error("cannot write " + path);
}

// The template at `path` with `mark` replaced by `text`.
std::string Filled(const std::string& path, const std::string& mark, const std::string& text) {
    std::string filled = Read(path);
    const std::size_t at = filled.find(mark);
    if (at == std::string::npos) throw std::runtime_error("no " + mark + " in " + path);
    return filled.replace(at, mark.size(), text);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.size() < 4) throw std::runtime_error("usage: see the head of release_notes.cpp");
        const auto releases = release_notes::ReadReleases(Read(args[1]));
        release_notes::RequireNewest(releases, args[0]);
        const std::string& mode = args[2];
        if (mode == "debian" && args.size() == 4) {
            Write(args[3], release_notes::DebianChangelog(releases));
        } else if (mode == "appstream" && args.size() == 5) {
            Write(args[4], Filled(args[3], "@VAREDADAV_RELEASES@",
                                  release_notes::AppStreamReleases(releases)));
        } else if (mode == "manpage" && args.size() == 5) {
            Write(args[4], Filled(args[3], "@VAREDADAV_RELEASE_DATE@",
                                  release_notes::ManualPageDate(releases)));
        } else {
            throw std::runtime_error("usage: see the head of release_notes.cpp");
        }
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "release_notes: %s\n", failure.what());
        return 1;
    }
    return 0;
}
