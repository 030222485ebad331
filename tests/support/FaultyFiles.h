#pragma once

struct sqlite3_vfs;

namespace testing_support {

// A file layer under SQLite that passes every call on to the platform's own and fails one of
// them on purpose, the way SQLite tests itself: the n-th read, write, sync, truncate, lock,
// unlock or delete after Arm fails once with an I/O error, the n-th write with a full disk, or
// the n-th read comes back short, as from a failing disk (zeros where the bytes were missing);
// on a disk that then fails for good, every call after it fails with an I/O error.
// While it lives it is SQLite's default, so the program's own connection goes through it.
class FaultyFiles {
  public:
    enum class Fault { IoError, DiskFull, ShortRead };

    FaultyFiles();
    ~FaultyFiles();
    FaultyFiles(const FaultyFiles&) = delete;
    FaultyFiles& operator=(const FaultyFiles&) = delete;

    // Counts calls from now on; the `n`-th of those `fault` applies to fails, and with
    // `thenEveryCall` every call after it.
    void Arm(int n, Fault fault, bool thenEveryCall = false);
    // Stops counting and failing; returns whether the armed call came and failed.
    bool Disarm();
};

}  // namespace testing_support
