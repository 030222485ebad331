#pragma once

#include <string>
#include <string_view>

// The program keeps every text in UTF-8; Windows' file functions take UTF-16. A name such as
// "C:\Users\Jürgen" passes through the wide ("W") functions unchanged, where the narrow ones would
// go through the machine's code page.
namespace store {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// Why a Windows call failed (GetLastError), in German where the program knows the reason.
std::string WindowsReason(unsigned long error);

}  // namespace store
