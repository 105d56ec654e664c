// Pictures: formats, sizes, hex and binary data, and which of a picture's versions is read.
#include <string>

#include <gtest/gtest.h>

#include "tests/reader/snippet.h"

namespace tessarine::testing {
namespace {

const Snippet kPictures[] = {
    {"Picture", R"x({\rtf1 {\pict\pngblip\picw10\pich20\picwgoal1440\pichgoal720 89504e47}})x",
     R"x(p | <pic 0>
picture 0 png 1440x720 4 bytes
)x"},
    {"PictureScaled", R"x({\rtf1 {\pict\jpegblip\picwgoal1440\pichgoal720\picscalex50\picscaley200 ffd8}})x",
     R"x(p | <pic 0>
picture 0 jpeg 720x1440 2 bytes
)x"},
    {"PictureWithoutGoals",
     R"x({\rtf1 {\pict\jpegblip\picw100\pich10 ffd8}{\pict\wmetafile8\picw2540\pich254 0100}{\pict\emfblip\picw2540\pich2540 01}})x",
     R"x(p | <pic 0> <pic 1> <pic 2>
picture 0 jpeg 1500x150 2 bytes
picture 1 wmf 1440x144 2 bytes
picture 2 emf 1440x1440 1 bytes
)x"},
    {"PictureBinary", R"x({\rtf1 {\pict\pngblip\bin4 {}\x}})x",
     R"x(p | <pic 0>
picture 0 png 0x0 4 bytes
)x"},
    {"PictureHexAcrossLines", "{\\rtf1 {\\pict\\pngblip 8\r\n95\r\n04e 4}}",
     R"x(p | <pic 0>
picture 0 png 0x0 3 bytes
)x"},
    {"ShapePictureOverNonShape",
     R"x({\rtf1 {\*\shppict{\pict\pngblip 01}}{\nonshppict{\pict\wmetafile8 02}}})x",
     R"x(p | <pic 0>
picture 0 png 0x0 1 bytes
)x"},
    {"NonShapePictureAlone", R"x({\rtf1 {\nonshppict{\pict\wmetafile8 02}}})x",
     R"x(p | <pic 0>
picture 0 wmf 0x0 1 bytes
)x"},
    {"PictureIdentifierIsNoData", R"x({\rtf1 {\pict{\*\blipuid 00112233}\pngblip 89}})x",
     R"x(p | <pic 0>
picture 0 png 0x0 1 bytes
)x"},
};

class PicturesTest : public ::testing::TestWithParam<Snippet> {};
TEST_P(PicturesTest, Reads) {
  ExpectReading(GetParam());
}
INSTANTIATE_TEST_SUITE_P(Snippets, PicturesTest, ::testing::ValuesIn(kPictures), SnippetName);

}  // namespace
}  // namespace tessarine::testing
