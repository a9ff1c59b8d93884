#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tarvel::uitest {

// A fresh template directory under the temporary folder, removed with its
// files when the object goes. Paths carry a trailing backslash.
class TemplateFolder {
public:
    TemplateFolder();
    ~TemplateFolder();
    TemplateFolder(const TemplateFolder&) = delete;
    TemplateFolder& operator=(const TemplateFolder&) = delete;

    const std::string& Path() const noexcept { return path_; }
    // The folder's path without its trailing backslash.
    std::string PathWithoutSeparator() const { return path_.substr(0, path_.size() - 1); }

    // Writes the bytes as they are (binary).
    void Write(const std::string& name, const std::string& bytes) const;
    void MakeDirectory(const std::string& name) const;
    std::optional<std::string> Read(const std::string& name) const;
    bool Exists(const std::string& name) const;
    // Names of the files and folders in it, sorted.
    std::vector<std::string> Names() const;

private:
    std::string path_;
};

}  // namespace tarvel::uitest
