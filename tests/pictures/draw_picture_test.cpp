#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/file_text.h"
#include "pictures/draw_picture.h"
#include "tests/support/paths.h"
#include "tests/support/time_bound.h"

namespace tessarine::pictures {
namespace {

std::string Sample(const std::string& name) {
  std::string bytes;
  EXPECT_TRUE(ReadFileBytes(testing::DataDir() / "pictures" / name, &bytes).ok()) << name;
  return bytes;
}

void PutWord(std::string& out, uint16_t word) {
  out.push_back(static_cast<char>(word & 0xFF));
  out.push_back(static_cast<char>(word >> 8));
}

// A WMF of the records given as (function, parameter words).
std::string Wmf(const std::vector<std::pair<uint16_t, std::vector<uint16_t>>>& records,
                uint16_t objects = 4) {
  std::string body;
  for (const auto& [function, words] : records) {
    const uint32_t size = static_cast<uint32_t>(3 + words.size());
    PutWord(body, static_cast<uint16_t>(size & 0xFFFF));
    PutWord(body, static_cast<uint16_t>(size >> 16));
    PutWord(body, function);
    for (uint16_t w : words) PutWord(body, w);
  }
  std::string wmf;
  for (int w : {1, 9, 0x300, 0, 0, int{objects}, 0, 0, 0}) PutWord(wmf, static_cast<uint16_t>(w));
  return wmf + body;
}

std::vector<uint16_t> TextWords(std::string_view text) {
  std::vector<uint16_t> words;
  for (size_t i = 0; i < text.size(); i += 2) {
    const uint16_t low = static_cast<unsigned char>(text[i]);
    const uint16_t high = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
    words.push_back(static_cast<uint16_t>(low | (high << 8)));
  }
  return words;
}

TEST(DrawPictureTest, DrawsEachKind) {
  const struct {
    const char* file;
    Source source;
    BitmapLayout layout;
    ImageType type;
    std::vector<std::string> holds;
  } cases[] = {
      {"shapes.wmf",
       Source::kWmf,
       {},
       ImageType::kSvg,
       {"viewBox=\"0 0 200 100\"", "fill=\"#ffd000\"", "stroke=\"#d00000\" stroke-width=\"2\"",
        // cp1251 text, markup escaped; the Symbol font's letters as Greek ones, at their advances.
        "font-weight=\"bold\" xml:space=\"preserve\">\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 "
        "&lt;&amp;&gt;<",
        "x=\"120 134 148\"", ">\xCE\xB1\xCE\xB2\xCF\x80</text>"}},
      {"shapes.emf",
       Source::kEmf,
       {},
       ImageType::kSvg,
       {"viewBox=\"0 0 200 100\"", "<path d=\"M20 80 L100 10 L180 80 Z \" fill=\"#00a000\"",
        ">EMF \xD1\x82\xD0\xB5\xD0\xBA\xD1\x81\xD1\x82</text>"}},
      {"rgb.dib", Source::kDib, {}, ImageType::kBmp, {std::string("BM\x46\0\0\0\0\0\0\0\x36\0\0\0", 14)}},
      {"mono.ddb",
       Source::kDdb,
       {16, 2, 1, 1, 2},
       ImageType::kBmp,
       // Rows top first (a negative height), black and white, each padded to 32 bits.
       {std::string("\xFE\xFF\xFF\xFF\x01\0\x01\0", 8), std::string("\x0D\x0A\0\0\x0A\x0D\0\0", 8)}},
  };
  for (const auto& c : cases) {
    const std::optional<Image> image = DrawPicture(c.source, Sample(c.file), c.layout);
    ASSERT_TRUE(image) << c.file;
    EXPECT_EQ(image->type, c.type) << c.file;
    for (const std::string& part : c.holds)
      EXPECT_NE(image->data.find(part), std::string::npos) << c.file << ": " << part;
  }
}

TEST(DrawPictureTest, DrawsNothingOfBrokenOrHugePictures) {
  const std::string wmf = Sample("shapes.wmf"), emf = Sample("shapes.emf"), dib = Sample("rgb.dib");
  std::string wrong_header = wmf;
  wrong_header[2] = 8;
  std::string huge_dib = dib, wide_dib = dib, many_pixels_dib = dib;
  huge_dib.replace(4, 8, std::string("\xA0\x86\x01\0\xA0\x86\x01\0", 8));     // 100000 x 100000
  wide_dib.replace(4, 8, std::string("\x11\x27\0\0\x01\0\0\0", 8));           // 10001 x 1
  many_pixels_dib.replace(4, 8, std::string("\x88\x13\0\0\x88\x13\0\0", 8));  // 5000 x 5000
  const struct {
    const char* name;
    Source source;
    std::string data;
    BitmapLayout layout;
  } cases[] = {
      {"no data", Source::kWmf, "", {}},
      {"a WMF header alone", Source::kWmf, wmf.substr(0, 18), {}},
      {"a WMF header of another size", Source::kWmf, wrong_header, {}},
      {"an EMF without its signature", Source::kEmf, emf.substr(0, 40) + "XXXX" + emf.substr(44), {}},
      {"an EMF header alone", Source::kEmf, emf.substr(0, 88), {}},
      {"an EMF given as a WMF", Source::kWmf, emf, {}},
      {"a DIB of 100000 x 100000", Source::kDib, huge_dib, {}},
      {"a DIB wider than the largest side", Source::kDib, wide_dib, {}},
      {"a DIB of more pixels than allowed", Source::kDib, many_pixels_dib, {}},
      {"a DIB cut short", Source::kDib, dib.substr(0, dib.size() - 4), {}},
      {"a DDB of 4 bits a pixel", Source::kDdb, std::string(64, '\0'), {8, 8, 4, 1, 4}},
      {"a DDB cut short", Source::kDdb, "\x0D\x0A", {16, 2, 1, 1, 2}},
      {"a DDB of rows too short", Source::kDdb, std::string(64, '\0'), {64, 2, 1, 1, 2}},
      {"a DDB of two planes", Source::kDdb, std::string(64, '\0'), {8, 8, 1, 2, 2}},
  };
  for (const auto& c : cases) EXPECT_FALSE(DrawPicture(c.source, c.data, c.layout)) << c.name;
}

// The device context as records change it: the mapping of the frame, pens and brushes,
// saved states, text alignment and clipping.
TEST(DrawPictureTest, PlaysTheDeviceContext) {
  using Records = std::vector<std::pair<uint16_t, std::vector<uint16_t>>>;
  const uint16_t minus_100 = static_cast<uint16_t>(-100);
  const std::vector<uint16_t> square = {90, 90, 10, 10};  // Rectangle: bottom, right, top, left
  const std::vector<uint16_t> font = {static_cast<uint16_t>(-10), 0, 0, 0, 700, 0, 0, 0, 0};
  const std::vector<uint16_t> text = {1, 'A', 50, 50};  // TextOut: one character at (50, 50)
  const struct {
    const char* name;
    Records records;
    std::vector<std::string> holds;
    const char* lacks = nullptr;
  } cases[] = {
      {"a window of negative height turns the picture upright: y runs up from its origin",
       {{0x020B, {100, 0}}, {0x020C, {minus_100, 200}}, {0x041B, square}},
       {"viewBox=\"0 0 200 100\"", "d=\"M10 90 L90 90 L90 10 L10 10 Z \""}},
      {"the window's scale maps onto the first frame",
       {{0x020C, {100, 100}}, {0x020C, {200, 200}}, {0x041B, square}},
       {"d=\"M5 5 L45 5 L45 45 L5 45 Z \""}},
      {"default pen and brush: a black outline over white",
       {{0x020C, {100, 100}}, {0x041B, square}},
       {"fill=\"#ffffff\"", "stroke=\"#000000\" stroke-width=\"1\" vector-effect"}},
      {"a null pen and a hollow brush draw nothing",
       {{0x020C, {100, 100}},
        {0x02FA, {5, 0, 0, 0, 0}},
        {0x012D, {0}},
        {0x02FC, {1, 0, 0, 0}},
        {0x012D, {1}},
        {0x041B, square},
        {0x0521, text}},
       {"<text"},
       "<path"},
      {"a restored state takes back its brush",
       {{0x020C, {100, 100}},
        {0x001E, {}},
        {0x02FC, {0, 0xFF, 0, 0}},
        {0x012D, {0}},
        {0x0127, {0xFFFF}},
        {0x041B, square}},
       {"fill=\"#ffffff\""}},
      {"text from its top by default; centred on its baseline when asked",
       {{0x020C, {100, 100}},
        {0x02FB, font},
        {0x012D, {0}},
        {0x0521, text},
        {0x012E, {24 | 6}},
        {0x0521, text}},
       {"<text x=\"50\" y=\"58.9\"",
        "<text x=\"50\" y=\"50\" font-family=\"serif\" font-size=\"10\" fill=\"#000000\" "
        "font-weight=\"bold\" text-anchor=\"middle\""}},
      {"clipping: one clip path for the same rectangle",
       {{0x020C, {100, 100}}, {0x0416, {50, 50, 0, 0}}, {0x041B, square}, {0x041B, square}},
       {"<clipPath id=\"c1\"><rect x=\"0\" y=\"0\" width=\"50\" height=\"50\"/></clipPath></defs>",
        "clip-path=\"url(#c1)\"/><path"}},
  };
  for (const auto& c : cases) {
    const std::optional<Image> image = DrawPicture(Source::kWmf, Wmf(c.records));
    ASSERT_TRUE(image) << c.name;
    for (const std::string& part : c.holds) {
      EXPECT_NE(image->data.find(part), std::string::npos) << c.name << ": " << part << "\n" << image->data;
    }
    if (c.lacks != nullptr) {
      EXPECT_EQ(image->data.find(c.lacks), std::string::npos) << c.name;
    }
  }
}

// Whatever a picture's text and font names hold, the SVG holds text and drawing only.
TEST(DrawPictureTest, TextAndNamesCannotMakeMarkup) {
  std::vector<uint16_t> font = {static_cast<uint16_t>(-20), 0, 0, 0, 400, 0, 0, 0, 0};
  for (uint16_t w : TextWords("A\"><script>x</script>' onload='x")) font.push_back(w);
  font.resize(9 + 16, 0);
  const std::string text = "</text><script>alert(1)</script>\x01\"";
  std::vector<uint16_t> out = {static_cast<uint16_t>(text.size())};
  for (uint16_t w : TextWords(text)) out.push_back(w);
  out.push_back(10);
  out.push_back(10);
  const std::optional<Image> image =
      DrawPicture(Source::kWmf, Wmf({{0x020C, {100, 100}}, {0x02FB, font}, {0x012D, {0}}, {0x0521, out}}));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->data.find("<script"), std::string::npos) << image->data;
  EXPECT_EQ(image->data.find("onload="), std::string::npos) << image->data;
  EXPECT_NE(image->data.find("font-family=\"'Ascriptxscript onloadx', serif\""), std::string::npos)
      << image->data;
  EXPECT_NE(image->data.find(">&lt;/text&gt;&lt;script&gt;alert(1)&lt;/script&gt;&quot;</text>"),
            std::string::npos)
      << image->data;
}

// Every prefix and many one-byte changes of each sample: never a read outside the data (the
// sanitizer build watches), and a document of many records stays within its budget and time.
TEST(DrawPictureTest, CutAndChangedPicturesAndManyRecords) {
  const testing::TimeBound bound(60);
  for (const auto& [file, source] :
       {std::pair{"shapes.wmf", Source::kWmf}, std::pair{"shapes.emf", Source::kEmf},
        std::pair{"rgb.dib", Source::kDib}}) {
    const std::string data = Sample(file);
    for (size_t n = 0; n <= data.size(); ++n) (void)DrawPicture(source, data.substr(0, n));
    for (size_t at = 0; at < data.size(); ++at) {
      for (char value : {'\0', '\x7F', '\xFF'}) {
        std::string changed = data;
        changed[at] = value;
        (void)DrawPicture(source, changed);
      }
    }
  }
  std::vector<std::pair<uint16_t, std::vector<uint16_t>>> records = {{0x020C, {1000, 1000}}};
  records.insert(records.end(), 100000, {0x041B, {900, 900, 10, 10}});
  const std::string many = Wmf(records);
  const std::optional<Image> image = DrawPicture(Source::kWmf, many);
  ASSERT_TRUE(image);
  EXPECT_LE(image->data.size(), many.size() * 16 + (size_t{128} << 10));
}

}  // namespace
}  // namespace tessarine::pictures
