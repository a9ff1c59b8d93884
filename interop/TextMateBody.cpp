#include "interop/TextMateBody.h"

#include <cctype>
#include <vector>

#include "interop/ByteWords.h"
#include "interop/PromptNamer.h"
#include "interop/SnippetMapping.h"
#include "store/FormatLimits.h"
#include "store/ReservedVariables.h"

namespace tarvel::TextMateBody {

namespace {

struct Token {
    enum class Kind { Text, TabStop, Choice, Variable, Dropped };
    Kind kind = Kind::Text;
    // Literal text, a variable's name, or what a dropped part held: a run of
    // the body, which outlives its tokens.
    std::string_view text;
    int number = -1;
    bool hasDefault = false;
    bool plainDefault = true;  // the default holds no tab stop, variable or code
    std::string defaultText;   // unescaped when plain, else as written
    SnippetLoss::Kind dropped = SnippetLoss::Kind::Transform;
};

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
bool IsNameStart(char c) { return c == '_' || std::isalpha(static_cast<unsigned char>(c)) != 0; }
bool IsNameChar(char c) { return IsNameStart(c) || IsDigit(c); }

constexpr std::string_view kVisual = "VISUAL";
// Deeper nesting is no snippet anyone writes; it is read as text.
constexpr int kMaxDepth = 16;
constexpr std::size_t kUsualTokens = 8;

class Parser {
public:
    Parser(std::string_view body, Dialect dialect) : body_(body), dialect_(dialect) {}

    std::vector<Token> ParseAll() {
        std::size_t at = 0;
        return Sequence(at, 0);
    }

private:
    // Vim's formats know one variable, the selection; a name after a dollar
    // sign is their languages' own text, such as Perl's $self.
    bool IsVariable(std::string_view name) const { return dialect_ == Dialect::VsCode || name == kVisual; }

    bool IsEscapable(char c) const {
        return c == '$' || c == '}' || c == '\\' || (dialect_ == Dialect::Vim && c == '`');
    }

    // Text that goes on from the last token's extends it; text after an
    // escape is a token of its own.
    static void AppendText(std::vector<Token>& tokens, std::string_view text) {
        if (!tokens.empty() && tokens.back().kind == Token::Kind::Text &&
            tokens.back().text.data() + tokens.back().text.size() == text.data()) {
            tokens.back().text = {tokens.back().text.data(), tokens.back().text.size() + text.size()};
            return;
        }
        tokens.emplace_back().text = text;
    }

    // The bytes that may mean more than themselves, one at a time and, the
    // same bytes, marked in a word of eight.
    static bool IsSpecial(char c) { return c == '\\' || c == '$' || c == '`' || c == '}'; }
    static ByteWords::Word Specials(ByteWords::Word word) {
        return ByteWords::Equal(word, '\\') | ByteWords::Equal(word, '$') | ByteWords::Equal(word, '`') |
               ByteWords::Equal(word, '}');
    }

    // Up to the '}' that closes the level (left for the caller) or the end.
    std::vector<Token> Sequence(std::size_t& at, int depth) {
        std::vector<Token> tokens;
        // Room for a usual body at once; a placeholder's default is a token or two.
        if (depth == 0)
            tokens.reserve(kUsualTokens);
        while (at < body_.size()) {
            const char c = body_[at];
            if (!IsSpecial(c)) {
                // Plain text up to the next character that may mean more.
                const auto end = PlainEnd(at + 1);
                AppendText(tokens, body_.substr(at, end - at));
                at = end;
            } else if (c == '\\' && at + 1 < body_.size() && IsEscapable(body_[at + 1])) {
                AppendText(tokens, body_.substr(at + 1, 1));
                at += 2;
            } else if (c == '$' && depth < kMaxDepth && Dollar(at, depth, tokens)) {
                continue;
            } else if (c == '`' && dialect_ == Dialect::Vim && Backticks(at, tokens)) {
                continue;
            } else if (c == '}' && depth > 0) {
                return tokens;
            } else {
                AppendText(tokens, body_.substr(at, 1));
                ++at;
            }
        }
        return tokens;
    }

