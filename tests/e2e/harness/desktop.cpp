// Looking at the Wine desktop from an end-to-end test.
#include "harness/desktop.h"

#include <fstream>
#include <iterator>

namespace e2e {

HWND FindTopLevel(DWORD processId, const wchar_t* className, const wchar_t* title) {
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, className, title)) != nullptr;) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId)
            return window;
    }
    return nullptr;
}

std::wstring WindowText(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

std::wstring ChildText(HWND parent, int controlId) {
    // GetWindowText does not ask a control of another process for its current text; WM_GETTEXT does.
    wchar_t text[1024] = {};
    DWORD_PTR copied = 0;
    HWND child = GetDlgItem(parent, controlId);
    if (child == nullptr || !SendMessageTimeoutW(child, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text),
                                                 SMTO_ABORTIFHUNG, 2000, &copied)) {
        return L"<no answer>";
    }
    return std::wstring(text, copied);
}

std::string ReadFileBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    return static_cast<bool>(out << bytes);
}

}  // namespace e2e
