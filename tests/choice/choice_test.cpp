#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "base/file_text.h"
#include "choice/convert_rtf_document.h"
#include "choice/document_opening.h"
#include "choice/page_agreement.h"
#include "model_page/write_page.h"
#include "passes/pipeline/convert_rtf.h"
#include "reader/read_rtf.h"
#include "tests/support/paths.h"

namespace tessarine {
namespace {

Settings WithEngine(const char* engine) {
  Settings settings;
  settings.rtfengine = engine;
  return settings;
}

// Why the passes' page of `rtf` does not show the document (kNone when it does), the page fed
// `piece` bytes at a time (0: at once).
Disagreement WhyNot(std::string_view rtf, size_t piece = 0, const Settings& settings = {}) {
  const model::Document document = ReadRtfDocument(rtf);
  const std::string page = ConvertRtf(rtf, settings).page;
  PageAgreement agreement(document, settings);
  bool agree = true;
  for (size_t i = 0; i < page.size() && agree; i += piece == 0 ? page.size() : piece) {
    agree = agreement.Read(std::string_view(page).substr(i, piece == 0 ? page.size() : piece));
  }
  if (agree) agreement.Finish();
  return agreement.disagreement();
}

constexpr std::string_view kHead =
    "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"
    "{\\colortbl;\\red255\\green0\\blue0;}\r\n}";

std::string Document(std::string_view body) {
  return std::string(kHead) + std::string(body) + "}";
}

const struct {
  const char* name;
  const char* body;  // after kHead
  Disagreement why;
} kDocuments[] = {
    {"plain 10 pt Arial text", "\\pard\\plain\\f0\\fs20 {\\f0\\fs20 Plain words here.\\par }",
     Disagreement::kNone},
    {"runs of bold, italic and colour",
     "\\pard\\plain\\f0\\fs20 {\\f0\\fs20 Some }{\\f0\\fs20\\b bold}{\\f0\\fs20  and }{\\f0\\fs20\\i italic}"
     "{\\f0\\fs20  and }{\\f0\\fs20\\cf1 red}{\\f0\\fs20  words.\\par }",
     Disagreement::kNone},
    {"a 24 pt bold centred title",
     "\\pard\\plain\\qc\\f1\\fs48\\b {\\f1\\fs48\\b Big title\\par }"
     "\\pard\\plain\\f0\\fs20 {\\f0\\fs20 Body text.\\par }",
     Disagreement::kNone},
    {"a note",
     "\\pard\\plain\\f0\\fs20 {\\f0\\fs20 Word}{\\super\\chftn}{\\footnote\\pard\\plain\\f0\\fs16 "
     "{\\super\\chftn}{\\f0\\fs16  Note text.}}{\\f0\\fs20  after.\\par }",
     Disagreement::kNone},
    {"a link",
     "\\pard\\plain\\f0\\fs20 {\\f0\\fs20 See }{\\field{\\*\\fldinst HYPERLINK \"http://example.com/\"}"
     "{\\fldrslt {\\f0\\fs20 the site}}}{\\f0\\fs20  now.\\par }",
     Disagreement::kNone},
    {"a table",
     "\\trowd\\cellx2000\\cellx4000\\pard\\plain\\intbl\\f0\\fs20 {\\f0\\fs20 One\\cell Two\\cell }"
     "\\pard\\plain\\intbl{\\row}\\pard\\plain\\f0\\fs20 {\\f0\\fs20 After.\\par }",
     Disagreement::kNone},
    {"a list",
     "{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc0\\leveltemplateid1{\\leveltext"
     "\\'02\\'00.;}{\\levelnumbers\\'01;}\\fi-360\\li720}\\listid1}}{\\*\\listoverridetable{\\listoverride"
     "\\listid1\\listoverridecount0\\ls1}}\\pard\\plain\\ls1\\fi-360\\li720\\f0\\fs20 {\\listtext 1.\\tab}"
     "{\\f0\\fs20 First item\\par}{\\listtext 2.\\tab}{\\f0\\fs20 Second item\\par }",
     Disagreement::kNone},
    // The RTF default size is 12 pt; the page's "p" rule shows text without a size at 10 pt.
    {"text without a size", "\\pard\\plain {Plain words here.\\par }", Disagreement::kSize},
    {"a 50 pt word (the passes read two digits of \\fs)",
     "\\pard\\plain\\f0\\fs20 {\\f0\\fs20 Small }{\\f0\\fs100 huge}{\\f0\\fs20  words.\\par }",
     Disagreement::kSize},
    {"a line break the passes lose", "\\pard\\plain\\f0\\fs20 {\\f0\\fs20 One\\line Two\\par }",
     Disagreement::kSpacing},
    {"a paragraph given the next one's alignment",
     "\\pard\\plain\\f0\\fs20 {\\f0\\fs20 First\\par }\\pard\\plain\\qc\\f0\\fs20 {\\f0\\fs20 Centred\\par }",
     Disagreement::kAlignment},
    {"markup written as hex escapes, shown as text",
     "\\pard\\plain\\f0\\fs20 {\\f0\\fs20 Text \\'3cb\\'3ebold\\'3c/b\\'3e b bold here.\\par }",
     Disagreement::kNone},
    {"a picture a page can show",
     "\\pard\\plain\\f0\\fs20 {\\f0\\fs20 Text {\\pict\\pngblip\\picw1\\pich1 89504e47}\\par }",
     Disagreement::kRest},
    {"a field other than a hyperlink, whose result the passes drop",
     "\\pard\\plain\\f0\\fs20 {\\f0\\fs20 Total {\\field{\\*\\fldinst NUMPAGES}{\\fldrslt 7}} pages\\par }",
     Disagreement::kRest},
    {"a table in a table's cell, which the passes flatten",
     "\\pard\\plain\\f0\\fs20 {\\f0\\fs20 Before\\par }\\trowd\\cellx4000\\pard\\plain\\intbl\\f0\\fs20 "
     "Outer\\par"
     "\\pard\\intbl\\itap2 "
     "Inner\\nestcell{\\*\\nesttableprops\\trowd\\cellx2000\\nestrow}{\\nonesttables\\par}"
     "\\pard\\intbl\\itap1\\cell\\row\\pard\\plain\\f0\\fs20 {\\f0\\fs20 After\\par }",
     Disagreement::kStructure},
};

TEST(ChoiceTest, ThePassesPageStandsWhenItShowsTheDocument) {
  for (const auto& c : kDocuments) {
    const std::string rtf = Document(c.body);
    EXPECT_EQ(WhyNot(rtf), c.why) << c.name;
    for (size_t piece : {1, 5}) EXPECT_EQ(WhyNot(rtf, piece), c.why) << c.name << ", pieces of " << piece;
    const Conversion automatic = ConvertRtfDocument(rtf, WithEngine("auto"));
    EXPECT_EQ(automatic.reading, c.why == Disagreement::kNone ? RtfReading::kPasses : RtfReading::kModel)
        << c.name;
    EXPECT_EQ(automatic.page,
              ConvertRtfDocument(rtf, WithEngine(c.why == Disagreement::kNone ? "passes" : "model")).page)
        << c.name;
  }
}

TEST(ChoiceTest, TheSettingsLookIsThePagesOwn) {
  // Sizes the settings take off every size, and the notes' and links' colours.
  Settings settings;
  settings.umrazm = "2";
  settings.colorssl = "#123456";
  settings.colorslssl = "#654321";
  for (const char* body :
       {"\\pard\\plain\\f0\\fs24 {\\f0\\fs24 Twelve less two.\\par }",
        "\\pard\\plain\\f0\\fs24 {\\f0\\fs24 Word}{\\super\\chftn}{\\footnote\\pard\\plain\\f0"
        "\\fs16 {\\super\\chftn}{\\f0\\fs16  Note text.}}{\\f0\\fs24  after.\\par }"}) {
    EXPECT_EQ(WhyNot(Document(body), 0, settings), Disagreement::kNone) << body;
  }
}

// A document that smuggles markup in, and says the words of that markup as text besides, gets
// no live markup under the automatic choice.
TEST(ChoiceTest, NoSmuggledMarkupStands) {
  for (const char* body : {"\\pard\\plain\\f0\\fs20 {\\f0\\fs20 Text "
                           "\\'3cscript\\'3ealert(1)\\'3c/script\\'3e script alert 1 script\\par }",
                           "\\pard\\plain\\f0\\fs20 {\\f0\\fs20 \\'3cimg src=x onerror=alert(1)\\'3e img src "
                           "x onerror alert 1\\par }"}) {
    const Conversion automatic = ConvertRtfDocument(Document(body), WithEngine("auto"));
    EXPECT_EQ(automatic.page.find("<script"), std::string::npos) << body;
    EXPECT_EQ(automatic.page.find("<img"), std::string::npos) << body;
  }
}

// The documents of tests/data/rtf were made for the passes. Automatically, those the passes
// show give the passes' page byte for byte; the others give the model's page.
TEST(ChoiceTest, TheTestDocumentsOfThePasses) {
  const struct {
    const char* name;
    RtfReading expected;
  } cases[] = {
      {"footnotes", RtfReading::kPasses},
      {"wordpad_flag_words", RtfReading::kPasses},
      // Text without a size: 12 pt in the document, 10 pt on the page.
      {"comment", RtfReading::kModel},
      {"hyperlink_targets", RtfReading::kModel},
      {"letter", RtfReading::kModel},
      {"numbered_list", RtfReading::kModel},
      {"table_merged_cells", RtfReading::kModel},
      {"word_flag_words", RtfReading::kModel},
      // The passes lose a word ("gone", "this"), split words the grammar joins, give a paragraph
      // another's alignment.
      {"glued", RtfReading::kModel},
      {"links_and_bookmarks", RtfReading::kModel},
      {"list_items", RtfReading::kModel},
      {"run_spans", RtfReading::kModel},
      {"word_paragraphs", RtfReading::kModel},
  };
  for (const auto& c : cases) {
    std::string source;
    ASSERT_TRUE(ReadFileText(testing::DataDir() / "rtf" / (std::string(c.name) + ".rtf"), &source).ok())
        << c.name;
    const Conversion automatic = ConvertRtfDocument(source, WithEngine("auto"));
    EXPECT_EQ(automatic.reading, c.expected) << c.name;
    if (c.expected == RtfReading::kPasses) {
      EXPECT_EQ(automatic.page, ConvertRtf(source, Settings{}).page) << c.name;
    }
  }
}

// A large document is compared with its opening while the passes still write their page, and a
// model's page chosen so is written beside the rest of the reading: the choice and the page are
// still those made on the whole document once it is read.
TEST(ChoiceTest, LargeDocumentsGetTheChoiceOfTheWholeDocument) {
  const std::string agreeing = kDocuments[1].body;
  const std::string unsized = "\\pard\\plain {Plain words here.\\par }";
  const struct {
    const char* name;
    std::string opening, rest;  // each repeated over half a megabyte and more
  } cases[] = {
      {"agreeing throughout", agreeing, agreeing},
      {"disagreeing from the start", unsized + agreeing, agreeing},
      {"disagreeing only past the opening", agreeing, agreeing + unsized},
      {"a font of the opening named anew later",
       unsized + "\\pard\\plain\\f1\\fs20 {\\f1\\fs20 Roman.\\par }",
       "{\\fonttbl{\\f1\\fswiss Arial;}}" + agreeing},
      {"an HTML message later", unsized, "\\fromhtml1 {\\*\\htmltag <p>}html{\\*\\htmltag </p>}" + agreeing},
  };
  for (const auto& c : cases) {
    std::string rtf(kHead);
    while (rtf.size() < OpeningSize{}.bytes + 4096) rtf += c.opening;
    while (rtf.size() < 3 * OpeningSize{}.bytes) rtf += c.rest;
    rtf += "}";
    const DocumentBytes bytes{std::string(rtf)};
    const Conversion passes = ConvertRtf(bytes.text(), Settings{});
    const bool shows = PassesPageShowsDocument(passes.page, ReadRtfDocument(rtf), Settings{});
    const Conversion automatic = ConvertRtfDocument(bytes, WithEngine("auto"));
    EXPECT_EQ(automatic.reading, shows ? RtfReading::kPasses : RtfReading::kModel) << c.name;
    // Compared as a whole: a difference is no use printed.
    EXPECT_TRUE(automatic.page ==
                (shows ? passes.page : WriteModelPage(ReadRtfDocument(rtf), Settings{}).page))
        << c.name;
  }
}

TEST(ChoiceTest, EachEngineWhenChosen) {
  const std::string rtf =
      "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\r\n}\\pard\\plain {Plain words here.\\par }}";
  EXPECT_EQ(ConvertRtfDocument(rtf, WithEngine("passes")).reading, RtfReading::kPasses);
  EXPECT_EQ(ConvertRtfDocument(rtf, WithEngine("passes")).page, ConvertRtf(rtf, Settings{}).page);
  EXPECT_EQ(ConvertRtfDocument(rtf, WithEngine("model")).reading, RtfReading::kModel);
  // An unknown name in the settings file reads as automatic.
  EXPECT_EQ(RtfEngineOf(WithEngine("fastest")), RtfEngine::kAuto);
}

TEST(ChoiceTest, ARefusalStandsWhenNeitherWayFindsAnything) {
  const Conversion automatic = ConvertRtfDocument("{\\rtf1 }", WithEngine("auto"));
  EXPECT_EQ(automatic.refusal, ConvertRtf("{\\rtf1 }", Settings{}).refusal);
  EXPECT_EQ(automatic.reading, RtfReading::kPasses);
}

}  // namespace
}  // namespace tessarine
