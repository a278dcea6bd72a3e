// Child controls of the control window: labels are STATIC, text boxes EDIT, frames group boxes whose contents
// are placed relative to the frame as siblings (a group box does not forward its children's notifications).
#include "app/control_window_builder.h"

#include <commctrl.h>

#include "app/control_layout.h"

namespace tarvello::app {
namespace {

struct ControlClass {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

ControlClass ClassFor(ControlKind kind) {
    switch (kind) {
        case ControlKind::kLabel:
            return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
        case ControlKind::kTextBox:
            return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case ControlKind::kButton:
            return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
        case ControlKind::kFrame:
            return {L"BUTTON", BS_GROUPBOX, 0};
    }
    return {L"STATIC", 0, 0};
}

const ControlSpec* FindSpec(int id) {
    for (const auto& spec : kControlLayout) {
        if (spec.id == id)
            return &spec;
    }
    return nullptr;
}

HFONT MakeFont(const wchar_t* face, int hundredthsOfPoint, int dpi, int weight) {
    const int height = -MulDiv(hundredthsOfPoint, dpi, 7200);
    return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}

// Room a push button's frame takes from its text on each side, in twips.
constexpr int kButtonEdgeTwips = 45;

// Whether every caption of the layout, drawn with font and wrapped at its box's width, stays inside its box.
bool EveryCaptionFits(HFONT font, int dpi) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    bool fits = true;
    for (const auto& spec : kControlLayout) {
        if (spec.caption[0] == L'\0' || spec.id == IDC_HELP_BUTTON || spec.kind == ControlKind::kTextBox)
            continue;
        const int edge = spec.kind == ControlKind::kLabel ? 0 : kButtonEdgeTwips;
        const int width = TwipsToPixels(spec.width - 2 * edge, dpi);
        // A frame's caption sits on its top edge, on one line.
        const int height = spec.kind == ControlKind::kFrame ? TwipsToPixels(255, dpi) : TwipsToPixels(spec.height, dpi);
        RECT box{0, 0, width, 0};
        DrawTextW(dc, spec.caption, -1, &box, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        fits = fits && box.right <= width && box.bottom <= height;
    }
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return fits;
}

// Tahoma 8 pt is the dialog font of every Windows since 2000, and Wine brings its own Tahoma. Where it is
// missing, the font mapper puts a wider face in its place: the size then steps down by a quarter point until
// every caption fits its box, for a clipped key help helps no one. It never goes below 6 pt.
HFONT MakeCaptionFont(int dpi) {
    constexpr int kLargest = 800;
    constexpr int kSmallest = 600;
    for (int size = kLargest; size > kSmallest; size -= 25) {
        HFONT font = MakeFont(L"Tahoma", size, dpi, FW_NORMAL);
        if (EveryCaptionFits(font, dpi))
            return font;
        DeleteObject(font);
    }
    return MakeFont(L"Tahoma", kSmallest, dpi, FW_NORMAL);
}

}  // namespace

HWND CreateHelpToolTip(HWND parent, HWND helpButton) {
    HWND toolTip =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    TOOLINFOW tool{};
    // The version-2 size is understood by every common-controls version, with or without the manifest.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = parent;
    tool.uId = reinterpret_cast<UINT_PTR>(helpButton);
    tool.lpszText = const_cast<wchar_t*>(kHelpToolTip);
    SendMessageW(toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return toolTip;
}

int TwipsToPixels(int twips, int dpi) {
    return MulDiv(twips, dpi, 1440);
}

ControlWindowBuilder::ControlWindowBuilder(int dpi)
    : dpi_(dpi), normalFont_(MakeCaptionFont(dpi)), helpFont_(MakeFont(L"MS Sans Serif", 975, dpi, FW_BOLD)) {}

ControlWindowBuilder::~ControlWindowBuilder() {
    DeleteObject(normalFont_);
    DeleteObject(helpFont_);
}

void ControlWindowBuilder::CreateControls(HWND parent) {
    for (const auto& spec : kControlLayout) {
        int left = spec.left;
        int top = spec.top;
        if (const ControlSpec* frame = spec.frameId != 0 ? FindSpec(spec.frameId) : nullptr) {
            left += frame->left;
            top += frame->top;
        }
        const ControlClass controlClass = ClassFor(spec.kind);
        const DWORD style = WS_CHILD | controlClass.style | (spec.shown ? WS_VISIBLE : 0);
        HWND control = CreateWindowExW(
            controlClass.exStyle, controlClass.className, spec.caption, style, TwipsToPixels(left, dpi_),
            TwipsToPixels(top, dpi_), TwipsToPixels(spec.width, dpi_), TwipsToPixels(spec.height, dpi_), parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), GetModuleHandleW(nullptr), nullptr);
        const bool isHelp = spec.id == IDC_HELP_BUTTON;
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(isHelp ? helpFont_ : normalFont_), FALSE);
    }
}

}  // namespace tarvello::app
