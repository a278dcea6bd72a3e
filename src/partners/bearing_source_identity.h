// The bearing source, an outside COM component of the partner programs: its class and interface identities.
// Plain facts here; the Windows layer builds its CLSID, IID, registry key and interface layout from them.
#pragma once

#include <array>
#include <cstdint>

namespace tarvello::partners {

struct ComIdentity {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::array<std::uint8_t, 8> data4;
};

// {5B5F34E1-B5E2-11D5-8FDA-004F4901AE92}
inline constexpr ComIdentity kBearingSourceClass{0x5B5F34E1,
                                                 0xB5E2,
                                                 0x11D5,
                                                 {0x8F, 0xDA, 0x00, 0x4F, 0x49, 0x01, 0xAE, 0x92}};
// {584D5B1A-2DA1-11DA-8FE4-0048543DF13B}, an automation (dual) interface.
inline constexpr ComIdentity kBearingSourceInterface{0x584D5B1A,
                                                     0x2DA1,
                                                     0x11DA,
                                                     {0x8F, 0xE4, 0x00, 0x48, 0x54, 0x3D, 0xF1, 0x3B}};

}  // namespace tarvello::partners
