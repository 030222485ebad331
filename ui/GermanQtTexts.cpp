#include "ui/GermanQtTexts.h"

#include <QCoreApplication>
#include <QTranslator>

#include "ui/Platform.h"

namespace ui {

bool InstallGermanQtTexts(QTranslator& translator) {
    return translator.load(QStringLiteral("qtbase_de"), QtTranslationsFolder()) &&
           QCoreApplication::installTranslator(&translator);
}

}  // namespace ui
