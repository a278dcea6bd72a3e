// The DDE memory blocks a server sends: the text as the program shows it, and blocks no server should send.
#include <gtest/gtest.h>

#include <dde.h>

#include <cstring>

#include "platform/win32/win32_dde_data.h"

namespace tarvello::win32 {
namespace {

// What the block reads as, "<unreadable>" when it is rejected; the block is freed.
std::wstring TextOf(HGLOBAL block) {
    const auto data = ReadDataBlock(block, false);
    GlobalFree(block);
    return !data ? L"<unreadable>" : data->isText ? data->text : L"<not text>";
}

TEST(Win32DdeData, TextEndsAtTheFirstNulLosesOneTrailingCrLfAndBrokenBlocksAreRejected) {
    const std::pair<std::wstring, std::wstring> texts[] = {
        {L"90\r\n", L"90"},
        {L"90\r\n\r\n", L"90\r\n"},
        {L"90\n", L"90\n"},
        {std::wstring(L"12\0 34", 6), L"12"},
    };
    for (const auto& [sent, shown] : texts)
        EXPECT_EQ(TextOf(MakeDataBlock(sent, false, false)), shown);

    EXPECT_EQ(TextOf(nullptr), L"<unreadable>");
    EXPECT_EQ(TextOf(GlobalAlloc(GMEM_MOVEABLE, 2)), L"<unreadable>") << "too short for its header";
    HGLOBAL unterminated = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, offsetof(DDEDATA, Value) + 3);
    auto* data = static_cast<DDEDATA*>(GlobalLock(unterminated));
    data->cfFormat = CF_TEXT;
    std::memcpy(data->Value, "abc", 3);
    GlobalUnlock(unterminated);
    EXPECT_EQ(TextOf(unterminated), L"abc");
    HGLOBAL bitmap = MakeDataBlock(L"x", false, false);
    static_cast<DDEDATA*>(GlobalLock(bitmap))->cfFormat = CF_BITMAP;
    GlobalUnlock(bitmap);
    EXPECT_EQ(TextOf(bitmap), L"<not text>");
}

}  // namespace
}  // namespace tarvello::win32
