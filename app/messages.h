// The program's own texts shown to the user (UTF-8).
#pragma once

#include <string_view>

#include "engine/conversion.h"

namespace tessarine::messages {

inline constexpr std::string_view kNotRtfFile = "Открываемый файл не является файлом RTF!";
inline constexpr std::string_view kNotRtfText = "Этот текст не RTF!";
inline constexpr std::string_view kTextNotConvertible = "Этот текст не годится для перевода в HTML";

// The message of a converter's refusal; empty for Refusal::kNone.
inline std::string_view ForRefusal(Refusal r) {
  switch (r) {
    case Refusal::kNone: return {};
    case Refusal::kNotRtf: return kNotRtfText;
    case Refusal::kTextNotConvertible: return kTextNotConvertible;
  }
  return {};
}

}  // namespace tessarine::messages
