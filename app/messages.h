// The program's own texts shown to the user (UTF-8).
#pragma once

#include <string_view>

#include "page/conversion.h"

namespace tessarine::messages {

inline constexpr std::string_view kNotRtfFile = "Открываемый файл не является файлом RTF!";
inline constexpr std::string_view kNotRtfText = "Этот текст не RTF!";
inline constexpr std::string_view kTextNotConvertible = "Этот текст не годится для перевода в HTML";

// Reasons the command line gives for a file it did not convert.
inline constexpr std::string_view kFileNotFound = "файл не найден";
inline constexpr std::string_view kFolderNotFile = "указанный путь — это папка, а не файл";
inline constexpr std::string_view kCannotReadFile = "не удалось прочитать файл";
inline constexpr std::string_view kCannotWritePage = "не удалось записать страницу";
inline constexpr std::string_view kPageWouldOverwriteSource =
    "страница заменила бы исходный файл; исходный файл не перезаписывается";
inline constexpr std::string_view kSettingsFileNotFound = "файл установок не найден";
inline constexpr std::string_view kCannotReadSettingsFile = "не удалось прочитать файл установок";

// The message of a converter's refusal; empty for Refusal::kNone.
inline std::string_view ForRefusal(Refusal r) {
  switch (r) {
    case Refusal::kNone:
      return {};
    case Refusal::kNotRtf:
      return kNotRtfText;
    case Refusal::kTextNotConvertible:
      return kTextNotConvertible;
  }
  return {};
}

}  // namespace tessarine::messages
