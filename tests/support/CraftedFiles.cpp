#include "tests/support/CraftedFiles.h"

#include <fstream>
#include <iterator>
#include <random>

namespace testing_support {
namespace {

const char* const kRecreate = "drop table tblLotterySeries; create table tblLotterySeries ";

// Scrambles `count` bytes at `offset` of the file.
void Scramble(const std::string& path, std::size_t offset, std::size_t count) {
    std::string bytes = FileBytes(path);
    std::mt19937 random(3);
    for (std::size_t i = offset; i < offset + count && i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(random());
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace

std::string FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

const std::vector<CraftedFile>& CraftedFiles() {
    const std::string longRow(20'000, '7');
    static const std::vector<CraftedFile> files = {
        {"as the program makes it", "", nullptr},
        {"WAL, an index, other tables and views",
         "pragma journal_mode = wal; create index byList on tblLotterySeries (BallNumberList);"
         "create table notes (x); create view allRows as select * from tblLotterySeries;"
         "create trigger elsewhere after insert on notes begin select 1; end",
         nullptr},
        {"a trigger that copies rows",
         "create trigger copyRows after insert on tblLotterySeries begin insert into "
         "tblLotterySeries (BallNumberList) select BallNumberList from tblLotterySeries; end",
         "„copyRows“"},
        {"a trigger that ignores the delete",
         "create trigger keepRows before delete on tblLotterySeries begin select raise(ignore); "
         "end",
         "„keepRows“"},
        {"a row of 20,000 bytes",
         "update tblLotterySeries set BallNumberList = '" + longRow + "' where LotterySeriesID = 5",
         "Blatt 1, Kästchen 5 ist 20000 Bytes lang"},
        {"a damaged table page",
         "with recursive n(i) as (select 1 union all select i + 1 from n where i < 4987) "
         "insert into tblLotterySeries (BallNumberList) select '1,2,3,4,5,' || (i % 40 + 7) "
         "from n",
         "beschädigt", 20 * 4096 + 1500},
        {"a view in the table's place",
         "alter table tblLotterySeries rename to rows; create view tblLotterySeries as select * "
         "from rows",
         "vom Typ „view“"},
        {"rows replaced on conflict",
         std::string(kRecreate) +
             "(LotterySeriesID INTEGER PRIMARY KEY, BallNumberList TEXT UNIQUE ON CONFLICT "
             "REPLACE)",
         "ON-CONFLICT"},
        {"a conflict clause with a comment between its words",
         std::string(kRecreate) +
             "(LotterySeriesID INTEGER PRIMARY KEY, BallNumberList TEXT NOT NULL UNIQUE "
             "ON/* x */CONFLICT REPLACE)",
         "ON-CONFLICT"},
        {"a conflict clause after a name in brackets",
         std::string(kRecreate) +
             "(LotterySeriesID INTEGER PRIMARY KEY, BallNumberList TEXT, [note] TEXT UNIQUE ON "
             "CONFLICT REPLACE)",
         "ON-CONFLICT"},
        {"a conflict clause over lines, in odd case",
         std::string(kRecreate) +
             "(LotterySeriesID INTEGER PRIMARY KEY, BallNumberList TEXT UNIQUE oN -- c\n\t"
             "CoNfLiCt IGNORE)",
         "ON-CONFLICT"},
        {"words of a conflict clause in a string only",
         std::string(kRecreate) +
             "(LotterySeriesID INTEGER PRIMARY KEY, BallNumberList TEXT DEFAULT 'on conflict', "
             "\"on\" INTEGER, \"conflict\" INTEGER)",
         nullptr},
        {"a list column without a declared type",
         std::string(kRecreate) + "(LotterySeriesID INTEGER PRIMARY KEY, BallNumberList)", nullptr},
        {"a row of exactly 100 bytes",
         "update tblLotterySeries set BallNumberList = printf('%.100c', '7') where "
         "LotterySeriesID = 3",
         nullptr},
        {"a row of 101 bytes",
         "update tblLotterySeries set BallNumberList = printf('%.101c', '7') where "
         "LotterySeriesID = 3",
         "Blatt 1, Kästchen 3 ist 101 Bytes lang"},
        {"numbers instead of texts",
         std::string(kRecreate) + "(LotterySeriesID INTEGER PRIMARY KEY, BallNumberList NUMERIC)",
         "BallNumberList"},
        {"no row numbers", std::string(kRecreate) + "(LotterySeriesID TEXT, BallNumberList TEXT)",
         "INTEGER PRIMARY KEY"},
        {"without rowid",
         std::string(kRecreate) +
             "(LotterySeriesID INTEGER PRIMARY KEY, BallNumberList TEXT) without rowid",
         "WITHOUT ROWID"},
    };
    return files;
}

void Craft(const TempDatabase& database, const CraftedFile& file) {
    if (!file.sql.empty()) database.Exec(file.sql);
    if (file.scrambleAt != 0) Scramble(database.Path(), file.scrambleAt, 300);
}

}  // namespace testing_support
