#pragma once

#include <string>
#include <string_view>

// Where the rows live. A copy of the program in a folder of its own (the build folder, an install
// into a prefix the user owns) keeps them in the Lotto.mdb beside it. Installed for the whole
// machine, the program's folder is not the user's to write, and a file every user could write
// would be every user's to read, change, lock or block: there each user's rows live in a
// Lotto.mdb of their own, in their own data folder, which no other user can enter.
namespace store {

// The user's data folder. On Debian by the XDG base directory rules: $XDG_DATA_HOME when it is an
// absolute path, else $HOME/.local/share (the home folder from the password database when HOME is
// not an absolute path). On Windows the user's local application data (%LOCALAPPDATA%). Empty
// when neither is known.
std::string UserDataHome();

// The empty database a machine-wide install ships, from which each user's own is copied:
// <prefix>/share/varedadav/Lotto-empty.mdb for a program in <prefix>/lib/varedadav on Debian,
// Lotto-empty.mdb beside the program on Windows.
std::string InstalledEmptyDatabase(std::string_view programFolder);

// The Lotto.mdb the program works with. When anything of that name is beside the program, or no
// empty database is installed, that is the one beside the program, as DatabasePath builds it
// (and it is never created). Otherwise it is <dataHome>/varedadav/Lotto.mdb on Debian,
// <dataHome>\Varedadav\Lotto.mdb on Windows. On Debian the folder is made 0700 (and set back to
// 0700 if it is the user's but open to others; it may not lie in a folder every user may write to,
// unless that folder has the sticky bit), and the file, when it is not there, is laid (0600 on
// Debian) as a copy of the installed empty database; an existing file is never replaced. Throws
// DatabaseError with a message that says what to do when the folder belongs to someone else or
// cannot be made, or the file cannot be laid.
std::string LocateDatabase(std::string_view programFolder, const std::string& dataHome);

}  // namespace store
