// Tests of the resource writer on small libraries built with mingw
// (testdata/make_testpe.sh): 64-bit and 32-bit, with and without resources.
#include "routines_PEResources.h"

#include <gtest/gtest.h>

#include "FileShim.h"
#include "types_PEImage.h"

using namespace vtrl;

namespace {

std::string TestPE(const std::string& Name) { return ReadWholeFile(std::string(VTRL_KIT_TESTDATA) + Name); }

uint32_t U32(const std::string& B, size_t At) {
    return uint8_t(B[At]) | uint8_t(B[At + 1]) << 8 | uint8_t(B[At + 2]) << 16 | uint32_t(uint8_t(B[At + 3])) << 24;
}
uint16_t U16(const std::string& B, size_t At) { return uint16_t(uint8_t(B[At]) | uint8_t(B[At + 1]) << 8); }
void SetU32(std::string& B, size_t At, uint32_t V) {
    for (int i = 0; i < 4; ++i) B[At + i] = char(V >> (8 * i));
}

// The header fields the tests look at.
struct THeaders {
    size_t Optional, SectionTable, DataDirectories;
    unsigned Sections;
    explicit THeaders(const std::string& B) {
        const size_t pe = U32(B, 0x3C);
        Optional = pe + 24;
        Sections = U16(B, pe + 6);
        SectionTable = Optional + U16(B, pe + 20);
        DataDirectories = Optional + (U16(B, Optional) == pe::MagicPE32 ? 96 : 112);
    }
    size_t Section(unsigned I) const { return SectionTable + I * 40; }
};

const TResourceKey RCData = TResourceKey::Number(10);
const TResourceKey Definition = TResourceKey::Text("INSTALLDEFINITION");

// Every type/name/language of Before is in After with the same bytes.
void ExpectKept(const TResourceTree& Before, const TResourceTree& After) {
    for (const TResourceType& t : Before.Types)
        for (const TResourceName& n : t.Names) {
            if (t.Key == RCData && n.Key == Definition) continue;
            const TResourceName* found = After.Find(t.Key, n.Key);
            ASSERT_NE(found, nullptr);
            ASSERT_EQ(found->Languages.size(), n.Languages.size());
            for (size_t i = 0; i < n.Languages.size(); ++i) {
                EXPECT_EQ(found->Languages[i].Key, n.Languages[i].Key);
                EXPECT_EQ(found->Languages[i].CodePage, n.Languages[i].CodePage);
                EXPECT_EQ(found->Languages[i].Data, n.Languages[i].Data);
            }
        }
}

std::string DefinitionIn(const std::string& Image) {
    const TResourceTree tree = ReadResourceTree(Image);
    const TResourceName* n = tree.Find(RCData, Definition);
    if (!n || n->Languages.size() != 1) return "(none)";
    return n->Languages[0].Data;
}

void ExpectValidChecksum(const std::string& Image) {
    const size_t at = THeaders(Image).Optional + pe::OhCheckSum;
    EXPECT_EQ(U32(Image, at), PEChecksum(Image, at));
}

const std::string Text = "object IM: TIM\r\n  object Install1: TInstall\r\n  end\r\nend\r\n";

}  // namespace

// Rule: the checksum is the one the linker wrote (CheckSumMappedFile's sum).
TEST(PEResources, ChecksumMatchesTheLinkers) {
    for (const char* name : {"testpe64.dll", "testpe64_none.dll", "testpe32.dll", "testpe64_def.dll"}) {
        SCOPED_TRACE(name);
        ExpectValidChecksum(TestPE(name));
    }
}

