#pragma once
// A picture as SVG text: every group a <g> with its id and classes and its
// hover text as <title>, so a browser shows it and a reader can find it.

#include <string>

#include "ui/scene.h"

namespace qv::report {

// A standalone .svg file.
std::string SvgFile(const Scene& scene);
// The <svg> element alone, to go inside an HTML page.
std::string SvgElement(const Scene& scene);

// Text made safe for XML and HTML content and attribute values.
std::string EscapeXml(std::string_view text);

}  // namespace qv::report
