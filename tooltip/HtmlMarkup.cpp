#include "tooltip/HtmlMarkup.h"

#include <algorithm>

#include "tooltip/HtmlText.h"

namespace tarvel {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

class TagReader {
public:
    explicit TagReader(std::string_view body) : rest_(body) {}

    HtmlToken Read() {
        HtmlToken tag;
        tag.type = HtmlToken::Type::Open;
        if (!rest_.empty() && rest_.front() == '/') {
            tag.type = HtmlToken::Type::Close;
            rest_.remove_prefix(1);
        }
        tag.name = AsciiLower(Take([](char c) { return IsSpace(c) || c == '='; }));
        // "<br/>" and "<br />" are line breaks too; a value keeps its "/".
        if (!tag.name.empty() && tag.name.back() == '/')
            tag.name.pop_back();
        tag.kind = HtmlTagKindOf(tag.name);
        if (Skip('='))
            tag.text = Value();
        while (SkipSpaces())
            ReadAttribute(tag);
        return tag;
    }

private:
    template <typename Stop>
    std::string Take(Stop stop) {
        std::size_t n = 0;
        while (n < rest_.size() && !stop(rest_[n]))
            ++n;
        std::string taken(rest_.substr(0, n));
        rest_.remove_prefix(n);
        return taken;
    }
    bool Skip(char c) {
        if (rest_.empty() || rest_.front() != c)
            return false;
        rest_.remove_prefix(1);
        return true;
    }
    bool SkipSpaces() {
        while (!rest_.empty() && IsSpace(rest_.front()))
            rest_.remove_prefix(1);
        return !rest_.empty();
    }
    std::string Value() {
        if (rest_.empty() || (rest_.front() != '"' && rest_.front() != '\''))
            return Take([](char c) { return IsSpace(c); });
        const char quote = rest_.front();
        rest_.remove_prefix(1);
        std::string value = Take([quote](char c) { return c == quote; });
        Skip(quote);
        return value;
    }
    void ReadAttribute(HtmlToken& tag) {
        HtmlAttribute attribute;
        attribute.name = AsciiLower(Take([](char c) { return IsSpace(c) || c == '='; }));
        if (Skip('='))
            attribute.value = Value();
        if (attribute.name.empty() || attribute.name == "/")
            return;
        tag.attributes.push_back(std::move(attribute));
    }

    std::string_view rest_;
};

class MarkupReader {
public:
    HtmlMarkup Read(std::string_view text) {
        markup_.tokens.reserve(2 * static_cast<std::size_t>(std::count(text.begin(), text.end(), '<')) + 1);
        std::size_t pos = 0;
        while (pos < text.size()) {
            const std::size_t lt = text.find('<', pos);
            AddText(text.substr(pos, std::min(lt, text.size()) - pos));
            if (lt == std::string_view::npos)
                break;
            pos = ReadAngle(text, lt);
        }
        CloseUnmatchedTables();
        return std::move(markup_);
    }

private:
    // Reads what starts at text[lt] == '<' and returns where reading goes on.
    std::size_t ReadAngle(std::string_view text, std::size_t lt) {
        if (lt + 1 < text.size() && text[lt + 1] == '<') {
            AddText("<");
            return lt + 2;
        }
        const std::size_t gt = text.find('>', lt);
        if (gt == std::string_view::npos) {
            AddText(text.substr(lt));
            return text.size();
        }
        HtmlToken tag = TagReader(text.substr(lt + 1, gt - lt - 1)).Read();
        if (!tag.name.empty())
            AddTag(std::move(tag));
        return gt + 1;
    }

    void AddText(std::string_view text) {
        if (text.empty())
            return;
        auto& tokens = markup_.tokens;
        if (tokens.empty() || tokens.back().type != HtmlToken::Type::Text) {
            tokens.emplace_back();
            tokens.back().type = HtmlToken::Type::Text;
        }
        tokens.back().text.append(text);
    }

    void AddTag(HtmlToken tag) {
        if (tag.IsOpen("a")) {
            tag.link = static_cast<int>(markup_.links.size());
            markup_.links.push_back(LinkOf(tag));
        }
        const std::size_t index = markup_.tokens.size();
        if (tag.IsOpen("table"))
            openTables_.push_back(index);
        if (tag.IsClose("table") && !openTables_.empty()) {
            markup_.tokens[openTables_.back()].match = index;
            openTables_.pop_back();
        }
        markup_.tokens.push_back(std::move(tag));
    }

    // The last of href and msg decides the kind of the link.
    static HtmlLink LinkOf(const HtmlToken& tag) {
        HtmlLink link;
        for (const HtmlAttribute& a : tag.attributes) {
            if (a.name == "href")
                link = {HtmlLink::Kind::Href, a.value};
            else if (a.name == "msg")
                link = {HtmlLink::Kind::Message, a.value};
        }
        return link;
    }

    void CloseUnmatchedTables() {
        for (const std::size_t open : openTables_)
            markup_.tokens[open].match = markup_.tokens.size();
    }

    HtmlMarkup markup_;
    std::vector<std::size_t> openTables_;
};

}  // namespace

const std::string* HtmlToken::Attribute(std::string_view attributeName) const {
    for (const HtmlAttribute& a : attributes)
        if (a.name == attributeName)
            return &a.value;
    return nullptr;
}

HtmlMarkup ParseHtmlMarkup(std::string_view prepared) { return MarkupReader().Read(prepared); }

}  // namespace tarvel
