// Sizing, defaults, conversion and validation of the private DEVMODE area.
#include "devmode/private_devmode.h"

#include <cstring>

namespace {

constexpr DWORD kRecordSize = sizeof(OemPrivateDevmode);
constexpr DWORD kMaxSpareValue = 100;
constexpr DWORD kMaxCompressPercent = 100;

void WriteDefaults(OemPrivateDevmode *out) {
  out->dwSize = kRecordSize;
  out->dwSignature = kPrivateDevmodeSignature;
  out->dwVersion = kPrivateDevmodeVersion;
  out->SpareValue = 0;
  out->CompressPercent = kDefaultCompressPercent;
}

}  // namespace

int ConvertPrivateDevmode(const OemPrivateDevmode *in, OemPrivateDevmode *out) {
  if (!in || !out) return 0;
  // Fields that a shorter record from `in` does not cover keep these.
  out->SpareValue = 0;
  out->CompressPercent = kDefaultCompressPercent;
  if (in->dwSignature == out->dwSignature) {
    // Both sizes come from stored DEVMODEs and may be anything; the driver set aside exactly one record for `out`.
    DWORD bytes = in->dwSize < out->dwSize ? in->dwSize : out->dwSize;
    if (bytes > kRecordSize) bytes = kRecordSize;
    std::memmove(out, in, bytes);
  } else {
    out->dwSignature = kPrivateDevmodeSignature;
  }
  out->dwVersion = kPrivateDevmodeVersion;
  out->dwSize = kRecordSize;
  return 1;
}

int ValidatePrivateDevmode(OemPrivateDevmode *out) {
  if (!out) return 0;
  out->dwSize = kRecordSize;
  out->dwSignature = kPrivateDevmodeSignature;
  out->dwVersion = kPrivateDevmodeVersion;
  // An unknown spare value goes back to its default; an oversized percentage is cut to the bound.
  if (out->SpareValue > kMaxSpareValue) out->SpareValue = 0;
  if (out->CompressPercent > kMaxCompressPercent) out->CompressPercent = kMaxCompressPercent;
  return 1;
}

HRESULT HandlePrivateDevmode(DWORD dwMode, POEMDMPARAM pOemDMParam) {
  if (!pOemDMParam || dwMode < OEMDM_SIZE || dwMode > OEMDM_MERGE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return E_FAIL;
  }
  auto *in = static_cast<const OemPrivateDevmode *>(pOemDMParam->pOEMDMIn);
  auto *out = static_cast<OemPrivateDevmode *>(pOemDMParam->pOEMDMOut);
  switch (dwMode) {
    case OEMDM_SIZE:
      pOemDMParam->cbBufSize = kRecordSize;
      break;
    case OEMDM_DEFAULT:
      // A driver that passes no record gets nothing written rather than a write through null.
      if (out) WriteDefaults(out);
      break;
    case OEMDM_CONVERT:
      ConvertPrivateDevmode(in, out);
      break;
    case OEMDM_MERGE:
      ConvertPrivateDevmode(in, out);
      ValidatePrivateDevmode(out);
      break;
  }
  return S_OK;
}