// Rule: the libraries' own resources read as windres wrote them.
TEST(PEResources, ReadsTheTree) {
    const TResourceTree tree = ReadResourceTree(TestPE("testpe64.dll"));
    const TResourceName* manifest = tree.Find(TResourceKey::Number(24), TResourceKey::Number(1));
    ASSERT_NE(manifest, nullptr);
    EXPECT_NE(manifest->Languages.at(0).Data.find("<assembly"), std::string::npos);
    const TResourceName* form = tree.Find(RCData, TResourceKey::Text("TESTFORM"));
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Languages.at(0).Data, std::string("object Form1: TForm\r\nend\r\n"));
    EXPECT_NE(tree.Find(TResourceKey::Number(16), TResourceKey::Number(1)), nullptr);
    EXPECT_NE(tree.Find(TResourceKey::Number(2), TResourceKey::Text("TESTBITMAP")), nullptr);
    EXPECT_TRUE(ReadResourceTree(TestPE("testpe64_none.dll")).Types.empty());
}

// Rule: a library with resources (PE32+ and PE32) keeps every one of them
// byte for byte; .rsrc is rewritten where it stands and .reloc after it
// moves, with the base relocation entry following it.
TEST(PEResources, EmbedKeepsTheOtherResources) {
    for (const char* name : {"testpe64.dll", "testpe32.dll"}) {
        SCOPED_TRACE(name);
        const std::string image = TestPE(name);
        const std::string out = EmbedInstallDefinition(image, Text);
        EXPECT_EQ(DefinitionIn(out), Text);
        ExpectKept(ReadResourceTree(image), ReadResourceTree(out));
        const THeaders before(image), after(out);
        EXPECT_EQ(after.Sections, before.Sections);
        ExpectValidChecksum(out);
        // .reloc is last; its bytes are the same and the directory names it.
        const size_t reloc = after.Section(after.Sections - 1);
        EXPECT_EQ(out.substr(reloc, 6), ".reloc");
        EXPECT_EQ(U32(out, after.DataDirectories + 5 * 8), U32(out, reloc + 12));
        const size_t oldReloc = before.Section(before.Sections - 1);
        EXPECT_EQ(out.substr(U32(out, reloc + 20), U32(out, reloc + 16)),
                  image.substr(U32(image, oldReloc + 20), U32(image, oldReloc + 16)));
        EXPECT_EQ(U32(out, after.Optional + pe::OhSizeOfImage),
                  (U32(out, reloc + 12) + U32(out, reloc + 8) + 0xFFF) / 0x1000 * 0x1000);
        EXPECT_EQ(out.size() % 0x200, 0u);
    }
}

// Rule: an image without resources gets a new last section ".rsrc" that
// holds the definition alone, in language 0.
TEST(PEResources, EmbedIntoAnImageWithoutResources) {
    const std::string image = TestPE("testpe64_none.dll");
    const std::string out = EmbedInstallDefinition(image, Text);
    const THeaders before(image), after(out);
    ASSERT_EQ(after.Sections, before.Sections + 1);
    const size_t rsrc = after.Section(after.Sections - 1);
    EXPECT_EQ(out.substr(rsrc, 8), std::string(".rsrc\0\0\0", 8));
    EXPECT_EQ(U32(out, after.DataDirectories + 2 * 8), U32(out, rsrc + 12));
    const TResourceTree tree = ReadResourceTree(out);
    ASSERT_EQ(tree.Types.size(), 1u);
    EXPECT_EQ(tree.Find(RCData, Definition)->Languages[0].Key, TResourceKey::Number(0));
    EXPECT_EQ(DefinitionIn(out), Text);
    EXPECT_EQ(out.substr(0, image.size()).substr(U32(image, before.Section(0) + 20)),
              image.substr(U32(image, before.Section(0) + 20)));
    ExpectValidChecksum(out);
}

// Rule: an existing definition is replaced whatever its language; the
// language stays and no second entry appears.
TEST(PEResources, ReplacesAnExistingDefinition) {
    const std::string image = TestPE("testpe64_def.dll");
    const TResourceTree before = ReadResourceTree(image);
    ASSERT_NE(before.Find(RCData, Definition), nullptr);
    const std::string out = EmbedInstallDefinition(image, "object New: TIM\r\nend\r\n");
    const TResourceTree after = ReadResourceTree(out);
    const TResourceName* now = after.Find(RCData, Definition);
    ASSERT_NE(now, nullptr);
    ASSERT_EQ(now->Languages.size(), 1u);
    EXPECT_EQ(now->Languages[0].Key, TResourceKey::Number(1033));
    EXPECT_EQ(now->Languages[0].Data, "object New: TIM\r\nend\r\n");
    ExpectKept(ReadResourceTree(image), ReadResourceTree(out));
}

