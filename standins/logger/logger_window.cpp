// The contest logger stand-in's window; see logger_window.h.
#include "logger_window.h"

#include <commctrl.h>

#include "../common/standin_args.h"
#include "../common/standin_control.h"
#include "../common/standin_names.h"
#include "../common/standin_text.h"

namespace standin {

namespace {
const std::string kTopic = kLoggerTopic;
}  // namespace

LoggerWindow::LoggerWindow(const LoggerOptions& options)
    : StandInWindow([this](const std::string&, const std::string& item) { return ItemValue(item); },
                    [this](const std::string&, const std::string& command, const std::string& conversation) {
                        // The logger takes no commands.
                        journal_.Write("EXECUTE-REFUSED", conversation + " " + command);
                        return reinterpret_cast<HDDEDATA>(DDE_FNOTPROCESSED);
                    },
                    ParseLoggerCommand),
      options_(options),
      boxes_{{"Rufzeichen", kCallItem, kCallEditId},
             {"Winkel", kAngleItem, kAngleEditId},
             {"Locator", kLocatorItem, kLocatorEditId}} {}

bool LoggerWindow::Create(int show) {
    if (!Open(options_.journalPath, "ContestLogger", kLoggerWindowClass, kLoggerWindowTitle,
              {CW_USEDEFAULT, CW_USEDEFAULT, 360, 190, nullptr}))
        return false;
    CreateBoxes();
    // The initial values must be in the boxes before a client can ask for them.
    if (!Publish(kLoggerApplication, {{kTopic, {kCallItem, kAngleItem, kLocatorItem}}}, show))
        return false;
    SetFocus(boxes_[0].edit);
    return true;
}

void LoggerWindow::CreateBoxes() {
    const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const std::string initial[] = {options_.call, options_.angle, options_.locator};
    for (int i = 0; i < 3; ++i) {
        const int top = 15 + i * 35;
        HWND label = CreateWindowExA(0, "STATIC", boxes_[i].label, WS_CHILD | WS_VISIBLE, 15, top + 3, 90, 20, Window(),
                                     nullptr, nullptr, nullptr);
        boxes_[i].edit = CreateWindowExA(
            WS_EX_CLIENTEDGE, "EDIT", initial[i].c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 110, top,
            210, 24, Window(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(boxes_[i].id)), nullptr, nullptr);
        SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        SendMessageA(boxes_[i].edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        SetWindowSubclass(boxes_[i].edit, &LoggerWindow::BoxProc, static_cast<UINT_PTR>(i) + 1,
                          reinterpret_cast<DWORD_PTR>(this));
    }
}

std::optional<LRESULT> LoggerWindow::OnOwnMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == EN_CHANGE)
                OnBoxChanged(LOWORD(wParam));
            return 0;
        case WM_SETFOCUS:
            // Activated again (after Tarvello gives the keyboard back): typing goes on in the box it left.
            SetFocus(boxes_[lastFocusedBox_].edit);
            return 0;
        default:
            return std::nullopt;
    }
}

// Journals every key the boxes receive; Tab moves between them since the window has no dialog manager
// (one would swallow Return and Esc, which the operator's keys must reach).
LRESULT CALLBACK
LoggerWindow::BoxProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR boxNumber, DWORD_PTR window) {
    auto* self = reinterpret_cast<LoggerWindow*>(window);
    const UINT_PTR boxIndex = boxNumber - 1;
    const char* event = message == WM_KEYDOWN      ? "KEYDOWN"
                        : message == WM_KEYUP      ? "KEYUP"
                        : message == WM_SYSKEYDOWN ? "SYSKEYDOWN"
                        : message == WM_SYSKEYUP   ? "SYSKEYUP"
                                                   : nullptr;
    if (self != nullptr && message == WM_SETFOCUS)
        self->lastFocusedBox_ = static_cast<int>(boxIndex);
    if (self != nullptr && event != nullptr) {
        char detail[64];
        wsprintfA(detail, "vk=0x%02X box=%s", static_cast<unsigned>(wParam), self->boxes_[boxIndex].label);
        self->journal_.Write(event, detail);
        if (message == WM_KEYDOWN && wParam == VK_TAB) {
            const int step = GetKeyState(VK_SHIFT) < 0 ? 2 : 1;
            SetFocus(self->boxes_[(boxIndex + step) % 3].edit);
            return 0;
        }
    }
    if (message == WM_CHAR && wParam == '\t')
        return 0;
    // Alt with a letter is the logger's own shortcut, as in many loggers, not the opening of a window menu: the
    // keys pressed with it still reach every program that reads them.
    if ((message == WM_SYSKEYDOWN && wParam >= 'A' && wParam <= 'Z') || message == WM_SYSCHAR)
        return 0;
    return DefSubclassProc(edit, message, wParam, lParam);
}

LoggerWindow::Box* LoggerWindow::BoxOf(int id) {
    for (Box& box : boxes_) {
        if (box.id == id)
            return &box;
    }
    return nullptr;
}

void LoggerWindow::OnBoxChanged(int id) {
    Box* box = BoxOf(id);
    if (box == nullptr || box->edit == nullptr)
        return;
    journal_.Write("CHANGE", std::string(box->item) + " " + WindowTextA(box->edit));
    server_.PostAdvise(kTopic, box->item);
}

std::string LoggerWindow::ItemValue(const std::string& item) {
    for (const Box& box : boxes_) {
        if (lstrcmpiA(box.item, item.c_str()) == 0)
            return WindowTextA(box.edit);
    }
    return {};
}

bool LoggerWindow::OnCommand(const Command& command) {
    const int index = command.kind == CommandKind::SetCall ? 0 : command.kind == CommandKind::SetAngle ? 1 : 2;
    // Exactly as if typed: the edit's EN_CHANGE publishes the value.
    SetWindowTextA(boxes_[index].edit, command.text.c_str());
    return true;
}

}  // namespace standin