    bool Backticks(std::size_t& at, std::vector<Token>& tokens) {
        auto close = at + 1;
        while (close < body_.size() && body_[close] != '`')
            close += body_[close] == '\\' ? 2 : 1;
        if (close >= body_.size())
            return false;
        Token token;
        token.kind = Token::Kind::Dropped;
        token.dropped = SnippetLoss::Kind::InterpolatedCode;
        token.text = body_.substr(at + 1, close - at - 1);
        tokens.push_back(std::move(token));
        at = close + 1;
        return true;
    }

    // A construct that failed to close is not read again: its text is taken
    // as literal, and its inner parts would otherwise be read anew for every
    // dollar sign before them. One that closed is read again at most once
    // for each construct around it that failed, which nesting bounds.
    bool Dollar(std::size_t& at, int depth, std::vector<Token>& tokens) {
        if (!failed_.empty() && failed_[at])
            return false;
        Token token;
        std::size_t end = at + 1;
        if (!Construct(end, depth, token)) {
            if (failed_.empty())
                failed_.resize(body_.size());
            failed_[at] = true;
            return false;
        }
        tokens.push_back(std::move(token));
        at = end;
        return true;
    }

    int Number(std::size_t& at) const {
        int number = 0;
        for (; at < body_.size() && IsDigit(body_[at]); ++at)
            number = number > 100000 ? number : number * 10 + (body_[at] - '0');
        return number;
    }

    std::string_view Name(std::size_t& at) const {
        const auto start = at;
        while (at < body_.size() && IsNameChar(body_[at]))
            ++at;
        return body_.substr(start, at - start);
    }

    // After the dollar sign.
    bool Construct(std::size_t& at, int depth, Token& token) {
        if (at >= body_.size())
            return false;
        if (IsDigit(body_[at])) {
            token.kind = Token::Kind::TabStop;
            token.number = Number(at);
            return true;
        }
        if (IsNameStart(body_[at])) {
            token.kind = Token::Kind::Variable;
            token.text = Name(at);
            return IsVariable(token.text);
        }
        if (body_[at] != '{' || ++at >= body_.size())
            return false;
        const auto start = at;
        if (IsDigit(body_[at])) {
            token.kind = Token::Kind::TabStop;
            token.number = Number(at);
        } else if (IsNameStart(body_[at])) {
            token.kind = Token::Kind::Variable;
            token.text = Name(at);
            if (!IsVariable(token.text))
                return false;
        } else {
            return false;
        }
        return Rest(at, start, depth, token);
    }

    // After ${1 or ${NAME, which begins at start: the closing brace, a
    // default, choices or a transform.
    bool Rest(std::size_t& at, std::size_t start, int depth, Token& token) {
        if (at >= body_.size())
            return false;
        const char c = body_[at++];
        if (c == '}')
            return true;
        if (c == ':')
            return Default(at, depth, token);
        if (c == '|' && token.kind == Token::Kind::TabStop)
            return Choices(at, token);
        if (c == '/')
            return Transform(at, start, token);
        return false;
    }

    // Where the plain text from the place ends: at a character that may mean
    // more, or the end. Looked for eight bytes at a time: most of a body is
    // plain text.
    std::size_t PlainEnd(std::size_t from) const {
        return from + ByteWords::FirstMarked(body_.substr(from), Specials);
    }

    bool Default(std::size_t& at, int depth, Token& token) {
        const auto start = at;
        // The usual default, plain text up to its brace, needs no sequence of its own.
        if (const auto end = PlainEnd(at); end < body_.size() && body_[end] == '}') {
            token.hasDefault = true;
            token.defaultText = body_.substr(start, end - start);
            at = end + 1;
            return true;
        }
        const auto inner = Sequence(at, depth + 1);
        if (at >= body_.size())
            return false;
        token.hasDefault = true;
        for (const auto& part : inner)
            if (part.kind != Token::Kind::Text)
                token.plainDefault = false;
        if (token.plainDefault)
            for (const auto& part : inner)
                token.defaultText += part.text;
        else
            token.defaultText = body_.substr(start, at - start);
        ++at;
        return true;
    }

