#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

class QWidget;

// What the window does differently on Debian (X11) and on Windows, each in a room of its own
// (x11/, windows/).
namespace ui {

// The families of the dialog font ("MS Sans Serif" 8.25 pt as designed) and of the report font
// ("Courier New" 9.75 pt), first choice first: Windows' own where they exist, else fonts of the
// same metrics.
QStringList DialogFontFamilies();
QStringList ReportFontFamilies();

// `font` in a narrow face of its design, where the machine has one, else unchanged. Drawn as the
// face it is: a font squeezed by Qt reads badly.
QFont NarrowFace(QFont font);

// Sends a changed mouse pointer to the display at once: a handler keeps the event loop waiting.
void SendPointerToDisplay();

// Tells the platform's screen readers the outcome of a command, which the window shows away from
// the focus. The outcome notice appearing is what Orca speaks on Debian; a Windows screen reader
// (Narrator, NVDA) speaks a UI Automation notification, and Qt 6.4 raises none.
void AnnounceOutcome(QWidget& window, const QString& sentence);

// The folder that holds Qt's German translation (qtbase_de.qm).
QString QtTranslationsFolder();

}  // namespace ui
