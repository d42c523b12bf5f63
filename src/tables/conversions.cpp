#include "tables/conversions.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "core/text_util.h"

namespace ks {

namespace {

struct Split {
    std::string head;
    std::string rest;
    bool found;
};

// Splits at the first `sep`; both sides trimmed. Without `sep` the head is the
// whole (trimmed) text and found is false.
Split Split_First(std::string_view text, char sep) {
    const size_t p = text.find(sep);
    if (p == std::string_view::npos) return {Trim(text), std::string(), false};
    return {Trim(text.substr(0, p)), Trim(text.substr(p + 1)), true};
}

bool In_Range(int32_t v, int32_t lo, int32_t hi) { return v >= lo && v <= hi; }

bool Check_Individual(std::string_view text, bool zero_allowed) {
    if (text.find('/') != std::string_view::npos) return false;
    if (text.find('.') == std::string_view::npos) return In_Range(Int_Value(text, -1), 1, 65535);
    const Split a = Split_First(text, '.');
    const Split b = Split_First(a.rest, '.');
    // A two-part individual address is refused: its meaning (line.device or
    // area.device) is ambiguous and the image encodes it with the line lost.
    if (!b.found) return false;
    if (b.rest.find('.') != std::string::npos) return false;
    const int32_t area = Int_Value(a.head, -1);
    const int32_t line = Int_Value(b.head, -1);
    const int32_t device = Int_Value(b.rest, -1);
    if (!In_Range(area, 0, 15) || !In_Range(line, 0, 15) || !In_Range(device, 0, 255)) return false;
    if (!zero_allowed && area == 0 && line == 0 && device == 0) return false;
    return true;
}

bool Check_Group(std::string_view text) {
    if (text.find('.') != std::string_view::npos) return false;
    if (text.find('/') == std::string_view::npos) return In_Range(Int_Value(text, -1), 1, 65535);
    const Split a = Split_First(text, '/');
    const int32_t main = Int_Value(a.head, -1);
    const Split b = Split_First(a.rest, '/');
    if (!b.found) {
        const int32_t sub = Int_Value(a.rest, -1);
        return In_Range(main, 0, 31) && In_Range(sub, 0, 2047) && !(main == 0 && sub == 0);
    }
    if (b.rest.find('/') != std::string::npos) return false;
    const int32_t middle = Int_Value(b.head, -1);
    const int32_t sub = Int_Value(b.rest, -1);
    return In_Range(main, 0, 31) && In_Range(middle, 0, 7) && In_Range(sub, 0, 255) &&
           !(main == 0 && middle == 0 && sub == 0);
}

bool Is_Digit(char c) { return c >= '0' && c <= '9'; }

} // namespace

bool Check_KNX_Address(std::string_view text, bool group_mode, bool zero_allowed) {
    return group_mode ? Check_Group(text) : Check_Individual(text, zero_allowed);
}

bool Is_KNX_Group_Text(std::string_view text) { return text.find('.') == std::string_view::npos; }

uint32_t APCI_Code(std::string_view text) {
    const std::string u = Upper_Ascii(text);
    if (u == "WRITE") return 0x80;
    if (u == "READ") return 0;
    return static_cast<uint32_t>(Int_Value(text, 0));
}

int Priority_Code(std::string_view text) {
    const std::string u = Upper_Ascii(text);
    if (u == "SYSTEM") return 0;
    if (u == "NORMAL") return 1;
    if (u == "URGENT") return 2;
    if (u == "LOW") return 3;
    return 1;
}

uint16_t Format_Code(std::string_view text) {
    static const struct {
        const char* name;
        uint16_t code;
    } formats[] = {
        {"NONE", 0x0000},           {"SWAP16", 0x1000},         {"SWAP32", 0x2000},
        {"SWAP ALL", 0x3000},       {"INT TO FLOAT", 0x4000},   {"FLOAT TO INT", 0x5000},
        {"FLOAT16 TO FLOAT32", 0x6000}, {"FLOAT16 TO INT", 0x7000}, {"FLOAT16 TO INT * 10", 0x8000},
        {"FLOAT16 TO INT * 100", 0x9000},
    };
    const std::string u = Upper_Ascii(text);
    for (const auto& f : formats)
        if (u == f.name) return f.code;
    return 0x0000;
}

// Accepted form, independent of the process locale:
//   [blanks] [+|-] digits [mark [digits]] | [blanks] [+|-] mark digits
//   then optionally e|E [+|-] digits, then [blanks]
// where mark is the separator after "," and "." have both been mapped to it.
// No thousands grouping, no hexadecimal, no "inf"/"nan"; the value must be
// finite as a 32-bit real (tiny values round to zero). Since both marks are
// mapped to the one separator, the separator itself does not change the result.
RealResult Text_To_Real(std::string_view text, char separator) {
    const RealResult fail{false, 1.0f};
    size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= 32) ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= 32) --e;
    std::string s;
    s.reserve(e - b);
    size_t i = b;
    if (i < e && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') s += '-';
        ++i;
    }
    size_t digits = 0;
    while (i < e && Is_Digit(text[i])) s += text[i++], ++digits;
    // Both marks count as the decimal mark (the separator argument only says
    // which one the user's system writes; either is read the same way).
    (void)separator;
    if (i < e && (text[i] == '.' || text[i] == ',')) {
        s += '.';
        ++i;
        while (i < e && Is_Digit(text[i])) s += text[i++], ++digits;
    }
    if (digits == 0) return fail;
    if (i < e && (text[i] == 'e' || text[i] == 'E')) {
        s += 'e';
        ++i;
        if (i < e && (text[i] == '+' || text[i] == '-')) s += text[i++];
        size_t exp_digits = 0;
        while (i < e && Is_Digit(text[i])) s += text[i++], ++exp_digits;
        if (exp_digits == 0) return fail;
    }
    if (i != e) return fail;
    double v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ptr != s.data() + s.size()) return fail;
    if (r.ec != std::errc()) return fail;
    if (!std::isfinite(v) || std::fabs(v) > static_cast<double>(std::numeric_limits<float>::max())) return fail;
    return {true, static_cast<float>(v)};
}

IpBytes IP_Text_To_Bytes(std::string_view text) {
    IpBytes r;
    if (text.empty()) {
        r.error = true;
        return r;
    }
    std::string_view rest = text;
    for (int k = 0; k < 4; ++k) {
        std::string_view part;
        const size_t p = rest.find('.');
        if (k < 3) {
            part = p == std::string_view::npos ? std::string_view() : rest.substr(0, p);
        } else {
            part = rest;
        }
        if (p != std::string_view::npos) rest = rest.substr(p + 1);
        const int32_t v = Int_Value(part, -1);
        if (In_Range(v, 0, 255)) {
            r.bytes[k] = static_cast<uint8_t>(v);
        } else {
            r.bytes[k] = 0;
            r.error = true;
        }
    }
    return r;
}

IpParts Check_IP_Text(std::string_view text) {
    IpParts r;
    const std::string t = Trim(text);
    const Split a = Split_First(t, '.');
    if (!a.found) return r;
    const Split b = Split_First(a.rest, '.');
    if (!b.found) return r;
    const Split c = Split_First(b.rest, '.');
    if (!c.found) return r;
    const std::array<std::string, 4> parts{a.head, b.head, c.head, c.rest};
    for (const auto& p : parts)
        if (!In_Range(Int_Value(p, 1000), 0, 255)) return r;
    r.valid = true;
    r.parts = parts;
    return r;
}

} // namespace ks
