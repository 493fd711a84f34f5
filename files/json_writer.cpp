#include "files/json_writer.h"

#include "base/text_format.h"

namespace qv {
namespace {

void AppendQuoted(std::string& out, std::string_view text) {
  out += '"';
  out += text;
  out += '"';
}

void AppendKey(JsonWriter& writer, std::string_view key) {
  AppendQuoted(*writer.out, key);
  *writer.out += ": ";
}

}  // namespace

void JsonBeginItem(JsonWriter& writer) {
  if (writer.separatorPending) {
    *writer.out += ",\n";
    writer.separatorPending = 0;
  }
  writer.out->append(static_cast<std::size_t>(writer.depth > 0 ? writer.depth : 0), '\t');
}

void JsonOpenObject(JsonWriter& writer, std::string_view key) {
  JsonBeginItem(writer);
  if (!key.empty()) {
    AppendQuoted(*writer.out, key);
    *writer.out += ":\n";
    JsonBeginItem(writer);
  }
  *writer.out += "{\n";
  ++writer.depth;
}

void JsonWriteInt(JsonWriter& writer, std::string_view key, int value) {
  JsonBeginItem(writer);
  AppendKey(writer, key);
  AppendFormat(*writer.out, "%d", value);
  writer.separatorPending = 1;
}

void JsonWriteDouble(JsonWriter& writer, std::string_view key, double value) {
  JsonBeginItem(writer);
  AppendKey(writer, key);
  AppendFormat(*writer.out, "%.17g", value);
  writer.separatorPending = 1;
}

void JsonWriteBool(JsonWriter& writer, std::string_view key, int flag) {
  JsonBeginItem(writer);
  AppendKey(writer, key);
  *writer.out += flag ? "true" : "false";
  writer.separatorPending = 1;
}

void JsonWriteString(JsonWriter& writer, std::string_view key, std::string_view text) {
  JsonBeginItem(writer);
  AppendKey(writer, key);
  AppendQuoted(*writer.out, text);
  writer.separatorPending = 1;
}

void JsonCloseObject(JsonWriter& writer) {
  *writer.out += "\n";
  writer.separatorPending = 0;
  --writer.depth;
  JsonBeginItem(writer);
  *writer.out += "}";
  writer.separatorPending = 1;
}

}  // namespace qv
