#include "tests/fidelity/source_features.h"

#include <algorithm>
#include <cstdlib>
#include <set>

#include "base/cp1251.h"
#include "tests/fidelity/list_markers.h"
#include "tests/fidelity/page_text.h"
#include "tests/fidelity/rtf_scan.h"
#include "tests/support/writer_documents.h"

namespace tessarine::testing {

namespace {

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// A table's rows as the scan finds them, for telling whether rows split each other's cells.
struct RowBoundaries {
  long left = 0;
  std::vector<long> rights;
};

bool SplitsCells(const std::vector<RowBoundaries>& rows) {
  constexpr long kSameEdge = 30;
  std::set<long> all;
  for (const RowBoundaries& row : rows) all.insert(row.rights.begin(), row.rights.end());
  std::vector<long> edges;
  for (long edge : all) {
    if (edges.empty() || edge - edges.back() >= kSameEdge) edges.push_back(edge);
  }
  auto boundaries_to = [&edges](long x) {
    return std::upper_bound(edges.begin(), edges.end(), x + kSameEdge - 1) - edges.begin();
  };
  for (const RowBoundaries& row : rows) {
    if (row.rights.empty()) continue;
    const long right = *std::max_element(row.rights.begin(), row.rights.end());
    const auto columns = boundaries_to(right) - boundaries_to(row.left);
    if (columns > static_cast<long>(row.rights.size())) return true;
  }
  return false;
}

struct GroupState {
  bool html_rtf = false;            // "\htmlrtf": RTF that only stands in for encapsulated HTML
  bool aside = false;               // notes, comments and shapes: text outside the body's flow
  bool in_table_paragraph = false;  // "\intbl" since the last "\pard"
  bool picture = false;             // a PNG or JPEG "\pict" group
  size_t open = 0;
  std::string bin_data;  // the start of its "\bin" data
};

// The data that tells a picture from another: the start of its hexadecimal data (the group's
// own text, not that of its "{\*\picprop}" or "{\*\blipuid}") or of its binary data; "" when
// the data is neither PNG nor JPEG, whatever the group says ("\pngblip" over GIF data).
std::string PictureKey(std::string_view rtf, const GroupState& group, size_t end) {
  const std::string_view text = rtf.substr(group.open, std::min<size_t>(end - group.open, 1 << 16));
  std::string run;
  int depth = 0;
  for (size_t i = 0; i < text.size() && run.size() < 256; ++i) {
    const char c = text[i];
    if (c == '{') {
      ++depth;
    } else if (c == '}') {
      --depth;
    } else if (c == '\\') {
      const ControlWord w = ReadControlWord(text, i);
      i = w.end - 1 + (w.word == "bin" ? static_cast<size_t>(std::max(0L, w.parameter)) : 0);
    } else if (depth == 1 && IsHexDigit(c)) {
      run.push_back(static_cast<char>(c >= 'A' && c <= 'F' ? c + 32 : c));
    }
  }
  if (run.size() >= 64) return run.starts_with("89504e470d0a1a0a") || run.starts_with("ffd8ff") ? run : "";
  const std::string_view bin =
      std::string_view(group.bin_data).substr(std::min<size_t>(group.bin_data.size(), 4));
  return bin.starts_with("\x89PNG") || bin.starts_with("\xFF\xD8\xFF") ? group.bin_data : "";
}

// UTF-8 text in code page 1251, other characters as references (as pages hold text).
std::string InCp1251(std::string_view utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    const char32_t c = NextCodePoint(utf8, &i);
    const int byte = UnicodeToCp1251(c);
    if (byte >= 0) {
      out.push_back(static_cast<char>(byte));
    } else {
      out += "&#" + std::to_string(static_cast<unsigned long>(c)) + ";";
    }
  }
  return out;
}

// The links and tables of encapsulated HTML (the tags of "\htmltag" groups, code page 1251):
// targets of <a href> but in-page and script ones, tables with their spans, tables in tables.
void AddHtmlFeatures(std::string_view html, SourceFeatures& out) {
  int depth = 0;
  for (size_t open = html.find('<'); open != std::string_view::npos; open = html.find('<', open + 1)) {
    const size_t close = html.find('>', open);
    if (close == std::string_view::npos) break;
    const std::string_view tag = html.substr(open + 1, close - open - 1);
    const std::string name = TagName(tag);
    bool found = false;
    if (name == "a") {
      const std::string href = Attribute(tag, "href", &found);
      if (found && !href.empty() && !href.starts_with('#') && !IsScriptTarget(href)) {
        out.external_targets.push_back(href);
      }
    } else if (name == "table") {
      if (depth == 0) out.tables.emplace_back();
      out.nested_tables |= depth > 0;
      ++depth;
    } else if (name == "/table" && depth > 0) {
      --depth;
    } else if (name == "tr" && depth == 1) {
      ++out.tables.back().rows;
    } else if ((name == "td" || name == "th") && depth == 1) {
      out.tables.back().vertical_merges |= std::atoi(Attribute(tag, "rowspan", &found).c_str()) > 1;
      out.tables.back().horizontal_merges |= std::atoi(Attribute(tag, "colspan", &found).c_str()) > 1;
    }
  }
}

bool IsHeaderOrFooter(std::string_view word) {
  for (std::string_view w :
       {"header", "headerl", "headerr", "headerf", "footer", "footerl", "footerr", "footerf"}) {
    if (word == w) return true;
  }
  return false;
}

}  // namespace

