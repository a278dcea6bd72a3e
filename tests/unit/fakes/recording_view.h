// A control window without pixels: it keeps what the logic wrote and records the calls in order.
#pragma once

#include <exception>
#include <map>
#include <string>
#include <vector>

#include "control_window/control_view.h"

namespace tarvello::testing {

class RecordingView : public ControlView {
public:
    std::wstring Text(ViewField field) const override {
        auto it = texts.find(field);
        return it == texts.end() ? std::wstring() : it->second;
    }
    void SetText(ViewField field, const std::wstring& text) override { texts[field] = text; }
    void SetLampColour(std::uint32_t colourWord) override { lamp = colourWord; }
    void SetCaption(const std::wstring& caption) override { captions.push_back(caption); }
    std::wstring Caption() const override { return captions.empty() ? L"Tarvello" : captions.back(); }
    void ShowKeyHelp(const KeyHelp& help) override { keyHelp = help; }
    // A destroyed window has no position left to read.
    double LeftTwips() const override { return destroyed ? 0 : left; }
    double TopTwips() const override { return destroyed ? 0 : top; }
    void SetLeftTwips(double twips) override {
        if (moveFailure)
            std::rethrow_exception(moveFailure);
        left = twips;
        calls.push_back(L"SetLeft");
    }
    void SetTopTwips(double twips) override {
        top = twips;
        calls.push_back(L"SetTop");
    }
    void PlaceAtDefaultPosition() override {
        left = kDefaultLeft;
        top = kDefaultTop;
        calls.push_back(L"PlaceAtDefault");
    }
    void KeepOnScreen() override { calls.push_back(L"KeepOnScreen"); }
    void Show() override { shown = true; }
    void Destroy() override {
        destroyed = true;
        calls.push_back(L"Destroy");
    }

    static constexpr double kDefaultLeft = 9000;
    static constexpr double kDefaultTop = 600;
    std::map<ViewField, std::wstring> texts;
    std::uint32_t lamp = 0x8000000F;
    std::vector<std::wstring> captions;
    KeyHelp keyHelp;
    std::vector<std::wstring> calls;
    double left = 0;
    double top = 0;
    bool shown = false;
    bool destroyed = false;
    std::exception_ptr moveFailure;  // thrown by SetLeftTwips, as a window call may fail
};

}  // namespace tarvello::testing
