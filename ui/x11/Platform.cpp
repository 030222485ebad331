#include <xcb/xcb.h>
#include <QGuiApplication>
#include <QLibraryInfo>

#include "ui/Platform.h"

namespace ui {

// Debian has no "MS Sans Serif" or "Courier New"; Liberation Sans and Mono have their metrics.
QStringList DialogFontFamilies() {
    return {"Liberation Sans", "Arial", "Helvetica", "DejaVu Sans"};
}
QStringList ReportFontFamilies() { return {"Liberation Mono", "Courier New", "DejaVu Sans Mono"}; }

// Fontconfig takes the stretch as a wish among faces and picks the family's narrow face.
QFont NarrowFace(QFont font) {
    font.setFamilies({"Liberation Sans Narrow", "Arial Narrow", "Liberation Sans", "Arial"});
    font.setStretch(QFont::Condensed);
    return font;
}

void SendPointerToDisplay() {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() == QLatin1String("xcb") && x11 && x11->connection()) {
        xcb_flush(x11->connection());
    }
}

// Orca speaks the outcome notice as it appears: nothing more to raise.
void AnnounceOutcome(QWidget&, const QString&) {}

// Debian's qt6-translations-l10n, where Qt looks for its translations.
QString QtTranslationsFolder() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

}  // namespace ui
