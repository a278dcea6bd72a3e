// Simulated disk.
#include "platform/sim/sim_files.h"

#include <cwctype>

#include "base/program_error.h"
#include "platform/sim/sim_codepage.h"

namespace tarvello::sim {

std::wstring SimFiles::Key(const std::wstring& path) {
    std::wstring key;
    for (wchar_t c : path)
        key.push_back(c == L'/' ? L'\\' : static_cast<wchar_t>(std::towlower(c)));
    return key;
}

std::string SimFiles::Read(const std::wstring& path) const {
    auto it = files_.find(Key(path));
    return it == files_.end() ? std::string() : it->second;
}

bool SimFiles::IsWritable(const std::wstring& path) const {
    const std::wstring key = Key(path);
    for (const auto& prefix : unwritable_) {
        if (key.compare(0, prefix.size(), prefix) == 0)
            return false;
    }
    return true;
}

void SimFiles::AppendLine(const std::wstring& path, const std::wstring& line) {
    if (journal)
        journal(L"AppendLine " + path);
    if (!IsWritable(path))
        throw ProgramError(error_number::kPermissionDenied);
    Write(path, Read(path) + EncodeCp1252(line) + "\r\n");
}

std::optional<FileAttributes> SimFiles::Attributes(const std::wstring& path) {
    const std::wstring key = Key(path);
    if (folders_.count(key))
        return FileAttributes{true, false, false};
    if (!files_.count(key))
        return std::nullopt;
    auto it = attributes_.find(key);
    return it == attributes_.end() ? FileAttributes{} : it->second;
}

}  // namespace tarvello::sim
