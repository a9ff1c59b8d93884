#include "interop/VsCodeReader.h"

#include <nlohmann/json.hpp>

#include <set>

#include "interop/JsoncText.h"
#include "interop/SourceText.h"
#include "store/TextRules.h"

namespace tarvel::VsCodeReader {

namespace {

using nlohmann::json;

// A string, or an array of strings joined with line breaks; false for
// anything else.
bool TextOf(const json& value, std::string& text) {
    if (value.is_string()) {
        text = SourceText::WithCrLf(value.get_ref<const std::string&>());
        return true;
    }
    if (!value.is_array())
        return false;
    text.clear();
    for (const auto& line : value) {
        if (!line.is_string())
            return false;
        if (&line != &value.front())
            text += "\r\n";
        text += SourceText::WithCrLf(line.get_ref<const std::string&>());
    }
    return true;
}

std::vector<std::string> TriggersOf(const json& snippet) {
    const auto prefix = snippet.find("prefix");
    if (prefix == snippet.end())
        return {""};
    if (prefix->is_string())
        return {prefix->get<std::string>()};
    std::vector<std::string> triggers;
    if (prefix->is_array())
        for (const auto& one : *prefix)
            if (one.is_string())
                triggers.push_back(one.get<std::string>());
    return triggers.empty() ? std::vector<std::string>{""} : triggers;
}

std::string WithoutPadding(std::string name) {
    while (name.size() >= kNamePadding.size() &&
           std::string_view(name).substr(name.size() - kNamePadding.size()) == kNamePadding)
        name.resize(name.size() - kNamePadding.size());
    return name;
}

// The first language of the scope that is one of the eight; the others it
// names that are another of the eight are said.
void ReadScope(const std::string& scope, SourceSnippet& snippet) {
    snippet.languageName = scope;
    std::string others;
    std::size_t start = 0;
    while (start <= scope.size()) {
        const auto end = std::min(scope.find(',', start), scope.size());
        const auto id = TextRules::TrimmedView(std::string_view(scope).substr(start, end - start));
        const int language = SnippetMapping::LanguageOfVsCodeId(id);
        if (snippet.language == SnippetMapping::kNoLanguage)
            snippet.language = language;
        else if (language != SnippetMapping::kNoLanguage && language != snippet.language)
            others.append(others.empty() ? "" : ", ").append(id);
        start = end + 1;
    }
    if (!others.empty())
        snippet.losses.push_back(SnippetLoss::Of(SnippetLoss::Kind::OtherLanguages, others));
}

void ReadSnippet(const json& value, std::string_view path, SourceSnippet& snippet) {
    std::string body;
    if (!value.is_object() || !TextOf(value.value("body", json()), body)) {
        snippet.losses.push_back(SnippetLoss::Of(SnippetLoss::Kind::NotASnippet, "it has no body of text"));
        return;
    }
    snippet.triggers = TriggersOf(value);
    const auto description = value.find("description");
    if (description != value.end())
        TextOf(*description, snippet.description);
    const auto scope = value.find("scope");
    if (scope != value.end() && scope->is_string() && !scope->get_ref<const std::string&>().empty()) {
        ReadScope(scope->get<std::string>(), snippet);
    } else {
        snippet.languageName = SourceText::Stem(path);
        snippet.language = SnippetMapping::LanguageOfVsCodeId(snippet.languageName);
    }
    // VS Code's schema makes it a boolean; any other value marks nothing.
    const auto fileTemplate = value.find("isFileTemplate");
    if (fileTemplate != value.end() && fileTemplate->is_boolean() && fileTemplate->get<bool>())
        snippet.losses.push_back(SnippetLoss::Of(SnippetLoss::Kind::FileTemplate, ""));
    snippet.syntax = SourceSnippet::Syntax::VsCode;
    snippet.code = std::move(body);
}

// nlohmann's message after its position, which the report gives as a line.
std::string Reason(const json::parse_error& error) {
    std::string_view what = error.what();
    const auto colon = what.find(": ", what.find("column"));
    return std::string(colon == std::string_view::npos ? what : what.substr(colon + 2));
}

}  // namespace

std::vector<SourceSnippet> Read(std::string_view bytes, std::string_view path) {
    if (TextRules::StartsWithByteOrderMark(bytes))
        bytes.remove_prefix(TextRules::kByteOrderMark.size());
    const JsoncText text(bytes);
    json document;
    try {
        document = json::parse(text.Json());
    } catch (const json::parse_error& error) {
        throw SourceError(SourceText::LineOf(bytes, error.byte > 0 ? error.byte - 1 : 0),
                          "not valid JSON: " + Reason(error));
    } catch (const json::out_of_range& error) {
        // A number beyond a double's range names only its digits; find them for the line.
        const std::string_view what = error.what();
        const auto first = what.find('\''), last = what.rfind('\'');
        const auto digits = first < last ? what.substr(first + 1, last - first - 1) : std::string_view();
        const auto at = digits.empty() ? std::string::npos : text.Json().find(digits);
        throw SourceError(SourceText::LineOf(bytes, at == std::string::npos ? 0 : at),
                          "not valid JSON: a number too large to read");
    }
    if (!document.is_object())
        throw SourceError(1, "holds no snippets: VS Code's snippets are the names of one JSON object");
    std::vector<SourceSnippet> snippets;
    std::set<std::string> seen;
    for (const auto& name : text.TopLevelNames()) {
        std::string key;
        try {
            key = json::parse(name.quoted).get<std::string>();
        } catch (const json::exception&) {
            throw SourceError(name.line, "not valid JSON: a snippet's name is no JSON string");
        }
        if (!seen.insert(key).second)
            continue;
        SourceSnippet snippet;
        snippet.line = name.line;
        snippet.name = WithoutPadding(key);
        ReadSnippet(document[key], path, snippet);
        snippets.push_back(std::move(snippet));
    }
    return snippets;
}

}  // namespace tarvel::VsCodeReader
