// Whole register sets to the panel: defaults, setup images, and the round trip.

#include <gtest/gtest.h>

#include <random>

#include "chip/field_codec.h"
#include "model/registers.h"
#include "model/value_variables.h"
#include "plan/panel/frequency_maps.h"
#include "plan/panel/register_decoding.h"
#include "plan/panel/register_fields.h"
#include "tests/plan/plan_fixture.h"

namespace qv {
namespace {

using test::Bridge;
using test::Describe;
using test::WireEvent;

class Decoding : public test::PlanTest {
 protected:
  void LoadImage(std::array<int, REGISTER_COUNT> image) {
    SetupImage = image;
    ApplyRegistersToPanel();
  }
  static std::array<int, REGISTER_COUNT> Defaults() {
    std::array<int, REGISTER_COUNT> image{};
    for (int i = 0; i < REGISTER_COUNT; ++i)
      image[i] = static_cast<int>(RegisterTable[i].defaultValue);
    return image;
  }
};

TEST_F(Decoding, RegisterFieldsShowOnThePanel) {
  auto image = Defaults();
  image[IDX_ADV1] = 0x80;  // D field 0
  image[IDX_BM4] = 0x60;
  image[IDX_BS1] = 0xFB;
  image[IDX_BS2] = 0x02;
  image[IDX_BS3] = 0x8A;
  image[IDX_BM1] = 0x12;
  image[IDX_BM2] = 0x3A;
  image[IDX_BM3] = 0x45;
  image[IDX_DR1] = 0x9D;
  image[IDX_G0] = 0x02;
  image[IDX_ADV2] = 0x01;
  LoadImage(image);
  EXPECT_EQ(Value(OUT1D), 32);
  EXPECT_EQ(Value(OUT3D_M), 32);
  EXPECT_EQ(Value(OUT3V_M), 3);
  EXPECT_EQ(fracstep, -5);
  EXPECT_EQ(Value(FRACSTEP), -5);
  EXPECT_EQ(numstep, 5);
  EXPECT_EQ(ckdiv, 10);
  EXPECT_EQ(Value(CKDIV), 10);
  EXPECT_EQ(frac_m, (0x12 << 4) | 3);
  EXPECT_EQ(mod_m, 0xA45);
  EXPECT_EQ(Value(PLL2MODM), 2629);
  EXPECT_EQ(OutputFormatPll1, 5);
  EXPECT_EQ(OutputFormatPll2, 3);
  EXPECT_EQ(Value(Pll1OutputFormat), 5);
  EXPECT_EQ(Value(CH3POWER), 0);
  EXPECT_EQ(Value(CH2POWER), 1);
  EXPECT_EQ(Value(REFDIV), 1);
  EXPECT_EQ(Value(PLL1SYNC), 1);
  EXPECT_EQ(BS1, 0xFB) << "the register keeps the byte as loaded";
}

TEST_F(Decoding, BleedAloneDoesNotTurnTheSwitchOn) {
  auto image = Defaults();
  image[IDX_BP0] = 0x04;  // bleed on, modulator still powered down
  LoadImage(image);
  EXPECT_EQ(Value(BLEEDSDM), 0);
  image[IDX_ABF0] = 0xC0;
  LoadImage(image);
  EXPECT_EQ(Value(BLEEDSDM), 1);
}

TEST_F(Decoding, AllZeroImage) {
  LoadImage({});
  for (int control : {PLL1_N, PLL2_N, PLL1N_M, PLL2N_M}) EXPECT_EQ(Value(control), 80) << control;
  EXPECT_EQ(out0_v, 0) << "the variable holds what the register says";
  EXPECT_EQ(Value(OUT0D), 32);
  EXPECT_EQ(Value(Pll2OutputFormat), 0);
  for (int power :
       {PLL1POWER, PLL2POWER, CH0POWER, CH1POWER, CH2POWER, CH3POWER, REFPOWER, BLEEDSDM}) {
    EXPECT_EQ(Value(power), 1) << power;
  }
}

// A VCO divider the control does not offer (from a file or the chip) is shown as
// held and in red, so the frequency beside it is the one it gives; the user's
// next entry keeps to the range again. Other numerics still show their range.
TEST_F(Decoding, AVcoDividerBeyondTheControlsRangeShowsAsHeldInRed) {
  struct Case {
    int v;
    const char* out0;
  };
  for (auto [v, out0] : {Case{7, "  89.28571"}, Case{1, " 625.00000"}, Case{0, "       inf"}}) {
    SCOPED_TRACE(v);
    auto image = Defaults();
    image[IDX_ADV0] = (v << 5) | 4;
    image[IDX_AM2] = (v << 5) | 5;  // map 1, not in use
    LoadImage(image);
    EXPECT_EQ(Value(OUT0V), v);
    EXPECT_TRUE(Red(OUT0V));
    EXPECT_EQ(Text(Out0Freq), out0);
    EXPECT_EQ(Value(OUT1V_M), v);
    EXPECT_TRUE(Grey(OUT1V_M)) << "the map not in use keeps its look";
    ASSERT_EQ(Commit(OUT0V, v), UIE_NO_ERROR);
    EXPECT_EQ(Value(OUT0V), v < 2 ? 2 : 6);
    EXPECT_TRUE(White(OUT0V));
  }
  EXPECT_EQ(Value(NUMSTEP), 1) << "NumSteps 0 still shows its minimum";
}

TEST_F(Decoding, OnlineApplySendsAll32ThenLookAheadAcquisitionAndDr1) {
  SetUp();
  StartOnlineConnected();
  LoadImage(Defaults());
  auto writes = Bridge().Writes();
  ASSERT_GE(writes.size(), 32u + 1 + 8 + 1);
  for (int i = 0; i < REGISTER_COUNT; ++i) {
    EXPECT_EQ(writes[i], WireEvent::Write(static_cast<int>(RegisterTable[i].address),
                                          static_cast<int>(RegisterTable[i].defaultValue)))
        << i;
  }
  EXPECT_EQ(writes[32], WireEvent::Write(0x40, 0x02));
  EXPECT_EQ(writes[33], WireEvent::Write(0x07, 0x42));
  EXPECT_EQ(writes.back(), WireEvent::Write(0x3A, 0x00)) << "the format codes once more";
  EXPECT_EQ(writes.size(), 42u) << Describe(Bridge().log);
}

TEST_F(Decoding, ResetButtonRestoresDefaultsEverywhere) {
  SetUp();
  StartOnlineConnected();
  ASSERT_EQ(Commit(PLL1_N, 120), UIE_NO_ERROR);
  ASSERT_EQ(Commit(CH1POWER, 0), UIE_NO_ERROR);
  ASSERT_EQ(Commit(Pll1OutputFormat, 4), UIE_NO_ERROR);
  ASSERT_EQ(Commit(PLL2SYNC, 1), UIE_NO_ERROR);
  ClearWire();
  ASSERT_EQ(PressDiscarding(ResetRegisters), UIE_NO_ERROR);
  for (const RegisterRow& row : RegisterTable) {
    EXPECT_EQ(*row.variable & 0xFF,
              static_cast<int>(row.defaultValue) | (row.variable == &C0 ? 2 : 0))
        << row.name;
  }
  auto writes = Bridge().Writes();
  ASSERT_EQ(writes.size(), 32u + 1 + 8);
  EXPECT_EQ(writes[31], WireEvent::Write(0x40, 0x00)) << "C0 goes out as its default first";
  EXPECT_EQ(writes[32], WireEvent::Write(0x40, 0x02));
  EXPECT_EQ(Value(PLL1_N), 100);
  EXPECT_EQ(Value(CH1POWER), 1);
  EXPECT_EQ(Value(Pll1OutputFormat), 0);
  EXPECT_EQ(Value(PLL2SYNC), 0);
  EXPECT_EQ(Text(Out1Freq), " 125.00000");
}

TEST_F(Decoding, ResetToDefaultsMenuWorksOffline) {
  ASSERT_EQ(Commit(OUT3D, 7), UIE_NO_ERROR);
  ASSERT_EQ(ChooseDiscarding(menubar::RESETDEFAULT), UIE_NO_ERROR);
  EXPECT_EQ(Value(OUT3D), 18);
  EXPECT_EQ(BDV1, 0x92);
  EXPECT_TRUE(Bridge().log.empty());
}

// Decoding then encoding again with the same field rules gives back every byte.
TEST_F(Decoding, RandomImagesSurviveDecodeAndEncode) {
  std::mt19937 random(3380);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 200; ++round) {
    std::array<int, REGISTER_COUNT> image;
    for (int& entry : image) entry = byte(random);
    LoadImage(image);
    for (const ChipField& field : AllChipFields()) {
      RegisterImage again = image;
      codec::EncodeField(field, codec::DecodeField(field, image), again);
      EXPECT_EQ(again, image) << FieldName(field);
    }
    for (const RegisterField& field : RegisterFields()) {
      EXPECT_EQ(*field.variable, codec::DecodeField(*field.field, image))
          << FieldName(*field.field);
    }
    EXPECT_EQ(fracstep & 0xFF, image[IDX_BS1]);
    EXPECT_EQ(numstep, codec::DecodeField(FieldOf(SharedField::StepCount), image));
    EXPECT_EQ(ckdiv, image[IDX_BS3] & 0x7F);
    EXPECT_EQ((OutputFormatPll2 << 3) | OutputFormatPll1, image[IDX_DR1] & 0x3F);
    for (int i = 0; i < REGISTER_COUNT; ++i) {
      EXPECT_EQ(*RegisterTable[i].variable, image[i]) << "decoding changes no register " << i;
    }
  }
}

// Within the controls' ranges, committing every control as shown reproduces
// the image: the handlers and the decoder agree on every register position.
TEST_F(Decoding, CommittingTheShownValuesReproducesTheImage) {
  std::mt19937 random(8033);
  auto pick = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  for (int round = 0; round < 50; ++round) {
    std::array<int, REGISTER_COUNT> image = Defaults();
    for (const MapRegisters& map : kMapRegisters) {
      image[map.pll1N] = (pick(0, 3) << 6) | pick(0, 63);
      image[map.pll2N] = (pick(0, 3) << 6) | pick(0, 63);
      image[map.fracHigh] = pick(0, 255);
      image[map.fracModShared] = pick(0, 255);
      image[map.modLow] = pick(0, 255);
      for (int reg : map.outputs) image[reg] = (pick(2, 6) << 5) | pick(0, 31);
    }
    image[IDX_BS1] = pick(-128, 0) & 0xFF;
    image[IDX_BS2] = pick(0, 255);
    image[IDX_BS3] = (pick(0, 1) << 7) | pick(2, 127);
    if (image[IDX_BS2] == 0 && image[IDX_BS3] < 0x80) image[IDX_BS2] = 1;  // NumSteps >= 1
    image[IDX_DR1] = pick(0, 255);
    image[IDX_G0] = pick(0, 255);
    image[IDX_BP0] = pick(0, 255) & ~0x04;  // the bleed bit follows the modulator switch
    image[IDX_ABF0] = pick(0, 255) | 0x10;
    image[IDX_DR2] = pick(0, 255);
    image[IDX_ADV2] = pick(0, 255);
    image[IDX_BDV2] = pick(0, 255);
    LoadImage(image);
    for (const RegisterField& field : RegisterFields()) {
      ASSERT_EQ(Commit(field.control, Value(field.control)), UIE_NO_ERROR);
    }
    for (const SwitchField& field : SwitchFields()) {
      ASSERT_EQ(Commit(field.control, Value(field.control)), UIE_NO_ERROR);
    }
    for (int control : {Pll1OutputFormat, Pll2OutputFormat, FRACSTEP}) {
      ASSERT_EQ(Commit(control, Value(control)), UIE_NO_ERROR);
    }
    // The handler stores the signed step.
    image[IDX_BS1] = codec::ValueFromRaw(FieldKind::StepSize, image[IDX_BS1]);
    for (int i = 0; i < REGISTER_COUNT; ++i) {
      EXPECT_EQ(*RegisterTable[i].variable, image[i])
          << RegisterTable[i].name << " round " << round;
    }
  }
}

}  // namespace
}  // namespace qv
