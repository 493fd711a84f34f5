#include "tests/fuzz/setup_reader_target.h"

#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/startup.h"
#include "files/file_handle.h"
#include "files/panel/setup_file_loading.h"
#include "files/panel/setup_file_saving.h"
#include "files/setup_file_reader.h"
#include "model/program_state.h"
#include "tests/files/program_snapshot.h"
#include "tests/support/recording_bridge.h"
#include "ui/headless/headless_front_end.h"
#include "ui/panel_ids.h"
#include "ui/panel_store.h"

namespace qv::test {
namespace {

[[noreturn]] void Broken(const char* what, const std::string& detail = "") {
  std::fprintf(stderr, "setup reader fuzz: %s\n%s", what, detail.c_str());
  std::abort();
}

std::string TemporaryFile() {
  std::string pattern = (std::filesystem::temp_directory_path() / "qv3380-fuzz-XXXXXX").string();
  const int descriptor = ::mkstemp(pattern.data());
  if (descriptor < 0) Broken("cannot create a temporary file");
  ::close(descriptor);
  return pattern;
}

// The program online with a chip that answers, as fresh as a new start, so
// every input is judged on its own.
class Harness {
 public:
  Harness() : input_(TemporaryFile()), saved_(TemporaryFile()) {
    InstallFrontEnd(&ui_);
    RegisterProgramCallbacks();
  }
  ~Harness() {
    std::remove(input_.c_str());
    std::remove(saved_.c_str());
  }
  Harness(const Harness&) = delete;
  Harness& operator=(const Harness&) = delete;

  void Run(const std::uint8_t* data, std::size_t size) {
    StartOnline();
    WriteInput(data, size);
    Bridge().log.clear();
    const ProgramSnapshot before = TakeSnapshot();
    const SetupFileReading checked = CheckSetupText({reinterpret_cast<const char*>(data), size});
    std::array<char, SETUP_MESSAGE_CAPACITY> message{};
    const int loaded = LoadSetupFile(input_, message);
    if (loaded != (checked.contents ? 1 : 0) ||
        checked.message.substr(0, message.size() - 1) != message.data()) {
      Broken("reading alone and loading disagree:", checked.message);
    }
    if (loaded == 1) {
      if (message[0] != '\0') Broken("a message for a file that loaded", message.data());
      if (TakeSnapshot().setupImage != checked.contents->registers) {
        Broken("the registers loaded are not the ones read");
      }
      CheckSavedFileLoadsBack(*checked.contents);
      return;
    }
    if (message[0] == '\0') Broken("a refused file without a message");
    if (std::memchr(message.data(), '\0', message.size()) == nullptr) Broken("message not ended");
    const std::string differences = DescribeDifferences(before, TakeSnapshot());
    if (!differences.empty()) Broken("a refused file changed the program:", differences);
    if (!Bridge().Writes().empty()) Broken("a refused file reached the chip");
  }

 private:
  void StartOnline() {
    Store().Clear();
    ui_.messages.clear();
    Bridge().Reset();
    Bridge().chip[0x3F] = 0x5A;
    StartProgram();
    Store().PressButton(startupPanelHandle, startuppnl::RUNONLINE);
    Store().PressButton(panelHandle, CheckConnectionButton);
  }

  void WriteInput(const std::uint8_t* data, std::size_t size) {
    FileHandle file = OpenFile(input_.c_str(), "wb");
    if (!file) Broken("cannot create the input file");
    // An empty input may come without a buffer at all.
    const bool written = size == 0 || std::fwrite(data, 1, size, file.get()) == size;
    if (!CloseChecked(file) || !written) Broken("cannot write the input file");
  }

  // What the tool writes loads back to the same configuration: registers,
  // pins, crystal and REFCLK, exactly as the file stated them.
  void CheckSavedFileLoadsBack(const SetupContents& read) {
    const ProgramSnapshot loaded = TakeSnapshot();
    if (SaveSetupFile(saved_) != 1) Broken("the loaded setup could not be saved");
    const SetupFileReading again = ReadSetupFile(saved_);
    if (!again.contents) Broken("a saved file did not read back:", again.message);
    // Online the tool sets C0's look-ahead bit itself.
    if (!SameRegisters(again.contents->registers, read.registers, LookAheadBit::Ignored)) {
      Broken("registers changed on save");
    }
    if (again.contents->pins != read.pins) Broken("pins changed on save");
    if (again.contents->crystalIndex != read.crystalIndex) Broken("crystal changed on save");
    if (again.contents->externalRefclkMHz != read.externalRefclkMHz) {
      Broken("REFCLK changed on save");
    }
    std::array<char, SETUP_MESSAGE_CAPACITY> message{};
    if (LoadSetupFile(saved_, message) != 1)
      Broken("a saved file did not load back:", message.data());
    if (TakeSnapshot().registers != loaded.registers) Broken("registers changed on reload");
  }

  HeadlessFrontEnd ui_;
  std::string input_;
  std::string saved_;
};

}  // namespace
}  // namespace qv::test

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static qv::test::Harness harness;
  harness.Run(data, size);
  return 0;
}
