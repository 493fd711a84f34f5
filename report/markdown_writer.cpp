#include "report/report_writers.h"

namespace qv::report {
namespace {

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '|') out += '\\';
    out += c;
  }
  return out;
}

std::string CellText(const Cell& cell) {
  const std::string text = Escaped(cell.text);
  return cell.tone == Tone::Fail ? "**" + text + "**" : text;
}

void WriteTable(std::string& out, const Table& table) {
  out += "|";
  for (const std::string& title : table.header) out += " " + Escaped(title) + " |";
  out += "\n|";
  for (std::size_t column = 0; column < table.header.size(); ++column) {
    out += column < table.numeric.size() && table.numeric[column] ? " ---: |" : " --- |";
  }
  out += "\n";
  for (const auto& row : table.rows) {
    out += "|";
    for (const Cell& cell : row) out += " " + CellText(cell) + " |";
    out += "\n";
  }
}

}  // namespace

std::string MarkdownReport(const Report& report) {
  std::string out;
  for (const Block& block : report.blocks) {
    if (!out.empty()) out += "\n";
    switch (block.kind) {
      case Block::Kind::Heading:
        out += std::string(block.level, '#') + " " + block.text + "\n";
        break;
      case Block::Kind::Paragraph: out += block.text + "\n"; break;
      case Block::Kind::Table: WriteTable(out, block.table); break;
      case Block::Kind::Figure:
        out += "*" + block.text + " (Drawn in the HTML and PDF reports.)*\n";
        break;
    }
  }
  return out;
}

}  // namespace qv::report
