#pragma once
// The design report as content, before any format: headings, paragraphs,
// tables whose cells may carry a verdict, and pictures. The Markdown, HTML and
// PDF writers each turn the same content into their file.

#include <memory>
#include <string>
#include <vector>

#include "chip/registers.h"
#include "plan/plan_evaluation.h"
#include "ui/scene.h"

namespace qv::report {

enum class Tone { Plain, Pass, Warning, Fail, Inactive };

struct Cell {
  std::string text;
  Tone tone = Tone::Plain;
};

struct Table {
  std::vector<std::string> header;
  std::vector<bool> numeric;  // per column: right-aligned
  std::vector<std::vector<Cell>> rows;
};

struct Block {
  enum class Kind { Heading, Paragraph, Table, Figure };
  Kind kind = Kind::Paragraph;
  int level = 2;     // of a heading: 1 to 3
  std::string text;  // a heading, a paragraph, or a figure's caption
  Table table;
  std::shared_ptr<const Scene> figure;
};

struct Report {
  std::string title;
  std::vector<Block> blocks;
};

// Where the settings came from and when the report was made.
struct ReportOrigin {
  std::string toolVersion;
  std::string sourceFile;  // empty: the settings as the program holds them
  std::string mode;        // "Offline Mode"
  std::string date;        // empty: no date (a report under version control)
};

// Both maps, every check, spread spectrum, power and sync, the registers and
// the clock tree of the map in use.
Report BuildReport(const PlanEvaluation& plan, const RegisterImage& registers,
                   const ReportOrigin& origin);

const char* ToneName(Tone tone);  // "pass", "warning", "fail", "inactive", ""
Tone ToneOf(Verdict verdict);

}  // namespace qv::report
