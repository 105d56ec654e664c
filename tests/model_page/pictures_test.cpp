// Pictures: PNG and JPEG in the page as data URIs with their size, metafiles and bitmaps drawn;
// other formats, and pictures that do not draw, as a box.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/file_text.h"
#include "model_page/pictures.h"
#include "tests/model_page/document_builder.h"
#include "tests/model_page/sample_images.h"
#include "tests/support/paths.h"

namespace tessarine {
namespace {

using namespace testing;

model::Picture MakePicture(model::PictureFormat format, std::string data, int32_t width, int32_t height) {
  model::Picture picture;
  picture.format = format;
  picture.data = std::move(data);
  picture.width_twips = width;
  picture.height_twips = height;
  return picture;
}

std::string Base64(std::string_view data) {
  std::string out;
  AppendBase64(out, data);
  return out;
}

TEST(ModelPicturesTest, Base64) {
  EXPECT_EQ(Base64(""), "");
  EXPECT_EQ(Base64("f"), "Zg==");
  EXPECT_EQ(Base64("fo"), "Zm8=");
  EXPECT_EQ(Base64("foo"), "Zm9v");
  EXPECT_EQ(Base64("foobar"), "Zm9vYmFy");
  EXPECT_EQ(Base64(std::string("\xFF\xFE\x00", 3)), "//4A");
}

TEST(ModelPicturesTest, HeaderSizes) {
  EXPECT_EQ(ImageHeaderSize(model::PictureFormat::kPng, PngBytes()).width, 3);
  EXPECT_EQ(ImageHeaderSize(model::PictureFormat::kPng, PngBytes()).height, 2);
  EXPECT_EQ(ImageHeaderSize(model::PictureFormat::kJpeg, JpegBytes()).width, 3);
  EXPECT_EQ(ImageHeaderSize(model::PictureFormat::kJpeg, JpegBytes()).height, 2);
  // Cut short anywhere, or not the format at all: no size, and nothing read beyond the data (the
  // JPEG's frame header ends at byte 167).
  for (size_t length = 0; length < JpegBytes().size(); ++length) {
    EXPECT_EQ(ImageHeaderSize(model::PictureFormat::kJpeg, JpegBytes().substr(0, length)).width,
              length >= 167 ? 3 : 0)
        << length;
    EXPECT_EQ(ImageHeaderSize(model::PictureFormat::kPng, PngBytes().substr(0, length % 24)).width, 0);
  }
  EXPECT_EQ(ImageHeaderSize(model::PictureFormat::kWmf, PngBytes()).width, 0);
  EXPECT_EQ(ImageHeaderSize(model::PictureFormat::kJpeg, std::string("\xFF\xD8\xFF\xE0\x00\x00", 6)).width,
            0);
}

struct Case {
  const char* name;
  model::Picture picture;
  std::string html;  // UTF-8
};

std::string SamplePicture(const std::string& name) {
  std::string bytes;
  EXPECT_TRUE(ReadFileBytes(DataDir() / "pictures" / name, &bytes).ok()) << name;
  return bytes;
}

// The <img> start of a picture the decoders draw.
std::string DrawnImg(pictures::Source source, const std::string& data) {
  const std::optional<pictures::Image> image = pictures::DrawPicture(source, data);
  EXPECT_TRUE(image);
  return "<img src=\"data:" + std::string(pictures::MimeType(image->type)) + ";base64," +
         Base64(image->data) + "\"";
}

TEST(ModelPicturesTest, PicturesInThePage) {
  const std::string wmf = SamplePicture("shapes.wmf"), dib = SamplePicture("rgb.dib");
  model::Picture wmf_own_size = MakePicture(model::PictureFormat::kWmf, wmf, 0, 0);
  wmf_own_size.picture_width = 5292;  // hundredths of a millimetre: 200 pixels at 96 an inch
  wmf_own_size.picture_height = 2646;
  model::Picture dib_own_size = MakePicture(model::PictureFormat::kDib, dib, 0, 0);
  dib_own_size.picture_width = 2;
  dib_own_size.picture_height = 2;
  const std::string png = "<img src=\"data:image/png;base64," + Base64(PngBytes()) + "\"";
  const std::string jpeg = "<img src=\"data:image/jpeg;base64," + Base64(JpegBytes()) + "\"";
  const Case cases[] = {
      {"PNG at the document's size", MakePicture(model::PictureFormat::kPng, PngBytes(), 1500, 750),
       png + " width=100 height=50 alt=\"\">"},
      {"PNG of unknown size: its header's", MakePicture(model::PictureFormat::kPng, PngBytes(), 0, 0),
       png + " width=3 height=2 alt=\"\">"},
      {"one side known: the other in proportion", MakePicture(model::PictureFormat::kPng, PngBytes(), 900, 0),
       png + " width=60 height=40 alt=\"\">"},
      {"JPEG", MakePicture(model::PictureFormat::kJpeg, JpegBytes(), 0, 0),
       jpeg + " width=3 height=2 alt=\"\">"},
      {"huge sizes are held", MakePicture(model::PictureFormat::kJpeg, JpegBytes(), INT32_MAX, 1),
       jpeg + " width=20000 height=1 alt=\"\">"},
      {"WMF drawn at the document's size", MakePicture(model::PictureFormat::kWmf, wmf, 3000, 1500),
       DrawnImg(pictures::Source::kWmf, wmf) + " width=200 height=100 alt=\"\">"},
      {"WMF at its own size", wmf_own_size,
       DrawnImg(pictures::Source::kWmf, wmf) + " width=200 height=100 alt=\"\">"},
      // 20000 x 10000 pixels is more than the drawing limits: a quarter, in proportion.
      {"WMF too large is shown smaller", MakePicture(model::PictureFormat::kWmf, wmf, 300000, 150000),
       DrawnImg(pictures::Source::kWmf, wmf) + " width=5000 height=2500 alt=\"\">"},
      {"DIB as BMP", dib_own_size, DrawnImg(pictures::Source::kDib, dib) + " width=2 height=2 alt=\"\">"},
      {"WMF that does not draw: a box of its size", MakePicture(model::PictureFormat::kWmf, "wmf", 1500, 750),
       "<span style=\"display:inline-block;width:100px;height:50px;border:1px solid #808080\" "
       "title=\"Рисунок в "
       "формате WMF не может быть показан\"></span>"},
      {"EMF of unknown size", MakePicture(model::PictureFormat::kEmf, "", 0, -5),
       "<span style=\"display:inline-block;width:48px;height:48px;border:1px solid #808080\" title=\"Рисунок "
       "в "
       "формате EMF не может быть показан\"></span>"},
      {"another format", MakePicture(model::PictureFormat::kOther, "x", 300, 300),
       "<span style=\"display:inline-block;width:20px;height:20px;border:1px solid #808080\" title=\"Рисунок "
       "в "
       "этом формате не может быть показан\"></span>"},
      {"PNG data that is no PNG", MakePicture(model::PictureFormat::kPng, "GIF89a", 300, 300),
       "<span style=\"display:inline-block;width:20px;height:20px;border:1px solid #808080\" title=\"Рисунок "
       "повреждён и не может быть показан\"></span>"},
  };
  for (const Case& c : cases) {
    model::Document document = Document({Para({Text("a"), Picture(0), Text("b")})});
    document.pictures.push_back(c.picture);
    EXPECT_EQ(BodyOfDocument(document), Cp1251("<p>a" + c.html + "b</p>\r\n")) << c.name;
  }
}

TEST(ModelPicturesTest, APictureIndexOutOfRangeIsLeftOut) {
  EXPECT_EQ(BodyOfDocument(Document({Para({Text("a"), Picture(3)})})), "<p>a</p>\r\n");
}

}  // namespace
}  // namespace tessarine
