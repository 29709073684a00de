#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "devmode/private_devmode.h"

namespace {

constexpr DWORD kSig = kPrivateDevmodeSignature;

struct Record {
  DWORD size, signature, version, spare, percent;
};

OemPrivateDevmode Make(const Record &r) { return OemPrivateDevmode{r.size, r.signature, r.version, r.spare, r.percent}; }

void ExpectRecord(const OemPrivateDevmode &got, const Record &want) {
  EXPECT_EQ(got.dwSize, want.size);
  EXPECT_EQ(got.dwSignature, want.signature);
  EXPECT_EQ(got.dwVersion, want.version);
  EXPECT_EQ(got.SpareValue, want.spare);
  EXPECT_EQ(got.CompressPercent, want.percent);
}

// The driver's DEVMODE around the plug-in's area: bytes on both sides of the record must survive every call.
struct GuardedRecord {
  static constexpr size_t kGuard = 32;
  explicit GuardedRecord(BYTE fill = 0xA5) : fill(fill) {}
  BYTE fill;
  std::vector<BYTE> bytes = std::vector<BYTE>(kGuard + sizeof(OemPrivateDevmode) + kGuard, fill);
  OemPrivateDevmode *record() { return reinterpret_cast<OemPrivateDevmode *>(bytes.data() + kGuard); }
  bool GuardsIntact() const {
    for (size_t i = 0; i < kGuard; ++i)
      if (bytes[i] != fill || bytes[bytes.size() - 1 - i] != fill) return false;
    return true;
  }
};

HRESULT Call(DWORD mode, OemPrivateDevmode *in, OemPrivateDevmode *out) {
  OEMDMPARAM param = {};
  param.cbSize = sizeof(param);
  param.pOEMDMIn = in;
  param.pOEMDMOut = out;
  return HandlePrivateDevmode(mode, &param);
}

TEST(PrivateDevmode, SizeIsTheTwentyByteRecord) {
  OEMDMPARAM param = {};
  OemPrivateDevmode out = Make({1, 2, 3, 4, 5});
  param.pOEMDMOut = &out;
  EXPECT_EQ(HandlePrivateDevmode(OEMDM_SIZE, &param), S_OK);
  EXPECT_EQ(param.cbBufSize, 20u);
  ExpectRecord(out, {1, 2, 3, 4, 5});
}

TEST(PrivateDevmode, DefaultWritesExactlyTheStoredBytes) {
  GuardedRecord area;
  OemPrivateDevmode in = Make({20, kSig, 1, 55, 80});
  EXPECT_EQ(Call(OEMDM_DEFAULT, &in, area.record()), S_OK);
  const BYTE expected[20] = {0x14, 0, 0, 0, 0x54, 0x46, 0x53, 0x4D, 1, 0, 0, 0, 0, 0, 0, 0, 0x64, 0, 0, 0};
  EXPECT_EQ(std::memcmp(area.record(), expected, sizeof(expected)), 0);
  EXPECT_TRUE(area.GuardsIntact());
}

TEST(PrivateDevmode, RefusedCallsWriteNothing) {
  for (DWORD mode : {0u, 5u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(mode);
    OemPrivateDevmode out = Make({7, 7, 7, 7, 7});
    SetLastError(0);
    EXPECT_EQ(Call(mode, &out, &out), E_FAIL);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
    ExpectRecord(out, {7, 7, 7, 7, 7});
  }
  SetLastError(0);
  EXPECT_EQ(HandlePrivateDevmode(OEMDM_SIZE, nullptr), E_FAIL);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
}

struct ConvertCase {
  const char *name;
  Record in;
  Record out;
  Record convert;  // after OEMDM_CONVERT
  Record merge;    // after OEMDM_MERGE of the same pair
};

const ConvertCase kConvertCases[] = {
    {"whole record", {20, kSig, 1, 55, 80}, {20, kSig, 1, 0, 100}, {20, kSig, 1, 55, 80}, {20, kSig, 1, 55, 80}},
    {"header only", {12, kSig, 1, 55, 80}, {20, kSig, 1, 9, 9}, {20, kSig, 1, 0, 100}, {20, kSig, 1, 0, 100}},
    {"spare covered", {16, kSig, 1, 55, 80}, {20, kSig, 1, 9, 9}, {20, kSig, 1, 55, 100}, {20, kSig, 1, 55, 100}},
    {"older version", {20, kSig, 7, 55, 80}, {20, kSig, 1, 0, 100}, {20, kSig, 1, 55, 80}, {20, kSig, 1, 55, 80}},
    {"other signature", {20, 0x11223344, 1, 55, 80}, {20, kSig, 3, 9, 9}, {20, kSig, 1, 0, 100},
     {20, kSig, 1, 0, 100}},
    {"foreign signature on both", {20, 0x11223344, 1, 55, 80}, {20, 0x11223344, 1, 0, 100},
     {20, 0x11223344, 1, 55, 80}, {20, kSig, 1, 55, 80}},
    {"out of range values", {20, kSig, 1, 101, 150}, {20, kSig, 1, 0, 100}, {20, kSig, 1, 101, 150},
     {20, kSig, 1, 0, 100}},
    {"bounds kept", {20, kSig, 1, 100, 0}, {20, kSig, 1, 0, 100}, {20, kSig, 1, 100, 0}, {20, kSig, 1, 100, 0}},
    {"top bit set", {20, kSig, 1, 0xFFFFFFFF, 0xFFFFFFFF}, {20, kSig, 1, 0, 100}, {20, kSig, 1, 0xFFFFFFFF, 0xFFFFFFFF},
     {20, kSig, 1, 0, 100}},
    {"out states less", {20, kSig, 1, 55, 80}, {16, kSig, 1, 9, 9}, {20, kSig, 1, 55, 100}, {20, kSig, 1, 55, 100}},
    {"zero size", {0, kSig, 1, 55, 80}, {20, kSig, 1, 9, 9}, {20, kSig, 1, 0, 100}, {20, kSig, 1, 0, 100}},
    // Just past the record: a copy of the smaller stated size, uncut, lands in the driver's bytes that follow it.
    {"both a little over", {24, kSig, 1, 55, 80}, {24, kSig, 1, 9, 9}, {20, kSig, 1, 55, 80}, {20, kSig, 1, 55, 80}},
    {"both one over", {21, kSig, 1, 55, 80}, {21, kSig, 1, 9, 9}, {20, kSig, 1, 55, 80}, {20, kSig, 1, 55, 80}},
    {"in a little over", {24, kSig, 1, 55, 80}, {20, kSig, 1, 9, 9}, {20, kSig, 1, 55, 80}, {20, kSig, 1, 55, 80}},
    {"out a little over", {20, kSig, 1, 55, 80}, {24, kSig, 1, 9, 9}, {20, kSig, 1, 55, 80}, {20, kSig, 1, 55, 80}},
};

// Hostile sizes: neither may take the copy past the record's 20 bytes. A test of their own, so that a copy that
// is not cut shows above as damaged guard bytes before it crashes here.
const ConvertCase kHostileSizeCases[] = {
    {"both huge", {0xFFFFFFFF, kSig, 1, 55, 80}, {0xFFFFFFFF, kSig, 1, 9, 9}, {20, kSig, 1, 55, 80},
     {20, kSig, 1, 55, 80}},
    {"in huge", {1000, kSig, 1, 55, 80}, {20, kSig, 1, 9, 9}, {20, kSig, 1, 55, 80}, {20, kSig, 1, 55, 80}},
    {"out huge", {20, kSig, 1, 55, 80}, {4096, kSig, 1, 9, 9}, {20, kSig, 1, 55, 80}, {20, kSig, 1, 55, 80}},
};

void ExpectConverted(const ConvertCase &c) {
  SCOPED_TRACE(c.name);
  for (DWORD mode : {DWORD(OEMDM_CONVERT), DWORD(OEMDM_MERGE)}) {
    SCOPED_TRACE(mode == OEMDM_CONVERT ? "convert" : "merge");
    // The source sits in guarded bytes of another value, so that a copy taken too long carries them into the
    // target's guard.
    GuardedRecord source(0x3C), area;
    *source.record() = Make(c.in);
    *area.record() = Make(c.out);
    EXPECT_EQ(Call(mode, source.record(), area.record()), S_OK);
    ExpectRecord(*area.record(), mode == OEMDM_CONVERT ? c.convert : c.merge);
    EXPECT_TRUE(area.GuardsIntact());
    ExpectRecord(*source.record(), c.in);  // the source record is only read
    EXPECT_TRUE(source.GuardsIntact());
  }
}

TEST(PrivateDevmode, ConvertAndMergeTable) {
  for (const ConvertCase &c : kConvertCases) ExpectConverted(c);
}

TEST(PrivateDevmode, ConvertAndMergeHostileSizes) {
  for (const ConvertCase &c : kHostileSizeCases) ExpectConverted(c);
}

TEST(PrivateDevmode, MissingRecords) {
  OemPrivateDevmode in = Make({20, kSig, 1, 55, 80});
  OemPrivateDevmode out = Make({20, kSig, 1, 101, 150});
  // Conversion without a source leaves the target alone; a merge still validates it.
  EXPECT_EQ(Call(OEMDM_CONVERT, nullptr, &out), S_OK);
  ExpectRecord(out, {20, kSig, 1, 101, 150});
  EXPECT_EQ(Call(OEMDM_MERGE, nullptr, &out), S_OK);
  ExpectRecord(out, {20, kSig, 1, 0, 100});
  // No target: nothing to write, and no write through null.
  EXPECT_EQ(Call(OEMDM_CONVERT, &in, nullptr), S_OK);
  EXPECT_EQ(Call(OEMDM_MERGE, &in, nullptr), S_OK);
  EXPECT_EQ(Call(OEMDM_DEFAULT, &in, nullptr), S_OK);
  EXPECT_EQ(ConvertPrivateDevmode(nullptr, &out), 0);
  EXPECT_EQ(ConvertPrivateDevmode(&in, nullptr), 0);
  EXPECT_EQ(ValidatePrivateDevmode(nullptr), 0);
  EXPECT_EQ(ConvertPrivateDevmode(&in, &out), 1);
  EXPECT_EQ(ValidatePrivateDevmode(&out), 1);
}

}  // namespace
