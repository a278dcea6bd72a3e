// The one failure type of the program: an error number with its standard description.
// Numbers follow the familiar runtime numbering so that both logs read as operators expect.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace tarvello {

namespace error_number {
inline constexpr int kInvalidArgument = 5;  // invalid procedure call or argument
inline constexpr int kOverflow = 6;
inline constexpr int kOutOfMemory = 7;
inline constexpr int kSubscriptOutOfRange = 9;
inline constexpr int kPermissionDenied = 70;
inline constexpr int kPathNotFound = 76;
inline constexpr int kDdeNoAnswer = 282;       // no application answered a DDE link request
inline constexpr int kDdeChannelClosed = 284;  // the conversation is gone
inline constexpr int kDdeRefused = 285;        // the partner refused the DDE method
inline constexpr int kDdeTimeout = 286;        // the partner did not answer in time
inline constexpr int kBearingSource = 429;     // the outside component could not be created
inline constexpr int kAutomationError = 440;   // the outside component failed to answer
}  // namespace error_number

// The standard description of an error number; unknown numbers get a generic text.
std::wstring ErrorDescription(int number);

// The error number a failure of the C++ runtime is reported with: out of memory 7, out of range 9, overflow
// and range errors 6, anything else 5.
int FailureNumberOf(const std::exception& failure);

class ProgramError {
public:
    explicit ProgramError(int number) : number_(number), description_(ErrorDescription(number)) {}
    ProgramError(int number, std::wstring description) : number_(number), description_(std::move(description)) {}

    int Number() const { return number_; }
    const std::wstring& Description() const { return description_; }

private:
    int number_;
    std::wstring description_;
};

}  // namespace tarvello
