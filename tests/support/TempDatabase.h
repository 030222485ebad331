#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct sqlite3;

namespace testing_support {

// A fresh folder, removed with everything in it when the object goes.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return mPath; }

  private:
    std::filesystem::path mPath;
};

// A fresh folder holding an empty Lotto.mdb made from the program's schema file. The helpers
// read and change the file through SQLite directly, past the program's own store.
class TempDatabase {
  public:
    TempDatabase();

    std::string Folder() const { return mFolder.Path().string(); }
    std::string Path() const { return (mFolder.Path() / "Lotto.mdb").string(); }
    std::string ConnectionText() const;

    void Exec(const std::string& sql) const;
    void AddRows(int count) const;  // "1,2,3,4,5,6", "2,3,4,5,6,7", …
    int RowCount() const;
    std::vector<std::string> Rows() const;  // in stored order
    std::string IntegrityCheck() const;     // "ok" for a sound file

    // An empty database made from the schema file at `path`.
    static void CreateAt(const std::string& path);

  private:
    TempFolder mFolder;
};

}  // namespace testing_support
