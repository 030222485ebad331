#pragma once

#include <climits>

struct sqlite3_vfs;

namespace testing_support {

// A file layer under SQLite (a store::FileLayer) that passes every call on to the platform's own
// and fails some of them on purpose, the way SQLite tests itself. It sits below the program's own
// watch over the file layer, where the platform's layer is, so the program sees its failures as it
// would the platform's.
//   IoError: the n-th call of any kind fails with an I/O error; an open for writing opens the
//            file for reading only instead, as the platform's layer does when it can.
//   DiskFull: the n-th write or sync fails as on a full disk.
//   ShortRead: the n-th read comes back short, as from a failing disk (zeros where the bytes
//            were missing).
//   ReadError: the n-th read fails as the platform reports a read the disk refused.
//   OpenError: the n-th open fails, as an I/O error does, but a new journal fails as in a folder
//            the user may not write to.
// The calls of the same kind after it fail as well, `lasting` in all; with kForGood every call
// after the n-th fails with an I/O error.
// While it lives, the program's own connections go through it.
class FaultyFiles {
  public:
    enum class Fault { IoError, DiskFull, ShortRead, ReadError, OpenError };
    static constexpr int kForGood = INT_MAX;

    FaultyFiles();
    ~FaultyFiles();
    FaultyFiles(const FaultyFiles&) = delete;
    FaultyFiles& operator=(const FaultyFiles&) = delete;

    // Counts calls from now on, and fails as above.
    void Arm(int n, Fault fault, int lasting = 1);
    // Stops counting and failing; returns whether the armed call came and failed.
    bool Disarm();
};

}  // namespace testing_support
