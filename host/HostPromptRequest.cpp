#include "host/HostPromptRequest.h"

#include <algorithm>
#include <cstring>

namespace tarvel::host {
namespace {

// Pointers into strings that are never resized after this.
void PointAt(const std::vector<std::string>& texts, const char* (&pointers)[AutotextDlgRequest::kRows]) {
    for (std::size_t i = 0; i < texts.size() && i < AutotextDlgRequest::kRows; ++i) {
        pointers[i] = texts[i].c_str();
    }
}

}  // namespace

HostPromptRequest::HostPromptRequest(std::string title, std::string code, const std::vector<std::string>& promptNames,
                                     const std::vector<std::string>& recentClipboard)
    : title_(std::move(title)), code_(std::move(code)), names_(promptNames), recent_(recentClipboard) {
    record_.title = title_.c_str();
    record_.code = code_.c_str();
    PointAt(names_, record_.promptNames);
    PointAt(recent_, record_.recentClipboard);
}

HostPromptRequest::~HostPromptRequest() {
    for (HostTextBuffer& value : record_.values) {
        if (value.data) {
            ::GlobalFree(value.data);
        }
    }
}

void HostPromptRequest::SetValue(std::size_t row, const std::string& text, std::int32_t capacity) {
    HostTextBuffer& value = record_.values[row];
    if (value.data) {
        ::GlobalFree(value.data);
    }
    value = HostTextBuffer{};
    if (capacity <= 0) {
        return;
    }
    value.data = static_cast<char*>(::GlobalAlloc(GMEM_FIXED, static_cast<SIZE_T>(capacity)));
    if (!value.data) {
        return;
    }
    const std::size_t copied = std::min(text.size(), static_cast<std::size_t>(capacity) - 1);
    std::memcpy(value.data, text.data(), copied);
    value.data[copied] = '\0';
    value.capacity = capacity;
    value.length = static_cast<std::int32_t>(copied);
}

std::string HostPromptRequest::Value(std::size_t row) const {
    const HostTextBuffer& value = record_.values[row];
    return value.data ? std::string(value.data, static_cast<std::size_t>(std::max(value.length, 0))) : std::string();
}

std::vector<std::string> HostPromptRequest::Values() const {
    std::vector<std::string> values;
    for (std::size_t row = 0; row < kRows; ++row) {
        values.push_back(Value(row));
    }
    return values;
}

}  // namespace tarvel::host
