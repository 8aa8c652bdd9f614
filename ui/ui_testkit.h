// Small helpers the toolkit's tests share: scratch file names, reading a
// file back, and the message of what a piece of code raises.
#pragma once

#include <windows.h>

#include <exception>
#include <fstream>
#include <sstream>
#include <string>

namespace vtrl::testkit {

// A name in the temporary directory that no other test process uses.
inline std::string ScratchName(const std::string& Stem) {
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    return std::string(tmp) + "vtrl_test_" + std::to_string(GetCurrentProcessId()) + "_" + Stem;
}

inline std::string ReadAll(const std::string& Name) {
    std::ifstream f(Name, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// The message of what Fn raises, or "" when it raises nothing.
template <class F>
std::string ErrorOf(F Fn) {
    try {
        Fn();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "";
}

}  // namespace vtrl::testkit
