#include "model/fields.h"

#include "chip/field_codec.h"
#include "model/registers.h"

namespace qv {
namespace {

// Indexes the register variables like an image.
struct LiveRegisters {
  int operator[](int index) const { return *RegisterTable[index].variable; }
};

bool Powered(SharedField powerDown) { return ReadField(powerDown) == 0; }

}  // namespace

int IsBitSet(int value, int bit) { return (value & (1 << bit)) != 0 ? 1 : 0; }

int SetBitValue(int value, int bit, int on) {
  return on ? (value | (1 << bit)) : (value & ~(1 << bit));
}

int ReadField(const ChipField& field) { return codec::DecodeField(field, LiveRegisters{}); }

int ReadField(SharedField field) { return ReadField(FieldOf(field)); }

void WriteField(const ChipField& field, int value) {
  RegisterImage image = CurrentRegisters();
  codec::EncodeField(field, value, image);
  for (const BitSpan& span : field.Spans()) *RegisterTable[span.reg].variable = image[span.reg];
}

int IsPll1Powered() { return Powered(kPlls[0].powerDown); }
int IsPll2Powered() { return Powered(kPlls[1].powerDown); }
int IsSdmPowered() { return Powered(SharedField::SdmPowerDown); }
int IsRefOutPowered() { return Powered(SharedField::RefOutPowerDown); }

int IsOutputPowered(int channel) {
  return Powered(kOutputs[channel >= 0 && channel < OUTPUT_COUNT ? channel : 3].powerDown);
}

}  // namespace qv
