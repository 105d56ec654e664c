// Tabs in the page: a tab character whose "tab-size" makes it reach the stop the document's tab
// would reach. A browser puts tab stops at the multiples of the tab size from the paragraph's
// left edge, so a tab goes to its own stop from wherever the text before it ends, as long as that
// text ends before the stop.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tessarine {

// Where the tabs of one line of a paragraph go, in twips from the left margin.
struct TabLine {
  const std::vector<int32_t>* stops = nullptr;  // the paragraph's own, ascending
  int32_t default_stop = 720;                   // the document's distance of default stops
  int32_t edge = 0;                             // the paragraph's left edge (its left indent)
  int32_t start = 0;                            // where the line's text starts
  bool hanging = false;                         // the first line of a hanging indent: a stop at the edge
};

// The tab size, in twips, for the `n`-th tab of the line (1 for the first): the distance from
// the edge to the n-th stop after the line's start; the default stops when the paragraph's own
// are used up. Never 0: a stop at the edge or before it gives the distance from it to the
// line's start (the multiples of that size include the edge).
int32_t TabSize(const TabLine& line, int n);

// Appends a tab that reaches `size_twips` stops: a tab character in a span that keeps it.
void AppendTab(std::string& out, int32_t size_twips);

}  // namespace tessarine
