// Fuzz target: reading a program file's resource tree and embedding a
// definition into it. Damaged input must raise EPEImageError, never crash;
// an image that was accepted must read back with the definition in it.
#include <cstdlib>

#include "routines_PEResources.h"

using namespace vtrl;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string image(reinterpret_cast<const char*>(Data), Size);
    try {
        const std::string out = EmbedInstallDefinition(image, "object IM: TIM\r\nend\r\n");
        const TResourceTree tree = ReadResourceTree(out);
        const TResourceName* n = tree.Find(TResourceKey::Number(10), TResourceKey::Text("INSTALLDEFINITION"));
        if (!n || n->Languages.size() != 1 || n->Languages[0].Data != "object IM: TIM\r\nend\r\n") std::abort();
    } catch (const EPEImageError&) {
    }
    return 0;
}
