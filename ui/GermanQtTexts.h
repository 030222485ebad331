#pragma once

class QTranslator;

namespace ui {

// Puts Qt's own texts (the context menu of a box or of the report, the names of shortcut keys)
// into German, as the program's own texts are, whatever the user's locale. `translator` must
// live as long as the application. Returns false, and Qt stays English, when the system has no
// German translation of Qt (Debian: qt6-translations-l10n); the program goes on either way.
bool InstallGermanQtTexts(QTranslator& translator);

}  // namespace ui
