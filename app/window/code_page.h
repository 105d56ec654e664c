// The boundary between the documents' code page 1251 bytes and the panes' Unicode text.
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

}  // namespace tessarine
