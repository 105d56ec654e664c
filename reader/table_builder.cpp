#include "reader/table_builder.h"

#include <algorithm>

namespace tessarine::reader {

void TableBuilder::OpenTo(int depth, std::vector<model::Block>& outer) {
  depth = std::clamp(depth, 0, model::kMaxTableDepth);
  while (static_cast<int>(open_.size()) > depth) {
    EndRow((*definitions_)[open_.size()]);
    Open& top = open_.back();
    if (!top.table.rows.empty()) {
      std::vector<model::Block>& into = open_.size() > 1 ? open_[open_.size() - 2].blocks : outer;
      into.emplace_back().content.emplace<model::Table>(std::move(top.table));
    }
    open_.pop_back();
  }
  while (static_cast<int>(open_.size()) < depth) open_.emplace_back();
}

void TableBuilder::EndCell() {
  if (open_.empty()) return;
  Open& top = open_.back();
  top.cells.push_back(model::Cell{});
  top.cells.back().blocks = std::move(top.blocks);
  top.blocks.clear();
}

void TableBuilder::EndRow(const RowDefinition& definition) {
  if (open_.empty()) return;
  Open& top = open_.back();
  if (!top.blocks.empty()) EndCell();
  if (top.cells.empty()) return;
  model::Row row;
  row.left_twips = definition.left;
  const size_t defined = std::min(top.cells.size(), definition.cells.size());
  for (size_t i = 0; i < defined; ++i) {
    model::Cell& cell = top.cells[i];
    const RowDefinition::Cell& cell_definition = definition.cells[i];
    cell.right_twips = cell_definition.right;
    cell.horizontal = cell_definition.horizontal;
    cell.vertical = cell_definition.vertical;
    cell.background = cell_definition.background;
    cell.borders = cell_definition.borders;
    cell.own_borders = cell_definition.own_borders;
    cell.vertical_alignment = cell_definition.vertical_alignment;
  }
  row.cells = std::move(top.cells);
  top.cells.clear();
  top.table.rows.push_back(std::move(row));
}

int TableDepthOf(const model::Block& block) {
  const auto* table = std::get_if<model::Table>(&block.content);
  if (table == nullptr) return 0;
  int deepest = 0;
  for (const model::Row& row : table->rows) {
    for (const model::Cell& cell : row.cells) {
      for (const model::Block& inner : cell.blocks) deepest = std::max(deepest, TableDepthOf(inner));
    }
  }
  return deepest + 1;
}

void AppendWithin(model::Block block, int room, std::vector<model::Block>& out) {
  auto* table = std::get_if<model::Table>(&block.content);
  if (table == nullptr || TableDepthOf(block) <= room) {
    out.push_back(std::move(block));
    return;
  }
  for (model::Row& row : table->rows) {
    for (model::Cell& cell : row.cells) {
      for (model::Block& inner : cell.blocks) AppendWithin(std::move(inner), room, out);
    }
  }
}

}  // namespace tessarine::reader
