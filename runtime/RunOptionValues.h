// The run options that take a value (/DIR=<path>, /LOG=<file>, ...), as the
// setup program and its loading program both read them: one list, so that
// both say the same of an option given without its value.
#pragma once

#include <string>

namespace vtrl {

// The option's name ("/DIR") when Arg is an option that takes a value,
// given without one ("/DIR", "/dir="; case ignored); null otherwise.
const char* OptionWithoutValue(const std::string& Arg);

// "The option /DIR needs a value: /DIR=<path>." for such an option.
std::string NoValueMessage(const std::string& Option);

}  // namespace vtrl
