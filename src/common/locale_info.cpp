// LocaleInfo: the two-call buffer protocol of the platform's locale table.
#include "common/locale_info.h"

#include "base/logged_procedure_names.h"
#include "common/reported_call.h"

namespace tarvello {

std::wstring LocaleInfo::GetLocaleLanguage() {
    return UserLocaleText(locale_type::kLanguage, logged_procedure::kGetLocaleLanguage);
}

std::wstring LocaleInfo::GetLocaleCountry() {
    return UserLocaleText(locale_type::kCountry, logged_procedure::kGetLocaleCountry);
}

std::wstring LocaleInfo::UserLocaleText(std::uint32_t type, const wchar_t* procedure) {
    std::wstring result;
    RunReported(reporter_, procedure, [&] {
        const std::uint32_t lcid = clock_.UserLocaleId();
        if (lcid == 0)
            return;
        result = GetUserLocaleInfo(lcid, type);
    });
    return result;
}

std::wstring LocaleInfo::GetUserLocaleInfo(std::uint32_t lcid, std::uint32_t type) {
    std::wstring result;
    RunReported(reporter_, logged_procedure::kGetUserLocaleInfo, [&] {
        const int needed = clock_.LocaleText(lcid, type, nullptr, 0);
        if (needed <= 0)
            return;
        std::wstring buffer(static_cast<std::size_t>(needed), L' ');
        const int written = clock_.LocaleText(lcid, type, &buffer, needed);
        if (written <= 0)
            return;
        // Only the terminating NUL is cut. A length claimed beyond the buffer is not trusted past its end.
        const auto length = static_cast<std::size_t>(written - 1);
        if (length < buffer.size()) {
            result = buffer.substr(0, length);
        } else {
            result = buffer;
            if (!result.empty() && result.back() == L'\0')
                result.pop_back();
        }
    });
    return result;
}

}  // namespace tarvello
