#include "platform/profile.h"

#include <optional>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace platform {
namespace {

// The blanks trimmed around names and values. All lie below 0x40, so none of them can be the
// trail byte of a two-byte character and trimming never splits one.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool StartsTwoByteCharacter(char c) {
    return static_cast<unsigned char>(c) >= 0x80;
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Equal apart from the case of ASCII letters; both bytes of a two-byte character compare
// exactly, so a trail byte that happens to be a letter is never folded.
bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (StartsTwoByteCharacter(a[i]) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

// Position of the first `c` that stands at a character boundary, or npos.
std::size_t FindAtBoundary(std::string_view text, char c) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == c) return i;
        if (StartsTwoByteCharacter(text[i])) ++i;
    }
    return std::string_view::npos;
}

// The longest prefix of at most `limit` bytes that ends at a character boundary.
std::string_view CutAtBoundary(std::string_view text, std::size_t limit) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t width =
            StartsTwoByteCharacter(text[end]) && end + 1 < text.size() ? 2 : 1;
        if (end + width > limit) break;
        end += width;
    }
    return text.substr(0, end);
}

enum class LineKind { Blank, Comment, Section, Key, Other };

// One line of the file as the bytes lie on disk.
struct Line {
    std::size_t begin = 0;        // offset of the first byte
    std::size_t content_end = 0;  // offset just past the text, before CR LF or LF
    std::size_t end = 0;          // offset just past the line break, if any
    bool has_break = false;       // false only for a last line without LF
    LineKind kind = LineKind::Other;
    std::string_view name;   // section name or key, trimmed
    std::string_view value;  // key value, trimmed
};

Line ParseLine(std::string_view file, std::size_t begin) {
    Line line;
    line.begin = begin;
    const std::size_t newline = file.find('\n', begin);
    line.has_break = newline != std::string_view::npos;
    line.end = line.has_break ? newline + 1 : file.size();
    line.content_end = line.has_break ? newline : file.size();
    // Only a CR just before LF belongs to the break; a lone CR stays part of the line.
    if (line.has_break && line.content_end > begin && file[line.content_end - 1] == '\r') {
        --line.content_end;
    }
    const std::string_view text = Trim(file.substr(begin, line.content_end - begin));
    if (text.empty()) {
        line.kind = LineKind::Blank;
    } else if (text.front() == ';') {
        line.kind = LineKind::Comment;
    } else if (text.front() == '[') {
        // Text after ']' is ignored; a header without ']' names what follows '[', so the
        // keys under it never fall into the section before.
        const std::string_view inside = text.substr(1);
        line.kind = LineKind::Section;
        line.name = Trim(inside.substr(0, FindAtBoundary(inside, ']')));
    } else if (const std::size_t equals = FindAtBoundary(text, '='); equals != text.npos) {
        line.kind = LineKind::Key;
        line.name = Trim(text.substr(0, equals));
        line.value = Trim(text.substr(equals + 1));
    }
    return line;
}

std::vector<Line> ParseFile(std::string_view file) {
    std::vector<Line> lines;
    for (std::size_t begin = 0; begin < file.size();) {
        lines.push_back(ParseLine(file, begin));
        begin = lines.back().end;
    }
    return lines;
}

// Where a section stands in the file and what a lookup of one key found there.
struct SectionLookup {
    std::optional<std::size_t> header;        // index of the first header with the name
    std::optional<std::size_t> last_content;  // last non-blank, non-comment line after it
    std::optional<std::size_t> key;           // index of the first line with the key
};

// A section that appears more than once continues where it appears again; the first
// matching key in file order wins.
SectionLookup Find(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
    SectionLookup found;
    bool inside = false;
    bool in_first_block = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line& line = lines[i];
        if (line.kind == LineKind::Section) {
            inside = SameName(line.name, section);
            in_first_block = inside && !found.header;
            if (in_first_block) {
                found.header = i;
                found.last_content = i;
            }
            continue;
        }
        if (!inside) continue;
        if (in_first_block && line.kind != LineKind::Blank && line.kind != LineKind::Comment) {
            found.last_content = i;
        }
        if (line.kind == LineKind::Key && !found.key && SameName(line.name, key)) {
            found.key = i;
        }
    }
    return found;
}

std::string_view WithoutOuterQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// A text the callers hand over as a C string ends at its first zero byte.
std::string_view UpToZero(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

std::string Limited(std::string_view text, std::size_t limit) {
    return std::string(CutAtBoundary(UpToZero(text), limit));
}

// Names and values that could not be read back as written: a line break would split the
// line, '=' in a key or ']' in a section would end the name early, and a key that starts
// like a comment or a header would not be a key at all.
bool Writable(std::string_view section, std::string_view key, std::string_view value) {
    const auto has_any = [](std::string_view text, std::string_view bytes) {
        for (const char c : bytes) {
            if (FindAtBoundary(text, c) != text.npos) return true;
        }
        return false;
    };
    using namespace std::string_view_literals;
    const std::string_view breaks = "\r\n\0"sv;
    if (has_any(section, breaks) || has_any(key, breaks) || has_any(value, breaks)) return false;
    if (has_any(section, "]") || has_any(key, "=")) return false;
    const std::string_view trimmed_key = Trim(key);
    return trimmed_key.empty() || (trimmed_key.front() != ';' && trimmed_key.front() != '[');
}

}  // namespace

std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& default_value, const std::string& path,
                                    std::size_t limit) {
    // Trailing blanks of the default are dropped, as the original routine does.
    std::string_view fallback = UpToZero(default_value);
    while (!fallback.empty() && IsBlank(fallback.back())) fallback.remove_suffix(1);
    const auto file = ReadWholeFile(path);
    if (!file) return Limited(fallback, limit);
    const std::vector<Line> lines = ParseFile(*file);
    const SectionLookup found = Find(lines, Trim(section), Trim(key));
    if (!found.key) return Limited(fallback, limit);
    return Limited(WithoutOuterQuotes(lines[*found.key].value), limit);
}

bool WritePrivateProfileString(const std::string& section, const std::string& key,
                               const std::string& value, const std::string& path) {
    if (!Writable(section, key, value)) return false;
    const std::string_view name = Trim(section);
    const std::string_view key_name = Trim(key);
    std::string file;
    if (const auto old = ReadWholeFile(path)) {
        file = *old;
    } else if (PathExists(path)) {
        return false;  // there but unreadable: rewriting it would lose its content
    }
    const std::vector<Line> lines = ParseFile(file);
    const SectionLookup found = Find(lines, name, key_name);
    std::string updated;
    if (found.key) {
        // The line keeps its key as the file spells it, and its own line break.
        const Line& line = lines[*found.key];
        updated = file.substr(0, line.begin);
        updated.append(line.name).append("=").append(value);
        updated.append(file, line.content_end);
    } else if (found.header) {
        const Line& anchor = lines[*found.last_content];
        updated = file.substr(0, anchor.end);
        if (!anchor.has_break) updated += "\r\n";
        updated.append(key_name).append("=").append(value).append("\r\n");
        updated.append(file, anchor.end);
    } else {
        updated = file;
        if (!updated.empty() && updated.back() != '\n') updated += "\r\n";
        updated.append("[").append(name).append("]\r\n");
        updated.append(key_name).append("=").append(value).append("\r\n");
    }
    return WriteWholeFile(path, updated);
}

}  // namespace platform
