#include "tests/support/TempDatabase.h"

#include <sqlite3.h>

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace testing_support {
namespace {

struct Database {
    explicit Database(const std::string& path) {
        if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                            nullptr) != SQLITE_OK) {
            throw std::runtime_error("cannot open " + path);
        }
    }
    ~Database() { sqlite3_close(db); }
    void Exec(const std::string& sql) const {
        char* error = nullptr;
        if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            const std::string message = sql + ": " + (error ? error : "?");
            sqlite3_free(error);
            throw std::runtime_error(message);
        }
    }
    sqlite3* db = nullptr;
};

std::string SchemaText() {
    std::ifstream file(VAREDADAV_SCHEMA_FILE);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace

TempFolder::TempFolder() {
    // create_directory says whether it made the folder, so no two tests ever share one.
    std::random_device entropy;
    for (int attempt = 0; attempt < 100; ++attempt) {
        mPath = std::filesystem::temp_directory_path() /
                ("varedadav-" + std::to_string(entropy()) + std::to_string(entropy()));
        if (std::filesystem::create_directory(mPath)) {
            std::filesystem::permissions(mPath, std::filesystem::perms::owner_all);
            return;
        }
    }
    throw std::runtime_error("no new temporary folder");
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(mPath, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(mPath, ignored);
}

TempDatabase::TempDatabase() { CreateAt(Path()); }

void TempDatabase::CreateAt(const std::string& path) { Database(path).Exec(SchemaText()); }

std::string TempDatabase::IntegrityCheck() const {
    Database database(Path());
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(database.db, "pragma integrity_check", -1, &statement, nullptr);
    std::string result = sqlite3_step(statement) == SQLITE_ROW
                             ? reinterpret_cast<const char*>(sqlite3_column_text(statement, 0))
                             : "no answer";
    sqlite3_finalize(statement);
    return result;
}

std::string TempDatabase::ConnectionText() const {
    return "Provider=Microsoft.Jet.OLEDB.4.0; Data Source=" + Path();
}

void TempDatabase::Exec(const std::string& sql) const { Database(Path()).Exec(sql); }

void TempDatabase::AddRows(int count) const {
    if (count <= 0) return;
    Exec("with recursive n(i) as (select 1 union all select i + 1 from n where i < " +
         std::to_string(count) +
         ") insert into tblLotterySeries (BallNumberList) "
         "select (i % 44) || ',' || (i % 44 + 1) || ',' || (i % 44 + 2) || ',' || "
         "(i % 44 + 3) || ',' || (i % 44 + 4) || ',' || (i % 44 + 5) from n");
}

int TempDatabase::RowCount() const {
    Database database(Path());
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(database.db, "select count(*) from tblLotterySeries", -1, &statement,
                       nullptr);
    int count = sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int(statement, 0) : -1;
    sqlite3_finalize(statement);
    return count;
}

std::vector<std::string> TempDatabase::Rows() const {
    Database database(Path());
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(database.db,
                       "select BallNumberList from tblLotterySeries order by LotterySeriesID", -1,
                       &statement, nullptr);
    std::vector<std::string> rows;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        rows.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)),
                          sqlite3_column_bytes(statement, 0));
    }
    sqlite3_finalize(statement);
    return rows;
}

}  // namespace testing_support
