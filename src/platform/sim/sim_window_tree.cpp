// Simulated window tree.
#include "platform/sim/sim_window_tree.h"

#include "base/program_error.h"

#include <algorithm>

namespace tarvello::sim {

SimWindowTree::SimWindowTree() : desktop_(0x10008) {
    windows_[desktop_] = Window{0, 0, L"", L"#32769", {}, -1};
}

WindowHandle SimWindowTree::FirstChild(WindowHandle window) {
    ++visits_;
    auto it = windows_.find(window);
    if (it == windows_.end() || it->second.children.empty())
        return 0;
    return it->second.children.front();
}

WindowHandle SimWindowTree::NextSibling(WindowHandle window) {
    ++visits_;
    auto it = windows_.find(window);
    if (it == windows_.end())
        return 0;
    auto& siblings = windows_.at(it->second.parent).children;
    auto pos = std::find(siblings.begin(), siblings.end(), window);
    if (pos == siblings.end() || ++pos == siblings.end())
        return 0;
    return *pos;
}

std::wstring SimWindowTree::ClassName(WindowHandle window, int bufferChars) {
    auto it = windows_.find(window);
    if (it == windows_.end() || bufferChars <= 0)
        return L"";
    return it->second.className.substr(0, static_cast<std::size_t>(bufferChars - 1));
}

int SimWindowTree::TitleLength(WindowHandle window) {
    auto it = windows_.find(window);
    if (it == windows_.end())
        return 0;
    if (it->second.reportedLength >= 0)
        return it->second.reportedLength;
    return static_cast<int>(it->second.title.size());
}

std::wstring SimWindowTree::Title(WindowHandle window, int bufferChars) {
    auto it = windows_.find(window);
    if (it == windows_.end() || bufferChars <= 0)
        return L"";
    return it->second.title.substr(0, static_cast<std::size_t>(bufferChars - 1));
}

WindowHandle SimWindowTree::Parent(WindowHandle window) {
    auto it = windows_.find(window);
    if (it == windows_.end())
        return 0;
    if (it->second.owner != 0)
        return it->second.owner;
    return it->second.parent == desktop_ ? 0 : it->second.parent;
}

bool SimWindowTree::PostToWindow(WindowHandle window,
                                 std::uint32_t message,
                                 std::uintptr_t wParam,
                                 std::intptr_t lParam) {
    if (journal)
        journal(L"PostToWindow " + std::to_wstring(message));
    posted_.push_back({window, message, wParam, lParam});
    return windows_.count(window) != 0;
}

bool SimWindowTree::ActivateByTitle(const std::wstring& title) {
    if (failActivation)
        throw ProgramError(error_number::kInvalidArgument);
    if (journal)
        journal(L"Activate " + title);
    activations_.push_back(title);
    const auto& tops = windows_.at(desktop_).children;
    for (WindowHandle w : tops) {
        if (windows_.at(w).title == title) {
            foreground_ = w;
            return true;
        }
    }
    for (WindowHandle w : tops) {
        if (windows_.at(w).title.compare(0, title.size(), title) == 0) {
            foreground_ = w;
            return true;
        }
    }
    return false;
}

WindowHandle SimWindowTree::AddWindow(WindowHandle parent,
                                      const std::wstring& title,
                                      const std::wstring& className,
                                      WindowHandle owner) {
    if (parent == 0)
        parent = desktop_;
    WindowHandle handle = next_;
    next_ += 4;
    const bool thisProgram = windows_.at(parent).thisProgram;
    windows_[handle] = Window{parent, owner, title, className, {}, -1, thisProgram};
    windows_.at(parent).children.push_back(handle);
    return handle;
}

WindowHandle SimWindowTree::AddProgramWindow(const std::wstring& title, const std::wstring& className) {
    const WindowHandle handle = AddWindow(0, title, className);
    windows_.at(handle).thisProgram = true;
    return handle;
}

bool SimWindowTree::BelongsToThisProgram(WindowHandle window) {
    const auto it = windows_.find(window);
    return it != windows_.end() && it->second.thisProgram;
}

void SimWindowTree::Destroy(WindowHandle window) {
    auto it = windows_.find(window);
    if (it == windows_.end() || window == desktop_)
        return;
    for (WindowHandle child : std::vector<WindowHandle>(it->second.children))
        Destroy(child);
    auto& siblings = windows_.at(it->second.parent).children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
    windows_.erase(window);
}

}  // namespace tarvello::sim
