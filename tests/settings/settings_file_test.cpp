#include "settings/settings_file.h"

#include <filesystem>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "base/file_text.h"
#include "tests/support/temp_dir.h"

namespace tessarine {
namespace {

using testing::TempDir;

// The settings file written with the start values, byte for byte.
const std::string kStartValuesFile =
    "This is ini-file for program \"Tessarine v1.0\"\r\n"
    "[Parameters]\r\n"
    "marginright=10\r\n"
    "fsizessl=8\r\n"
    "fontsize=10\r\n"
    "fontname=Arial\r\n"
    "textindent=10\r\n"
    "marginleft=10\r\n"
    "umrazm=0\r\n"
    "bgimage=\r\n"
    "bgcolor=#e0e0e0\r\n"
    "titul=\r\n"
    "fixed=false\r\n"
    "titulautor=\r\n"
    "colorssl=#a0522d\r\n"
    "colorsl=#9f65c3\r\n"
    "colorslssl=#dc143c\r\n"
    "colorhr=#dc143c\r\n"
    "rtfengine=auto\r\n"
    "end;\r\n";

bool NoFileExists(const std::string&) {
  return false;
}
bool EveryFileExists(const std::string&) {
  return true;
}

// Every field read from the file, with the fixed ones given, for comparing whole records.
Settings Fields(std::string marginright, std::string fsizessl, std::string textindent, std::string marginleft,
                std::string umrazm, std::string bgimage, std::string bgcolor, std::string titul, bool fixed,
                std::string titulautor, std::string colorssl, std::string colorsl, std::string colorslssl,
                std::string colorhr) {
  Settings s;
  s.marginright = marginright;
  s.fsizessl = fsizessl;
  s.textindent = textindent;
  s.marginleft = marginleft;
  s.umrazm = umrazm;
  s.bgimage = bgimage;
  s.bgcolor = bgcolor;
  s.titul = titul;
  s.fixed = fixed;
  s.titulautor = titulautor;
  s.colorssl = colorssl;
  s.colorsl = colorsl;
  s.colorslssl = colorslssl;
  s.colorhr = colorhr;
  return s;
}

TEST(SettingsFileTest, WritesTheStartValuesByteForByte) {
  EXPECT_EQ(SettingsFileText(Settings{}), kStartValuesFile);
}

TEST(SettingsFileTest, WritesEveryFieldInItsLine) {
  Settings s = Fields("1", "2", "3", "4", "5", "/pics/bg.png", "#000001", "\xD2\xE8\xF2\xF3\xEB", true,
                      "Author \"A\" <b>", "#000002", "#000003", "#000004", "#000005");
  EXPECT_EQ(SettingsFileText(s),
            "This is ini-file for program \"Tessarine v1.0\"\r\n"
            "[Parameters]\r\n"
            "marginright=1\r\n"
            "fsizessl=2\r\n"
            "fontsize=10\r\n"
            "fontname=Arial\r\n"
            "textindent=3\r\n"
            "marginleft=4\r\n"
            "umrazm=5\r\n"
            "bgimage=/pics/bg.png\r\n"
            "bgcolor=#000001\r\n"
            "titul=\xD2\xE8\xF2\xF3\xEB\r\n"
            "fixed=true\r\n"
            "titulautor=Author \"A\" <b>\r\n"
            "colorssl=#000002\r\n"
            "colorsl=#000003\r\n"
            "colorslssl=#000004\r\n"
            "colorhr=#000005\r\n"
            "rtfengine=auto\r\n"
            "end;\r\n");
}

TEST(SettingsFileTest, ReadingTheStartValuesFileGivesTheStartValues) {
  EXPECT_EQ(SettingsFromText(kStartValuesFile, NoFileExists), Settings{});
}

TEST(SettingsFileTest, RoundTripKeepsEveryFieldThatIsRead) {
  const Settings written[] = {
      Settings{},
      Fields("1", "2", "3", "4", "5", "/pics/bg.png", "#000001", "\xD2\xE8\xF2\xF3\xEB", true,
             "Author \"A\" <b>", "#000002", "#000003", "#000004", "#000005"),
      // Values that begin with a key's letters or contain "=", "true" and "fixed".
      Fields("titul", "fixed=true", "", "a=b ", "-1", "/fixed/pics/fixed.png", "", "titulautor", false,
             "titul=x", "colorslssl", "colorsl", "colorsl", "true"),
  };
  for (const Settings& s : written) {
    Settings read = SettingsFromText(SettingsFileText(s), EveryFileExists);
    EXPECT_EQ(read, s) << SettingsFileText(s);
  }
}

TEST(SettingsFileTest, FixedFieldsAreForcedWhateverTheFileSays) {
  std::string text = kStartValuesFile;
  text.replace(text.find("fontsize=10"), 11, "fontsize=14");
  text.replace(text.find("fontname=Arial"), 14, "fontname=Verdana");
  Settings s = SettingsFromText(text, NoFileExists);
  EXPECT_EQ(s.fontsize, "10");
  EXPECT_EQ(s.fontname, "Arial");
  EXPECT_EQ(s.textcolor, "#000000");
  EXPECT_EQ(s.textalign, "left");
}

TEST(SettingsFileTest, MissingKeysGiveEmptyValuesNotStartValues) {
  Settings s = SettingsFromText("[Parameters]\r\n", EveryFileExists);
  EXPECT_EQ(s, Fields("", "", "", "", "", "", "", "", false, "", "", "", "", ""));
  EXPECT_EQ(s.fontname, "Arial");
  EXPECT_EQ(s.fontsize, "10");
  EXPECT_EQ(s.textcolor, "#000000");
  EXPECT_EQ(s.textalign, "left");
  EXPECT_EQ(s.fontstyle, "");
  EXPECT_EQ(SettingsFromText("", EveryFileExists), s);
}

TEST(SettingsFileTest, TheWayOfReadingRtfIsKeptAndAFileWithoutItMeansAutomatic) {
  const struct {
    const char* name;
    std::string text;
    std::string expected;
  } cases[] = {
      {"a file written before the key existed", kStartValuesFile.substr(0, kStartValuesFile.find("rtfengine")), "auto"},
      {"an empty value", "rtfengine=\r\n", "auto"},
      {"passes", "rtfengine=passes\r\n", "passes"},
      {"model", "rtfengine=model\r\n", "model"},
  };
  for (const auto& c : cases) EXPECT_EQ(SettingsFromText(c.text, NoFileExists).rtfengine, c.expected) << c.name;
  Settings s;
  s.rtfengine = "passes";
  EXPECT_EQ(SettingsFromText(SettingsFileText(s), NoFileExists), s);
}

struct ValueCase {
  const char* name;
  const char* key;
  std::string text;
  std::string expected;
};

TEST(SettingsFileTest, ReadIniValue) {
  const ValueCase cases[] = {
      {"plain", "fsizessl", "fsizessl=9\r\n", "9"},
      {"one character after the key is skipped whatever it is", "fsizessl", "fsizessl 9\r\n", "9"},
      {"only one is skipped", "fsizessl", "fsizessl==9\r\n", "=9"},
      {"trailing space kept", "titul", "titul=abc \r\n", "abc "},
      {"value with =", "titul", "titul=a=b\r\n", "a=b"},
      {"empty value", "titul", "titul=\r\n", ""},
      {"value runs to CR LF, a lone LF is part of it", "titul", "titul=a\nb\r\n", "a\nb"},
      {"no CR LF after the value", "titul", "titul=abc", ""},
      {"key at the very end", "titul", "titul", ""},
      {"missing key", "umrazm", "titul=a\r\n", ""},
      {"key in upper case is another key", "umrazm", "UMRAZM=3\r\n", ""},
      {"first line counts", "umrazm", "umrazm=3\r\numrazm=4\r\n", "3"},
      {"a digit after the key is skipped like =", "umrazm", "umrazm5\r\n", ""},
      {"a digit after the key is skipped like = (value)", "umrazm", "umrazm57\r\n", "7"},
      // Mended: a key counts only at the start of a line and not before a letter.
      {"titulautor line before titul", "titul", "titulautor=A\r\ntitul=T\r\n", "T"},
      {"titulautor line only", "titul", "titulautor=A\r\n", ""},
      {"titulautor found after titul", "titulautor", "titul=T\r\ntitulautor=A\r\n", "A"},
      {"colorslssl line before colorsl", "colorsl", "colorslssl=#1\r\ncolorsl=#2\r\n", "#2"},
      {"key inside an earlier value", "umrazm", "titul=umrazm=9\r\numrazm=1\r\n", "1"},
      {"key after spaces is not at a line start", "umrazm", "  umrazm=1\r\n", ""},
      {"key after a lone LF is not at a line start", "umrazm", "a=1\numrazm=1\r\n", ""},
      {"key after a lone CR is not at a line start", "umrazm", "a=1\rumrazm=1\r\n", ""},
      {"key followed by a Cyrillic letter", "titul", "titul\xE0=1\r\n", ""},
  };
  for (const ValueCase& c : cases) {
    EXPECT_EQ(ReadIniValue(c.key, c.text), c.expected) << c.name;
  }
}

struct FlagCase {
  const char* name;
  std::string text;
  bool expected;
};

TEST(SettingsFileTest, ReadIniFlag) {
  const FlagCase cases[] = {
      {"true", "fixed=true\r\n", true},
      {"false", "fixed=false\r\n", false},
      {"capitals are not true", "fixed=TRUE\r\n", false},
      {"true anywhere in the line", "fixed=untrue\r\n", true},
      {"true after a space", "fixed true\r\n", true},
      {"true on the next line does not count", "fixed=no\r\ntrue\r\n", false},
      {"line without CR LF runs to the end", "fixed=true", true},
      {"missing", "titul=true\r\n", false},
      {"empty text", "", false},
      {"longer key is not the key", "fixedbg=true\r\n", false},
      // Mended: "fixed" inside a picture path is not the fixed line.
      {"bgimage path with fixed", "bgimage=/pics/fixed/a.png\r\nfixed=true\r\n", true},
      {"bgimage path with fixed=false", "bgimage=/fixed=false/a.png\r\nfixed=true\r\n", true},
  };
  for (const FlagCase& c : cases) {
    EXPECT_EQ(ReadIniFlag("fixed", c.text), c.expected) << c.name;
  }
}

TEST(SettingsFileTest, MissingBackgroundPictureReadsAsEmpty) {
  std::string text = kStartValuesFile;
  text.replace(text.find("bgimage="), 8, "bgimage=/pics/gone.png");
  EXPECT_EQ(SettingsFromText(text, NoFileExists).bgimage, "");
  EXPECT_EQ(SettingsFromText(text, nullptr).bgimage, "");
  EXPECT_EQ(SettingsFromText(text, EveryFileExists).bgimage, "/pics/gone.png");
  std::string asked;
  (void)SettingsFromText(text, [&asked](const std::string& path) {
    asked = path;
    return true;
  });
  EXPECT_EQ(asked, "/pics/gone.png");
}

TEST(SettingsFileTest, LoadSettingsFileChecksThePictureOnDisk) {
  TempDir dir;
  dir.Write("bg.png", "any bytes, not a picture");
  std::filesystem::create_directory(dir / "folder.png");
  struct Case {
    std::string bgimage;
    std::string expected;
  } const cases[] = {
      {(dir / "bg.png").string(), (dir / "bg.png").string()},
      {(dir / "gone.png").string(), ""},
      {(dir / "folder.png").string(), ""},
  };
  for (const Case& c : cases) {
    Settings s;
    s.bgimage = c.bgimage;
    ASSERT_TRUE(SaveSettingsFile(dir / "qavrel.ini", s).ok());
    Settings read;
    ASSERT_TRUE(LoadSettingsFile(dir / "qavrel.ini", &read).ok());
    EXPECT_EQ(read.bgimage, c.expected) << c.bgimage;
  }
}

TEST(SettingsFileTest, CrOnlyFileReadsLikeCrLf) {
  TempDir dir;
  Settings s = Fields("1", "2", "3", "4", "5", "", "#000001", "T", true, "A", "#000002", "#000003", "#000004",
                      "#000005");
  std::string cr_only = SettingsFileText(s);
  for (size_t at = cr_only.find("\r\n"); at != std::string::npos; at = cr_only.find("\r\n", at)) {
    cr_only.erase(at + 1, 1);
  }
  dir.Write("qavrel.ini", cr_only);
  Settings read;
  ASSERT_TRUE(LoadSettingsFile(dir / "qavrel.ini", &read).ok());
  EXPECT_EQ(read, s);
}

TEST(SettingsFileTest, LfOnlyFileIsOneLongLine) {
  TempDir dir;
  // The file text rule makes this one line: only a key at its very start is found, and its value
  // runs to the only CR LF, the one added after the last line.
  dir.Write("qavrel.ini", "marginright=10\nfsizessl=8\nfixed=true\ntitul=T\nend;\n");
  Settings read;
  ASSERT_TRUE(LoadSettingsFile(dir / "qavrel.ini", &read).ok());
  EXPECT_EQ(read.marginright, "10\nfsizessl=8\nfixed=true\ntitul=T\nend;\n");
  EXPECT_EQ(read.fsizessl, "");
  EXPECT_EQ(read.titul, "");
  EXPECT_FALSE(read.fixed);
  // Written and read again, every value stays what it was.
  EXPECT_EQ(SettingsFromText(SettingsFileText(read), EveryFileExists), read);
}

TEST(SettingsFileTest, ValuesWithLoneLineFeedsNeverHideAKey) {
  Settings s;
  s.titul = "x\nfixed=true\ncolorsl=#000000";
  s.bgimage = "\nbgcolor=red";
  s.fixed = false;
  Settings read = SettingsFromText(SettingsFileText(s), EveryFileExists);
  EXPECT_EQ(read, s);
  EXPECT_EQ(ReadIniValue("colorsl", "titul\xFF\ncolorsl=#1\r\ncolorsl=#2\r\n"), "#2");
}

TEST(SettingsFileTest, SaveReplacesALongerFileAndReadsBack) {
  TempDir dir;
  dir.Write("qavrel.ini", std::string(5000, 'x'));
  Settings s = Fields("1", "2", "3", "4", "5", "", "#000001", "T", true, "A", "#000002", "#000003", "#000004",
                      "#000005");
  ASSERT_TRUE(SaveSettingsFile(dir / "qavrel.ini", s).ok());
  EXPECT_EQ(dir.Read("qavrel.ini"), SettingsFileText(s));
  // Written beside and renamed into place: no temporary file stays.
  const auto files = std::filesystem::directory_iterator(dir.path());
  EXPECT_EQ(std::distance(std::filesystem::begin(files), std::filesystem::end(files)), 1);
  Settings read;
  ASSERT_TRUE(LoadSettingsFile(dir / "qavrel.ini", &read).ok());
  EXPECT_EQ(read, s);
}

TEST(SettingsFileTest, UnreadableFileGivesEmptyValues) {
  TempDir dir;
  Settings read;
  Status status = LoadSettingsFile(dir / "missing.ini", &read);
  EXPECT_FALSE(status.ok());
  EXPECT_EQ(read, Fields("", "", "", "", "", "", "", "", false, "", "", "", "", ""));
  EXPECT_FALSE(SaveSettingsFile(dir / "no-folder" / "qavrel.ini", Settings{}).ok());
}

}  // namespace
}  // namespace tessarine
