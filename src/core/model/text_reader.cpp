#include "model/text_reader.h"

#include "platform/files.h"


namespace elix {
namespace {

bool IsWhite(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

CTextReader::CTextReader(std::string_view content) {
    // Line ends become '\n': every carriage return directly before a line
    // feed goes ("\r\r\n" too), so no line, and no name read from one, ends
    // in '\r' that writing and reading back would lose. Other carriage
    // returns stay.
    m_text.reserve(content.size());
    for (std::size_t k = 0; k < content.size(); ++k) {
        if (content[k] != '\r') {
            m_text += content[k];
            continue;
        }
        std::size_t end = k;
        while (end < content.size() && content[end] == '\r') ++end;
        if (end == content.size() || content[end] != '\n') m_text.append(content.substr(k, end - k));
        k = end - 1;
    }
}

bool CTextReader::Open(const std::string& path) {
    std::string content;
    if (!ReadWholeFile(path, content)) return false;
    *this = CTextReader(content);
    return true;
}

bool CTextReader::ReadWord(std::string& word) {
    while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\n')) ++m_pos;
    if (m_pos >= m_text.size()) return false;
    const std::size_t start = m_pos;
    while (m_pos < m_text.size() && m_text[m_pos] != ' ' && m_text[m_pos] != '\n' && m_pos - start < kMaxWord) ++m_pos;
    word.assign(m_text, start, m_pos - start);
    return true;
}

bool CTextReader::PeekToken(std::string_view& token, std::size_t& end) const {
    std::size_t p = m_pos;
    while (p < m_text.size() && IsWhite(m_text[p])) ++p;
    if (p >= m_text.size()) return false;
    const std::size_t start = p;
    while (p < m_text.size() && !IsWhite(m_text[p])) ++p;
    token = std::string_view(m_text).substr(start, p - start);
    end = p;
    return true;
}

bool CTextReader::Token(std::string& token) {
    std::string_view view;
    std::size_t end = 0;
    if (!PeekToken(view, end)) {
        m_pos = m_text.size();
        return false;
    }
    token.assign(view);
    m_pos = end;
    return true;
}

bool CTextReader::ReadRestOfLine(std::string& line) {
    while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\n')) ++m_pos;
    if (m_pos >= m_text.size()) return false;
    const std::size_t start = m_pos;
    while (m_pos < m_text.size() && m_text[m_pos] != '\n') ++m_pos;
    line.assign(m_text, start, m_pos - start);
    if (m_pos < m_text.size()) ++m_pos;  // the line end is used up, not kept
    return true;
}

void CTextReader::SkipRestOfLine() {
    while (m_pos < m_text.size() && m_text[m_pos] != '\n') ++m_pos;
    if (m_pos < m_text.size()) ++m_pos;
}

bool CTextReader::ReadLine(std::string& line, std::size_t maxLength, bool& truncated) {
    truncated = false;
    if (m_pos >= m_text.size()) return false;
    const std::size_t start = m_pos;
    while (m_pos < m_text.size() && m_text[m_pos] != '\n') {
        if (m_pos - start >= maxLength) {
            truncated = true;
            line.assign(m_text, start, m_pos - start);
            return true;
        }
        ++m_pos;
    }
    line.assign(m_text, start, m_pos - start);
    if (m_pos < m_text.size()) ++m_pos;
    return true;
}

bool CTextReader::SkipTokensThrough(std::string_view word) {
    std::string token;
    while (Token(token))
        if (token == word) return true;
    return false;
}

bool CTextReader::ReadUpTo(std::string_view marker, std::string& text) {
    const std::size_t found = m_text.find(marker, m_pos);
    if (found == std::string::npos) {
        text.append(m_text, m_pos, std::string::npos);
        m_pos = m_text.size();
        return false;
    }
    text.append(m_text, m_pos, found - m_pos);
    m_pos = found + marker.size();
    return true;
}

bool CTextReader::ReadDouble(double& value) {
    std::string_view token;
    std::size_t end = 0;
    if (!PeekToken(token, end)) return false;
    if (!ParseDouble(token, value)) return false;
    m_pos = end;
    return true;
}

bool CTextReader::ReadFloat(float& value) {
    double v = 0.0;
    if (!ReadDouble(v)) return false;
    value = static_cast<float>(v);
    return true;
}

bool CTextReader::ReadLong(long long& value) {
    std::string_view token;
    std::size_t end = 0;
    if (!PeekToken(token, end)) return false;
    if (!ParseInteger(token, value)) return false;
    m_pos = end;
    return true;
}

std::string FeToBlank(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) == 0xFE) c = ' ';
    return text;
}

std::string BlankToFe(std::string text) {
    for (char& c : text)
        if (c == ' ') c = static_cast<char>(0xFE);
    return text;
}

}  // namespace elix
