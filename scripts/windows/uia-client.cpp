// What a Windows screen reader's UI Automation client meets in the program's window; built and
// run by scripts/windows/screen-reader.sh.
//   uia-client.exe tree [TITLE]      the element tree of the window in front (waits for TITLE)
//   uia-client.exe watch SECONDS     every focus change for SECONDS, as a screen reader hears it
// It uses the UI Automation C API of uiautomationcore.dll, looked up at run time: Debian 12's
// mingw-w64 headers do not declare it. Wine 10 serves it; Wine 8 answers E_NOTIMPL.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

namespace {

DECLARE_HANDLE(HUIANODE);
DECLARE_HANDLE(HUIAEVENT);
using PROPERTYID = int;

struct Condition {
    int type;  // 0: every element
};
struct CacheRequest {
    Condition* viewCondition;
    int scope;
    PROPERTYID* properties;
    int propertyCount;
    int* patterns;
    int patternCount;
    int elementMode;  // 1: with the element itself
};
struct EventArgs {
    int type;
    int eventId;
};
using EventCallback = void(WINAPI*)(EventArgs*, SAFEARRAY*, BSTR);

struct Api {
    HRESULT(WINAPI* nodeFromHandle)(HWND, HUIANODE*);
    HRESULT(WINAPI* propertyValue)(HUIANODE, PROPERTYID, VARIANT*);
    HRESULT(WINAPI* navigate)(HUIANODE, int, Condition*, CacheRequest*, SAFEARRAY**, BSTR*);
    HRESULT(WINAPI* nodeFromVariant)(VARIANT*, HUIANODE*);
    BOOL(WINAPI* release)(HUIANODE);
    HRESULT(WINAPI* addEvent)
    (HUIANODE, int, EventCallback, int, PROPERTYID*, int, CacheRequest*, HUIAEVENT*);
} api;

template <typename Function>
bool Resolve(HMODULE dll, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
    return function != nullptr;
}

enum : PROPERTYID {
    kControlType = 30003,
    kName = 30005,
    kHasKeyboardFocus = 30008,
    kIsKeyboardFocusable = 30009,
    kIsEnabled = 30010,
    kAutomationId = 30011,
    kFullDescription = 30159,  // a widget's accessible description
    kIsTextPatternAvailable = 30040,
    kIsValuePatternAvailable = 30043,
    kValue = 30045,
};
constexpr int kFocusChangedEvent = 20005;
constexpr int kEdit = 50004;

std::string Utf8(const wchar_t* text) {
    if (text == nullptr) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(size > 1 ? size - 1 : 0, '\0');
    if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    return out;
}

std::string Text(const VARIANT& value) {
    switch (value.vt) {
        case VT_BSTR:
            return Utf8(value.bstrVal);
        case VT_I4:
            return std::to_string(value.lVal);
        case VT_BOOL:
            return value.boolVal ? "true" : "false";
        default:
            return {};  // VT_EMPTY, or the reserved "not supported" object
    }
}

HRESULT gValueFailure = S_OK;  // what asking for a value answered, when it failed

std::string Property(HUIANODE node, PROPERTYID id) {
    VARIANT value;
    VariantInit(&value);
    const HRESULT result = api.propertyValue(node, id, &value);
    if (FAILED(result) && id == kValue) gValueFailure = result;
    std::string text = SUCCEEDED(result) ? Text(value) : std::string();
    VariantClear(&value);
    return text;
}

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) out += c == '\n' ? std::string("\\n") : std::string(1, c);
    return out + "\"";
}

const char* TypeName(int id) {
    static const char* const names[] = {
        "Button",      "Calendar",    "CheckBox",  "ComboBox", "Edit",     "Hyperlink",
        "Image",       "ListItem",    "List",      "Menu",     "MenuBar",  "MenuItem",
        "ProgressBar", "RadioButton", "ScrollBar", "Slider",   "Spinner",  "StatusBar",
        "Tab",         "TabItem",     "Text",      "ToolBar",  "ToolTip",  "Tree",
        "TreeItem",    "Custom",      "Group",     "Thumb",    "DataGrid", "DataItem",
        "Document",    "SplitButton", "Window",    "Pane"};
    const int index = id - 50000;
    return index >= 0 && index < static_cast<int>(sizeof names / sizeof *names) ? names[index]
                                                                                : "?";
}

// A line as a screen reader composes it: type, name, description; then what it can read.
std::string Describe(HUIANODE node) {
    const int controlType = std::atoi(Property(node, kControlType).c_str());
    std::string line =
        std::string("[") + TypeName(controlType) + "] " + Quoted(Property(node, kName));
    if (const std::string description = Property(node, kFullDescription); !description.empty()) {
        line += " description=" + Quoted(description);
    }
    if (const std::string id = Property(node, kAutomationId); !id.empty()) line += " id=" + id;
    if (Property(node, kIsValuePatternAvailable) == "true") line += " +Value";
    if (Property(node, kIsTextPatternAvailable) == "true") line += " +Text";
    if (controlType == kEdit) {
        if (const std::string value = Property(node, kValue); !value.empty()) {
            line += " value=" + Quoted(value);
        }
    }
    if (Property(node, kIsEnabled) == "false") line += " disabled";
    if (Property(node, kHasKeyboardFocus) == "true") line += " FOCUSED";
    return line;
}

