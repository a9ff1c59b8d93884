#pragma once

#include "prompt/AutotextDlgRequest.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarvel::host {

// A prompt request as a host builds it: it owns the texts the record points
// at and the value blocks, which it frees with GlobalFree afterwards, whatever
// the module put there.
class HostPromptRequest {
public:
    static constexpr std::size_t kRows = AutotextDlgRequest::kRows;

    // At most kRows prompt names and recent texts are used; rows without a
    // name are null.
    HostPromptRequest(std::string title, std::string code, const std::vector<std::string>& promptNames,
                      const std::vector<std::string>& recentClipboard);
    ~HostPromptRequest();
    HostPromptRequest(const HostPromptRequest&) = delete;
    HostPromptRequest& operator=(const HostPromptRequest&) = delete;

    AutotextDlgRequest& Record() noexcept { return record_; }

    // Gives slot row a fixed block of the capacity holding the text (cut to fit).
    void SetValue(std::size_t row, const std::string& text, std::int32_t capacity);
    // The text of slot row as the module left it: length bytes, "" for null.
    std::string Value(std::size_t row) const;
    std::vector<std::string> Values() const;

private:
    std::string title_;
    std::string code_;
    std::vector<std::string> names_;
    std::vector<std::string> recent_;
    AutotextDlgRequest record_{};
};

}  // namespace tarvel::host
