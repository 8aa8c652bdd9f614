// Helpers shared by the archive tests: a scratch directory per test and
// whole-file reads and writes through the file shim.
#pragma once

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "FileShim.h"
#include "cmp_TVtrlCompress.h"
#include "SysUtils.h"

namespace vtrl::test {

using Bytes = std::vector<uint8_t>;

inline Bytes ReadAll(const std::string& Name) {
    TFileHandleOwner f(FileOpenRead(Name));
    if (!f.Valid()) ADD_FAILURE() << "cannot open " << Name;
    if (!f.Valid()) return {};
    Bytes b(static_cast<size_t>(FileSize(f.Get())));
    if (!b.empty()) FileRead(f.Get(), b.data(), static_cast<int32_t>(b.size()));
    return b;
}

inline void WriteAll(const std::string& Name, const Bytes& Data) {
    TFileHandleOwner f(FileCreate(Name));
    ASSERT_TRUE(f.Valid()) << Name;
    if (!Data.empty()) {
        ASSERT_EQ(FileWrite(f.Get(), Data.data(), static_cast<int32_t>(Data.size())),
                  static_cast<int32_t>(Data.size()));
    }
}

inline void WriteText(const std::string& Name, const std::string& Text) {
    WriteAll(Name, Bytes(Text.begin(), Text.end()));
}

inline void SetDate(const std::string& Name, int32_t Dos) {
    TFileHandleOwner f(FileOpenReadWrite(Name));
    ASSERT_TRUE(f.Valid());
    ASSERT_TRUE(FileSetDate(f.Get(), Dos));
}

inline int32_t GetDate(const std::string& Name) {
    TFileHandleOwner f(FileOpenRead(Name));
    return f.Valid() ? FileGetDate(f.Get()) : -1;
}

// Incompressible bytes (Random) or text-like bytes that compress well.
inline Bytes RandomBytes(size_t n, unsigned seed = 1) {
    std::mt19937 g(seed);
    Bytes b(n);
    for (auto& c : b) c = static_cast<uint8_t>(g());
    return b;
}
inline Bytes TextBytes(size_t n) {
    static const std::string words = "installer archive volume member directory record ";
    Bytes b(n);
    for (size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>(words[(i * 7 + i / 13) % words.size()]);
    return b;
}

// A DOS date and time: 1997-05-14 10:20:30.
inline constexpr int32_t SampleDosDate = static_cast<int32_t>((17u << 25) | (5u << 21) | (14u << 16) | (10u << 11) | (20u << 5) | 15u);

// A fresh directory for one test, removed with its files afterwards.
class TScratch {
public:
    TScratch() {
        std::string t = CreateTempFileName(GetTempDirectory(), "vta");
        FileDelete(t);
        Dir = t + ".d";
        ForceDirectories(Dir);
    }
    ~TScratch() { Remove(Dir); }
    // Path of Name inside the scratch directory, with the system's separator.
    std::string operator()(const std::string& Name) const { return Dir + Sep() + Name; }
    static std::string Sep() {
#ifdef _WIN32
        return "\\";
#else
        return "/";
#endif
    }
    std::string Dir;

private:
    static void Remove(const std::string& Dir);
};

// An archive component whose disk-set volumes hold at most Capacity[n - 1]
// bytes (volume n); volumes past the list are unlimited. Lets a test fill
// "disks" at exact places without a real removable drive.
class TSmallDisks : public TVtrlCompress {
public:
    using TVtrlCompress::TVtrlCompress;
    std::vector<int64_t> Capacity;

protected:
    class TLimited : public TVtrlFileStream {
    public:
        TLimited(TFileHandle h, int64_t cap) : TVtrlFileStream(h), Cap(cap) {}
        int32_t Write(const void* b, int32_t n) override {
            int64_t room = Cap - Position();
            if (room <= 0) return 0;
            return TVtrlFileStream::Write(b, static_cast<int32_t>(n < room ? n : room));
        }
        int64_t Cap;
    };
    std::unique_ptr<TVtrlStream> CreateVolume(const std::string& Name) override {
        size_t n = static_cast<size_t>(StrToInt(ExtractFileExt(Name).substr(1)));
        TFileHandle h = FileCreate(Name);
        return std::make_unique<TLimited>(h, n <= Capacity.size() ? Capacity[n - 1] : INT32_MAX);
    }
};

}  // namespace vtrl::test

namespace vtrl::test {

// The least PE image the certificate-table readers accept: a DOS header
// pointing at "PE\0\0" at 0x80, a file header and an optional header (PE32+
// or PE32) with 16 data directories, zeros up to Size bytes.
inline Bytes MinimalPE(size_t Size, bool PE32Plus = true) {
    Bytes b(Size < 0x200 ? 0x200 : Size);
    b[0] = 'M', b[1] = 'Z', b[0x3C] = 0x80;
    b[0x80] = 'P', b[0x81] = 'E';
    const size_t optional = 0x80 + 24, optionalSize = PE32Plus ? 240 : 224;
    b[0x80 + 4 + 16] = static_cast<uint8_t>(optionalSize);
    b[optional] = 0x0B, b[optional + 1] = PE32Plus ? 0x02 : 0x01;
    b[optional + (PE32Plus ? 108 : 92)] = 16;
    return b;
}

// Where MinimalPE keeps the certificate table's entry (offset, size).
inline size_t CertificateEntry(const Bytes& Image) {
    return 0x80 + 24 + (Image[0x80 + 24 + 1] == 0x02 ? 112 : 96) + 4 * 8;
}

// Signs Image as a signer does: zeros up to a multiple of 8, then a table
// of Size bytes, whose place goes into the PE header.
inline void AppendCertificateTable(Bytes& Image, size_t Size = 1536) {
    while (Image.size() % 8) Image.push_back(0);
    const size_t entry = CertificateEntry(Image);
    PutInt32(&Image[entry], static_cast<int32_t>(Image.size()));
    PutInt32(&Image[entry + 4], static_cast<int32_t>(Size));
    Bytes table = RandomBytes(Size, 77);
    PutInt32(&table[0], static_cast<int32_t>(Size));  // WIN_CERTIFICATE: length, revision 2.0, PKCS#7
    table[4] = 0x00, table[5] = 0x02, table[6] = 0x02, table[7] = 0x00;
    Image.insert(Image.end(), table.begin(), table.end());
}

// The loading program (a MinimalPE of LoaderSize bytes), Setup and Files
// appended, and the trailer that describes them.
inline Bytes SelfExtractingImage(size_t LoaderSize, const Bytes& Setup, const Bytes& Files) {
    Bytes b = MinimalPE(LoaderSize);
    TExtractionInfo x;
    x.SetupStart = static_cast<int32_t>(b.size());
    b.insert(b.end(), Setup.begin(), Setup.end());
    x.SetupLast = static_cast<int32_t>(b.size()) - 1;
    x.FilesStart = static_cast<int32_t>(b.size());
    b.insert(b.end(), Files.begin(), Files.end());
    x.FilesLast = static_cast<int32_t>(b.size()) - 1;
    const TExtractionInfoBytes t = EncodeExtractionInfo(x);
    b.insert(b.end(), t.begin(), t.end());
    return b;
}

}  // namespace vtrl::test
