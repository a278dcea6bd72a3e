// HtmlHelpW(NULL, path, HH_DISPLAY_TOPIC, 0) through hhctrl.ocx; the library is looked for once per run. The
// wide call opens a help file in a folder the ANSI code page cannot spell.
#include "platform/win32/win32_help.h"

namespace tarvello::win32 {
namespace {
constexpr UINT kDisplayTopic = 0;  // HH_DISPLAY_TOPIC
}

Win32Help::~Win32Help() {
    if (library_ != nullptr)
        FreeLibrary(library_);
}

void Win32Help::ShowHelp(const std::wstring& path) {
    if (!loadAttempted_) {
        loadAttempted_ = true;
        library_ = LoadLibraryA("hhctrl.ocx");
        if (library_ != nullptr) {
            htmlHelp_ = reinterpret_cast<HtmlHelpProc>(reinterpret_cast<void*>(GetProcAddress(library_, "HtmlHelpW")));
        }
    }
    if (htmlHelp_ == nullptr)
        return;
    // An embedded NUL would make the call open a different, shorter path.
    if (path.find(L'\0') != std::wstring::npos)
        return;
    htmlHelp_(nullptr, path.c_str(), kDisplayTopic, 0);
}

}  // namespace tarvello::win32