SourceFeatures ReadSourceFeatures(std::string_view rtf) {
  SourceFeatures out;
  const ByteTable code_page = DocumentCodePage(rtf);
  std::string html;  // the encapsulated HTML's tags
  std::set<std::string> pictures;
  std::vector<GroupState> groups(1);
  bool table_open = false;
  std::vector<RowBoundaries> table_rows;
  RowBoundaries row;
  bool row_horizontal = false, row_vertical = false;
  auto close_table = [&] {
    if (table_open) out.tables.back().split_cells = SplitsCells(table_rows);
    table_open = false;
    table_rows.clear();
  };

  for (size_t i = 0; i < rtf.size(); ++i) {
    const char c = rtf[i];
    if (c == '{') {
      const std::string_view word = GroupWord(rtf, i);
      if (IsHeaderOrFooter(word) || word == "nonshppict" || word == "nesttableprops") {
        if (word == "nesttableprops") out.nested_tables = true;
        i = GroupEnd(rtf, i) - 1;
        continue;
      }
      if (word == "htmltag") {
        const size_t end = GroupEnd(rtf, i);
        html += GroupText(rtf, i, end, code_page, AtTab::kGoOn);
        i = end - 1;
        continue;
      }
      if (word == "listtext" || word == "pntext" || word == "fldinst") {
        const size_t end = GroupEnd(rtf, i);
        if (groups.back().html_rtf) {
          // What stands in for encapsulated HTML asks nothing of a page.
        } else if (word == "fldinst") {
          const std::string target = HyperlinkTarget(GroupText(rtf, i, end, code_page, AtTab::kGoOn));
          if (!target.empty()) out.external_targets.push_back(target);
        } else {
          const std::string marker = NormalMarker(GroupText(rtf, i, end, code_page, AtTab::kStop));
          if (!marker.empty()) out.list_markers.push_back(marker);
        }
        i = end - 1;
        continue;
      }
      GroupState group = groups.back();
      group.picture = false;
      group.open = i;
      group.bin_data.clear();
      groups.push_back(std::move(group));
      continue;
    }
    if (c == '}') {
      if (groups.size() > 1) {
        GroupState& closed = groups.back();
        GroupState& parent = groups[groups.size() - 2];
        if (closed.picture) {
          std::string key = PictureKey(rtf, closed, i);
          if (!key.empty()) pictures.insert(std::move(key));
        } else if (parent.bin_data.empty()) {
          parent.bin_data = std::move(closed.bin_data);  // "{\pict\pngblip {\bin...}}"
        }
        groups.pop_back();
      }
      continue;
    }
    if (c != '\\') continue;
    const ControlWord w = ReadControlWord(rtf, i);
    i = w.end - 1;
    GroupState& group = groups.back();
    const std::string_view word = w.word;
    if (word == "htmlrtf") {
      group.html_rtf = !w.has_parameter || w.parameter != 0;
      continue;
    }
    if (word == "bin") {
      const size_t length = std::min<size_t>(std::max(0L, w.parameter), rtf.size() - w.end);
      if (group.bin_data.empty())
        group.bin_data = "bin:" + std::string(rtf.substr(w.end, std::min<size_t>(length, 256)));
      i += length;
    } else if (group.html_rtf) {
      continue;
    } else if (word == "footnote") {
      ++out.footnotes;
      group.aside = true;
    } else if (word == "annotation" || word == "shp" || word == "shptxt" || word == "dptxbx") {
      group.aside = true;
    } else if (word == "pngblip" || word == "jpegblip") {
      group.picture = true;
    } else if (word == "pard") {
      group.in_table_paragraph = false;
    } else if (word == "intbl") {
      group.in_table_paragraph = true;
    } else if (word == "itap") {
      group.in_table_paragraph = w.parameter > 0;
      if (w.parameter > 1) out.nested_tables = true;
    } else if (word == "nestcell" || word == "nestrow") {
      out.nested_tables = true;
    } else if (group.aside) {
      continue;  // the paragraphs and tables of notes and shapes are no tables of the body
    } else if (word == "par" && !group.in_table_paragraph) {
      close_table();
    } else if (word == "trowd") {
      row = {};
      row_horizontal = row_vertical = false;
    } else if (word == "trleft") {
      row.left = w.parameter;
    } else if (word == "cellx") {
      row.rights.push_back(w.parameter);
    } else if (word == "clmgf") {
      row_horizontal = true;
    } else if (word == "clvmgf") {
      row_vertical = true;
    } else if (word == "row") {
      if (!table_open) out.tables.emplace_back();
      table_open = true;
      SourceTable& table = out.tables.back();
      ++table.rows;
      table.horizontal_merges |= row_horizontal;
      table.vertical_merges |= row_vertical;
      table_rows.push_back(row);
    }
  }
  close_table();
  out.pictures = static_cast<int>(pictures.size());
  if (!html.empty()) AddHtmlFeatures(InCp1251(html), out);
  return out;
}

}  // namespace tessarine::testing
