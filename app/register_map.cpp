#include "app/register_map.h"

#include <ctime>
#include <string>

#include "app/status_line.h"
#include "base/text_format.h"
#include "base/trace.h"
#include "chip/field_codec.h"
#include "chip/fields.h"
#include "chip/i2c_interface.h"
#include "files/panel/baseline.h"
#include "files/panel/file_dialog_start.h"
#include "files/replace_file.h"
#include "model/program_state.h"
#include "model/registers.h"
#include "plan/panel/frequency_engine.h"
#include "plan/panel/register_fields.h"
#include "ui/panel_ids.h"

namespace qv {
namespace {

constexpr int kChangedColor = 0xFFF0A0;  // a register changed since the baseline
constexpr int kFailedColor = 0xFFC8C8;   // a transfer that failed
// The log keeps the newest transfers; dropping many at once keeps most updates appends.
constexpr std::size_t kLogKeep = 1000;
constexpr std::size_t kLogDrop = 200;

struct RegisterMapState {
  int panel = 0;  // loaded on first use, kept while the program runs
  bool shown = false;
  int selected = 0;
  std::vector<Transfer> log;
  int transferObserver = 0;
  int planListener = 0;
  int commitListener = 0;
  int baselineListener = 0;
};

RegisterMapState& State() {
  static RegisterMapState state;
  return state;
}

std::string Binary(int value) {
  std::string digits;
  for (int bit = 7; bit >= 0; --bit) {
    digits += ((value >> bit) & 1) != 0 ? '1' : '0';
    if (bit == 4) digits += ' ';
  }
  return digits;
}

std::string BitRange(int lsb, int width) {
  return width == 1 ? FormatText("%d", lsb) : FormatText("%d:%d", lsb + width - 1, lsb);
}

// "7:6, 3:0" for the set bits of a mask, highest first.
std::string BitRanges(int mask) {
  std::string text;
  for (int bit = 7; bit >= 0;) {
    if (((mask >> bit) & 1) == 0) {
      --bit;
      continue;
    }
    int low = bit;
    while (low > 0 && ((mask >> (low - 1)) & 1) != 0) --low;
    if (!text.empty()) text += ", ";
    text += BitRange(low, bit - low + 1);
    bit = low - 1;
  }
  return text;
}

// This register's bits of the field, then where the rest of it lies.
std::string FieldBits(const ChipField& field, int reg) {
  std::string here, elsewhere;
  for (const BitSpan& span : field.Spans()) {
    if (span.reg == reg) {
      here = BitRange(span.lsb, span.width);
    } else {
      elsewhere +=
          " + " + std::string(kRegisters[span.reg].name) + " " + BitRange(span.lsb, span.width);
    }
  }
  return here + elsewhere;
}

std::string TimeOfDay(std::chrono::system_clock::time_point time) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
  std::tm local{};
  localtime_r(&seconds, &local);
  const auto millis =
      std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()) % 1000;
  return FormatText("%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min, local.tm_sec,
                    static_cast<int>(millis.count()));
}

RegisterImage Bytes(const RegisterImage& registers) {
  RegisterImage bytes{};
  for (int i = 0; i < REGISTER_COUNT; ++i) bytes[i] = registers[i] & 0xFF;
  return bytes;
}

void ShowFields() {
  RegisterMapState& state = State();
  const RegisterFacts& facts = kRegisters[state.selected];
  SetCtrlVal(state.panel, regmappnl::FIELDS_CAPTION,
             FormatText("Fields of %s (0x%02X)", std::string(facts.name).c_str(), facts.address));
  SetTableContents(state.panel, regmappnl::FIELDS,
                   RegisterFieldsTable(state.selected, CurrentRegisters()));
}

void ShowRegisters() {
  RegisterMapState& state = State();
  SetTableContents(state.panel, regmappnl::REGISTERS,
                   RegisterOverview(CurrentRegisters(), RegistersChangedSinceBaseline()));
  SetCtrlVal(state.panel, regmappnl::REGISTERS, state.selected);
  SetCtrlVal(state.panel, regmappnl::BASELINE_NOTE,
             "Yellow: changed since " + BaselineEvent() +
                 ".\nC0's look-ahead bit, which the tool sets online, counts as no change.");
  ShowFields();
}

