#include "store/platform/SystemError.h"

#include <cerrno>
#include <cstring>

namespace store {

std::string SystemReason(int code) {
    switch (code) {
        case 0:
            return "";
        case EACCES:
        case EPERM:
            return "keine Berechtigung";
        case ENOSPC:
        case EDQUOT:
            return "der Datenträger ist voll";
        case EROFS:
            return "der Datenträger ist schreibgeschützt";
        case ENOENT:
            return "die Datei oder ein Ordner davor fehlt";
        case ENOTDIR:
            return "ein Teil des Pfades ist kein Ordner";
        case EIO:
            return "Ein-/Ausgabefehler des Datenträgers";
        case ENXIO:
        case ENODEV:
            return "der Datenträger ist nicht mehr erreichbar";
        default:
            return std::strerror(code);
    }
}

bool MeansDiskFull(int code) { return code == ENOSPC || code == EDQUOT; }

int SystemCodeOfIoError() { return EIO; }
int SystemCodeOfDiskFull() { return ENOSPC; }

}  // namespace store
