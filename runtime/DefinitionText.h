// Reading and writing definitions: the component-stream text that describes
// a tree of components and the published properties set on each.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Classes.h"

namespace vtrl {

struct TPropInfo;

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

// ----- includes
// Inside any object, wherever a nested object may stand, a line
//     include 'parts\files.vdf'
// reads the objects of another text as if they were written there. An
// included text holds zero or more objects and further include lines, no
// properties. 'include' followed by '=' or '.' is still a property named
// Include. Errors inside an included text name that text's file, line and
// column; errors of the include line itself (no such file, a cycle, too deep)
// name the including file.

// Includes nest at most this deep, the main text not counted.
inline constexpr int MaxDefinitionIncludeDepth = 16;

// Gives the text of an included file: Path as written in the include line,
// IncludingFile the name of the text that holds the line (its resolved name,
// or the file name given to the read for the main text). Sets ResolvedName
// to the name the included text's errors carry and by which a cycle is
// found (two includes of one file must resolve to the same name). Raises
// Exception with a message naming the file when it cannot be read.
using TDefinitionIncludeResolver =
    std::function<std::string(const std::string& Path, const std::string& IncludingFile, std::string& ResolvedName)>;

// The resolver for files: a relative Path is taken from IncludingFile's
// directory, '\' and '/' both separate directories, the file is read through
// the file shim. The resolved name is the joined path, "." and ".." steps
// removed.
TDefinitionIncludeResolver FileIncludeResolver();

// Where a component of a read is written: the file that holds its object
// (the main text's name or an included file's resolved name) and the line
// and column of its 'object' keyword.
struct TDefinitionPlace {
    std::string File;
    int Line = 0;
    int Column = 0;
};
using TDefinitionPlaces = std::map<const TComponent*, TDefinitionPlace>;

// As above, with include lines read through Includes; without a resolver
// (the overloads above, or an empty Includes) an include line is the error
// "Includes are not allowed here": a setup reads its definition from a
// resource, already expanded. After a successful read, Places (when given)
// holds the place of every component read, Root included.
//
// With Errors, the read goes on after an error where it can and collects
// every error in Errors, in the order found: an object of an unknown class
// or a taken name is stepped over with all it holds; an unknown property, a
// value of the wrong kind or out of range, and a failure of a setter leave
// the property as it was; a reference that does not resolve stays null; a
// failure of Loaded is noted. Malformed text, a fault of an include line and
// nesting too deep still end the read at once (the error is the last one of
// the list). The read then fails as a whole: it raises the first error of
// the list, with every component it made destroyed as above.
using TDefinitionErrors = std::vector<EDefinitionError>;
void ReadComponentText(std::string_view Text, TComponent* Root, std::string_view FileName,
                       const TDefinitionIncludeResolver& Includes, TDefinitionPlaces* Places = nullptr,
                       TDefinitionErrors* Errors = nullptr);
TComponent* CreateComponentFromText(std::string_view Text, TComponent* Owner, std::string_view FileName,
                                    const TDefinitionIncludeResolver& Includes);

// Reads the definition FileName (one outer object) and returns it as one
// text with every include line replaced by the included text, itself
// expanded, indented as the include line was; the rest keeps its lines.
// Checks the form of each text (objects, properties and values, objects only
// in included texts) but not classes or properties, so it needs no class
// registry. Raises EDefinitionError for malformed text, a missing file, a
// cycle or includes nested too deep, as the reader would.
//
// With MarkLines, an include line that stands alone on its line is
// replaced by the included text as it stands, without indenting it,
// between line marks ("//#line N 'name'" comments) that give the lines of
// the included file and then of the including one: a reader of the result
// reports every place at the author's file, line and column. The names
// are taken from the main file's folder (FileName's own name for it).
std::string ExpandDefinitionIncludes(const std::string& FileName, bool MarkLines = false);
// The same for a text already in memory, includes resolved through Includes.
std::string ExpandDefinitionIncludes(std::string_view Text, const std::string& FileName,
                                     const TDefinitionIncludeResolver& Includes, bool MarkLines = false);

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

// An ordinal property's value (integer, boolean, enumeration, set) as the
// writer gives it: 42, True, ddAbsolute, [itAlways, itCustom]. None for an
// enumeration value, or a set member, that has no name; Stray (when given)
// is then that number.
std::optional<std::string> DefinitionOrdinalText(const TPropInfo& Prop, int64_t Value, int64_t* Stray = nullptr);
// A float property's value as the writer gives it: the shortest text that
// reads back as the same double (Value finite).
std::string DefinitionFloatText(double Value);

// Value as the writer gives a string property's value: quoted printable
// text with quotes doubled, #nnn for control characters, UTF-8 as it is;
// a long value in pieces joined by " +", each further piece on its own line
// after Indent. For tools that write definition text themselves.
std::string DefinitionStringLiteral(std::string_view Value, std::string_view Indent);

}  // namespace vtrl