HUIANODE Step(HUIANODE node, int direction) {
    Condition every{0};
    CacheRequest request{&every, 1, nullptr, 0, nullptr, 0, 1};
    SAFEARRAY* found = nullptr;
    BSTR structure = nullptr;
    const HRESULT result = api.navigate(node, direction, &every, &request, &found, &structure);
    SysFreeString(structure);
    if (FAILED(result) || found == nullptr) return nullptr;
    LONG index[2] = {0, 0};
    VARIANT element;
    VariantInit(&element);
    HUIANODE next = nullptr;
    if (SUCCEEDED(SafeArrayGetElement(found, index, &element))) {
        api.nodeFromVariant(&element, &next);
    }
    VariantClear(&element);
    SafeArrayDestroy(found);
    return next;
}

void PrintTree(HUIANODE node, int depth) {
    std::printf("%s%s\n", std::string(2 * depth, ' ').c_str(), Describe(node).c_str());
    constexpr int kNextSibling = 1, kFirstChild = 3;
    for (HUIANODE child = Step(node, kFirstChild); child != nullptr;) {
        PrintTree(child, depth + 1);
        HUIANODE next = Step(child, kNextSibling);
        api.release(child);
        child = next;
    }
}

PROPERTYID gFocusProperties[] = {kControlType, kName, kFullDescription};

void WINAPI OnFocus(EventArgs*, SAFEARRAY* data, BSTR) {
    std::string found[3];
    for (int column = 0; data != nullptr && column < 3; ++column) {
        LONG index[2] = {0, 1 + column};  // column 0 is the element itself
        VARIANT value;
        VariantInit(&value);
        if (SUCCEEDED(SafeArrayGetElement(data, index, &value))) found[column] = Text(value);
        VariantClear(&value);
    }
    std::printf(
        "focus: [%s] %s%s%s\n", TypeName(std::atoi(found[0].c_str())), Quoted(found[1]).c_str(),
        found[2].empty() ? "" : " description=", found[2].empty() ? "" : Quoted(found[2]).c_str());
}

int Tree(const char* title) {
    HWND window = nullptr;
    for (int tries = 0; tries < 120 && window == nullptr; ++tries) {
        HWND front = GetForegroundWindow();
        wchar_t text[256] = L"";
        if (front != nullptr) GetWindowTextW(front, text, 256);
        if (front != nullptr && (title == nullptr || Utf8(text) == title)) window = front;
        if (window == nullptr) Sleep(250);
    }
    if (window == nullptr) {
        std::printf("no window in front%s%s\n", title ? " titled " : "", title ? title : "");
        return 3;
    }
    HUIANODE root = nullptr;
    const HRESULT result = api.nodeFromHandle(window, &root);
    if (FAILED(result) || root == nullptr) {
        std::printf("UiaNodeFromHandle failed: 0x%08lx\n", static_cast<unsigned long>(result));
        return 4;
    }
    PrintTree(root, 0);
    api.release(root);
    if (gValueFailure == E_NOTIMPL) {
        std::printf("(values: this UI Automation answers E_NOTIMPL, so they are not shown)\n");
    }
    return 0;
}

// Wine 10 passes a focus change on to a client that watches the window, not the desktop: so every
// window that comes to the front (the main window, each message box) is watched from then on.
int Watch(int seconds) {
    Condition every{0};
    CacheRequest request{&every, 1, gFocusProperties, 3, nullptr, 0, 1};
    std::set<HWND> watched;
    for (const DWORD end = GetTickCount() + 1000u * seconds;
         static_cast<LONG>(end - GetTickCount()) > 0;) {
        HWND front = GetForegroundWindow();
        HUIANODE node = nullptr;
        if (front != nullptr && watched.insert(front).second &&
            SUCCEEDED(api.nodeFromHandle(front, &node))) {
            HUIAEVENT focus = nullptr;
            constexpr int kSubtree = 7;
            api.addEvent(node, kFocusChangedEvent, OnFocus, kSubtree, nullptr, 0, &request, &focus);
        }
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        Sleep(50);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    HMODULE dll = LoadLibraryW(L"uiautomationcore.dll");
    if (dll == nullptr || !Resolve(dll, "UiaNodeFromHandle", api.nodeFromHandle) ||
        !Resolve(dll, "UiaGetPropertyValue", api.propertyValue) ||
        !Resolve(dll, "UiaNavigate", api.navigate) ||
        !Resolve(dll, "UiaHUiaNodeFromVariant", api.nodeFromVariant) ||
        !Resolve(dll, "UiaNodeRelease", api.release) ||
        !Resolve(dll, "UiaAddEvent", api.addEvent)) {
        std::printf("this uiautomationcore.dll lacks the client API\n");
        return 2;
    }
    if (argc >= 2 && std::strcmp(argv[1], "tree") == 0) return Tree(argc >= 3 ? argv[2] : nullptr);
    if (argc == 3 && std::strcmp(argv[1], "watch") == 0) return Watch(std::atoi(argv[2]));
    std::printf("usage: uia-client.exe tree [TITLE] | watch SECONDS\n");
    return 2;
}
