// Arbitrary private devmode records in and out, every mode: nothing is read or written past the 20 bytes.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "devmode/private_devmode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size < 41) return 0;
  DWORD mode = data[0] % 7;
  // Each record sits alone in a heap block of its exact size, so that AddressSanitizer sees any overrun.
  auto *in = static_cast<OemPrivateDevmode *>(malloc(sizeof(OemPrivateDevmode)));
  auto *out = static_cast<OemPrivateDevmode *>(malloc(sizeof(OemPrivateDevmode)));
  memcpy(in, data + 1, 20);
  memcpy(out, data + 21, 20);
  OEMDMPARAM param = {};
  param.cbSize = sizeof(param);
  param.pOEMDMIn = (size > 41 && (data[41] & 1)) ? nullptr : in;
  param.pOEMDMOut = (size > 41 && (data[41] & 2)) ? nullptr : out;
  if (mode == 2 && !param.pOEMDMOut) param.pOEMDMOut = out;  // the driver always gives defaults a record
  HRESULT result = HandlePrivateDevmode(mode, (size > 41 && (data[41] & 4)) ? nullptr : &param);
  if (SUCCEEDED(result) && mode == 4 && param.pOEMDMOut) {
    if (out->dwSize != 20 || out->dwSignature != 0x4D534654 || out->dwVersion != 1 || out->SpareValue > 100 ||
        out->CompressPercent > 100)
      __builtin_trap();
  }
  free(in);
  free(out);
  return 0;
}