// Rule: the same inputs give the same bytes, and embedding the same text
// into the result again changes nothing.
TEST(PEResources, Reproducible) {
    for (const char* name : {"testpe64.dll", "testpe64_none.dll", "testpe32.dll"}) {
        SCOPED_TRACE(name);
        const std::string image = TestPE(name);
        const std::string once = EmbedInstallDefinition(image, Text);
        EXPECT_EQ(EmbedInstallDefinition(image, Text), once);
        EXPECT_EQ(EmbedInstallDefinition(once, Text), once);
        EXPECT_EQ(DefinitionIn(EmbedInstallDefinition(once, "x")), "x");
    }
}

// Rule: when a section that may not move follows .rsrc, a new section is
// appended and the old resources are copied from the old one.
TEST(PEResources, AppendsWhenTheResourceSectionCannotGrow) {
    std::string image = TestPE("testpe64.dll");
    const THeaders h(image);
    const size_t reloc = h.Section(h.Sections - 1);
    SetU32(image, reloc + 36, U32(image, reloc + 36) & ~pe::ScnMemDiscardable);
    const std::string out = EmbedInstallDefinition(image, Text);
    const THeaders after(out);
    ASSERT_EQ(after.Sections, h.Sections + 1);
    EXPECT_EQ(U32(out, after.DataDirectories + 2 * 8), U32(out, after.Section(after.Sections - 1) + 12));
    EXPECT_EQ(DefinitionIn(out), Text);
    ExpectKept(ReadResourceTree(image), ReadResourceTree(out));
    ExpectValidChecksum(out);
}

// Rule: entries are written in the loader's search order (names first,
// compared unit by unit and then by length; numbers after, ascending),
// with the directory time stamps kept.
TEST(PEResources, WritesEntriesInSearchOrder) {
    TResourceTree tree;
    tree.Dir.TimeDateStamp = 0x12345678;
    for (const char* name : {"B", "ABC", "AB"}) SetResource(tree, RCData, TResourceKey::Text(name), name);
    SetResource(tree, RCData, TResourceKey::Number(7), "7");
    SetResource(tree, RCData, TResourceKey::Number(3), "3");
    SetResource(tree, TResourceKey::Number(2), TResourceKey::Number(1), "");
    const std::string out = ReplaceResources(TestPE("testpe64_none.dll"), tree);
    const TResourceTree back = ReadResourceTree(out);
    EXPECT_EQ(back.Dir.TimeDateStamp, 0x12345678u);
    ASSERT_EQ(back.Types.size(), 2u);
    EXPECT_EQ(back.Types[0].Key, TResourceKey::Number(2));
    std::vector<std::string> order;
    for (const TResourceName& n : back.Types[1].Names) order.push_back(n.Languages[0].Data);
    EXPECT_EQ(order, (std::vector<std::string>{"AB", "ABC", "B", "3", "7"}));
    EXPECT_EQ(back.Types[0].Names[0].Languages[0].Data, "");
}

