// Reading and writing definitions: the component-stream text that describes
// a tree of components and the published properties set on each.
#pragma once

#include <string>
#include <string_view>

#include "Classes.h"

namespace vtrl {

// A definition that cannot be read: malformed text, an unknown class,
// property, value or handler, a value of the wrong kind, a missing or
// duplicate component, or a failure raised by a class while it was read.
// The message is "FILE(LINE:COL): text", or "LINE:COL: text" without a file
// name; lines and columns count from 1, columns in characters.
class EDefinitionError : public Exception {
public:
    EDefinitionError(std::string FileName, int Line, int Column, std::string Text);
    std::string FileName;
    int Line;
    int Column;
    std::string Text;  // the message without the position
};

// The deepest nesting of objects a definition may have, the outer object
// being the first level. Real definitions nest a few levels; the bound keeps
// a hostile text from exhausting the reading thread's stack (a level takes a
// few hundred bytes of it, some kilobytes under the sanitizers).
inline constexpr int MaxDefinitionDepth = 256;

// Reads a definition whose outer object describes Root itself. Root is
// already constructed; the outer object's class must be Root's class or one
// of its ancestors, and its name becomes Root's name. Nested objects are
// created through the class registry, owned by Root, and told their
// enclosing object through SetParentComponent (Root included); their names
// must differ from Root's and from those of the components Root owns.
//
// Every component of the read (Root too) carries csLoading and csReading
// from its creation on; properties are set in the order written, component
// references after all objects exist (in the order read), then csReading is
// cleared, Loaded() runs on each component in read order and csLoading is
// cleared. Event properties bind to methods that Root publishes.
//
// Integer literals are decimal or $hexadecimal; integer properties are
// 32-bit and take -2147483648 to 2147483647, or $0 to $FFFFFFFF as bits
// ($FFFFFFFF is -1). A hexadecimal literal beyond $FFFFFFFF, an integer out
// of its property's range, and objects nested deeper than
// MaxDefinitionDepth are errors.
//
// Raises EDefinitionError. On failure every component this read created is
// destroyed, references from Root to them are reset to null and Root's
// loading state is cleared; Root's name and its other properties may remain
// partly set.
void ReadComponentText(std::string_view Text, TComponent* Root, std::string_view FileName = "");

// Creates the outer object of a definition by its registered class, owned
// by Owner (which may be null), and reads the definition into it as
// ReadComponentText does. Returns the new component; on failure nothing it
// created remains.
TComponent* CreateComponentFromText(std::string_view Text, TComponent* Owner, std::string_view FileName = "");

// The definition of Root: Root itself, then the components Root owns, in
// ownership order, each nested under its GetParentComponent() (directly
// under Root when that is null, Root, or not owned by Root); components
// that those own in turn are not written. Properties come
// from reflection, leaving out values equal to their stored default, empty
// strings (unless stored always), empty string lists, null references,
// unbound events and zero floats. Lines end with LF and indent by two
// spaces. Raises Exception when a value cannot be written so that it reads
// back: a reference to a component outside Root's tree or without a name,
// an enumeration value without a name, a float that is not finite, a
// component whose parents form a cycle.
std::string WriteComponentText(const TComponent* Root);

}  // namespace vtrl
