#include "text.h"

#include <cctype>
#include <charconv>
#include <cstdio>

namespace text {

bool tokenize(const std::string& line, std::vector<std::string>& words, std::string* error) {
    words.clear();
    size_t i = 0;
    const size_t n = line.size();
    while (true) {
        while (i < n && std::isspace(static_cast<unsigned char>(line[i])))
            ++i;
        if (i >= n || line[i] == '#')
            return true;
        std::string word;
        if (line[i] != '"') {
            while (i < n && !std::isspace(static_cast<unsigned char>(line[i])))
                word += line[i++];
            words.push_back(word);
            continue;
        }
        ++i;
        bool closed = false;
        while (i < n) {
            char c = line[i++];
            if (c == '"') {
                closed = true;
                break;
            }
            if (c != '\\' || i >= n) {
                word += c;
                continue;
            }
            c = line[i++];
            switch (c) {
            case 'r':
                word += '\r';
                break;
            case 'n':
                word += '\n';
                break;
            case 't':
                word += '\t';
                break;
            case 'e':
                word += '\x1b';
                break;
            case 'z':
                word += '\x1a';
                break;
            case 'x':
                if (i + 2 <= n && isHex(line.substr(i, 2))) {
                    word += fromHex(line.substr(i, 2));
                    i += 2;
                } else {
                    word += 'x';
                }
                break;
            default:
                word += c;
                break;
            }
        }
        if (!closed) {
            if (error)
                *error = "unterminated quote";
            return false;
        }
        words.push_back(word);
    }
}

std::string quote(const std::string& word) {
    std::string out = "\"";
    for (unsigned char c : word) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            if (c < 0x20 || c == 0x7f) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\x%02x", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

// Length of the valid UTF-8 sequence at `i`, 0 when there is none.
static size_t utf8Sequence(const std::string& s, size_t i) {
    const unsigned char c = s[i];
    const size_t len = c >= 0xF0 && c < 0xF5 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 0;
    if (len == 0 || i + len > s.size())
        return 0;
    for (size_t k = 1; k < len; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
            return 0;
    return len;
}

std::string escape(const std::string& bytes) {
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = bytes[i];
        if (c >= 0x80) {
            if (const size_t len = utf8Sequence(bytes, i)) {
                out += bytes.substr(i, len);
                i += len - 1;
                continue;
            }
        }
        switch (c) {
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\\':
            out += "\\\\";
            break;
        default:
            if (c < 0x20 || c >= 0x7f) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\x%02x", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out;
}

std::string upper(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool startsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

bool parseInt(const std::string& s, int& out) {
    const std::string t = trim(s);
    if (t.empty())
        return false;
    const char* first = t.data();
    if (*first == '+')
        ++first;
    auto [end, ec] = std::from_chars(first, t.data() + t.size(), out);
    return ec == std::errc() && end == t.data() + t.size();
}

std::string trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    return s.substr(b, e - b);
}

std::vector<std::string> splitParams(const std::string& s) {
    std::vector<std::string> out;
    if (trim(s).empty())
        return out;
    std::string cur;
    bool inQuote = false, wasQuoted = false;
    for (char c : s) {
        if (c == '"') {
            inQuote = !inQuote;
            wasQuoted = true;
        } else if (c == ',' && !inQuote) {
            out.push_back(wasQuoted ? cur : trim(cur));
            cur.clear();
            wasQuoted = false;
        } else {
            cur += c;
        }
    }
    out.push_back(wasQuoted ? cur : trim(cur));
    return out;
}

bool intParam(const std::vector<std::string>& params, size_t i, int lo, int hi, int& out) {
    return i < params.size() && parseInt(params[i], out) && out >= lo && out <= hi;
}

std::vector<std::string> listValues(const std::string& list) {
    std::vector<std::string> out;
    for (const std::string& item : splitParams(list)) {
        const size_t dash = item.find('-');
        int lo = 0, hi = 0;
        if (dash != std::string::npos && parseInt(item.substr(0, dash), lo) &&
            parseInt(item.substr(dash + 1), hi) && hi - lo < 1000) {
            for (int v = lo; v <= hi; ++v)
                out.push_back(std::to_string(v));
        } else {
            out.push_back(item);
        }
    }
    return out;
}

std::string quoted(const std::string& s) {
    return "\"" + s + "\"";
}

bool isHex(const std::string& s) {
    for (unsigned char c : s)
        if (!std::isxdigit(c))
            return false;
    return true;
}

std::string toHex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

static int nibble(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    return (std::toupper(static_cast<unsigned char>(c)) - 'A' + 10) & 15;
}

std::string fromHex(const std::string& hex) {
    std::string out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        out += static_cast<char>(nibble(hex[i]) << 4 | nibble(hex[i + 1]));
    return out;
}

std::u16string utf8ToUtf16(const std::string& s) {
    std::u16string out;
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = s[i];
        char32_t cp = 0xFFFD;
        int extra = 0;
        if (c < 0x80) {
            cp = c;
        } else if ((c & 0xE0) == 0xC0) {
            cp = c & 0x1F;
            extra = 1;
        } else if ((c & 0xF0) == 0xE0) {
            cp = c & 0x0F;
            extra = 2;
        } else if ((c & 0xF8) == 0xF0) {
            cp = c & 0x07;
            extra = 3;
        }
        ++i;
        if (cp == 0xFFFD && c >= 0x80) {
            out += u'\uFFFD';
            continue;
        }
        bool ok = true;
        for (int k = 0; k < extra; ++k) {
            if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = cp << 6 | (static_cast<unsigned char>(s[i++]) & 0x3F);
        }
        if (!ok || cp > 0x10FFFF) {
            out += u'\uFFFD';
        } else if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string utf16ToUtf8(const std::u16string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        char32_t cp = s[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
            s[i + 1] < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | cp >> 6);
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | cp >> 12);
            out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | cp >> 18);
            out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

} // namespace text
