// Child controls of the control window: labels are STATIC, text boxes EDIT, frames group boxes whose contents
// are placed relative to the frame as siblings (a group box does not forward its children's notifications).
#include "app/control_window_builder.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

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

// A caption with the box it must fit in.
struct CaptionBox {
    int id;
    std::wstring text;
    ControlKind kind;
    int widthTwips;
    int heightTwips;
};

// Every caption of the designed layout that the caption font draws.
std::vector<CaptionBox> LayoutCaptions() {
    std::vector<CaptionBox> boxes;
    for (const auto& spec : kControlLayout) {
        if (spec.caption[0] != L'\0' && spec.id != IDC_HELP_BUTTON && spec.kind != ControlKind::kTextBox)
            boxes.push_back({spec.id, spec.caption, spec.kind, spec.width, spec.height});
    }
    return boxes;
}

// Whether every caption, drawn with font and wrapped at its box's width, stays inside its box.
bool EveryCaptionFits(HFONT font, int dpi, const std::vector<CaptionBox>& boxes) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    bool fits = true;
    for (const CaptionBox& caption : boxes) {
        const int edge = caption.kind == ControlKind::kLabel ? 0 : kButtonEdgeTwips;
        const int width = TwipsToPixels(caption.widthTwips - 2 * edge, dpi);
        // A frame's caption sits on its top edge, on one line.
        const int height = TwipsToPixels(caption.kind == ControlKind::kFrame ? 255 : caption.heightTwips, dpi);
        RECT box{0, 0, width, 0};
        DrawTextW(dc, caption.text.c_str(), -1, &box, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        fits = fits && box.right <= width && box.bottom <= height;
    }
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return fits;
}

// Tahoma 8 pt is the dialog font of every Windows since 2000, and Wine brings its own Tahoma. Where it is
// missing, or where chosen keys make a key-help line long, the size steps down by a quarter point until every
// caption fits its box, for a clipped key help helps no one. It never goes below 6 pt.
HFONT MakeCaptionFont(int dpi, const std::vector<CaptionBox>& boxes) {
    constexpr int kLargest = 800;
    constexpr int kSmallest = 600;
    for (int size = kLargest; size > kSmallest; size -= 25) {
        HFONT font = MakeFont(L"Tahoma", size, dpi, FW_NORMAL);
        if (EveryCaptionFits(font, dpi, boxes))
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
    : dpi_(dpi),
      normalFont_(MakeCaptionFont(dpi, LayoutCaptions())),
      helpFont_(MakeFont(L"MS Sans Serif", 975, dpi, FW_BOLD)) {}

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

int ControlWindowBuilder::LayOutKeyHelp(HWND parent, const KeyHelp& help) {
    const ControlSpec& frame = *FindSpec(IDC_KEY_HELP_FRAME);
    const ControlSpec& firstLine = *FindSpec(IDC_KEY_HELP_BEARING);
    std::vector<CaptionBox> boxes = LayoutCaptions();
    std::erase_if(boxes, [](const CaptionBox& box) {
        return std::find(kKeyHelpIds.begin(), kKeyHelpIds.end(), box.id) != kKeyHelpIds.end();
    });
    const auto place = [&](HWND control, int left, int top, int width, int height) {
        MoveWindow(control, TwipsToPixels(left, dpi_), TwipsToPixels(top, dpi_), TwipsToPixels(width, dpi_),
                   TwipsToPixels(height, dpi_), FALSE);
    };
    int shownLines = 0;
    for (std::size_t i = 0; i < kKeyHelpIds.size(); ++i) {
        const int id = kKeyHelpIds[i];
        if (id == IDC_KEY_HELP_LONG_PATH && !help.showLongPath)
            continue;
        HWND line = GetDlgItem(parent, id);
        if (line == nullptr) {
            const ControlClass label = ClassFor(ControlKind::kLabel);
            line = CreateWindowExW(label.exStyle, label.className, L"", WS_CHILD | WS_VISIBLE | label.style, 0, 0, 0, 0,
                                   parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                   nullptr);
        }
        SetWindowTextW(line, help.lines[i].c_str());
        place(line, frame.left + firstLine.left, frame.top + firstLine.top + shownLines * kKeyHelpLineTwips,
              kChosenKeyHelpWidthTwips, kChosenKeyHelpHeightTwips);
        boxes.push_back({id, help.lines[i], ControlKind::kLabel, kChosenKeyHelpWidthTwips, kChosenKeyHelpHeightTwips});
        ++shownLines;
    }
    const int growth = help.showLongPath ? kKeyHelpLineTwips : 0;
    place(GetDlgItem(parent, IDC_KEY_HELP_FRAME), frame.left, frame.top, frame.width, frame.height + growth);
    const ControlSpec& notice = *FindSpec(IDC_NOTICE);
    place(GetDlgItem(parent, IDC_NOTICE), notice.left, notice.top + growth, notice.width, notice.height);

    // The longer lines may need a smaller caption font; every control but "?" takes the new one.
    HFONT font = MakeCaptionFont(dpi_, boxes);
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) != IDC_HELP_BUTTON)
            SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    DeleteObject(normalFont_);
    normalFont_ = font;
    InvalidateRect(parent, nullptr, TRUE);
    return growth;
}

}  // namespace tarvello::app
