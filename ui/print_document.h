#pragma once
// A document to print: rich text (the HTML subset a text document lays out)
// with pictures between the paragraphs, painted as vectors.

#include <memory>
#include <string>
#include <vector>

#include "ui/scene.h"

namespace qv {

// Either some rich text or a picture (as wide as the page allows).
struct PrintBlock {
  std::string html;
  std::shared_ptr<const Scene> figure;
};

struct PrintDocument {
  std::string title;
  std::string footer;  // on every page, with "page N of M" after it
  std::vector<PrintBlock> blocks;
};

}  // namespace qv
