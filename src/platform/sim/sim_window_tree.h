// Simulated window tree: windows with titles, classes, children in Z-order and owners; records posts and
// activations.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/window_tree.h"

namespace tarvello::sim {

struct PostedMessage {
    WindowHandle window;
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    bool operator==(const PostedMessage&) const = default;
};

class SimWindowTree : public WindowTree {
public:
    SimWindowTree();

    WindowHandle DesktopWindow() override { return desktop_; }
    WindowHandle FirstChild(WindowHandle window) override;
    WindowHandle NextSibling(WindowHandle window) override;
    std::wstring ClassName(WindowHandle window, int bufferChars) override;
    int TitleLength(WindowHandle window) override;
    std::wstring Title(WindowHandle window, int bufferChars) override;
    WindowHandle Parent(WindowHandle window) override;
    bool IsWindow(WindowHandle window) override { return windows_.count(window) != 0; }
    bool BelongsToThisProgram(WindowHandle window) override;
    bool PostToWindow(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    bool ActivateByTitle(const std::wstring& title) override;

    // Adds a window as the last child of parent (0: top level). An owner makes it an owned pop-up, whose
    // GetParent is the owner. A child of one of the program's own windows is the program's too.
    WindowHandle AddWindow(WindowHandle parent,
                           const std::wstring& title,
                           const std::wstring& className,
                           WindowHandle owner = 0);
    // The program's own top-level window, as the real program has one on the desktop beside its partners.
    WindowHandle AddProgramWindow(const std::wstring& title, const std::wstring& className);
    void Destroy(WindowHandle window);
    void SetTitle(WindowHandle window, const std::wstring& title) { windows_.at(window).title = title; }
    // GetWindowTextLengthA may report more than the text holds (double-byte titles, a title that changes
    // between the two calls); this makes the window report length instead of its title's length.
    void SetReportedTitleLength(WindowHandle window, int length) { windows_.at(window).reportedLength = length; }

    // Activation then fails as a platform call may, with the invalid-argument error.
    bool failActivation = false;
    const std::vector<PostedMessage>& Posted() const { return posted_; }
    const std::vector<std::wstring>& Activations() const { return activations_; }  // titles asked for
    WindowHandle Foreground() const { return foreground_; }
    int VisitCount() const { return visits_; }  // FirstChild/NextSibling calls
    std::function<void(const std::wstring&)> journal;

private:
    struct Window {
        WindowHandle parent;
        WindowHandle owner;
        std::wstring title;
        std::wstring className;
        std::vector<WindowHandle> children;
        int reportedLength = -1;  // -1: the title's own length
        bool thisProgram = false;
    };
    WindowHandle desktop_;
    WindowHandle next_ = 0x10010;
    std::map<WindowHandle, Window> windows_;
    std::vector<PostedMessage> posted_;
    std::vector<std::wstring> activations_;
    WindowHandle foreground_ = 0;
    int visits_ = 0;
};

}  // namespace tarvello::sim