// Rule: input that is not a sound PE image raises EPEImageError with a
// message, whatever its damage; nothing crashes.
TEST(PEResources, RefusesDamagedImages) {
    const std::string image = TestPE("testpe64.dll");
    auto refused = [](const std::string& Bytes, const char* Part) {
        try {
            EmbedInstallDefinition(Bytes, Text);
        } catch (const EPEImageError& e) {
            EXPECT_NE(e.Message.find(Part), std::string::npos) << e.Message;
            return;
        }
        ADD_FAILURE() << "accepted an image with " << Part;
    };
    refused("", "not a Windows program");
    refused(std::string(4096, 'x'), "not a Windows program");
    refused("MZ" + std::string(100, '\0'), "not a Windows program");
    for (size_t cut : {0x3Eu, 0x90u, 0x100u, 0x200u, 0x401u, 0x1000u, 0x1300u, 0x1700u}) {
        SCOPED_TRACE(cut);
        EXPECT_THROW(EmbedInstallDefinition(image.substr(0, cut), Text), EPEImageError);
    }
    const THeaders h(image);
    const size_t rsrc = U32(image, h.Section(h.Sections - 2) + 20);  // file offset of the tree
    std::string loop = image;
    SetU32(loop, rsrc + 16 + 4, 0x80000000);  // the first type's directory is the root
    refused(loop, "loops");
    std::string outside = image;
    SetU32(outside, rsrc + 16 + 4, 0x80FFFFF0);
    refused(outside, "outside the resource section");
    std::string signature = image;
    SetU32(signature, h.DataDirectories + 4 * 8, 0x2000);
    refused(signature, "signed");
    std::string noRoom = TestPE("testpe64_none.dll");
    const THeaders n(noRoom);
    noRoom[n.Section(n.Sections) + 5] = 1;
    refused(noRoom, "no room for another section header");
    std::string overlap = TestPE("testpe64_none.dll");
    SetU32(overlap, n.Section(0) + 12, 0);  // the first section at RVA 0, over the headers
    refused(overlap, "overlaps its headers");
}

// Rule: a data entry pointing past its section is refused.
TEST(PEResources, RefusesDataOutsideTheImage) {
    std::string image = TestPE("testpe64.dll");
    const THeaders h(image);
    const size_t section = h.Section(h.Sections - 2);
    const size_t base = U32(image, section + 20);
    // The data entries follow the directories; the first one's RVA is the
    // first word in the tree equal to an address inside the section.
    const uint32_t va = U32(image, section + 12), size = U32(image, section + 8);
    size_t entry = 0;
    for (size_t at = base; at + 8 < base + size; at += 4)
        if (U32(image, at) >= va && U32(image, at) < va + size && U32(image, at + 4) > 0 && U32(image, at + 4) < size) {
            entry = at;
            break;
        }
    ASSERT_NE(entry, 0u);
    SetU32(image, entry + 4, 0x7FFFFFFF);
    EXPECT_THROW(ReadResourceTree(image), EPEImageError);
}

// Rule: a server is known by OLESelfRegister in the string table that the
// translation names, not in any other table; an image without version
// information, or one that is no image, has no mark.
TEST(PEResources, FindsTheSelfRegisterMark) {
    const std::string server = TestPE("testpe64_server.dll");
    EXPECT_TRUE(VersionHasString(server, "OLESelfRegister"));
    EXPECT_TRUE(VersionHasString(server, "oleselfregister"));
    EXPECT_TRUE(VersionHasString(server, "FileVersion"));
    EXPECT_FALSE(VersionHasString(server, "OLESelf"));
    EXPECT_FALSE(VersionHasString(TestPE("testpe64.dll"), "OLESelfRegister"));
    EXPECT_TRUE(VersionHasString(TestPE("testpe64.dll"), "ProductName"));
    EXPECT_FALSE(VersionHasString(TestPE("testpe64_none.dll"), "OLESelfRegister"));
    EXPECT_FALSE(VersionHasString("MZ not an image", "OLESelfRegister"));
    // Cut anywhere inside its version information, the image gives no
    // mark and no fault.
    const TResourceTree tree = ReadResourceTree(server);
    const std::string info = tree.Find(TResourceKey::Number(16), TResourceKey::Number(1))->Languages.at(0).Data;
    for (size_t cut = 0; cut < info.size(); cut += 7) {
        TResourceTree shorter = tree;
        SetResource(shorter, TResourceKey::Number(16), TResourceKey::Number(1), info.substr(0, cut));
        (void)VersionHasString(ReplaceResources(server, shorter), "OLESelfRegister");
    }
}
