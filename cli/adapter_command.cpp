#include "cli/adapter_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <memory>
#include <string>

#include "base/text_format.h"
#include "cli/exit_status.h"

namespace qv::cli {

Json AdaptersJson(const std::vector<bridge::AdapterFacts>& adapters) {
  Json document = NewDocument(kAdaptersDocument);
  Json& list = document["adapters"] = Json::array();
  for (const bridge::AdapterFacts& adapter : adapters) {
    Json entry{{"path", adapter.path},
               {"serial", adapter.serial},
               {"product", adapter.product},
               {"may_open", adapter.mayOpen}};
    if (!adapter.mayOpen) entry["why_not"] = adapter.whyNot;
    list.push_back(std::move(entry));
  }
  return document;
}

std::string AdaptersText(const std::vector<bridge::AdapterFacts>& adapters) {
  if (adapters.empty()) return "No QV3380 adapter (USB 04d8:feaa) is present.\n";
  using Row = std::array<std::string, 4>;
  std::vector<Row> rows{{"PATH", "SERIAL", "PRODUCT", "MAY OPEN"}};
  for (const bridge::AdapterFacts& adapter : adapters) {
    rows.push_back({adapter.path, adapter.serial.empty() ? "-" : adapter.serial,
                    adapter.product.empty() ? "-" : adapter.product,
                    adapter.mayOpen ? "yes" : "no: " + adapter.whyNot});
  }
  std::array<int, 3> widths{};
  for (const Row& row : rows) {
    for (std::size_t column = 0; column < widths.size(); ++column) {
      widths[column] = std::max(widths[column], static_cast<int>(row[column].size()));
    }
  }
  std::string text;
  for (const Row& row : rows) {
    AppendFormat(text, "%-*s  %-*s  %-*s  %s\n", widths[0], row[0].c_str(), widths[1],
                 row[1].c_str(), widths[2], row[2].c_str(), row[3].c_str());
  }
  return text;
}

CommandRun DefineAdapters(CLI::App& command) {
  auto json = std::make_shared<bool>(false);
  command.add_flag("--json", *json, "the adapters as JSON");
  return [json](CommandContext& context) {
    const std::vector<bridge::AdapterFacts> adapters = bridge::ListAdapters();
    if (*json) {
      WriteJson(context.out, AdaptersJson(adapters));
    } else {
      context.out << AdaptersText(adapters);
    }
    return EXIT_DONE;
  };
}

}  // namespace qv::cli
