// DXView stand-in's main window; see dxview_window.h.
#include "dxview_window.h"

#include "../common/standin_control.h"
#include "../common/standin_names.h"
#include "../common/standin_text.h"

namespace standin {

namespace {
const std::string kServerTopic = kDxViewServerTopic;
const std::string kMainTopic = kDxViewMainTopic;
const std::string kSelectBearing = kSelectBearingCommand;
const std::string kRotateShort = kRotateShortPathCommand;
const std::string kRotateLong = kRotateLongPathCommand;
constexpr char kSpotPrefixValue[] = "DL";

constexpr int kRefuseBoxId = 201;
constexpr int kNoAnswerBoxId = 202;
constexpr int kAnnounceButtonId = 203;
constexpr UINT kAdviseMessage = WM_APP + 1;
constexpr UINT kAnnounceMessage = WM_APP + 2;
}  // namespace

DxViewWindow::DxViewWindow(const DxViewOptions& options)
    : StandInWindow([this](const std::string&, const std::string& item) { return ItemValue(item); },
                    [this](const std::string& topic, const std::string& command, const std::string& conversation) {
                        return OnExecute(topic, command, conversation);
                    },
                    ParseDxViewCommand),
      options_(options),
      info_([this](UINT message, WPARAM wParam, LPARAM lParam) { OnClick(message, wParam, lParam); }) {}

bool DxViewWindow::Create(HINSTANCE instance, int show) {
    if (!Open(options_.journalPath, "DXView", kDxViewWindowClass, kDxViewWindowTitle, {40, 40, 360, 200, nullptr}))
        return false;

    const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    auto control = [&](const char* kind, const char* text, DWORD style, int top, int id) {
        HWND child = CreateWindowExA(0, kind, text, WS_CHILD | WS_VISIBLE | style, 90, top, 240, 22, Window(),
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    };
    control("BUTTON", "Befehle ablehnen", BS_AUTOCHECKBOX, 15, kRefuseBoxId);
    control("BUTTON", "Befehle nie beantworten", BS_AUTOCHECKBOX, 42, kNoAnswerBoxId);
    control("BUTTON", "Tarvello verbinden (003start)", BS_PUSHBUTTON, 72, kAnnounceButtonId);
    CheckDlgButton(Window(), kRefuseBoxId, options_.refuse ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(Window(), kNoAnswerBoxId, options_.noAnswer ? BST_CHECKED : BST_UNCHECKED);

    if (!info_.Create(instance, Window(), options_.infoWindow))
        return false;
    info_.Show(lastCommand_, bearing_, rotor_);
    if (!Publish(kDxViewApplication, {{kServerTopic, {kSpotPrefixItem, kCommandItem}}, {kMainTopic, {kShortPathItem}}},
                 show))
        return false;
    if (options_.announce)
        PostMessageA(Window(), kAnnounceMessage, 0, 0);
    return true;
}

std::optional<LRESULT> DxViewWindow::OnOwnMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const bool checked = IsDlgButtonChecked(Window(), id) == BST_CHECKED;
            if (id == kRefuseBoxId)
                SetMode(options_.refuse, id, "refuse", checked);
            if (id == kNoAnswerBoxId)
                SetMode(options_.noAnswer, id, "noanswer", checked);
            if (id == kAnnounceButtonId)
                Announce();
            return 0;
        }
        case kAdviseMessage:
            // After the execute's acknowledgement has gone out, not from inside the DDE callback. Only "ShortPath"
            // follows the commands: an update on the command conversation itself would arrive while a client
            // waits for the acknowledgement of its next execute.
            server_.PostAdvise(kMainTopic, kShortPathItem);
            return 0;
        case kAnnounceMessage:
            Announce();
            return 0;
        default:
            return std::nullopt;
    }
}

