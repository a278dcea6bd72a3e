// IniAccess: single values of an INI file through the profile-string calls, and the packing of a string
// array into one value and back.
#pragma once

#include <string>
#include <vector>

#include "platform/profile.h"

namespace tarvello {

class IniAccess {
public:
    static constexpr int kValueBufferChars = 260;  // a value holds at most 259 characters and the NUL

    explicit IniAccess(ProfileStore& profile);

    void SetIniFile(const std::wstring& fname);
    std::wstring IniFile() const;

    // The value with blanks (spaces, not tabs) trimmed; Default, trimmed, when the file, section or key is missing.
    std::wstring ReadEntry(const std::wstring& Section, const std::wstring& Key, const std::wstring& Default);
    // Stores the first 259 characters of Value; an empty Value leaves the key with an empty value.
    // A failed write is lost without notice.
    void WriteEntry(const std::wstring& Section, const std::wstring& Key, const std::wstring& Value);

    // Joins the trimmed elements with sep; elements that are not numbers go in double quotes. Nothing is escaped.
    // Fails with the subscript error when ss is empty and with the overflow error beyond 32767 elements.
    std::wstring Array2String(const std::vector<std::wstring>& ss, const std::wstring& sep);
    // Replaces ss with the fields of s split at sep (case-sensitive); a field that starts with a double quote
    // loses its first and last character. Fails with the invalid-argument error for an empty sep (when s is not
    // empty) and for a field that is a lone double quote, with the overflow error when s is longer than
    // 32766 characters; the fields stored before a failure stay in ss.
    void String2Array(std::vector<std::wstring>& ss, const std::wstring& sep, const std::wstring& s);

    const std::wstring& ValueBufferForTesting() const { return ValueBuffer; }

private:
    ProfileStore& profile_;
    std::wstring IniFileName;
    std::wstring ValueBuffer;  // scratch for both calls; always kValueBufferChars long
};

}  // namespace tarvello
