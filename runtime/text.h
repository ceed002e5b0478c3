// Character-counted text functions on UTF-8 strings.
//
// The planner's logic counts characters, not bytes: lengths, positions (from 1) and
// substrings here are in code points.  Invalid bytes count as one character each.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace runtime {

// Number of characters.
int Len(std::string_view text);

// Characters from `start` (1-based) on, at most `count` of them (all when negative).
std::string Mid(std::string_view text, int start, int count = -1);
std::string Left(std::string_view text, int count);
std::string Right(std::string_view text, int count);

// Character position (1-based) of the first `find` at or after `start`; 0 when absent.
// An empty `find` is found at `start` while `start` lies within the text.
int InStr(std::string_view text, std::string_view find, int start = 1);

// Lower and upper case of ASCII and of the accented Latin, Greek and Cyrillic letters.
std::string LCase(std::string_view text);
std::string UCase(std::string_view text);

// Blanks (spaces) removed at both ends.
std::string Trim(std::string_view text);

// Fields between the delimiters; an empty text gives no field at all.
std::vector<std::string> Split(std::string_view text, std::string_view delimiter);
std::string Join(const std::vector<std::string>& fields, std::string_view delimiter);

// Every occurrence of `find` replaced by `with`.
std::string Replace(std::string_view text, std::string_view find, std::string_view with);

// A whole decimal integer, optionally signed and surrounded by blanks; nothing else.
std::optional<long long> ParseInteger(std::string_view text);

// Code points of a UTF-8 text, and back.
std::vector<char32_t> DecodeUtf8(std::string_view text);
std::string EncodeUtf8(const std::vector<char32_t>& codePoints);
void AppendUtf8(std::string& out, char32_t codePoint);

}  // namespace runtime