HDDEDATA DxViewWindow::OnExecute(const std::string& topic,
                                 const std::string& command,
                                 const std::string& conversation) {
    journal_.Write("EXECUTE", conversation + " " + command);
    // Busy, but not frozen: an execute that comes meanwhile shows in the journal before this one's reply.
    if (options_.slowMs > 0)
        StayResponsiveFor(options_.slowMs);
    if (options_.noAnswer) {
        // The conversation stays blocked for good: the client waits until its own time-out.
        journal_.Write("REPLY", conversation + " none");
        return CBR_BLOCK;
    }
    if (options_.refuse || topic != kServerTopic || !Apply(command)) {
        journal_.Write("REPLY", conversation + " refused");
        return reinterpret_cast<HDDEDATA>(DDE_FNOTPROCESSED);
    }
    journal_.Write("REPLY", conversation + " ack");
    PostMessageA(Window(), kAdviseMessage, 0, 0);
    return reinterpret_cast<HDDEDATA>(DDE_FACK);
}

// Only the three rotator commands are understood; anything else is refused.
bool DxViewWindow::Apply(const std::string& command) {
    if (command.rfind(kSelectBearing, 0) == 0) {
        bearing_ = command.substr(kSelectBearing.size());
    } else if (command == kRotateShort) {
        rotor_ = "dreht, kurzer Weg, nach " + bearing_;
    } else if (command == kRotateLong) {
        rotor_ = "dreht, langer Weg, nach " + bearing_;
    } else {
        return false;
    }
    lastCommand_ = command;
    info_.Show(lastCommand_, bearing_, rotor_);
    return true;
}

std::string DxViewWindow::ItemValue(const std::string& item) const {
    if (item == kSpotPrefixItem)
        return kSpotPrefixValue;
    if (item == kCommandItem)
        return lastCommand_;
    return bearing_;
}

void DxViewWindow::OnClick(UINT message, WPARAM wParam, LPARAM lParam) {
    // The click is posted with wParam 0, so only the key state tells whether Control is held.
    const bool control = (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
    char detail[96];
    wsprintfA(detail, "ctrl=%d wparam=0x%X lparam=0x%X", control ? 1 : 0, static_cast<unsigned>(wParam),
              static_cast<unsigned>(lParam));
    journal_.Write(message == WM_LBUTTONDOWN ? "LBUTTONDOWN" : "LBUTTONUP", detail);
    if (message == WM_LBUTTONDOWN && control) {
        rotor_ = "gestoppt";
        info_.Show(lastCommand_, bearing_, rotor_);
    }
}

bool DxViewWindow::OnCommand(const Command& command) {
    switch (command.kind) {
        case CommandKind::RefuseOn:
        case CommandKind::RefuseOff:
            SetMode(options_.refuse, kRefuseBoxId, "refuse", command.kind == CommandKind::RefuseOn);
            return true;
        case CommandKind::NoAnswerOn:
        case CommandKind::NoAnswerOff:
            SetMode(options_.noAnswer, kNoAnswerBoxId, "noanswer", command.kind == CommandKind::NoAnswerOn);
            return true;
        case CommandKind::Announce:
            // Not from inside the sender's SendMessage: the announcement itself sends DDE messages.
            PostMessageA(Window(), kAnnounceMessage, 0, 0);
            return true;
        case CommandKind::Drop:
            return server_.EndConversationsOn(command.text) > 0;
        default:
            return false;
    }
}

void DxViewWindow::SetMode(bool& flag, int checkBoxId, const char* name, bool on) {
    flag = on;
    CheckDlgButton(Window(), checkBoxId, on ? BST_CHECKED : BST_UNCHECKED);
    journal_.Write("MODE", std::string(name) + (on ? " on" : " off"));
}

void DxViewWindow::Announce() {
    const std::string command = kStartRequest;
    const std::string result = server_.SendExecute(kTarvelloApplication, kTarvelloTopic, command, 3000);
    journal_.Write("ANNOUNCE", command + " " + result);
}

void DxViewWindow::StayResponsiveFor(unsigned long ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

}  // namespace standin
