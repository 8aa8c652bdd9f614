// Format, the formatter behind Fmt. Apart from the other text helpers
// because its number formats use the C library's printf: a program that
// never formats (the loading program) does not link printf at all.
#include <cstdio>

#include "SysUtils.h"

namespace vtrl {

namespace {

[[noreturn]] void BadFormat(std::string_view Template) {
    throw Exception("Format '" + std::string(Template) + "' invalid or incompatible with argument");
}

std::string Thousands(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v < 0 ? -v : v);
    std::string digits(buf);
    std::string frac;
    if (auto dot = digits.find('.'); dot != std::string::npos) {
        frac = digits.substr(dot);
        digits.resize(dot);
    }
    std::string out;
    int n = static_cast<int>(digits.size());
    for (int i = 0; i < n; ++i) {
        out += digits[i];
        int left = n - i - 1;
        if (left > 0 && left % 3 == 0) out += ',';
    }
    return (v < 0 ? "-" : "") + out + frac;
}

std::string Pad(std::string s, int width, bool left) {
    if (width > 0 && static_cast<int>(s.size()) < width) {
        std::string fill(width - s.size(), ' ');
        s = left ? s + fill : fill + s;
    }
    return s;
}

}  // namespace

std::string Format(std::string_view T, const std::vector<TFormatArg>& Args) {
    std::string out;
    size_t next = 0;
    for (size_t i = 0; i < T.size(); ++i) {
        if (T[i] != '%') {
            out += T[i];
            continue;
        }
        if (++i >= T.size()) BadFormat(T);
        if (T[i] == '%') {
            out += '%';
            continue;
        }
        bool left = false;
        if (T[i] == '-') {
            left = true;
            ++i;
        }
        int width = -1, prec = -1;
        auto number = [&](int& dst) {
            if (i < T.size() && std::isdigit(static_cast<unsigned char>(T[i]))) {
                dst = 0;
                while (i < T.size() && std::isdigit(static_cast<unsigned char>(T[i])))
                    dst = dst * 10 + (T[i++] - '0');
            }
        };
        number(width);
        if (i < T.size() && T[i] == '.') {
            ++i;
            prec = 0;
            number(prec);
        }
        if (i >= T.size() || next >= Args.size()) BadFormat(T);
        const TFormatArg& a = Args[next++];
        char conv = static_cast<char>(std::tolower(static_cast<unsigned char>(T[i])));
        std::string piece;
        switch (conv) {
        case 's':
            if (!std::holds_alternative<std::string>(a)) BadFormat(T);
            piece = std::get<std::string>(a);
            if (prec >= 0 && static_cast<int>(piece.size()) > prec) piece.resize(prec);
            break;
        case 'd':
        case 'u': {
            if (!std::holds_alternative<int64_t>(a)) BadFormat(T);
            int64_t v = std::get<int64_t>(a);
            piece = std::to_string(v < 0 ? -v : v);
            if (prec > 0 && static_cast<int>(piece.size()) < prec)
                piece.insert(0, prec - piece.size(), '0');
            if (v < 0) piece.insert(0, "-");
            break;
        }
        case 'x': {
            if (!std::holds_alternative<int64_t>(a)) BadFormat(T);
            char buf[32];
            std::snprintf(buf, sizeof buf, "%llX",
                          static_cast<unsigned long long>(static_cast<uint32_t>(std::get<int64_t>(a))));
            piece = buf;
            if (prec > 0 && static_cast<int>(piece.size()) < prec)
                piece.insert(0, prec - piece.size(), '0');
            break;
        }
        case 'n':
        case 'f': {
            double v;
            if (std::holds_alternative<double>(a)) v = std::get<double>(a);
            else if (std::holds_alternative<int64_t>(a)) v = static_cast<double>(std::get<int64_t>(a));
            else BadFormat(T);
            int decimals = prec < 0 ? 2 : prec;
            if (conv == 'n') piece = Thousands(v, decimals);
            else {
                char buf[64];
                std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
                piece = buf;
            }
            break;
        }
        default:
            BadFormat(T);
        }
        out += Pad(piece, width, left);
    }
    return out;
}

}  // namespace vtrl
