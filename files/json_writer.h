#pragma once
// A JSON document written item by item: one member per line, tabs for depth,
// the comma put in front of the next item so the last member of an object
// goes without one. Keys and texts are written as given, without escaping.

#include <string>
#include <string_view>

namespace qv {

struct JsonWriter {
  std::string* out;
  // 1 after a member or a closing brace: the next item starts with ",\n".
  int separatorPending = 0;
  int depth = 0;
};

void JsonBeginItem(JsonWriter& writer);
// An empty key opens an object without a name (the root).
void JsonOpenObject(JsonWriter& writer, std::string_view key);
void JsonWriteInt(JsonWriter& writer, std::string_view key, int value);
// A finite number, with every digit a double carries.
void JsonWriteDouble(JsonWriter& writer, std::string_view key, double value);
void JsonWriteBool(JsonWriter& writer, std::string_view key, int flag);
void JsonWriteString(JsonWriter& writer, std::string_view key, std::string_view text);
void JsonCloseObject(JsonWriter& writer);

}  // namespace qv
