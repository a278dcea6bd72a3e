// The shared window class of the DDE family and its window procedure.
#include "platform/win32/win32_dde_window.h"

#include "common/program_error.h"
#include "platform/win32/win32_dde_data.h"

namespace tarvello::win32 {
namespace {

constexpr char kClassName[] = "TarvelloDdeWindow";

void RegisterClassOnce(WNDPROC windowProc) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(GetModuleHandleA(nullptr), kClassName, &existing))
        return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClassName;
    RegisterClassExA(&wc);
}

}  // namespace

DdeWindow::~DdeWindow() {
    DestroyHiddenWindow();
}

void DdeWindow::CreateHiddenWindow(const std::wstring& caption) {
    RegisterClassOnce(&DdeWindow::WindowProc);
    hwnd_ = CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, ToAnsi(caption).c_str(), WS_POPUP, 0, 0, 0, 0, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
    if (hwnd_ == nullptr)
        throw ProgramError(error_number::kOutOfMemory);
    // Set only now: messages of the creation itself go to DefWindowProcA.
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void DdeWindow::DestroyHiddenWindow() {
    if (hwnd_ == nullptr)
        return;
    HWND hwnd = hwnd_;
    hwnd_ = nullptr;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    DestroyWindow(hwnd);
}

LRESULT CALLBACK DdeWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* owner = reinterpret_cast<DdeWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (owner == nullptr)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    std::shared_ptr<DdeWindow> keepAlive = owner->weak_from_this().lock();
    if (!keepAlive)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    return keepAlive->OnMessage(message, wParam, lParam);
}

}  // namespace tarvello::win32
