#pragma once

#include <string>
#include <vector>

// Small text helpers shared by the scenario reader, the control protocol and
// the transcript.
namespace text {

// Splits a line into words. Words are separated by blanks; a word in double
// quotes may hold blanks and the escapes \" \\ \r \n \t \e (Esc) \z (Ctrl-Z)
// and \xHH. A "#" outside quotes starts a comment.
// Returns false (and sets `error`) on an unterminated quote.
bool tokenize(const std::string& line, std::vector<std::string>& words,
              std::string* error = nullptr);

// Quotes a word so that tokenize() gives it back unchanged.
std::string quote(const std::string& word);

// Shows control characters and bytes that are not UTF-8 as escapes (\r, \n,
// \x1a ...) so that a byte string fits on one transcript line.
std::string escape(const std::string& bytes);

std::string upper(std::string s);
std::string lower(std::string s);
bool startsWith(const std::string& s, const std::string& prefix);
bool parseInt(const std::string& s, int& out);
std::string trim(const std::string& s);

// Splits the parameters of an extended AT command at commas outside double
// quotes; quoted parameters lose their quotes, unquoted ones their blanks.
std::vector<std::string> splitParams(const std::string& s);
// Parameter `i` as an integer within [lo, hi].
bool intParam(const std::vector<std::string>& params, size_t i, int lo, int hi, int& out);
// The values of a "=?" list such as `12,22,25,28-31` or `"00","03"`:
// quotes dropped, numeric ranges spelled out.
std::vector<std::string> listValues(const std::string& list);
// `s` in double quotes.
std::string quoted(const std::string& s);

bool isHex(const std::string& s);
std::string toHex(const std::string& bytes);
std::string fromHex(const std::string& hex); // expects isHex() and even length

// UTF-8 <-> UTF-16 code units. Invalid UTF-8 bytes become U+FFFD.
std::u16string utf8ToUtf16(const std::string& s);
std::string utf16ToUtf8(const std::u16string& s);

} // namespace text