void ShowLog() {
  RegisterMapState& state = State();
  const bool online = OpMode != OPMODE_OFFLINE;
  SetCtrlVal(
      state.panel, regmappnl::LOG_CAPTION,
      online ? "Transfers with the chip, newest last" : "Offline: nothing is sent to the chip.");
  for (int control : {regmappnl::LOG, regmappnl::CLEARLOG, regmappnl::SAVELOG}) {
    SetCtrlAttribute(state.panel, control, ATTR_VISIBLE, online ? 1 : 0);
  }
  SetTableContents(state.panel, regmappnl::LOG, TransferLogTable(state.log));
  // The newest transfer is selected, so the log shows it.
  SetCtrlVal(state.panel, regmappnl::LOG, static_cast<int>(state.log.size()) - 1);
}

void RefreshRegisters() {
  if (State().shown) ShowRegisters();
}

void Record(const Transfer& transfer) {
  RegisterMapState& state = State();
  state.log.push_back(transfer);
  if (state.log.size() > kLogKeep + kLogDrop) {
    state.log.erase(state.log.begin(), state.log.begin() + static_cast<std::ptrdiff_t>(kLogDrop));
  }
  if (state.shown) ShowLog();
}

void Hide(int panel) {
  State().shown = false;
  HidePanel(panel);
}

}  // namespace

TableContents RegisterOverview(const RegisterImage& registers,
                               const std::array<bool, REGISTER_COUNT>& changed) {
  TableContents table{{"Index", "Address", "Name", "Hex", "Binary", "Default", "Changed"}, {}, {}};
  const RegisterImage bytes = Bytes(registers);
  for (int i = 0; i < REGISTER_COUNT; ++i) {
    const RegisterFacts& facts = kRegisters[i];
    const int value = bytes[i];
    const bool isDefault = value == static_cast<int>(facts.defaultValue);
    table.rows.push_back({std::to_string(i), FormatText("0x%02X", facts.address),
                          std::string(facts.name), FormatText("0x%02X", value), Binary(value),
                          isDefault ? "yes" : FormatText("no (0x%02X)", facts.defaultValue),
                          changed[i] ? "changed" : ""});
    table.rowColors.push_back(changed[i] ? kChangedColor : TABLE_NO_COLOR);
  }
  return table;
}

TableContents RegisterFieldsTable(int reg, const RegisterImage& registers) {
  TableContents table{{"Bits", "Field", "Value"}, {}, {}};
  const RegisterImage bytes = Bytes(registers);
  for (const ChipField* field : FieldsInRegister(reg)) {
    table.rows.push_back({FieldBits(*field, reg), FieldName(*field),
                          FieldValueText(*field, codec::DecodeField(*field, bytes))});
  }
  if (const int unassigned = UnassignedBits(reg); unassigned != 0) {
    table.rows.push_back({BitRanges(unassigned), "No field: kept as loaded",
                          FormatText("0x%02X", bytes[reg] & unassigned)});
  }
  return table;
}

TableContents TransferLogTable(const std::vector<Transfer>& transfers) {
  TableContents table{{"Time", "Kind", "Address", "Value", "Result"}, {}, {}};
  for (const Transfer& transfer : transfers) {
    const bool write = transfer.kind == Transfer::Kind::Write;
    table.rows.push_back({TimeOfDay(transfer.time), write ? "write" : "read",
                          FormatText("0x%02X", transfer.address),
                          transfer.Failed() && !write ? "-" : FormatText("0x%02X", transfer.value),
                          TransferResultName(transfer.result)});
    table.rowColors.push_back(transfer.Failed() ? kFailedColor : TABLE_NO_COLOR);
  }
  return table;
}

