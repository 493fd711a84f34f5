#pragma once
// The only road to the chip: one self-contained I2C register transfer per call
// through the USB HID adapter (vendor 0x04D8, product 0xFEAA).
//
// Results: readi2c 0..255 = register value; writei2c 0 = done;
// -1 no reply / send failed, -2 no adapter could be opened, -3 adapter error flag.

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
