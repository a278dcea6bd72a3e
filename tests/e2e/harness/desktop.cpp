// Looking at the Wine desktop from an end-to-end test.
#include "harness/desktop.h"

#include <fstream>
#include <sstream>

namespace e2e {

namespace {

struct FindRequest {
    std::wstring className;
    std::function<bool(const std::wstring&)> titleTest;
    DWORD processId;
    HWND found = nullptr;
};

BOOL CALLBACK FindProc(HWND window, LPARAM param) {
    auto* request = reinterpret_cast<FindRequest*>(param);
    if (request->processId != 0) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (pid != request->processId)
            return TRUE;
    }
    if (!request->className.empty()) {
        wchar_t cls[256] = {};
        GetClassNameW(window, cls, 256);
        if (request->className != cls)
            return TRUE;
    }
    if (!request->titleTest(WindowText(window)))
        return TRUE;
    request->found = window;
    return FALSE;
}

}  // namespace

HWND FindTopLevel(const std::wstring& className,
                  const std::function<bool(const std::wstring&)>& titleTest,
                  DWORD processId) {
    FindRequest request{className, titleTest, processId};
    EnumWindows(FindProc, reinterpret_cast<LPARAM>(&request));
    return request.found;
}

HWND FindTopLevelByTitle(const std::wstring& title, DWORD processId) {
    return FindTopLevel(
        L"", [&](const std::wstring& t) { return t == title; }, processId);
}

std::wstring WindowText(HWND window) {
    const int n = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), n + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

std::wstring ChildText(HWND parent, int controlId) {
    HWND child = GetDlgItem(parent, controlId);
    if (child == nullptr)
        return L"<no control>";
    // GetWindowText does not ask a control of another process for its current text; WM_GETTEXT does.
    wchar_t text[1024] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(child, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                             &copied)) {
        return L"<no answer>";
    }
    return std::wstring(text, copied);
}

HWND FindMessageBox(DWORD processId, const std::wstring& title) {
    return FindTopLevel(
        L"#32770", [&](const std::wstring& t) { return t == title; }, processId);
}

std::wstring MessageBoxText(HWND box) {
    // The message is the static control of id 0xFFFF in the standard message box.
    return ChildText(box, 0xFFFF);
}

COLORREF ChildCentrePixel(HWND parent, int controlId) {
    HWND child = GetDlgItem(parent, controlId);
    RECT r{};
    GetWindowRect(child, &r);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ReleaseDC(nullptr, screen);
    return colour;
}

std::string ReadFileBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out);
}

std::vector<std::string> ReadLines(const std::wstring& path) {
    std::vector<std::string> lines;
    std::istringstream in(ReadFileBytes(path));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::wstring MakeFreshFolder(const std::wstring& name) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring base = std::wstring(temp) + L"tarvello-e2e";
    CreateDirectoryW(base.c_str(), nullptr);
    const std::wstring folder =
        base + L"\\" + name + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount64());
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

std::wstring EnvironmentValue(const wchar_t* name) {
    wchar_t value[32768] = {};
    const DWORD n = GetEnvironmentVariableW(name, value, 32768);
    return n == 0 ? std::wstring() : std::wstring(value, n);
}

bool CopyInto(const std::wstring& fromFolder, const std::wstring& fileName, const std::wstring& toFolder) {
    return CopyFileW((fromFolder + L"\\" + fileName).c_str(), (toFolder + L"\\" + fileName).c_str(), FALSE) != 0;
}

}  // namespace e2e
