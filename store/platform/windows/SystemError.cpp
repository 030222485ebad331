#include "store/platform/SystemError.h"

#include <windows.h>

namespace store {

std::string SystemReason(int code) {
    switch (static_cast<DWORD>(code)) {
        case ERROR_SUCCESS:
            return "";
        case ERROR_ACCESS_DENIED:
            return "keine Berechtigung";
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return "der Datenträger ist voll";
        case ERROR_WRITE_PROTECT:
            return "der Datenträger ist schreibgeschützt";
        case ERROR_PATH_NOT_FOUND:
        case ERROR_DIRECTORY:
            return "ein Teil des Pfades ist kein Ordner oder fehlt";
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return "ein anderes Programm hält die Datei geöffnet";
        case ERROR_CRC:
        case ERROR_READ_FAULT:
        case ERROR_WRITE_FAULT:
        case ERROR_IO_DEVICE:
            return "Ein-/Ausgabefehler des Datenträgers";
        case ERROR_NOT_READY:
        case ERROR_DEV_NOT_EXIST:
        case ERROR_NETNAME_DELETED:
            return "der Datenträger ist nicht mehr erreichbar";
        default:
            return "Windows-Fehler " + std::to_string(static_cast<DWORD>(code));
    }
}

bool MeansDiskFull(int code) {
    return static_cast<DWORD>(code) == ERROR_DISK_FULL ||
           static_cast<DWORD>(code) == ERROR_HANDLE_DISK_FULL;
}

int SystemCodeOfIoError() { return ERROR_IO_DEVICE; }
int SystemCodeOfDiskFull() { return ERROR_DISK_FULL; }

}  // namespace store
