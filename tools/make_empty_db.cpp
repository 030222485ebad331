// Creates an empty ticket database from the schema file:
//   make_empty_db SCHEMA.sql TARGET.mdb [--if-missing]
// The database is built under a temporary name and then linked into place, so an existing file
// is never overwritten. With --if-missing an existing target is left alone and counts as success.
#include <sqlite3.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <system_error>

namespace {

int Fail(const std::string& message) {
    std::fprintf(stderr, "make_empty_db: %s\n", message.c_str());
    return 1;
}

bool Exists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

}  // namespace

int main(int argc, char* argv[]) {
    const bool ifMissing = argc == 4 && std::strcmp(argv[3], "--if-missing") == 0;
    if (argc != 3 && !ifMissing)
        return Fail("usage: make_empty_db SCHEMA.sql TARGET.mdb [--if-missing]");
    const std::string target = argv[2];
    if (Exists(target)) return ifMissing ? 0 : Fail(target + " exists; it is left as it is");

    std::ifstream schemaFile(argv[1]);
    if (!schemaFile) return Fail(std::string("cannot read ") + argv[1]);
    std::stringstream schema;
    schema << schemaFile.rdbuf();

    const std::string temporary = target + ".new-" + std::to_string(std::random_device()());
    sqlite3* db = nullptr;
    int status = sqlite3_open_v2(temporary.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                                 nullptr);
    if (status == SQLITE_OK)
        status = sqlite3_exec(db, schema.str().c_str(), nullptr, nullptr, nullptr);
    const std::string error = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(status);
    sqlite3_close(db);
    if (status != SQLITE_OK) {
        std::remove(temporary.c_str());
        return Fail("cannot create " + temporary + ": " + error);
    }
    // A hard link refuses an existing target, unlike a rename.
    std::error_code linkError;
    std::filesystem::create_hard_link(temporary, target, linkError);
    std::remove(temporary.c_str());
    if (linkError) {
        if (linkError == std::errc::file_exists && ifMissing) return 0;
        return Fail("cannot create " + target + ": " + linkError.message());
    }
    return 0;
}
