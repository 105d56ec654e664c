#include "app/window/code_page.h"

#include <QFile>

#include "base/cp1251.h"

namespace tessarine {

namespace {

void AppendReference(std::string& out, char32_t c) {
  out.append("&#");
  out.append(std::to_string(static_cast<unsigned long>(c)));
  out.push_back(';');
}

}  // namespace

QString FromCp1251(std::string_view bytes) {
  QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  QChar* out = text.data();
  for (size_t i = 0; i < bytes.size(); ++i) {
    out[i] = QChar(static_cast<char16_t>(Cp1251ToUnicode(static_cast<unsigned char>(bytes[i]))));
  }
  return text;
}

std::string ToCp1251(QStringView text) {
  std::string out;
  out.reserve(static_cast<size_t>(text.size()));
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    char16_t u = text[i].unicode();
    if (u < 0x80) {
      out.push_back(static_cast<char>(u));
      continue;
    }
    char32_t c = u;
    if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(text[i + 1].unicode())) {
      c = QChar::surrogateToUcs4(u, text[i + 1].unicode());
      ++i;
    } else if (QChar::isSurrogate(u)) {
      AppendReference(out, 0xFFFD);
      continue;
    }
    int b = UnicodeToCp1251(c);
    if (b >= 0) {
      out.push_back(static_cast<char>(b));
    } else {
      AppendReference(out, c);
    }
  }
  return out;
}

std::string LocalPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

std::u16string_view Utf16View(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size())};
}

}  // namespace tessarine
