// The simulated disk: files held as bytes (code page 1252) under Windows paths, compared without case, and
// the program's file operations on it.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "platform/files.h"

namespace tarvello::sim {

class SimFiles : public Files {
public:
    std::optional<FileAttributes> Attributes(const std::wstring& path) override;
    // Throws the permission error for an unwritable place, as the real call fails there.
    void AppendLine(const std::wstring& path, const std::wstring& line) override;

    void AddFolder(const std::wstring& path) { folders_.insert(Key(path)); }
    void Write(const std::wstring& path, const std::string& bytes) { files_[Key(path)] = bytes; }
    void Remove(const std::wstring& path) { files_.erase(Key(path)); }
    bool Exists(const std::wstring& path) const { return files_.count(Key(path)) != 0; }
    // The file's bytes; empty when it does not exist.
    std::string Read(const std::wstring& path) const;
    // Paths below this folder (or this file) cannot be created or written, like a write-protected folder.
    void SetUnwritable(const std::wstring& prefix) { unwritable_.insert(Key(prefix)); }
    bool IsWritable(const std::wstring& path) const;
    void SetAttributes(const std::wstring& path, FileAttributes attributes) { attributes_[Key(path)] = attributes; }
    // Every append, in order, for tests that check sequences across families.
    std::function<void(const std::wstring&)> journal;

    static std::wstring Key(const std::wstring& path);

private:
    std::map<std::wstring, std::string> files_;
    std::set<std::wstring> folders_;
    std::set<std::wstring> unwritable_;
    std::map<std::wstring, FileAttributes> attributes_;
};

}  // namespace tarvello::sim
