// The memory and atoms of raw DDE messages: DDEDATA/DDEPOKE/DDEADVISE
// blocks in GMEM_DDESHARE memory, and the atom names that carry application, topic and item.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/win32/win32_ansi.h"

namespace tarvello::win32 {

// Atom names are limited to 255 characters and cannot be empty; such a name gets no atom (0).
ATOM AddNameAtom(const std::wstring& name);
std::wstring AtomText(ATOM atom);
// Application, topic and item names are atoms and so compare without regard to letter case.
bool SameDdeName(const std::wstring& a, const std::wstring& b);

// Command text for WM_DDE_EXECUTE: ANSI with its NUL. Returns nullptr when out of memory.
HGLOBAL MakeExecuteBlock(const std::wstring& command);
std::wstring ReadExecuteBlock(HGLOBAL block);

// A CF_TEXT DDEDATA block; fRelease is always set so the receiver frees it.
HGLOBAL MakeDataBlock(const std::wstring& value, bool response, bool ackRequested);

struct DataHeader {
    bool response = false;
    bool release = false;
    bool ackRequested = false;
    bool isText = false;  // cfFormat is CF_TEXT
    std::wstring text;    // up to the first NUL; one trailing CR LF removed
};
// Reads a DDEDATA or DDEPOKE block (both keep the format at the same offset as the text).
std::optional<DataHeader> ReadDataBlock(HGLOBAL block, bool isPoke);

struct AdviseOptions {
    bool deferUpdates = false;
    bool ackRequested = false;
    bool isText = false;
};
HGLOBAL MakeAdviseBlock(bool ackRequested);
std::optional<AdviseOptions> ReadAdviseBlock(HGLOBAL block);

inline constexpr WORD kAckPositive = 0x8000;  // DDEACK.fAck

}  // namespace tarvello::win32
