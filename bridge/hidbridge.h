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
// Results: readi2c 0..255 = register value; writei2c 0 = done;
// -1 no reply or the send failed, -2 no adapter could be opened (returned at
// once), -3 the adapter flagged an error.

#ifdef __cplusplus
extern "C" {
#endif

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
