// Tests of finding a self-extracting setup's trailer, before the
// certificate table of a signed one, and of refusing damaged tables.
#include "routines_Trailer.h"

#include "test_ArchiveHelpers.h"

namespace vtrl {
namespace {

using namespace vtrl::test;

TTrailerPlace Find(const TScratch& S, const std::string& Name, const Bytes& Image) {
    WriteAll(S(Name), Image);
    TFileHandleOwner f(FileOpenRead(S(Name)));
    return FindTrailer(f.Get());
}

std::string DamageText(const TScratch& S, const std::string& Name, const Bytes& Image) {
    WriteAll(S(Name), Image);
    try {
        ReadExtractionInfo(S(Name));
    } catch (const Exception& e) {
        return e.Message;
    }
    return "read without an error";
}

// Rule: signing moves nothing of the archives: the trailer is found before
// the table whatever padding the signer added (0 to 7 zeros, as the loading
// program's size makes it), for PE32 and PE32+ alike, and the archives read
// from the signed file are those of the unsigned one.
TEST(Trailer, SignedFileGivesTheUnsignedPositions) {
    TScratch S;
    ForceDirectories(S("src"));
    const std::string source = S("src" + TScratch::Sep() + "a.txt");
    WriteAll(source, TextBytes(5000));
    TVtrlCompress c(nullptr);
    TStringList list;
    list.Add(source);
    c.SetCompressedFile(S("files.1"));
    c.SetFilesToProcess(list);
    c.CompressFiles(false);
    const Bytes files = ReadAll(S("files.1")), setup = RandomBytes(301, 4);

    for (size_t loader = 4096; loader < 4096 + 8; ++loader) {
        SCOPED_TRACE(loader);
        const Bytes unsigned_ = SelfExtractingImage(loader, setup, files);
        const TTrailerPlace plain = Find(S, "plain.exe", unsigned_);
        ASSERT_TRUE(plain.Found);
        EXPECT_FALSE(plain.Signed);
        EXPECT_EQ(plain.End, static_cast<int64_t>(unsigned_.size()));

        Bytes signed_ = unsigned_;
        AppendCertificateTable(signed_);
        const TTrailerPlace place = Find(S, "signed.exe", signed_);
        EXPECT_TRUE(place.Signed);
        ASSERT_TRUE(place.Found) << place.Damage;
        EXPECT_EQ(place.End, plain.End);
        EXPECT_EQ(place.Info.FilesStart, plain.Info.FilesStart);
        EXPECT_TRUE(DescribesSetupProgram(place.Info, place.End));

        c.SetCompressedFile(S("signed.exe"));
        c.Offset = ReadExtractionInfo(S("signed.exe")).FilesStart;
        ASSERT_EQ(c.EntryCount(), 1);
        c.VerifyMember(0);
        c.CloseArchive();
    }
    Bytes pe32 = SelfExtractingImage(0x200, setup, files);
    pe32[0x80 + 24 + 1] = 0x01;  // PE32: the directories lie 16 bytes earlier
    pe32[0x80 + 24 + 92] = 16;
    AppendCertificateTable(pe32);
    EXPECT_TRUE(Find(S, "pe32.exe", pe32).Found);
}

// Rule: a table entry that points outside the file, does not reach its
// end, or was moved over the archives is damage, named with the table's
// place; reading such a file throws instead of guessing.
TEST(Trailer, DamagedTablesAreRefusedWithTheirPlace) {
    TScratch S;
    Bytes good = SelfExtractingImage(4100, RandomBytes(300, 1), RandomBytes(700, 2));
    AppendCertificateTable(good, 1024);
    const size_t entry = CertificateEntry(good);
    const int32_t offset = GetInt32(&good[entry]), size = GetInt32(&good[entry + 4]);
    struct TCase {
        const char* Name;
        int64_t Offset, Size;
        const char* Says;
    };
    const int64_t length = static_cast<int64_t>(good.size());
    for (const TCase& k : {TCase{"beyond", length + 8, size, "lies outside the file's"},
                           TCase{"longer", offset, size + 8, "lies outside the file's"},
                           TCase{"huge", offset, 0xFFFFFFF0LL, "lies outside the file's"},
                           TCase{"at zero", 0, size, "lies outside the file's"},
                           TCase{"tiny", length - 4, 4, "is too small to hold a certificate"},
                           TCase{"shorter", offset, size - 8, "ends before the file's end"},
                           TCase{"earlier", offset - 200, size, "ends before the file's end"},
                           TCase{"over the archives", offset - 400, size + 400, "overlaps the setup archives"}}) {
        SCOPED_TRACE(k.Name);
        Bytes bad = good;
        PutInt32(&bad[entry], static_cast<int32_t>(k.Offset));
        PutInt32(&bad[entry + 4], static_cast<int32_t>(k.Size));
        const TTrailerPlace place = Find(S, "bad.exe", bad);
        EXPECT_NE(place.Damage.find(k.Says), std::string::npos) << place.Damage;
        EXPECT_NE(place.Damage.find("its certificate table (offset " + IntToStr(static_cast<uint32_t>(k.Offset))),
                  std::string::npos)
            << place.Damage;
        const std::string text = DamageText(S, "bad.exe", bad);
        EXPECT_NE(text.find("bad.exe is damaged: its certificate table"), std::string::npos) << text;
    }
}

// Rule: a signed program without archives (the loading program beside its
// "setup.1") carries no trailer and no damage; neither does a file that is
// no PE image, whose last 56 bytes are read as before. Zeros between the
// trailer and the table are all the padding may hold.
TEST(Trailer, SignedProgramsWithoutArchivesAndOtherFiles) {
    TScratch S;
    Bytes loader = MinimalPE(5000);
    AppendCertificateTable(loader);
    TTrailerPlace place = Find(S, "loader.exe", loader);
    EXPECT_TRUE(place.Signed);
    EXPECT_FALSE(place.Found);
    EXPECT_TRUE(place.Damage.empty()) << place.Damage;
    EXPECT_NE(DamageText(S, "loader.exe", loader).find("Could not read the extraction info"), std::string::npos);

    Bytes archive = RandomBytes(3000, 5);
    place = Find(S, "plain.1", archive);
    EXPECT_FALSE(place.Signed);
    EXPECT_FALSE(place.Found);
    EXPECT_EQ(place.End, 3000);

    Bytes few = SelfExtractingImage(4099, RandomBytes(300, 1), RandomBytes(700, 2));
    few[CertificateEntry(few) - 4 * 8 - 4] = 4;  // four directories: none for certificates
    AppendCertificateTable(few);
    place = Find(S, "few.exe", few);
    EXPECT_FALSE(place.Signed);

    Bytes padded = SelfExtractingImage(4099, RandomBytes(300, 1), RandomBytes(700, 2));  // 5 zeros of padding
    AppendCertificateTable(padded);
    padded[GetInt32(&padded[CertificateEntry(padded)]) - 2] = 0x55;
    EXPECT_FALSE(Find(S, "padded.exe", padded).Found);
}

// Rule: clearing the entry leaves a program that carries no table, which
// the floppy set's loading program needs; a file that is no PE image is
// left alone.
TEST(Trailer, ClearingTheEntry) {
    Bytes image = MinimalPE(4096);
    AppendCertificateTable(image);
    TCertificateTable table;
    ASSERT_TRUE(ReadCertificateTable(image.data(), image.size(), table));
    EXPECT_EQ(table.Offset, 4096);
    EXPECT_EQ(table.Size, 1536);
    ASSERT_TRUE(ClearCertificateTable(image.data(), image.size()));
    EXPECT_FALSE(ReadCertificateTable(image.data(), image.size(), table));
    Bytes text = TextBytes(4096);
    EXPECT_FALSE(ClearCertificateTable(text.data(), text.size()));
    EXPECT_EQ(text, TextBytes(4096));
    // A head cut short before the entry is read as no PE image.
    EXPECT_FALSE(ReadCertificateTable(image.data(), 0x80 + 24 + 100, table));
}

}  // namespace
}  // namespace vtrl
