// The table of standard error descriptions, shared by "Error.log" and "ErrorLog.txt".
#include "base/program_error.h"

#include <array>
#include <new>
#include <stdexcept>
#include <utility>

namespace tarvello {

std::wstring ErrorDescription(int number) {
    // The numbers the program raises, and 13, which an outside failure may carry.
    static constexpr std::array<std::pair<int, const wchar_t*>, 13> kTable{{
        {5, L"Invalid procedure call or argument"},
        {6, L"Overflow"},
        {7, L"Out of memory"},
        {9, L"Subscript out of range"},
        {13, L"Type mismatch"},
        {70, L"Permission denied"},
        {76, L"Path not found"},
        {282, L"No foreign application responded to a DDE initiate"},
        {284, L"Can't open DDE channel"},
        {285, L"Foreign application won't perform DDE method or operation"},
        {286, L"Timeout occurred while waiting for DDE response"},
        {429, L"ActiveX component can't create object"},
        {440, L"Automation error"},
    }};
    for (const auto& [n, text] : kTable) {
        if (n == number)
            return text;
    }
    return L"Application-defined or object-defined error";
}

int FailureNumberOf(const std::exception& failure) {
    if (dynamic_cast<const std::bad_alloc*>(&failure) != nullptr)
        return error_number::kOutOfMemory;
    if (dynamic_cast<const std::out_of_range*>(&failure) != nullptr)
        return error_number::kSubscriptOutOfRange;
    if (dynamic_cast<const std::overflow_error*>(&failure) != nullptr ||
        dynamic_cast<const std::range_error*>(&failure) != nullptr)
        return error_number::kOverflow;
    return error_number::kInvalidArgument;
}

}  // namespace tarvello
