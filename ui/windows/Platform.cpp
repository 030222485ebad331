#include <QFontDatabase>

#include "ui/Platform.h"

namespace ui {

// "Microsoft Sans Serif" is Windows' TrueType "MS Sans Serif" (same design and metrics), which
// Windows itself puts in for the old bitmap font; Qt draws no bitmap fonts.
QStringList DialogFontFamilies() { return {"Microsoft Sans Serif", "Liberation Sans", "Arial"}; }
QStringList ReportFontFamilies() { return {"Courier New", "Liberation Mono"}; }

// Windows takes a stretch not as a wish but as an order: it squeezes whatever face it found, a
// narrow one too. So the narrow face is asked for by name: Arial Narrow comes with Office, not with
// Windows.
QFont NarrowFace(QFont font) {
    for (const QString& family :
         {QStringLiteral("Arial Narrow"), QStringLiteral("Liberation Sans Narrow")}) {
        if (QFontDatabase::hasFamily(family)) {
            font.setFamilies({family});
            return font;
        }
    }
    return font;
}

// Windows shows a pointer set with SetCursor at once; nothing waits in a queue.
void SendPointerToDisplay() {}

// The program is one file: the translation is built into it.
QString QtTranslationsFolder() { return QStringLiteral(":/varedadav/translations"); }

}  // namespace ui
