#pragma once
// The only road to the chip: one self-contained I2C register transfer per call
// through the USB HID adapter (vendor 0x04D8, product 0xFEAA). Each call finds
// and opens the adapter anew and closes it before returning; nothing is kept
// between calls, so the adapter may come and go. Not thread-safe: one call at a time.
//
// The device address goes out unchanged (the chip is 0x80); writei2c sends only
// the low byte of value. A call that reaches the adapter blocks at least 50 ms,
// plus at most 200 ms waiting for the reply.
//
// Results: readi2c gives the register value 0..255, writei2c HIDBRIDGE_DONE;
// either gives a negative HidBridgeResult when the transfer failed.

#ifdef __cplusplus
extern "C" {
#endif

enum HidBridgeResult {
  HIDBRIDGE_DONE = 0,         // writei2c: the adapter confirmed the write
  HIDBRIDGE_NO_REPLY = -1,    // no reply from the adapter: time-out, failed send or abandoned wait
  HIDBRIDGE_NO_ADAPTER = -2,  // no adapter found or none could be opened; returned at once
  HIDBRIDGE_ADAPTER_ERROR = -3  // the adapter reported an error (reply status not 0)
};

#if defined(QV_HIDBRIDGE_BUILD)
#define QV_HIDBRIDGE_API __attribute__((visibility("default")))
#else
#define QV_HIDBRIDGE_API
#endif

QV_HIDBRIDGE_API int readi2c(unsigned char deviceAddress, unsigned char registerAddress);
QV_HIDBRIDGE_API int writei2c(unsigned char deviceAddress, unsigned char registerAddress,
                              unsigned short value);

#ifdef __cplusplus
}
#endif
