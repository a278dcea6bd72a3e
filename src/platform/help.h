// Help family: HtmlHelpA of hhctrl.ocx.
#pragma once

#include <string>

namespace tarvello {

class Help {
public:
    virtual ~Help() = default;
    // HtmlHelpA(0, path, HH_DISPLAY_TOPIC, 0); the result is not the caller's concern.
    virtual void ShowHelp(const std::wstring& path) = 0;
};

}  // namespace tarvello
