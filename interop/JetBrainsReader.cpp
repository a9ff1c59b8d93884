#include "interop/JetBrainsReader.h"

#include <cctype>
#include <cstring>
#include <map>

#include "interop/ConvertedBody.h"
#include "interop/PromptNamer.h"
#include "interop/SourceText.h"
#include "interop/XmlDocument.h"

namespace tarvel::JetBrainsReader {

namespace {

bool IsVariableName(std::string_view name) {
    if (name.empty())
        return false;
    for (const char c : name)
        if (c != '_' && std::isalnum(static_cast<unsigned char>(c)) == 0)
            return false;
    return true;
}

class ValueConverter {
public:
    explicit ValueConverter(const pugi::xml_node& template_) : template_(template_) {}

    ConvertedBody Convert(std::string_view value) {
        for (std::size_t at = 0; at < value.size();) {
            const auto close = value[at] == '$' ? value.find('$', at + 1) : std::string_view::npos;
            if (close == at + 1) {
                body_.code += '$';
                at += 2;
            } else if (close != std::string_view::npos && IsVariableName(value.substr(at + 1, close - at - 1))) {
                WriteVariable(value.substr(at + 1, close - at - 1));
                at = close + 1;
            } else {
                body_.code += value[at++];
            }
        }
        body_.NoteDollarSignsReadAsNames();
        return std::move(body_);
    }

private:
    void WriteVariable(std::string_view name) {
        std::string written(SnippetMapping::ReservedTwinOfJetBrainsVariable(name));
        if (written.empty()) {
            auto& prompt = prompts_[std::string(name)];
            if (prompt.empty())
                prompt = PromptNamer::IsUsable(name) ? std::string(name) : "arg" + std::to_string(prompts_.size());
            written = prompt;
            NoteDefinition(name);
        }
        body_.WriteName(written);
    }

    // What the template's definition of the variable says, once.
    void NoteDefinition(std::string_view name) {
        const auto variable = template_.find_child_by_attribute("variable", "name", std::string(name).c_str());
        if (!variable)
            return;
        const std::string_view expression = variable.attribute("expression").value();
        const std::string_view defaultValue = variable.attribute("defaultValue").value();
        if (!expression.empty())
            body_.Lose(SnippetLoss::Kind::InterpolatedCode, std::string(name) + " = " + std::string(expression));
        if (!defaultValue.empty())
            body_.Lose(SnippetLoss::Kind::PlaceholderDefault, defaultValue);
    }

    const pugi::xml_node& template_;
    ConvertedBody body_;
    // A variable that cannot name its prompt (a reserved name) gets "arg"
    // and its place among the variables.
    std::map<std::string, std::string> prompts_;
};

// The first context option that is on and names one of the eight languages;
// the first one that is on names the language otherwise.
void ReadContext(const pugi::xml_node& template_, SourceSnippet& snippet) {
    for (const auto& option : template_.child("context").children("option")) {
        if (std::strcmp(option.attribute("value").value(), "true") != 0)
            continue;
        const std::string context = option.attribute("name").value();
        if (snippet.languageName.empty())
            snippet.languageName = context;
        snippet.language = SnippetMapping::LanguageOfJetBrainsContext(context);
        if (snippet.language != SnippetMapping::kNoLanguage) {
            snippet.languageName = context;
            return;
        }
    }
}

}  // namespace

std::vector<SourceSnippet> Read(std::string_view bytes, std::string_view) {
    const XmlDocument document(bytes, "templateSet");
    std::vector<SourceSnippet> snippets;
    for (const auto& template_ : document.Root().children("template")) {
        SourceSnippet snippet;
        snippet.line = document.LineOf(template_);
        snippet.name = template_.attribute("name").value();
        snippet.triggers = {snippet.name};
        snippet.description = SourceText::WithCrLf(template_.attribute("description").value());
        ReadContext(template_, snippet);
        auto converted = ValueConverter(template_).Convert(SourceText::WithCrLf(template_.attribute("value").value()));
        snippet.code = std::move(converted.code);
        snippet.losses = std::move(converted.losses);
        snippets.push_back(std::move(snippet));
    }
    return snippets;
}

}  // namespace tarvel::JetBrainsReader
