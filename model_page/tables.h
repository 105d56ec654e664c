// Tables in the page as the RTF pages write them: <table border=1 width=90%>, a row per line,
// cells with colspan, rowspan and their width in percent, nested tables inside their cells.
#pragma once

#include <string>

#include "model/document.h"
#include "model_page/page_context.h"

namespace tessarine {

// Appends `table`, which stands `depth` tables deep (1: not inside another table), and sets the
// table flag of the stylesheet. A table without cells writes nothing.
void WriteTable(PageContext& context, std::string& out, const model::Table& table, int depth);

}  // namespace tessarine
