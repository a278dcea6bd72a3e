// Self-registration of the stand-in bearing component through the ANSI registry calls.
#include "bearing_source/bearing_source_registry.h"

#include <olectl.h>

#include <string>

#include "bearing_source/bearing_source_interface.h"

namespace bearing_standin {
namespace {

constexpr char kDescription[] = "Tarvello Peilungsquelle (Testpartner)";
constexpr char kServerSubkey[] = "InprocServer32";
constexpr char kThreadingModel[] = "Apartment";

LSTATUS SetText(HKEY key, const char* name, const std::string& value) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1));
}

LSTATUS WriteKey(const std::string& path, const char* defaultValue, const char* threadingModel) {
    HKEY key = nullptr;
    LSTATUS status = RegCreateKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                                     nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    status = SetText(key, nullptr, defaultValue);
    if (status == ERROR_SUCCESS && threadingModel != nullptr)
        status = SetText(key, "ThreadingModel", threadingModel);
    RegCloseKey(key);
    return status;
}

}  // namespace

HRESULT RegisterBearingSource(HMODULE dll) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(dll, path, MAX_PATH);
    // A truncated path would register a DLL that does not exist.
    if (length == 0 || length >= MAX_PATH)
        return SELFREG_E_CLASS;
    const std::string classKey = kClassKey;
    LSTATUS status = WriteKey(classKey, kDescription, nullptr);
    if (status == ERROR_SUCCESS)
        status = WriteKey(classKey + "\\" + kServerSubkey, path, kThreadingModel);
    if (status == ERROR_SUCCESS)
        return S_OK;
    UnregisterBearingSource();
    return SELFREG_E_CLASS;
}

HRESULT UnregisterBearingSource() {
    const std::string classKey = kClassKey;
    const LSTATUS server = RegDeleteKeyA(HKEY_CLASSES_ROOT, (classKey + "\\" + kServerSubkey).c_str());
    const LSTATUS root = RegDeleteKeyA(HKEY_CLASSES_ROOT, classKey.c_str());
    const auto removed = [](LSTATUS s) { return s == ERROR_SUCCESS || s == ERROR_FILE_NOT_FOUND; };
    return removed(server) && removed(root) ? S_OK : SELFREG_E_CLASS;
}

}  // namespace bearing_standin
