#pragma once

#include <string>
#include <string_view>

// What the Windows rooms share. The program keeps every text in UTF-8; Windows' file functions
// take UTF-16. A name such as "C:\Users\Jürgen" passes through the wide ("W") functions
// unchanged, where the narrow ones would go through the machine's code page.
namespace store {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// A handle for asking about a file, not reading it: no access (so no device is read and no
// sharing mode stands in the way), every kind of sharing, a folder opens too. INVALID_HANDLE_VALUE
// when nothing is there.
void* OpenForQuestions(const std::string& path);

}  // namespace store
