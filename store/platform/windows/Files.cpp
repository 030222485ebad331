#include <windows.h>

#include "store/platform/DatabaseFile.h"
#include "store/platform/FileIdentity.h"
#include "store/platform/windows/Win32.h"

namespace store {

bool IsOrdinaryFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
           (attributes & FILE_ATTRIBUTE_DEVICE) == 0;
}

std::string TemporaryFolder() {
    wchar_t given[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, given);
    if (length == 0 || length > MAX_PATH) return {};
    std::wstring folder(given, length);
    // %TEMP% may be written in short names ("C:\Users\JRGEN~1\..."); the program's own folder
    // comes in long ones.
    std::wstring longForm(MAX_PATH + 1, L'\0');
    const DWORD longLength = GetLongPathNameW(folder.c_str(), longForm.data(), MAX_PATH + 1);
    if (longLength > 0 && longLength <= MAX_PATH) folder = longForm.substr(0, longLength);
    while (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
    return Narrow(folder);
}

bool LiesIn(std::string_view path, std::string_view folder) {
    const std::wstring inner = Widen(path);
    const std::wstring outer = Widen(folder);
    if (outer.empty() || inner.size() < outer.size()) return false;
    const int length = static_cast<int>(outer.size());
    if (CompareStringOrdinal(inner.data(), length, outer.data(), length, TRUE) != CSTR_EQUAL) {
        return false;
    }
    const auto separator = [](wchar_t c) { return c == L'\\' || c == L'/'; };
    return inner.size() == outer.size() || separator(inner[outer.size()]) ||
           separator(outer.back());
}

FileLook SystemLookAt(const std::string& path) {
    const HANDLE file = OpenForQuestions(path);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return {std::nullopt, missing ? 0 : static_cast<int>(error)};
    }
    BY_HANDLE_FILE_INFORMATION information = {};
    const bool known = GetFileInformationByHandle(file, &information) != 0;
    const DWORD error = GetLastError();
    CloseHandle(file);
    if (!known) return {std::nullopt, static_cast<int>(error)};
    return {FileIdentity{information.dwVolumeSerialNumber,
                         (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) |
                             information.nFileIndexLow},
            0};
}

}  // namespace store
