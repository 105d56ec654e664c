// The boundary between the window's Unicode text and bytes: the documents' code page 1251, the
// file names, and the UTF-16 the window's Qt-free commands read.
#pragma once

#include <string>
#include <string_view>

#include <QString>
#include <QStringView>

namespace tessarine {

// Every byte becomes one character (0x98 becomes U+0098), so ToCp1251 gives the bytes back.
QString FromCp1251(std::string_view bytes);

// The code page 1251 bytes of `text`. A character the code page cannot hold is written as a
// numeric character reference ("&#128512;"); a lone surrogate as "&#65533;".
std::string ToCp1251(QStringView text);

// The bytes the system names the file `path` with (as QFile encodes file names).
std::string LocalPath(const QString& path);

// The characters of `text` as they are, without a copy; valid while `text` lives unchanged.
std::u16string_view Utf16View(const QString& text);

}  // namespace tessarine
