// Texts of the window's commands shown to the user (UTF-8).
#pragma once

#include <string_view>

namespace tessarine::texts {

// Status bar.
inline constexpr std::string_view kStatusLoaded = "Загружен файл ";
inline constexpr std::string_view kStatusLoadedColon = "Загружен файл: ";
inline constexpr std::string_view kStatusProcessing = "Обработка файла ";
inline constexpr std::string_view kStatusSizeBefore = " размером ";
inline constexpr std::string_view kStatusSizeAfter = " байт";
inline constexpr std::string_view kStatusWaiting = "Ожидание";
inline constexpr std::string_view kStatusMadeByPasses = "Страница сделана проходами по тексту RTF";
inline constexpr std::string_view kStatusMadeByModel = "Страница сделана по структуре документа";

// Message boxes.
inline constexpr std::string_view kAttention = "ВНИМАНИЕ!";
inline constexpr std::string_view kBatchDone = "Обработка файлов закончена.";
inline constexpr std::string_view kCannotRead = "Не удалось прочитать файл: ";
inline constexpr std::string_view kSettingsNotSaved = "Установки не сохранены: ";
inline constexpr std::string_view kChoosePicturePlace = "Выберите место для рисунка!";
inline constexpr std::string_view kNoFileToInsert = "Файл для вставки отсутствует!";
inline constexpr std::string_view kNoHtmlText = "Отсутствует HTML текст!";
inline constexpr std::string_view kNotHtmlText = "Этот текст не является текстом HTML!";
inline constexpr std::string_view kNoHelpFile = "К сожалению, файл справки отсутствует!";
inline constexpr std::string_view kCannotWrite = "Не удалось записать файл ";
inline constexpr std::string_view kCannotOpen = "Не удалось открыть файл ";

}  // namespace tessarine::texts
