// Text output of the model document's files: printf conversions applied in
// the "C" locale (see platform/text_format.h), gathered in memory and stored
// in one piece so that a failed save never leaves half a file behind.
#pragma once

#include <string>
#include <string_view>

#include "platform/text_format.h"

namespace elix {

class CTextWriter {
public:
    template <class... Args>
    void Print(std::string_view format, const Args&... args) {
        m_text += Format(format, args...);
    }
    void Line(std::string_view text) {
        m_text += text;
        m_text += '\n';
    }
    // A string field: written as it is, "None" when it is empty.
    void StringLine(const std::string& text) { Line(text.empty() ? std::string_view("None") : std::string_view(text)); }

    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
};

}  // namespace elix
