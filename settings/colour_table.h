// The 22 colours the settings dialog offers, with the names shown to the user.
#pragma once

#include <array>
#include <string_view>

namespace tessarine {

struct NamedColour {
  std::string_view code;  // HTML colour code, as stored in Settings
  std::string_view name;  // UTF-8
};

inline constexpr std::array<NamedColour, 22> kColourTable = {{
    {"#000000", "Черный"},        {"#000080", "Темно-синий"},
    {"#b22222", "Темно-красный"}, {"#006400", "Темно-зеленый"},
    {"#008080", "Сине-зеленый"},  {"#da70d6", "Фиолетовый"},
    {"#a0522d", "Коричневый"},    {"#cd853f", "Светло-коричневый"},
    {"#ffd700", "Желтый"},        {"#ffff00", "Светло-желтый"},
    {"#32cd32", "Зеленый"},       {"#00ff00", "Светло-зеленый"},
    {"#dc143c", "Красный"},       {"#ff0000", "Светло-красный"},
    {"#ff4500", "Оранжевый"},     {"#0000ff", "Синий"},
    {"#1e90ff", "Светло-синий"},  {"#00ffff", "Светло-голубой"},
    {"#a0a0a0", "Темно-серый"},   {"#c0c0c0", "Серый"},
    {"#e6e6e6", "Светло-серый"},  {"#ffffff", "Белый"},
}};

// The entry each colour box shows when its setting is not in the table.
inline constexpr int kDefaultBackgroundColour = 21;  // "Белый"
inline constexpr int kDefaultRuleColour = 12;        // "Красный"
inline constexpr int kDefaultFootnoteColour = 4;     // "Сине-зеленый"
inline constexpr int kDefaultReferenceColour = 12;   // "Красный"

// The index of the first entry whose code equals `code` exactly (letter case counts), else
// `fallback`.
int ColourIndexFor(std::string_view code, int fallback);

// The index of the entry named `name` (UTF-8), or -1.
int ColourIndexNamed(std::string_view name);

}  // namespace tessarine
