#pragma once
// Where every file dialog starts and what it proposes: the open setup file's
// folder, else the folder last used; the open file's name with the ending of
// what is written, else the usual name.

#include <optional>
#include <string>
#include <string_view>

namespace qv {

struct FileSuggestion {
  std::string folder;  // empty: the working folder
  std::string name;
};

// The ending replaces the open file's extension ("-transfers.csv"); by
// default it is the usual name's extension.
FileSuggestion SuggestFile(std::string_view usualName, std::string_view ending = {});
// For a dialog that opens a file: the folder alone.
std::string DialogFolder();

// The save dialog, started as SuggestFile says: the path chosen, its folder
// remembered for the next dialog; nothing when it was cancelled.
std::optional<std::string> ChooseFileToSave(std::string_view usualName, std::string_view filter,
                                            std::string_view title, std::string_view ending = {});
// The open dialog, started in DialogFolder() showing `pattern`; the same.
std::optional<std::string> ChooseFileToOpen(std::string_view pattern, std::string_view filter,
                                            std::string_view title);

}  // namespace qv
