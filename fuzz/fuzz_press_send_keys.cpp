// Fuzzes the key-sequence interpreter against the simulated keyboard: whatever the string, and whether it
// succeeds or fails, no key may be left down afterwards.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "automation/keystroke_synthesiser.h"
#include "base/program_error.h"
#include "platform/sim/sim_codepage.h"
#include "platform/sim/sim_event_loop.h"
#include "platform/sim/sim_keyboard.h"

namespace {

struct KeyBudgetExceeded {};

// Stops strings such as "{TAB 2000000000}" after a few thousand keys, the way a failing platform call
// would: once, at the start of a key, before any of its events.
class BudgetKeyboard : public tarvello::sim::SimKeyboard {
public:
    std::int16_t KeyForCharacter(wchar_t c) override {
        Spend();
        return SimKeyboard::KeyForCharacter(c);
    }
    std::uint32_t MapKeyCode(std::uint32_t code, std::uint32_t mapType) override {
        Spend();
        return SimKeyboard::MapKeyCode(code, mapType);
    }

private:
    void Spend() {
        if (--budget_ == 0)
            throw KeyBudgetExceeded{};
    }
    long budget_ = 20000;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096)
        return -1;
    tarvello::sim::SimEventLoop loop;
    BudgetKeyboard keyboard;
    tarvello::KeystrokeSynthesiser keys(keyboard, loop);
    const std::wstring text = tarvello::DecodeCp1252(std::string(reinterpret_cast<const char*>(data), size));
    try {
        keys.PressSendKeys(text);
    } catch (const tarvello::ProgramError& e) {
        if (e.Number() != 5 && e.Number() != 6)
            std::abort();
    } catch (const KeyBudgetExceeded&) {
    }
    if (!keyboard.KeysDown().empty())
        std::abort();
    return 0;
}
