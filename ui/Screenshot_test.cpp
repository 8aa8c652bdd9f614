// Tests of the PNG writer: its bytes are checked chunk by chunk and the
// pixels inflated back with zlib.
#include "Screenshot.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include "SysUtils.h"

using namespace vtrl;

namespace {

uint32_t BE32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
}

struct TChunk {
    std::string Type;
    std::vector<uint8_t> Data;
};

// Splits a PNG into its chunks, checking each one's CRC on the way.
std::vector<TChunk> Chunks(const std::vector<uint8_t>& Png) {
    std::vector<TChunk> out;
    for (size_t at = 8; at < Png.size();) {
        const uint32_t length = BE32(Png, at);
        EXPECT_LE(at + 12 + length, Png.size());
        TChunk c{std::string(Png.begin() + at + 4, Png.begin() + at + 8),
                 std::vector<uint8_t>(Png.begin() + at + 8, Png.begin() + at + 8 + length)};
        EXPECT_EQ(BE32(Png, at + 8 + length), crc32(0L, Png.data() + at + 4, length + 4)) << c.Type;
        out.push_back(std::move(c));
        at += 12 + length;
    }
    return out;
}

}  // namespace

// Rule: signature, IHDR (size, 8-bit truecolour), one IDAT holding each row
// after filter byte 0, and IEND, with correct CRCs.
TEST(PngWriter, ChunksAndPixelsReadBack) {
    // 3 x 2 pixels: red, green, blue / white, black, grey.
    const std::vector<uint8_t> rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 128, 128, 128};
    const std::vector<uint8_t> png = EncodePng(3, 2, rgb);
    ASSERT_GE(png.size(), 8u);
    EXPECT_EQ(std::vector<uint8_t>(png.begin(), png.begin() + 8),
              (std::vector<uint8_t>{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}));
    const std::vector<TChunk> chunks = Chunks(png);
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].Type, "IHDR");
    EXPECT_EQ(chunks[0].Data, (std::vector<uint8_t>{0, 0, 0, 3, 0, 0, 0, 2, 8, 2, 0, 0, 0}));
    EXPECT_EQ(chunks[1].Type, "IDAT");
    std::vector<uint8_t> raw(64);
    uLongf rawSize = raw.size();
    ASSERT_EQ(uncompress(raw.data(), &rawSize, chunks[1].Data.data(), chunks[1].Data.size()), Z_OK);
    raw.resize(rawSize);
    std::vector<uint8_t> expected = {0};
    expected.insert(expected.end(), rgb.begin(), rgb.begin() + 9);
    expected.push_back(0);
    expected.insert(expected.end(), rgb.begin() + 9, rgb.end());
    EXPECT_EQ(raw, expected);
    // IEND: empty, and its CRC is the well-known AE 42 60 82.
    EXPECT_EQ(chunks[2].Type, "IEND");
    EXPECT_EQ(std::vector<uint8_t>(png.end() - 12, png.end()),
              (std::vector<uint8_t>{0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82}));
}

TEST(PngWriter, PixelsMustFitTheSize) {
    EXPECT_THROW(EncodePng(2, 2, std::vector<uint8_t>(11)), Exception);
    EXPECT_THROW(EncodePng(0, 1, {}), Exception);
    // A wide picture's rows stay apart: the last pixel of row 0 is not the
    // first of row 1.
    std::vector<uint8_t> rgb(1000 * 2 * 3, 0);
    rgb[(1000 - 1) * 3] = 7;
    const std::vector<TChunk> chunks = Chunks(EncodePng(1000, 2, rgb));
    std::vector<uint8_t> raw(2 * 3001);
    uLongf rawSize = raw.size();
    ASSERT_EQ(uncompress(raw.data(), &rawSize, chunks[1].Data.data(), chunks[1].Data.size()), Z_OK);
    EXPECT_EQ(rawSize, 2u * 3001);
    EXPECT_EQ(raw[1 + 999 * 3], 7);
    EXPECT_EQ(raw[3001], 0);  // row 1's filter byte
}
