// DDE memory blocks and atoms; their text is in the system ANSI code page.
#include "platform/win32/win32_dde_data.h"

#include <dde.h>

#include <cstddef>
#include <cstring>

namespace tarvello::win32 {
namespace {

// DDEDATA, DDEPOKE and the text after them share this layout: a flag word, the format, the bytes.
constexpr std::size_t kValueOffset = offsetof(DDEDATA, Value);
static_assert(offsetof(DDEPOKE, Value) == kValueOffset);
constexpr UINT kDdeMemory = GMEM_MOVEABLE | GMEM_DDESHARE;

}  // namespace

ATOM AddNameAtom(const std::wstring& name) {
    const std::string ansi = ToAnsi(name);
    if (ansi.empty() || ansi.size() > 255 || ansi.find('\0') != std::string::npos)
        return 0;
    return GlobalAddAtomA(ansi.c_str());
}

std::wstring AtomText(ATOM atom) {
    if (atom == 0)
        return {};
    char buffer[256] = {};
    const UINT length = GlobalGetAtomNameA(atom, buffer, sizeof buffer);
    return FromAnsi(std::string(buffer, length));
}

bool SameDdeName(const std::wstring& a, const std::wstring& b) {
    return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

HGLOBAL MakeExecuteBlock(const std::wstring& command) {
    const std::string ansi = ToAnsi(command);
    HGLOBAL block = GlobalAlloc(kDdeMemory | GMEM_ZEROINIT, ansi.size() + 1);
    if (block == nullptr)
        return nullptr;
    std::memcpy(GlobalLock(block), ansi.data(), ansi.size());
    GlobalUnlock(block);
    return block;
}

std::wstring ReadExecuteBlock(HGLOBAL block) {
    const auto* bytes = static_cast<const char*>(GlobalLock(block));
    if (bytes == nullptr)
        return {};
    const std::size_t size = GlobalSize(block);
    const std::string text(bytes, strnlen(bytes, size));
    GlobalUnlock(block);
    return FromAnsi(text);
}

HGLOBAL MakeDataBlock(const std::wstring& value, bool response, bool ackRequested) {
    const std::string ansi = ToAnsi(value);
    HGLOBAL block = GlobalAlloc(kDdeMemory | GMEM_ZEROINIT, kValueOffset + ansi.size() + 1);
    if (block == nullptr)
        return nullptr;
    auto* data = static_cast<DDEDATA*>(GlobalLock(block));
    data->fResponse = response ? 1 : 0;
    data->fRelease = 1;
    data->fAckReq = ackRequested ? 1 : 0;
    data->cfFormat = CF_TEXT;
    std::memcpy(data->Value, ansi.data(), ansi.size());
    GlobalUnlock(block);
    return block;
}

std::optional<DataHeader> ReadDataBlock(HGLOBAL block, bool isPoke) {
    if (block == nullptr)
        return std::nullopt;
    const std::size_t size = GlobalSize(block);
    const auto* raw = static_cast<const unsigned char*>(GlobalLock(block));
    if (raw == nullptr)
        return std::nullopt;
    if (size < kValueOffset) {
        GlobalUnlock(block);
        return std::nullopt;
    }
    DataHeader header;
    if (isPoke) {
        const auto* poke = reinterpret_cast<const DDEPOKE*>(raw);
        header.release = poke->fRelease != 0;
        header.isText = poke->cfFormat == CF_TEXT;
    } else {
        const auto* data = reinterpret_cast<const DDEDATA*>(raw);
        header.response = data->fResponse != 0;
        header.release = data->fRelease != 0;
        header.ackRequested = data->fAckReq != 0;
        header.isText = data->cfFormat == CF_TEXT;
    }
    if (header.isText) {
        const char* text = reinterpret_cast<const char*>(raw + kValueOffset);
        std::string bytes(text, strnlen(text, size - kValueOffset));
        // Some servers end CF_TEXT with CR LF, as the clipboard does; the field wants the bare value.
        if (bytes.size() >= 2 && bytes.compare(bytes.size() - 2, 2, "\r\n") == 0)
            bytes.resize(bytes.size() - 2);
        header.text = FromAnsi(bytes);
    }
    GlobalUnlock(block);
    return header;
}

HGLOBAL MakeAdviseBlock(bool ackRequested) {
    HGLOBAL block = GlobalAlloc(kDdeMemory | GMEM_ZEROINIT, sizeof(DDEADVISE));
    if (block == nullptr)
        return nullptr;
    auto* options = static_cast<DDEADVISE*>(GlobalLock(block));
    options->fDeferUpd = 0;
    options->fAckReq = ackRequested ? 1 : 0;
    options->cfFormat = CF_TEXT;
    GlobalUnlock(block);
    return block;
}

std::optional<AdviseOptions> ReadAdviseBlock(HGLOBAL block) {
    if (block == nullptr || GlobalSize(block) < sizeof(DDEADVISE))
        return std::nullopt;
    const auto* raw = static_cast<const DDEADVISE*>(GlobalLock(block));
    if (raw == nullptr)
        return std::nullopt;
    AdviseOptions options{raw->fDeferUpd != 0, raw->fAckReq != 0, raw->cfFormat == CF_TEXT};
    GlobalUnlock(block);
    return options;
}

}  // namespace tarvello::win32
