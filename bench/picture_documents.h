// A generated document of many metafile pictures, as formulas and clip art fill an old Word
// document: each picture a WMF or an EMF of texts, lines and polygons, written as hex digits.
// Deterministic; code page 1251 with CR LF line breaks.
#pragma once

#include <cstdint>
#include <string>

namespace tessarine::rtfgen {

namespace picture_detail {

inline void Put16(std::string& out, uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

inline void Put32(std::string& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

inline void WmfRecord(std::string& out, uint16_t function, std::initializer_list<uint32_t> words,
                      std::string_view bytes = {}) {
  Put32(out, static_cast<uint32_t>(3 + words.size() + (bytes.size() + 1) / 2));
  Put16(out, function);
  for (uint32_t w : words) Put16(out, w);
  out.append(bytes);
  if (bytes.size() % 2 != 0) out.push_back('\0');
}

// A formula-like WMF: a font, texts with their advances, a fraction bar and a root sign.
inline std::string FormulaWmf(uint32_t seed) {
  std::string body;
  WmfRecord(body, 0x020C, {600, 2000});
  WmfRecord(body, 0x020B, {0, 0});
  std::string font_words;
  for (uint32_t w : {0xFE70u /* -400 */, 0u, 0u, 0u, 400u, 0u, 0xCC00u /* charset 204 */, 0u, 0u})
    Put16(font_words, w);
  font_words.append("Times New Roman");
  font_words.resize(18 + 32, '\0');
  WmfRecord(body, 0x02FB, {}, font_words);
  WmfRecord(body, 0x012D, {0});
  WmfRecord(body, 0x02FA, {0, 20, 0, 0, 0});
  WmfRecord(body, 0x012D, {1});
  for (uint32_t i = 0; i < 12; ++i) {
    std::string text = "x\xE0\xE1" + std::to_string((seed + i) % 97);
    std::string words;
    for (uint32_t w : {300u, 100 + 140 * i, static_cast<uint32_t>(text.size()), 0u}) Put16(words, w);
    words.append(text);
    if (text.size() % 2 != 0) words.push_back('\0');
    for (size_t c = 0; c < text.size(); ++c) Put16(words, 110);
    WmfRecord(body, 0x0A32, {}, words);
  }
  WmfRecord(body, 0x0214, {320, 100});
  WmfRecord(body, 0x0213, {320, 1900});
  WmfRecord(body, 0x0325, {4, 60, 400, 100, 500, 160, 100, 1900, 100});
  WmfRecord(body, 0, {});
  std::string wmf;
  for (uint32_t w : {1u, 9u, 0x300u}) Put16(wmf, w);
  Put32(wmf, static_cast<uint32_t>((18 + body.size()) / 2));
  Put16(wmf, 2);
  Put32(wmf, 64);
  Put16(wmf, 0);
  return wmf + body;
}

// A clip-art-like EMF: polygons and an ellipse.
inline std::string DrawingEmf(uint32_t seed) {
  std::string records;
  auto record = [&records](uint32_t type, const std::string& data) {
    Put32(records, type);
    Put32(records, static_cast<uint32_t>(8 + data.size()));
    records.append(data);
  };
  std::string brush;
  for (uint32_t v : {1u, 0u, 0x3366CCu + seed % 255, 0u}) Put32(brush, v);
  record(39, brush);
  std::string select;
  Put32(select, 1);
  record(37, select);
  for (uint32_t i = 0; i < 20; ++i) {
    std::string polygon;
    for (uint32_t v : {0u, 0u, 199u, 99u, 3u}) Put32(polygon, v);
    for (uint32_t v : {10 + i * 9, 90u, 15 + i * 9, 10u, 20 + i * 9, 90u}) Put16(polygon, v);
    record(86, polygon);
  }
  std::string ellipse;
  for (uint32_t v : {50u, 20u, 150u, 80u}) Put32(ellipse, v);
  record(42, ellipse);
  std::string eof;
  for (uint32_t v : {0u, 16u, 20u}) Put32(eof, v);
  record(14, eof);
  std::string header;
  Put32(header, 1);
  Put32(header, 88);
  for (uint32_t v : {0u, 0u, 199u, 99u, 0u, 0u, 5291u, 2645u, 0x464D4520u, 0x10000u}) Put32(header, v);
  Put32(header, static_cast<uint32_t>(88 + records.size()));
  Put32(header, 24);
  Put16(header, 2);
  Put16(header, 0);
  for (uint32_t v : {0u, 0u, 0u, 1024u, 768u, 271u, 203u}) Put32(header, v);
  return header + records;
}

inline void AppendHexLines(std::string& out, const std::string& data) {
  static constexpr char kHex[] = "0123456789abcdef";
  for (size_t i = 0; i < data.size(); ++i) {
    const auto c = static_cast<unsigned char>(data[i]);
    out.push_back(kHex[c >> 4]);
    out.push_back(kHex[c & 15]);
    if (i % 64 == 63) out.append("\r\n");
  }
}

}  // namespace picture_detail

// A document of `pictures` paragraphs, each with words and one picture: formulas (WMF) and
// drawings (EMF) by turns.
inline std::string MetafilePicturesDocument(size_t pictures) {
  std::string doc =
      "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\froman\\fcharset204 Times New Roman;}}\r\n";
  for (size_t i = 0; i < pictures; ++i) {
    doc.append("\\pard\\plain \\f0\\fs24 \xD4\xEE\xF0\xEC\xF3\xEB\xE0 ");  // "Формула"
    doc.append(std::to_string(i + 1));
    if (i % 2 == 0) {
      doc.append(
          ": {\\object\\objemb{\\*\\objclass Equation.3}{\\result {\\pict\\wmetafile8\\picw3528\\pich1058"
          "\\picwgoal2000\\pichgoal600 ");
      picture_detail::AppendHexLines(doc, picture_detail::FormulaWmf(static_cast<uint32_t>(i)));
      doc.append("}}}");
    } else {
      doc.append(": {\\pict\\emfblip\\picw5291\\pich2645\\picwgoal3000\\pichgoal1500 ");
      picture_detail::AppendHexLines(doc, picture_detail::DrawingEmf(static_cast<uint32_t>(i)));
      doc.append("}");
    }
    doc.append("\\par\r\n");
  }
  doc.append("}\r\n");
  return doc;
}

}  // namespace tessarine::rtfgen
