#include "web_text.h"

namespace orlo::field {

namespace {

constexpr char32_t replacement = 0xFFFD;

// The character at text[at], and how many bytes it takes; a byte that
// starts no well-formed sequence (overlong, surrogate, past U+10FFFF,
// cut short) is one replacement character.
std::pair<char32_t, std::size_t> decode(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(at);
    if (first < 0x80)
        return {first, 1};
    std::size_t length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 0;
    if (length == 0 || first > 0xF4 || at + length > text.size())
        return {replacement, 1};
    char32_t code = first & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return {replacement, 1};
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    static constexpr char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return {replacement, 1};
    return {code, length};
}

void appendUtf8(std::string &out, char32_t code)
{
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

void appendEscape(std::string &out, char32_t code)
{
    static const char hex[] = "0123456789abcdef";
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += hex[(code >> shift) & 0xF];
}

} // namespace

std::string htmlEscaped(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 16);
    for (std::size_t at = 0; at < text.size();) {
        const auto [code, length] = decode(text, at);
        at += length;
        switch (code) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default:
            // A control character has no place in a name shown; a space stands for it.
            appendUtf8(out, code < 0x20 && code != '\n' && code != '\t' ? U' ' : code);
        }
    }
    return out;
}

std::string jsonQuoted(std::string_view text)
{
    std::string out = "\"";
    out.reserve(text.size() + 16);
    for (std::size_t at = 0; at < text.size();) {
        const auto [code, length] = decode(text, at);
        at += length;
        if (code == '"')
            out += "\\\"";
        else if (code == '\\')
            out += "\\\\";
        else if (code == '\n')
            out += "\\n";
        else if (code < 0x20 || code == '<' || code == '>' || code == '&' || code == 0x2028 || code == 0x2029)
            appendEscape(out, code);
        else
            appendUtf8(out, code);
    }
    return out + '"';
}

std::string ordinal(int place)
{
    const int lastTwo = place % 100;
    const int last = place % 10;
    const char *suffix = (lastTwo >= 11 && lastTwo <= 13) ? "th" : last == 1 ? "st" : last == 2 ? "nd" : last == 3 ? "rd" : "th";
    return std::to_string(place) + suffix;
}

} // namespace orlo::field
