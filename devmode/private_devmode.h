// The plug-in's private area inside the driver's DEVMODE: a stored 20-byte record that travels with documents and
// printer defaults, and the four operations the driver asks for through IPrintOemCommon::DevMode.
#pragma once

#include <cstddef>

#include "platform/platform.h"

constexpr DWORD kPrivateDevmodeSignature = 0x4D534654;  // bytes 54 46 53 4D
constexpr DWORD kPrivateDevmodeVersion = 1;
constexpr DWORD kDefaultCompressPercent = 100;

struct OemPrivateDevmode {
  // The platform's OEM_DMEXTRAHEADER.
  DWORD dwSize;
  DWORD dwSignature;
  DWORD dwVersion;
  // Carried, defaulted and bounded to 0..100; nothing else reads it.
  DWORD SpareValue;
  // Landscape compression percentage of the document item.
  DWORD CompressPercent;
};

// Stored format: the layout must never change.
static_assert(sizeof(OemPrivateDevmode) == 20, "the private devmode is a 20-byte stored record");
static_assert(offsetof(OemPrivateDevmode, dwSize) == 0, "stored layout");
static_assert(offsetof(OemPrivateDevmode, dwSignature) == 4, "stored layout");
static_assert(offsetof(OemPrivateDevmode, dwVersion) == 8, "stored layout");
static_assert(offsetof(OemPrivateDevmode, SpareValue) == 12, "stored layout");
static_assert(offsetof(OemPrivateDevmode, CompressPercent) == 16, "stored layout");
static_assert(sizeof(OEM_DMEXTRAHEADER) == offsetof(OemPrivateDevmode, SpareValue),
              "the record starts with the platform's extra header");

// Answers IPrintOemCommon::DevMode: OEMDM_SIZE, OEMDM_DEFAULT, OEMDM_CONVERT and OEMDM_MERGE give S_OK; a missing
// parameter block or another mode sets ERROR_INVALID_PARAMETER and gives E_FAIL without writing anything.
HRESULT HandlePrivateDevmode(DWORD dwMode, POEMDMPARAM pOemDMParam);

// Takes what `in` holds into `out` when both carry the same signature (the copy bounded by both stated sizes and
// by the record's 20 bytes), otherwise leaves `out` at the defaults; either way `out` ends with this record's size
// and version. Returns 1 when `out` was written, 0 when either record is missing.
int ConvertPrivateDevmode(const OemPrivateDevmode *in, OemPrivateDevmode *out);

// Restores the header and brings both values back into 0..100. Returns 1, or 0 when `out` is missing.
int ValidatePrivateDevmode(OemPrivateDevmode *out);
