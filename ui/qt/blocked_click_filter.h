#pragma once
// Qt drops mouse input for a window that a modal popup blocks before any
// widget sees it. On X11 the press still passes the native event filter as an
// XInput2 event, so it can be told to the logic there.

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace qv::qt {

struct PointerPress {
  std::uint32_t window = 0;  // the X window the press was reported to
  std::uint32_t time = 0;
};

// An XInput2 button press from a raw xcb event, given the extension's opcode.
std::optional<PointerPress> ParseXInputButtonPress(const void* xcbEvent, std::uint8_t xinputOpcode);

class BlockedClickFilter : public QAbstractNativeEventFilter {
 public:
  using Handler = std::function<void(std::uint32_t window)>;
  BlockedClickFilter(std::uint8_t xinputOpcode, Handler onPress);

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 private:
  std::uint8_t opcode_;
  Handler onPress_;
  std::uint32_t lastTime_ = 0;
};

// Installed on the running application when it talks to an X server with
// XInput2; null otherwise (Wayland, offscreen), where the attention signal
// for a blocked click is not available and the popup's modality is all there is.
std::unique_ptr<BlockedClickFilter> InstallBlockedClickFilter(BlockedClickFilter::Handler onPress);

}  // namespace qv::qt
