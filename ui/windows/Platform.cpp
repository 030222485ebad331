// windows.h first: the others build on its types.
#include <windows.h>

#include <uiautomationcore.h>
#include <QFontDatabase>
#include <QLibrary>
#include <QWidget>

#include "ui/Platform.h"

namespace ui {
namespace {

// From Windows' UIAutomationCore.h; Debian 12's mingw-w64 headers have neither these values nor
// UiaRaiseNotificationEvent.
constexpr int kNotificationKindActionCompleted = 2;
constexpr int kNotificationProcessingImportantMostRecent = 1;

using HostProviderFromHwnd = HRESULT(WINAPI*)(HWND, IRawElementProviderSimple**);
using RaiseNotificationEvent = HRESULT(WINAPI*)(IRawElementProviderSimple*, int, int, BSTR, BSTR);

// Notifications came with Windows 10 1709; older Windows (and Wine before 10) lack the function,
// so it is looked up rather than linked, and the program starts there as before.
struct UiAutomation {
    HostProviderFromHwnd hostProviderFromHwnd = nullptr;
    RaiseNotificationEvent raiseNotificationEvent = nullptr;
};

const UiAutomation& UiAutomationCore() {
    static const UiAutomation core = [] {
        QLibrary library(QStringLiteral("uiautomationcore"));
        return UiAutomation{
            reinterpret_cast<HostProviderFromHwnd>(library.resolve("UiaHostProviderFromHwnd")),
            reinterpret_cast<RaiseNotificationEvent>(library.resolve("UiaRaiseNotificationEvent"))};
    }();
    return core;
}

}  // namespace

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

// Raised on the window's element: Qt keeps the notice's own element to itself, and a notification
// belongs to the window it comes from, not to the focus. Only the newest counts when commands come
// faster than speech, as Orca, too, speaks the newest notice.
void AnnounceOutcome(QWidget& window, const QString& sentence) {
    const UiAutomation& core = UiAutomationCore();
    if (core.hostProviderFromHwnd == nullptr || core.raiseNotificationEvent == nullptr) return;
    IRawElementProviderSimple* element = nullptr;
    if (FAILED(core.hostProviderFromHwnd(reinterpret_cast<HWND>(window.winId()), &element)) ||
        element == nullptr) {
        return;
    }
    BSTR text = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(sentence.utf16()),
                                  static_cast<UINT>(sentence.size()));
    BSTR activity = SysAllocString(L"Varedadav.Ergebnis");
    core.raiseNotificationEvent(element, kNotificationKindActionCompleted,
                                kNotificationProcessingImportantMostRecent, text, activity);
    SysFreeString(activity);
    SysFreeString(text);
    element->Release();
}

// The program is one file: the translation is built into it.
QString QtTranslationsFolder() { return QStringLiteral(":/varedadav/translations"); }

}  // namespace ui
