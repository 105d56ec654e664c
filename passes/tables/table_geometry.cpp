#include "passes/tables/table_geometry.h"

#include <algorithm>
#include <map>
#include <unordered_map>
#include <utility>

#include "passes/scan/number.h"
#include "passes/scan/scan.h"

namespace tessarine {

std::string_view SpanList::Pop() {
  const std::string_view rest = Rest();
  const size_t k = rest.find('\\');
  if (k == std::string_view::npos) return {};
  const std::string_view entry = rest.substr(0, k);
  if (k + 1 < rest.size()) front_ += k + 1;
  return entry;
}

std::string ReduceBoundary(std::string_view boundary) {
  std::string digits;
  for (char c : boundary) {
    if (IsDigit(c)) digits.push_back(c);
  }
  if (!digits.empty()) digits.pop_back();
  return digits;
}

char MergeMark(std::string_view properties, char next) {
  const size_t at = properties.find("\\clvm");
  if (at == std::string_view::npos) return '0';
  const size_t after = at + 5;
  const char c = after < properties.size() ? properties[after] : next;
  return c == 'g' ? '1' : '2';
}

namespace {

// Orders digit strings by their numeric value, without overflow: leading zeros do not count.
int CompareValues(std::string_view a, std::string_view b) {
  while (!a.empty() && a.front() == '0') a.remove_prefix(1);
  while (!b.empty() && b.front() == '0') b.remove_prefix(1);
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

// Grid order: ascending value; among entries of equal value (such as "046" and "46") the one
// inserted later stands first, since an insertion goes before the first entry not below it.
struct GridKey {
  std::string value;
  size_t sequence;
  bool operator<(const GridKey& other) const {
    int c = CompareValues(value, other.value);
    if (c != 0) return c < 0;
    return sequence > other.sequence;
  }
};

}  // namespace

void AppendSpans(const std::vector<GeometryRow>& rows, SpanList& colspans, SpanList& rowspans) {
  // The column grid and each entry's place in it.
  std::unordered_map<std::string, size_t> sequence_of;
  std::map<GridKey, std::string> grid;
  for (const GeometryRow& row : rows) {
    for (const std::string& b : row.boundaries) {
      if (sequence_of.emplace(b, sequence_of.size()).second) grid.emplace(GridKey{b, sequence_of[b]}, b);
    }
  }
  std::unordered_map<std::string, size_t> column_of;
  for (const auto& [key, b] : grid) column_of.emplace(b, column_of.size());

  // Column spans: the distance in grid columns from the row's previous boundary.
  std::vector<size_t> columns;
  for (const GeometryRow& row : rows) {
    columns.clear();
    for (const std::string& b : row.boundaries) columns.push_back(column_of[b]);
    std::sort(columns.begin(), columns.end());
    columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
    size_t next_free = 0;
    for (size_t c : columns) {
      colspans.Append(std::to_string(c + 1 - next_free));
      next_free = c + 1;
    }
  }

  // Row spans over all cells in order; each cell knows the next cell with its boundary.
  std::vector<const std::string*> boundary;
  std::string marks;
  for (const GeometryRow& row : rows) {
    for (const std::string& b : row.boundaries) boundary.push_back(&b);
    marks.append(row.marks);
  }
  const size_t cells = std::min(boundary.size(), marks.size());
  std::vector<size_t> next_same(cells, cells);
  std::unordered_map<std::string_view, size_t> later;
  for (size_t i = cells; i-- > 0;) {
    auto [it, inserted] = later.emplace(*boundary[i], i);
    if (!inserted) {
      next_same[i] = it->second;
      it->second = i;
    }
  }
  for (size_t i = 0; i < cells; ++i) {
    if (marks[i] == '0') {
      rowspans.Append("1");
    } else if (marks[i] == '2') {
      rowspans.Append("0");
    } else {
      long n = 1;
      for (size_t j = next_same[i]; j < cells && marks[j] == '2'; j = next_same[j]) ++n;
      rowspans.Append(std::to_string(n));
    }
  }
}

namespace {

// The characters before `p` as the text would read with every lone CR written as CR LF, at most
// `count` of them.
std::string CharactersBefore(std::string_view text, size_t p, size_t count) {
  std::string reversed;
  for (size_t i = p; i-- > 0 && reversed.size() < count;) {
    const char c = text[i];
    const bool lone_cr = c == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n');
    if (lone_cr) {
      reversed.push_back('\n');
      if (reversed.size() < count) reversed.push_back('\r');
    } else {
      reversed.push_back(c);
    }
  }
  return std::string(reversed.rbegin(), reversed.rend());
}

// The row count from the "\irowband" number before the first "\lastrow"; false when it cannot
// be read (no "\lastrow", or no text where the number should stand).
bool ReadRowCount(std::string_view text, long& count) {
  const size_t p = text.find("\\lastrow");
  if (p == std::string_view::npos) return false;
  const std::string before = CharactersBefore(text, p, 20);
  std::string_view number = CopyFrom(before, Pos("\\irowband", before) + 9);
  if (!number.empty() && !IsDigit(number.back())) number.remove_suffix(1);
  if (number.empty()) return false;
  count = ValueOf(number) + 1;
  return true;
}

// Boundaries and merge marks of one row definition, which ends with the backslash of "\row".
GeometryRow ReadRowDefinition(std::string_view definition) {
  GeometryRow row;
  size_t previous = 0;
  for (size_t c = definition.find("\\cellx"); c != std::string_view::npos;
       c = definition.find("\\cellx", previous)) {
    const std::string_view properties = definition.substr(previous, c - previous);
    const size_t start = c + 6;
    size_t end = definition.find('\\', start);
    if (end == std::string_view::npos) end = definition.size();
    row.boundaries.push_back(ReduceBoundary(definition.substr(start, end - start)));
    row.marks.push_back(MergeMark(properties, definition[c]));
    previous = end;
  }
  return row;
}

}  // namespace

void ComputeTableGeometry(std::string_view text, SpanList& colspans, SpanList& rowspans) {
  colspans = SpanList();
  rowspans = SpanList();
  long count = 0;
  if (!ReadRowCount(text, count)) return;
  std::vector<GeometryRow> rows;
  size_t cursor = 0;
  for (long r = 0; r < count; ++r) {
    // The row's leading "\irowband", then the one in its end group; each search resumes at the
    // third character of the occurrence found.
    const size_t lead = text.find("\\irowband", cursor);
    if (lead == std::string_view::npos) break;
    const size_t repeated = text.find("\\irowband", lead + 2);
    if (repeated == std::string_view::npos) break;
    cursor = repeated + 2;
    const size_t row_end = text.find("\\row", cursor);
    if (row_end == std::string_view::npos) break;
    rows.push_back(ReadRowDefinition(text.substr(cursor, row_end + 1 - cursor)));
    cursor = row_end + 2;
  }
  AppendSpans(rows, colspans, rowspans);
}

}  // namespace tessarine
