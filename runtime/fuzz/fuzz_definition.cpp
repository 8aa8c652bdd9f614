// Fuzz target: the whole read path of a definition on arbitrary bytes.
// A definition error is the expected outcome of bad text; a crash, leak,
// hang, undefined behaviour, another exception type, or a broken promise of
// the reader's contract (checked below) is a finding.
#include <cstdio>
#include <cstdlib>

#include "DefinitionText.h"
#include "fuzz_classes.h"

using namespace vtrl;
using namespace vtrl::fuzz;

namespace {

constexpr const char* FileName = "fuzz.vdf";

void Require(bool Holds, const char* What, const std::string& Detail = "") {
    if (Holds) return;
    std::fprintf(stderr, "finding: %s\n%s\n", What, Detail.c_str());
    std::abort();
}

int LineCount(std::string_view Text) {
    int lines = 1;
    for (size_t i = 0; i < Text.size(); ++i)
        if (Text[i] == '\n' || (Text[i] == '\r' && (i + 1 == Text.size() || Text[i + 1] != '\n'))) ++lines;
    return lines;
}

// The message leads with the file and a position inside the text.
void CheckError(const EDefinitionError& e, std::string_view Text) {
    std::string lead = Fmt("%s(%d:%d): ", FileName, e.Line, e.Column);
    Require(std::string_view(e.what()).substr(0, lead.size()) == lead, "message without its position", e.what());
    Require(e.Line >= 1 && e.Line <= LineCount(Text) && e.Column >= 1, "position outside the text", e.what());
    Require(!e.Text.empty(), "error without a text", e.what());
}

// Nothing the failed read made remains, and Root refers to none of it.
void CheckRolledBack(const TIM& Root, const EDefinitionError& e) {
    Require(Root.ComponentCount() == 0, "components survived a failed read", e.what());
    Require(Root.ComponentState.Empty(), "root still loading after a failed read", e.what());
    Require(!Root.MainItem && (!Root.Link || Root.Link == &Root), "root refers to a destroyed component", e.what());
}

void CheckLoaded(const TComponent& Root) {
    Require(Root.ComponentState.Empty(), "root still loading");
    for (int i = 0; i < Root.ComponentCount(); ++i)
        Require(Root.Components(i)->ComponentState.Empty(), "component still loading", Root.Components(i)->Name());
}

// What was read writes out, reads back and writes out the same again.
void CheckRoundTrip(const TIM& Root) {
    std::string first = WriteComponentText(&Root);
    TIM again(nullptr);
    try {
        ReadComponentText(first, &again, FileName);
    } catch (const EDefinitionError& e) {
        Require(false, "written text does not read back", std::string(e.what()) + "\n" + first);
    }
    std::string second = WriteComponentText(&again);
    Require(first == second, "written text reads back differently", first + "----\n" + second);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    std::string_view text(reinterpret_cast<const char*>(Data), Size);
    {
        TIM root(nullptr);
        try {
            ReadComponentText(text, &root, FileName);
            CheckLoaded(root);
            CheckRoundTrip(root);
        } catch (const EDefinitionError& e) {
            CheckError(e, text);
            CheckRolledBack(root, e);
        }
    }
    // The same text creating its root by class, owned by another component.
    TComponent owner(nullptr);
    try {
        TComponent* made = CreateComponentFromText(text, &owner, FileName);
        Require(made && made->Owner() == &owner, "created root not owned by the owner");
        CheckLoaded(*made);
    } catch (const EDefinitionError& e) {
        CheckError(e, text);
        Require(owner.ComponentCount() == 0, "a failed read left its root behind", e.what());
    }
    return 0;
}
