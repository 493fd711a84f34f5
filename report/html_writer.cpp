#include "report/report_writers.h"

#include "base/text_format.h"
#include "report/drawing.h"
#include "report/svg_writer.h"

namespace qv::report {
namespace {

// Attributes and inline styles that both a browser and the PDF's text layout
// understand, so one writer serves both.
std::string CellStyle(Tone tone) {
  if (tone == Tone::Plain || tone == Tone::Pass) return "";
  const Look look =
      tone == Tone::Fail ? Look::Fail : (tone == Tone::Warning ? Look::Warning : Look::Inactive);
  const LookColors colors = ColorsOf(look);
  std::string style =
      FormatText("background-color: #%06X; color: #%06X;", colors.fill, colors.text);
  if (tone == Tone::Fail) style += " font-weight: bold;";
  return " style=\"" + style + "\"";
}

std::string TableHtml(const Table& table) {
  // A table of two columns reads best as narrow as its text; wider ones take the page.
  std::string out = "<table class=\"grid\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\"";
  if (table.header.size() > 2) out += " width=\"100%\"";
  out += " style=\"border-collapse: collapse; border-color: #A0A0A0;\">\n<thead><tr>";
  for (const std::string& title : table.header) {
    out += "<th align=\"left\" style=\"background-color: #ECE9D8;\">" + EscapeXml(title) + "</th>";
  }
  out += "</tr></thead>\n";
  for (const auto& row : table.rows) {
    out += "<tr>";
    for (std::size_t column = 0; column < row.size(); ++column) {
      const Cell& cell = row[column];
      const bool numeric = column < table.numeric.size() && table.numeric[column];
      out += "<td";
      if (numeric) out += " align=\"right\"";
      if (cell.tone != Tone::Plain) out += std::string(" class=\"") + ToneName(cell.tone) + "\"";
      out += CellStyle(cell.tone) + ">" + EscapeXml(cell.text) + "</td>";
    }
    out += "</tr>\n";
  }
  return out + "</table>\n";
}

std::string TextBlockHtml(const Block& block) {
  switch (block.kind) {
    case Block::Kind::Heading: {
      const std::string tag = "h" + std::to_string(block.level);
      return "<" + tag + ">" + EscapeXml(block.text) + "</" + tag + ">\n";
    }
    case Block::Kind::Table: return TableHtml(block.table);
    default: return "<p>" + EscapeXml(block.text) + "</p>\n";
  }
}

std::string Caption(const Block& figure) {
  return "<p><i>" + EscapeXml(figure.text) + "</i></p>\n";
}

constexpr const char* kPageStyle =
    "body { font-family: \"DejaVu Sans\", Verdana, sans-serif; font-size: 13px; margin: 24px;"
    " color: #000000; }\n"
    "h1 { font-size: 22px; } h2 { font-size: 17px; margin-top: 28px; } h3 { font-size: 14px; }\n"
    "table.grid { border-collapse: collapse; margin: 8px 0 16px; }\n"
    "table.grid th, table.grid td { border: 1px solid #A0A0A0; padding: 3px 6px;"
    " vertical-align: top; }\n"
    "td[align=right] { font-variant-numeric: tabular-nums; white-space: nowrap; }\n"
    "figure { margin: 8px 0 16px; } figure svg { max-width: 100%; height: auto; }\n"
    "figcaption { font-style: italic; }\n";

}  // namespace

std::string HtmlReport(const Report& report) {
  std::string out =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
      EscapeXml(report.title) + "</title>\n<style>\n" + kPageStyle + "</style>\n</head>\n<body>\n";
  for (const Block& block : report.blocks) {
    if (block.kind != Block::Kind::Figure) {
      out += TextBlockHtml(block);
      continue;
    }
    out += "<figure>\n" + SvgElement(*block.figure) + "<figcaption>" + EscapeXml(block.text) +
           "</figcaption>\n</figure>\n";
  }
  return out + "</body>\n</html>\n";
}

PrintDocument PrintableReport(const Report& report) {
  PrintDocument document;
  document.title = report.title;
  document.footer = report.title;
  std::string text;
  for (const Block& block : report.blocks) {
    if (block.kind != Block::Kind::Figure) {
      text += TextBlockHtml(block);
      continue;
    }
    if (!text.empty()) document.blocks.push_back({std::move(text), nullptr});
    text.clear();
    document.blocks.push_back({"", block.figure});
    text += Caption(block);
  }
  if (!text.empty()) document.blocks.push_back({std::move(text), nullptr});
  return document;
}

}  // namespace qv::report
