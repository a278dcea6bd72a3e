// The key names of brace groups.
#include "automation/key_name_table.h"

#include <array>

namespace tarvello {

std::span<const KeyName> KeyNameTable() {
    static constexpr std::array<KeyName, 33> kTable{{
        {L"BS", 8},        {L"UP", 38},       {L"F1", 112},         {L"F2", 113},    {L"F3", 114},    {L"F4", 115},
        {L"F5", 116},      {L"F6", 117},      {L"F7", 118},         {L"F8", 119},    {L"F9", 120},    {L"F10", 121},
        {L"F11", 122},     {L"F12", 123},     {L"DEL", 46},         {L"END", 35},    {L"ESC", 27},    {L"INS", 45},
        {L"TAB", 9},       {L"BKSP", 8},      {L"DOWN", 40},        {L"HOME", 36},   {L"LEFT", 37},   {L"PGDN", 34},
        {L"PGUP", 33},     {L"ENTER", 13},    {L"RIGHT", 39},       {L"DELETE", 46}, {L"INSERT", 45}, {L"NUMLOCK", 144},
        {L"CAPSLOCK", 20}, {L"BACKSPACE", 8}, {L"SCROLLLOCK", 145},
    }};
    return kTable;
}

}  // namespace tarvello
