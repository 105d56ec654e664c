#include "settings/settings_file.h"

#include "base/file_text.h"
#include "base/line_break.h"

namespace tessarine {

namespace {

// A Latin letter, or a letter of code page 1251 (the Cyrillic block and Ё, ё).
bool IsLetter(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u >= 0xC0 || u == 0xA8 || u == 0xB8;
}

// Offset of the key in `text`, or npos. The key counts only at the start of a line (the start
// of the text or after CR LF; a lone LF inside a value is an ordinary character) and only when
// the character after it is not a letter, so "titul" never reads the "titulautor" line,
// "colorsl" never reads "colorslssl", "fixed" inside a picture path is not taken for the fixed
// line, and a value never hides a key: what is written reads back the same.
size_t FindKey(std::string_view key, std::string_view text) {
  size_t at = text.find(key);
  while (at != std::string_view::npos) {
    const bool line_start = at == 0 || (at >= 2 && text[at - 2] == '\r' && text[at - 1] == '\n');
    const size_t after = at + key.size();
    const bool whole_key = after >= text.size() || !IsLetter(text[after]);
    if (line_start && whole_key) return at;
    at = text.find(key, at + 1);
  }
  return std::string_view::npos;
}

}  // namespace

std::string ReadIniValue(std::string_view key, std::string_view text) {
  size_t at = FindKey(key, text);
  if (at == std::string_view::npos) return "";
  size_t value = at + key.size() + 1;
  if (value > text.size()) return "";
  size_t end = text.find(kLineBreak, value);
  if (end == std::string_view::npos) return "";
  return std::string(text.substr(value, end - value));
}

bool ReadIniFlag(std::string_view key, std::string_view text) {
  size_t at = FindKey(key, text);
  if (at == std::string_view::npos) return false;
  size_t end = text.find(kLineBreak, at);
  std::string_view line = text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
  return line.find("true") != std::string_view::npos;
}

Settings SettingsFromText(std::string_view text, const FileExistsFn& file_exists) {
  Settings s;
  s.fsizessl = ReadIniValue("fsizessl", text);
  s.titul = ReadIniValue("titul", text);
  s.titulautor = ReadIniValue("titulautor", text);
  s.umrazm = ReadIniValue("umrazm", text);
  s.bgimage = ReadIniValue("bgimage", text);
  if (!s.bgimage.empty() && !(file_exists && file_exists(s.bgimage))) s.bgimage.clear();
  s.bgcolor = ReadIniValue("bgcolor", text);
  s.colorssl = ReadIniValue("colorssl", text);
  s.colorslssl = ReadIniValue("colorslssl", text);
  s.colorsl = ReadIniValue("colorsl", text);
  s.colorhr = ReadIniValue("colorhr", text);
  s.textindent = ReadIniValue("textindent", text);
  s.marginleft = ReadIniValue("marginleft", text);
  s.marginright = ReadIniValue("marginright", text);
  s.fixed = ReadIniFlag("fixed", text);
  // Files written before the choice of reading existed have no such line: automatic.
  s.rtfengine = ReadIniValue("rtfengine", text);
  if (s.rtfengine.empty()) s.rtfengine = "auto";
  ApplyFixedFields(s);
  return s;
}

std::string SettingsFileText(const Settings& s) {
  std::string out;
  auto line = [&out](std::string_view a, std::string_view b = {}) {
    out.append(a);
    out.append(b);
    out.append(kLineBreak);
  };
  line("This is ini-file for program \"Tessarine v1.0\"");
  line("[Parameters]");
  line("marginright=", s.marginright);
  line("fsizessl=", s.fsizessl);
  line("fontsize=", s.fontsize);
  line("fontname=", s.fontname);
  line("textindent=", s.textindent);
  line("marginleft=", s.marginleft);
  line("umrazm=", s.umrazm);
  line("bgimage=", s.bgimage);
  line("bgcolor=", s.bgcolor);
  line("titul=", s.titul);
  line(s.fixed ? "fixed=true" : "fixed=false");
  line("titulautor=", s.titulautor);
  line("colorssl=", s.colorssl);
  line("colorsl=", s.colorsl);
  line("colorslssl=", s.colorslssl);
  line("colorhr=", s.colorhr);
  line("rtfengine=", s.rtfengine);
  line("end;");
  return out;
}

Status LoadSettingsFile(const std::filesystem::path& path, Settings* settings) {
  std::string text;
  Status status = ReadFileText(path, &text);
  *settings = SettingsFromText(text, [](const std::string& p) { return IsExistingFile(p); });
  return status;
}

Status SaveSettingsFile(const std::filesystem::path& path, const Settings& settings) {
  return WriteFileBytes(path, SettingsFileText(settings));
}

}  // namespace tessarine
