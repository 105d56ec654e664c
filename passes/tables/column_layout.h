// Column layout: the HTML of a section cut into columns of a borderless one-row table.
#pragma once

#include <string>
#include <string_view>

namespace tessarine {

// Appends `html` laid out in `columns` (2 or more) columns to `out`: "<table border=0
// width=90%>", "<tr>", one "<td width=W%>" per column (W = 100 div columns), "</tr></table>".
// Each cut falls about (length div columns + 25) characters after the previous one, moved to
// the next space or tag boundary so that no tag is split; span, u, i, b and p elements open at a
// cut are closed before it and opened again after it.
void AppendColumns(std::string_view html, int columns, std::string& out);

// Whether `html` shows anything: a character outside its tags other than a space or a line
// break, or a tag other than the p, span, b, i and u tags (opening or closing) a cut balances.
bool HasContent(std::string_view html);

// Closes at the end of `done` the elements still open in it (span, u, i, b, p, in that order) and
// puts their opening tags in front of `rest` (p, b, i, u, span), as at a column cut.
void BalanceTagsAtCut(std::string& done, std::string& rest);

}  // namespace tessarine
