// Reading primitives shared by every text file of the model document
// (model file, material library): the whole file is held in memory and read
// through a cursor, so a malformed file can never make a read run past a
// buffer. A CR LF pair counts as one line end, as a C text stream on the
// original platform reads it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/text_format.h"

namespace elix {

class CTextReader {
public:
    // Longest word ReadWord collects; the rest of a longer word is left for
    // the next read.
    static constexpr std::size_t kMaxWord = 8191;

    CTextReader() = default;
    explicit CTextReader(std::string_view content);

    // Reads the whole file; false when it cannot be opened or read.
    bool Open(const std::string& path);

    bool AtEnd() const { return m_pos >= m_text.size(); }

    // Skips blanks and line ends, then collects characters up to the next
    // blank or line end (tabs are not separators). False at end of file.
    bool ReadWord(std::string& word);

    // The C "%s" conversion: skips any white space, collects up to the next
    // white space. False at end of file.
    bool Token(std::string& token);

    // Skips blanks and empty lines before the first kept character, then
    // collects up to the line end, which is not kept. False at end of file.
    bool ReadRestOfLine(std::string& line);

    // Skips everything up to and including the next line end.
    void SkipRestOfLine();

    // Reads one line up to its line feed (not kept). A line longer than
    // maxLength is cut after maxLength characters and truncated is set; its
    // rest is read by the next call. False at end of file.
    bool ReadLine(std::string& line, std::size_t maxLength, bool& truncated);

    // Reads tokens up to and including the given word. False at end of file.
    bool SkipTokensThrough(std::string_view word);

    // Appends every character up to the first occurrence of marker to text
    // and moves past the marker. False (text holding the rest) at end of file.
    bool ReadUpTo(std::string_view marker, std::string& text);

    // Numeric fields are read as tokens with the C conversions "%f" and "%d".
    // A token that is not a number is left unread and the value keeps what
    // it held, so a short item block leaves its defaults in place.
    bool ReadFloat(float& value);
    bool ReadDouble(double& value);
    bool ReadLong(long long& value);
    template <class T>
    bool ReadInteger(T& value) {
        long long v = 0;
        if (!ReadLong(v)) return false;
        value = TruncateTo<T>(v);
        return true;
    }

    // Byte offset of the cursor; lets a caller look ahead and step back.
    std::size_t Position() const { return m_pos; }
    void Seek(std::size_t position) { m_pos = position < m_text.size() ? position : m_text.size(); }

private:
    bool PeekToken(std::string_view& token, std::size_t& end) const;

    std::string m_text;
    std::size_t m_pos = 0;
};

// Every 0xFE byte becomes a blank: the file form of blanks inside names
// that are read as one token.
std::string FeToBlank(std::string text);
std::string BlankToFe(std::string text);

}  // namespace elix
