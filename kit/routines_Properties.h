// The reference of a definition's classes: every published property of the
// classes an author writes, with the value it has when a definition leaves
// it out, as Markdown for the authoring chapter.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TypInfo.h"

namespace vtrl {

// Makes an instance of Class as a definition that names only the object
// would leave it (read, referenced and loaded). The pointer keeps alive
// whatever the instance needs (its module) until it is released.
using TDefaultsMaker = std::function<std::shared_ptr<TComponent>(const TClassInfo& Class)>;

// One section per class of Classes, in that order: a table of its
// properties (the inherited ones first, sub-objects as dotted names) with
// the kind and the default of each, written as the definition would write
// the value ('' for an empty text, nil for no component, [] for an empty
// set). Events are left out: they name methods of the program, not values.
// Raises Exception for a class that is not registered or cannot be created,
// and what Make raises.
std::string DescribePropertyDefaults(const std::vector<std::string>& Classes, const TDefaultsMaker& Make);

}  // namespace vtrl
