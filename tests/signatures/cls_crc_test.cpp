#include "signatures/cls_crc.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "signatures/checksum_text.h"
#include "signatures/crc32_loops.h"
#include "temp_files.h"

namespace tarvex {
namespace {

std::vector<unsigned char> Bytes(const char* text) {
  return std::vector<unsigned char>(text, text + std::strlen(text));
}

TEST(CrcEngine, CatalogueCheckValues) {
  clsCRC crc;
  EXPECT_EQ(crc.CalculateBytes(Bytes("123456789")), -873187034);
  EXPECT_EQ(ChecksumText(crc.Value()), "CBF43926");
  EXPECT_EQ(ChecksumText(crc.CalculateBytes(Bytes("abc"))), "352441C2");
  // The 68-byte EICAR test string, whose checksum the shipped database lists.
  const char* eicar = "X5O!P%@AP[4\\PZX54(P^)7CC)7}$EICAR-STANDARD-ANTIVIRUS-TEST-FILE!$H+H*";
  ASSERT_EQ(std::strlen(eicar), 68u);
  EXPECT_EQ(ChecksumText(crc.CalculateBytes(Bytes(eicar))), "6851CF3C");
}

TEST(CrcEngine, ByteTableIsTheReflectedStandardOne) {
  // A zero byte through register n, whose high bytes are zero, reads entry n.
  const auto t = [](std::uint32_t n) {
    const unsigned char zero = 0;
    return crc32::UpdateBytewise(n, &zero, 1);
  };
  EXPECT_EQ(t(0), 0x00000000u);
  EXPECT_EQ(t(1), 0x77073096u);
  EXPECT_EQ(t(2), 0xEE0E612Cu);
  EXPECT_EQ(t(3), 0x990951BAu);
  EXPECT_EQ(t(128), 0xEDB88320u);
  EXPECT_EQ(t(255), 0x2D02EF8Du);
}

TEST(CrcEngine, FreshAndClearedEngineReadsZero) {
  clsCRC crc;
  EXPECT_EQ(crc.Value(), 0);
  EXPECT_EQ(crc.Algorithm(), 0);
  crc.AddBytes(Bytes("123"));
  EXPECT_NE(crc.Value(), 0);
  crc.Clear();
  EXPECT_EQ(crc.Value(), 0);
}

TEST(CrcEngine, AddBytesContinuesOneRunningChecksum) {
  clsCRC crc;
  crc.Clear();
  crc.AddBytes(Bytes("1234"));
  EXPECT_EQ(crc.AddBytes(Bytes("56789")), -873187034);

  // No bytes: the register and the result stay as they were.
  EXPECT_EQ(crc.AddBytes(std::vector<unsigned char>()), -873187034);
  EXPECT_EQ(crc.AddBytes(nullptr, 0), -873187034);
  EXPECT_EQ(crc.CalculateBytes(std::vector<unsigned char>()), 0);
}

TEST(CrcEngine, AlgorithmStoresAFlagAndClears) {
  clsCRC crc;
  crc.AddBytes(Bytes("1234"));
  crc.Algorithm(5);
  EXPECT_EQ(crc.Algorithm(), -1);
  EXPECT_EQ(crc.Value(), 0) << "writing Algorithm clears the running checksum";
  EXPECT_EQ(crc.AddBytes(Bytes("123456789")), -873187034) << "the flag selects nothing";
  crc.Algorithm(0);
  EXPECT_EQ(crc.Algorithm(), 0);
  crc.Algorithm(-7);
  EXPECT_EQ(crc.Algorithm(), -1);
}

TEST(CrcEngine, ValueWriteStoresTheRawRegister) {
  clsCRC first;
  first.CalculateBytes(Bytes("1234"));
  std::int32_t partial = first.Value();

  // Resuming from the register (the complement of the value read) continues
  // the checksum; writing the value itself would not.
  clsCRC resumed;
  resumed.Value(~partial);
  EXPECT_EQ(resumed.Value(), partial);
  EXPECT_EQ(resumed.AddBytes(Bytes("56789")), -873187034);

  clsCRC raw;
  raw.Value(0);
  EXPECT_EQ(raw.Value(), -1);
}

TEST(CrcEngine, CalculateFile) {
  testing::TempFolder dir;
  clsCRC crc;
  EXPECT_EQ(crc.CalculateFile(dir.Write("digits.bin", "123456789")), -873187034);

  // Binary content, CR LF and NUL bytes included, is read unchanged.
  std::string binary("\r\n\0\x1a\xff\r", 6);
  EXPECT_EQ(crc.CalculateFile(dir.Write("binary.bin", binary)),
            crc.CalculateBytes(reinterpret_cast<const unsigned char*>(binary.data()), binary.size()));
}

TEST(CrcEngine, CalculateFileGivesNoValueForEmptyMissingAndFolders) {
  testing::TempFolder dir;
  clsCRC crc;
  crc.AddBytes(Bytes("1234"));
  std::int32_t before = crc.Value();

  std::optional<std::int32_t> empty = crc.CalculateFile(dir.Write("empty.bin", ""));
  EXPECT_FALSE(empty.has_value());
  EXPECT_EQ(ChecksumText(empty), "0");
  EXPECT_FALSE(crc.CalculateFile(dir.Path("missing.bin")).has_value());
  EXPECT_FALSE(crc.CalculateFile(dir.Folder()).has_value());
  EXPECT_EQ(crc.Value(), before) << "a failed CalculateFile touches nothing";
}

TEST(ChecksumTextForm, HexUpperCaseWithoutLeadingZeros) {
  EXPECT_EQ(ChecksumText(std::nullopt), "0");
  EXPECT_EQ(ChecksumText(0), "0");
  EXPECT_EQ(ChecksumText(1), "1");
  EXPECT_EQ(ChecksumText(0x0000ABCD), "ABCD");
  EXPECT_EQ(ChecksumText(0x0F000000), "F000000");
  EXPECT_EQ(ChecksumText(-1), "FFFFFFFF");
  EXPECT_EQ(ChecksumText(std::numeric_limits<std::int32_t>::min()), "80000000");
}

// The fast loops against the one-byte reference: every length up to a few
// KiB, every alignment within 16 bytes, and a random starting register.
TEST(CrcLoops, FastLoopsMatchTheOneByteLoop) {
  std::mt19937 rng(20111101);
  std::vector<unsigned char> data(4096 + 64);
  for (auto& b : data) b = static_cast<unsigned char>(rng());

  std::vector<crc32::LoopFn> loops = {&crc32::UpdateSliced, crc32::ProductLoop()};
  if (crc32::HaveFoldedLoop()) loops.push_back(&crc32::UpdateFolded);

  int mismatches = 0;
  for (std::size_t offset = 0; offset < 16; ++offset) {
    for (std::size_t len = 0; len <= 4096; ++len) {
      std::uint32_t reg = static_cast<std::uint32_t>(rng());
      std::uint32_t expected = crc32::UpdateBytewise(reg, data.data() + offset, len);
      for (crc32::LoopFn loop : loops) {
        if (loop(reg, data.data() + offset, len) != expected && ++mismatches <= 5) {
          ADD_FAILURE() << "offset " << offset << " length " << len;
        }
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(CrcLoops, FastLoopsMatchOnUniformBuffers) {
  // All-zero and all-one inputs stress the folding constants differently from
  // random data.
  for (unsigned char fill : {0x00, 0xFF}) {
    std::vector<unsigned char> data(70000, fill);
    std::uint32_t expected = crc32::UpdateBytewise(0xFFFFFFFFu, data.data(), data.size());
    EXPECT_EQ(crc32::UpdateSliced(0xFFFFFFFFu, data.data(), data.size()), expected);
    EXPECT_EQ(crc32::ProductLoop()(0xFFFFFFFFu, data.data(), data.size()), expected);
  }
}

}  // namespace
}  // namespace tarvex
