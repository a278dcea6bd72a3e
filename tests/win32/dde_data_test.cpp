// The DDE memory blocks: text round trips through the ANSI code page and the edges of what a server may send.
#include <gtest/gtest.h>

#include <dde.h>

#include <cstring>

#include "platform/win32/win32_dde_data.h"

namespace tarvello::win32 {
namespace {

std::wstring TextOf(HGLOBAL block) {
    auto header = ReadDataBlock(block, false);
    GlobalFree(block);
    return header ? header->text : L"<unreadable>";
}

TEST(Win32DdeData, DataTextEndsAtTheFirstNulAndLosesOneTrailingCrLf) {
    EXPECT_EQ(TextOf(MakeDataBlock(L"270", false, false)), L"270");
    EXPECT_EQ(TextOf(MakeDataBlock(L"90\r\n", false, false)), L"90");
    EXPECT_EQ(TextOf(MakeDataBlock(L"90\r\n\r\n", false, false)), L"90\r\n");
    EXPECT_EQ(TextOf(MakeDataBlock(L"90\n", false, false)), L"90\n");
    EXPECT_EQ(TextOf(MakeDataBlock(std::wstring(L"12\0 34", 6), false, false)), L"12");
    EXPECT_EQ(TextOf(MakeDataBlock(L"", false, false)), L"");
    EXPECT_EQ(TextOf(MakeDataBlock(L"Gr\u00fc\u00dfe \u20ac", false, false)), L"Gr\u00fc\u00dfe \u20ac");
}

TEST(Win32DdeData, FlagsAndFormatSurviveAndBrokenBlocksAreRejected) {
    HGLOBAL block = MakeDataBlock(L"x", true, true);
    auto header = ReadDataBlock(block, false);
    ASSERT_TRUE(header);
    EXPECT_TRUE(header->response && header->release && header->ackRequested && header->isText);
    GlobalFree(block);

    // A block too short for its header, and one without a terminating NUL.
    HGLOBAL tiny = GlobalAlloc(GMEM_MOVEABLE, 2);
    EXPECT_FALSE(ReadDataBlock(tiny, false));
    GlobalFree(tiny);
    EXPECT_FALSE(ReadDataBlock(nullptr, false));
    HGLOBAL unterminated = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, offsetof(DDEDATA, Value) + 3);
    auto* data = static_cast<DDEDATA*>(GlobalLock(unterminated));
    data->cfFormat = CF_TEXT;
    std::memcpy(data->Value, "abc", 3);
    GlobalUnlock(unterminated);
    EXPECT_EQ(TextOf(unterminated), L"abc");

    HGLOBAL bitmap = MakeDataBlock(L"x", false, false);
    static_cast<DDEDATA*>(GlobalLock(bitmap))->cfFormat = CF_BITMAP;
    GlobalUnlock(bitmap);
    header = ReadDataBlock(bitmap, false);
    GlobalFree(bitmap);
    ASSERT_TRUE(header);
    EXPECT_FALSE(header->isText);
    EXPECT_EQ(header->text, L"");
}

TEST(Win32DdeData, NamesBecomeAtomsOnlyWhenTheyCanAndCompareWithoutCase) {
    EXPECT_EQ(AddNameAtom(L""), 0);
    EXPECT_EQ(AddNameAtom(std::wstring(256, L'a')), 0);
    const ATOM atom = AddNameAtom(std::wstring(255, L'b'));
    ASSERT_NE(atom, 0);
    EXPECT_EQ(AtomText(atom), std::wstring(255, L'b'));
    GlobalDeleteAtom(atom);
    EXPECT_EQ(AtomText(0), L"");
    EXPECT_TRUE(SameDdeName(L"DXView", L"dxview"));
    EXPECT_TRUE(SameDdeName(L"\u00c4rger", L"\u00e4rger"));
    EXPECT_FALSE(SameDdeName(L"DXView", L"DXView "));

    HGLOBAL command = MakeExecuteBlock(L"003selectbearing12\u00b0");
    EXPECT_EQ(ReadExecuteBlock(command), L"003selectbearing12\u00b0");
    GlobalFree(command);
}

}  // namespace
}  // namespace tarvello::win32
