#pragma once
// The groups of a written SVG picture as a reader finds them: id, classes,
// hover text and the fill of the group's first rectangle.

#include <algorithm>
#include <map>
#include <regex>
#include <string>

namespace qv::test {

struct SvgGroup {
  std::string classes;
  std::string title;
  std::string fill;  // "#RRGGBB" of the first <rect>, empty when it has none

  bool Has(const std::string& word) const {
    return (" " + classes + " ").find(" " + word + " ") != std::string::npos;
  }
};

// The XML entities the writer uses, back to their characters.
inline std::string Unescaped(std::string text) {
  const std::pair<const char*, const char*> kEntities[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&amp;", "&"}};
  for (auto [entity, character] : kEntities) {
    for (std::size_t at = text.find(entity); at != std::string::npos;
         at = text.find(entity, at + 1)) {
      text.replace(at, std::char_traits<char>::length(entity), character);
    }
  }
  return text;
}

inline std::map<std::string, SvgGroup> SvgGroups(std::string svg) {
  // Hover texts may run over several lines; the patterns look at one.
  std::replace(svg.begin(), svg.end(), '\n', '\x01');
  static const std::regex kGroup("<g id=\"([^\"]*)\"(?: class=\"([^\"]*)\")?>(.*?)</g>");
  static const std::regex kTitle("^<title>([^<]*)</title>");
  static const std::regex kRect("<rect [^>]*fill=\"(#[0-9A-F]{6}|none)\"");
  std::map<std::string, SvgGroup> groups;
  for (auto it = std::sregex_iterator(svg.begin(), svg.end(), kGroup); it != std::sregex_iterator();
       ++it) {
    SvgGroup group;
    group.classes = (*it)[2];
    const std::string body = (*it)[3];
    std::smatch found;
    if (std::regex_search(body, found, kTitle)) {
      group.title = Unescaped(found[1]);
      std::replace(group.title.begin(), group.title.end(), '\x01', '\n');
    }
    if (std::regex_search(body, found, kRect)) group.fill = found[1];
    groups[(*it)[1]] = group;
  }
  return groups;
}

}  // namespace qv::test