std::string TransferLogCsv(const std::vector<Transfer>& transfers, const ExportProvenance& made) {
  std::string text;
  for (const std::string& line : ProvenanceLines("QV3380 transfers with the chip", made)) {
    text += "# " + line + "\n";
  }
  text += "date,time,kind,address,value,result,code\n";
  for (const Transfer& transfer : transfers) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(transfer.time);
    std::tm local{};
    localtime_r(&seconds, &local);
    const bool write = transfer.kind == Transfer::Kind::Write;
    AppendFormat(text, "%04d-%02d-%02d,%s,%s,0x%02X,%s,%s,%d\n", local.tm_year + 1900,
                 local.tm_mon + 1, local.tm_mday, TimeOfDay(transfer.time).c_str(),
                 write ? "write" : "read", transfer.address,
                 transfer.Failed() && !write ? "" : FormatText("0x%02X", transfer.value).c_str(),
                 TransferResultName(transfer.result).c_str(), transfer.result);
  }
  return text;
}

void StopRegisterMap() {
  RegisterMapState& state = State();
  RemoveTransferObserver(state.transferObserver);
  RemovePlanListener(state.planListener);
  RemoveCommitListener(state.commitListener);
  RemoveBaselineListener(state.baselineListener);
  state = {};
}

void StartRegisterMap() {
  StopRegisterMap();
  RegisterMapState& state = State();
  state.transferObserver = AddTransferObserver(Record);
  // Every change ends in a recalculation, a commit, or a new baseline.
  state.planListener = AddPlanListener([](const PlanEvaluation&) { RefreshRegisters(); });
  state.commitListener = AddCommitListener([](int, int) { RefreshRegisters(); });
  state.baselineListener = AddBaselineListener(RefreshRegisters);
}

int RegisterMapPanel() { return State().panel; }

void OnViewRegisterMapMenuClicked(int, int, void*, int) {
  RegisterMapState& state = State();
  if (state.panel == 0) state.panel = LoadPanel(0, REGMAP_PANEL_FILE, REGMAPPNL);
  state.shown = true;
  ShowRegisters();
  ShowLog();
  DisplayPanel(state.panel);
}

int OnRegisterMapRowChosen(int panel, int control, int event, void*, int, int) {
  if (event != EVENT_COMMIT) return 0;
  int row = -1;
  GetCtrlVal(panel, control, &row);
  if (row >= 0 && row < REGISTER_COUNT) State().selected = row;
  ShowFields();
  return 0;
}

int OnRegisterFieldChosen(int panel, int control, int event, void*, int, int) {
  if (event != EVENT_COMMIT) return 0;
  int row = -1;
  GetCtrlVal(panel, control, &row);
  const auto fields = FieldsInRegister(State().selected);
  if (row < 0 || row >= static_cast<int>(fields.size())) return 0;
  if (const int setBy = ControlSetting(*fields[row]); setBy != 0) {
    SetActiveCtrl(panelHandle, setBy);
  }
  return 0;
}

int OnClearRegisterLogClicked(int, int, int event, void*, int, int) {
  if (event != EVENT_COMMIT) return 0;
  State().log.clear();
  ShowLog();
  return 0;
}

int OnSaveRegisterLogClicked(int, int, int event, void*, int, int) {
  if (event != EVENT_COMMIT) return 0;
  const std::optional<std::string> chosen = ChooseFileToSave(
      "qv3380_transfers.csv", "CSV Table (*.csv)", "Save Transfer Log", "-transfers.csv");
  if (!chosen) return 0;
  const std::string& path = *chosen;
  std::string failure;
  const std::string text = TransferLogCsv(State().log, ProvenanceNow(ConfigurationSource()));
  if (ReplaceFileContents(path, text, failure)) {
    Trace(TRACE_FILE, "saved transfer log %s", path.c_str());
    return 0;
  }
  MessagePopup("Transfer Log Error", std::string(REGISTER_LOG_EXPORT_ERROR) + "\n" + failure);
  return 0;
}

int OnCloseRegisterMapClicked(int panel, int, int event, void*, int, int) {
  if (event == EVENT_COMMIT) Hide(panel);
  return 0;
}

int RegisterMapPanelCallback(int panel, int event, void*, int, int) {
  if (event == EVENT_CLOSE) Hide(panel);
  return 0;
}

}  // namespace qv
