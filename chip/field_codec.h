#pragma once
// A field's value read from, and written into, its register bytes. Writing
// keeps every bit outside the field and cuts the value to the field's width,
// so a stray value never spills into a neighbour.

#include "chip/fields.h"

namespace qv::codec {

constexpr int SpanValueBits(const BitSpan& span, int reg) {
  return ((reg >> span.lsb) & ((1 << span.width) - 1)) << span.valueShift;
}

constexpr int WithSpanBits(const BitSpan& span, int reg, int raw) {
  return (reg & 0xFF & ~span.Mask()) |
         (((raw >> span.valueShift) & ((1 << span.width) - 1)) << span.lsb);
}

// The number the gathered bits stand for, and back.
constexpr int ValueFromRaw(FieldKind kind, int raw) {
  switch (kind) {
    case FieldKind::FeedbackDivider: return raw + N_OFFSET;
    case FieldKind::OutputDivider: return raw == 0 ? 32 : raw;
    case FieldKind::StepSize: return (raw & 0x80) != 0 ? (raw & 0xFF) - 0x100 : (raw & 0xFF);
    default: return raw;
  }
}

constexpr int RawFromValue(FieldKind kind, int value) {
  switch (kind) {
    case FieldKind::FeedbackDivider: return value - N_OFFSET;
    case FieldKind::OutputDivider: return value == 32 ? 0 : value;
    default: return value;
  }
}

// `registers` is anything indexed by register index: an image, or a reader of the variables.
template <typename Registers>
constexpr int DecodeField(const ChipField& field, const Registers& registers) {
  int raw = 0;
  for (const BitSpan& span : field.Spans()) raw |= SpanValueBits(span, registers[span.reg]);
  return ValueFromRaw(field.kind, raw);
}

constexpr void EncodeField(const ChipField& field, int value, RegisterImage& image) {
  const int raw = RawFromValue(field.kind, value);
  for (const BitSpan& span : field.Spans())
    image[span.reg] = WithSpanBits(span, image[span.reg], raw);
}

}  // namespace qv::codec
