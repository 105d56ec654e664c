// Captions of the main window, its menus and its file dialogs (UTF-8).
#pragma once

namespace tessarine::texts {

inline constexpr const char* kApplicationTitle = "Tessarine";  // every message box's caption
inline constexpr const char* kWindowCaption = "Tessarine v1.1";

inline constexpr const char* kTabText = "Text";
inline constexpr const char* kTabRtf = "RTF";
inline constexpr const char* kTabHtml = "Html";

inline constexpr const char* kButtonTxt = "TXT->HTML";
inline constexpr const char* kButtonRtf = "RTF->HTML";
inline constexpr const char* kButtonBrowser = "Браузер";

inline constexpr const char* kMenuFile = "Файл";
inline constexpr const char* kOpenRtfFiles = "Открыть файлы RTF";
inline constexpr const char* kOpenTxtFiles = "Открыть файлы TXT";
inline constexpr const char* kOpenHtmlFile = "Открыть файл HTML";
inline constexpr const char* kSaveHtmlFile = "Сохранить файл HTML";
inline constexpr const char* kMenuEditor = "Редактор";
inline constexpr const char* kUndo = "Отменить";
inline constexpr const char* kCut = "Вырезать";
inline constexpr const char* kCopy = "Копировать";
inline constexpr const char* kPaste = "Вставить";
inline constexpr const char* kDelete = "Удалить";
inline constexpr const char* kSelectAll = "Выделить все";
inline constexpr const char* kMenuRtfReading = "Чтение RTF";
inline constexpr const char* kReadRtfAutomatically = "Выбирать способ автоматически";
inline constexpr const char* kReadRtfByPasses = "Проходами по тексту";
inline constexpr const char* kReadRtfByModel = "По структуре документа";
inline constexpr const char* kMenuSettings = "Установки";
inline constexpr const char* kMenuHelp = "Справка";

inline constexpr const char* kContextCancel = "Отмена";
inline constexpr const char* kInsertPicture = "Вставить рисунок";
inline constexpr const char* kPictureFloatRight = "Обтекать текстом слева";
inline constexpr const char* kPictureFloatLeft = "Обтекать текстом справа";
inline constexpr const char* kPictureNoFloat = "Без обтекания текстом";
inline constexpr const char* kChooseBackground = "Выбрать рисунок фона";

// File dialog filters: description and patterns separated by "|", patterns by ";".
inline constexpr const char* kFilterTxt = "Текстовые файлы TXT|*.txt";
inline constexpr const char* kFilterRtf = "Текстовые файлы RTF, DOC|*.rtf;*.doc";
inline constexpr const char* kFilterPictures = "Файлы рисунков|*.gif;*.jpg;*.bmp;*.png";
inline constexpr const char* kFilterHtmlOpen = "Файлы HTML|*.htm;*.html;*.dhtml;*.shtml;*.phtml";
inline constexpr const char* kFilterHtmlSave = "Файлы HTML (*.htm)|*.htm;*.html;*.shtml;*.dhtml;*.phtml";

}  // namespace tessarine::texts