    bool Choices(std::size_t& at, Token& token) {
        const auto start = at;
        for (; at + 1 < body_.size(); ++at) {
            if (body_[at] == '\\') {
                ++at;
                continue;
            }
            if (body_[at] == '|' && body_[at + 1] == '}') {
                token.kind = Token::Kind::Choice;
                token.text = body_.substr(start, at - start);
                at += 2;
                return true;
            }
        }
        return false;
    }

    // Regex, format and options, each part ending at an unescaped delimiter;
    // the format's own ${1:/upcase} and the like are passed whole. What is
    // dropped is told from the tab stop's number or variable's name, which
    // begins at start, on.
    bool Transform(std::size_t& at, std::size_t start, Token& token) {
        int slashes = 1;
        int braces = 0;
        for (; at < body_.size(); ++at) {
            const char c = body_[at];
            if (c == '\\') {
                ++at;
            } else if (slashes == 2 && c == '$' && at + 1 < body_.size() && body_[at + 1] == '{') {
                ++braces;
                ++at;
            } else if (braces > 0 && c == '}') {
                --braces;
            } else if (c == '/' && slashes < 3 && braces == 0) {
                ++slashes;
            } else if (c == '}' && slashes == 3) {
                token.text = body_.substr(start, at - start);
                token.kind = Token::Kind::Dropped;
                token.dropped = SnippetLoss::Kind::Transform;
                ++at;
                return true;
            }
        }
        return false;
    }

    std::string_view body_;
    Dialect dialect_;
    // Where the constructs that failed begin; sized at the first failure.
    std::vector<bool> failed_;
};

// The first choice names the prompt, as a default text would.
std::string_view FirstChoice(std::string_view choices) { return choices.substr(0, choices.find(',')); }

class Writer {
public:
    explicit Writer(ConvertedBody& body) : body_(body) {}

    void Write(const std::vector<Token>& tokens) {
        for (const auto& token : tokens) {
            if (token.kind == Token::Kind::TabStop && token.hasDefault && token.plainDefault)
                namer_.Offer(token.number, token.defaultText);
            if (token.kind == Token::Kind::Choice)
                namer_.Offer(token.number, FirstChoice(token.text));
        }
        for (const auto& token : tokens)
            WriteToken(token);
        body_.NoteDollarSignsReadAsNames();
    }

private:
    void WriteToken(const Token& token) {
        switch (token.kind) {
            case Token::Kind::Text:
                body_.code += token.text;
                break;
            case Token::Kind::TabStop: {
                const auto& name = namer_.NameOf(token.number);
                body_.WriteName(name);
                if (token.hasDefault && token.defaultText != name && !token.defaultText.empty())
                    Lose(SnippetLoss::Kind::PlaceholderDefault, token.defaultText);
                break;
            }
            case Token::Kind::Choice:
                body_.WriteName(namer_.NameOf(token.number));
                Lose(SnippetLoss::Kind::ChoiceList, token.text);
                break;
            case Token::Kind::Variable:
                WriteVariable(token);
                break;
            case Token::Kind::Dropped:
                Lose(token.dropped, token.text);
                break;
        }
    }

    // A variable of the reserved set's own name comes back as it went out.
    void WriteVariable(const Token& token) {
        auto twin = SnippetMapping::ReservedTwinOfVariable(token.text);
        if (twin.empty() && ReservedVariables::IsReserved(token.text))
            twin = token.text;
        if (twin.empty()) {
            Lose(SnippetLoss::Kind::VariableWithoutTwin, std::string("$").append(token.text).append("$"));
            twin = token.text;
        }
        body_.WriteName(twin);
        if (token.hasDefault && !token.defaultText.empty())
            Lose(SnippetLoss::Kind::PlaceholderDefault, token.defaultText);
    }

    void Lose(SnippetLoss::Kind kind, std::string_view detail) { body_.Lose(kind, detail); }

    ConvertedBody& body_;
    PromptNamer namer_;
};

}  // namespace

ConvertedBody Convert(std::string_view body, Dialect dialect) {
    ConvertedBody converted;
    converted.code.reserve(body.size());
    Writer(converted).Write(Parser(body, dialect).ParseAll());
    return converted;
}

}  // namespace tarvel::TextMateBody
