#include "RunOptionValues.h"

#include "SysUtils.h"

namespace vtrl {

namespace {

// The options that take a value, with what the value is.
const struct {
    const char* Name;
    const char* Value;
} kValueOptions[] = {{"/LOG", "<file>"},       {"/RESPONSE", "<file>"}, {"/DIR", "<path>"},
                     {"/LANG", "<language>"}, {"/RECORD", "<file>"},   {"/SCREENSHOTS", "<dir>"}};

}  // namespace

const char* OptionWithoutValue(const std::string& Arg) {
    for (const auto& o : kValueOptions)
        if (SameText(Arg, o.Name) || SameText(Arg, std::string(o.Name) + "=")) return o.Name;
    return nullptr;
}

std::string NoValueMessage(const std::string& Option) {
    for (const auto& o : kValueOptions)
        if (Option == o.Name) return "The option " + Option + " needs a value: " + Option + "=" + o.Value + ".";
    return "The option " + Option + " needs a value.";
}

}  // namespace vtrl
