// A small JSON reader for the tests' manifests: values as a tree, errors as values.
#include "tests/platform/json_reader.h"

#include <cmath>
#include <cstdlib>

namespace test_support {

const JsonValue* JsonValue::find(std::string_view key) const {
    if (m_kind != Kind::object)
        return nullptr;
    const auto it = m_members.find(key);
    return it == m_members.end() ? nullptr : &it->second;
}

// A recursive-descent parser over the whole text. Strings decode the standard escapes and \u
// escapes to UTF-8; a surrogate pair stays two separate code points, which the manifests never
// need.
class JsonParser {
public:
    explicit JsonParser(std::string_view text) : m_text(text) {}

    std::optional<JsonValue> parse_document(std::string* error) {
        JsonValue value;
        if (!parse_value(value, 0))
            return fail(error);
        skip_space();
        if (m_position != m_text.size()) {
            m_expected = "end of document";
            return fail(error);
        }
        return value;
    }

private:
    static constexpr int MAX_DEPTH = 200;

    std::optional<JsonValue> fail(std::string* error) const {
        if (error)
            *error = "JSON offset " + std::to_string(m_position) + ": expected " + m_expected;
        return std::nullopt;
    }

    void skip_space() {
        while (m_position < m_text.size() &&
               (m_text[m_position] == ' ' || m_text[m_position] == '\n' ||
                m_text[m_position] == '\r' || m_text[m_position] == '\t'))
            ++m_position;
    }

    bool take(char c) {
        skip_space();
        if (m_position < m_text.size() && m_text[m_position] == c) {
            ++m_position;
            return true;
        }
        return false;
    }

    bool take_word(std::string_view word) {
        if (m_text.substr(m_position, word.size()) != word)
            return false;
        m_position += word.size();
        return true;
    }

    bool parse_value(JsonValue& value, int depth) {
        skip_space();
        m_expected = "a value";
        if (depth > MAX_DEPTH || m_position >= m_text.size())
            return false;
        const char c = m_text[m_position];
        if (c == '{')
            return parse_object(value, depth);
        if (c == '[')
            return parse_array(value, depth);
        if (c == '"') {
            value.m_kind = JsonValue::Kind::string;
            return parse_string(value.m_string);
        }
        if (take_word("null"))
            return true;
        if (take_word("true") || take_word("false")) {
            value.m_kind = JsonValue::Kind::boolean;
            value.m_boolean = c == 't';
            return true;
        }
        return parse_number(value);
    }

    bool parse_object(JsonValue& value, int depth) {
        value.m_kind = JsonValue::Kind::object;
        ++m_position;
        if (take('}'))
            return true;
        do {
            skip_space();
            std::string key;
            m_expected = "a member name";
            if (m_position >= m_text.size() || m_text[m_position] != '"' || !parse_string(key))
                return false;
            m_expected = "':'";
            if (!take(':'))
                return false;
            if (!parse_value(value.m_members[key], depth + 1))
                return false;
        } while (take(','));
        m_expected = "',' or '}'";
        return take('}');
    }

    bool parse_array(JsonValue& value, int depth) {
        value.m_kind = JsonValue::Kind::array;
        ++m_position;
        if (take(']'))
            return true;
        do {
            value.m_items.emplace_back();
            if (!parse_value(value.m_items.back(), depth + 1))
                return false;
        } while (take(','));
        m_expected = "',' or ']'";
        return take(']');
    }

    bool parse_string(std::string& out) {
        ++m_position;
        m_expected = "a closing '\"'";
        while (m_position < m_text.size()) {
            const char c = m_text[m_position++];
            if (c == '"')
                return true;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (m_position >= m_text.size())
                return false;
            const char escape = m_text[m_position++];
            switch (escape) {
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'u': {
                m_expected = "four hex digits";
                if (m_position + 4 > m_text.size())
                    return false;
                const std::string digits(m_text.substr(m_position, 4));
                char* end = nullptr;
                const long code = std::strtol(digits.c_str(), &end, 16);
                if (end != digits.c_str() + 4)
                    return false;
                m_position += 4;
                if (code < 0x80) {
                    out += static_cast<char>(code);
                } else if (code < 0x800) {
                    out += static_cast<char>(0xC0 | (code >> 6 & 0x1F));
                    out += static_cast<char>(0x80 | (code & 0x3F));
                } else {
                    out += static_cast<char>(0xE0 | (code >> 12 & 0x0F));
                    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
                    out += static_cast<char>(0x80 | (code & 0x3F));
                }
                break;
            }
            default:
                out += escape;
                break;
            }
        }
        return false;
    }

    bool parse_number(JsonValue& value) {
        m_expected = "a value";
        const size_t start = m_position;
        bool integral = true;
        while (m_position < m_text.size()) {
            const char c = m_text[m_position];
            if (c == '.' || c == 'e' || c == 'E')
                integral = false;
            else if (!(c == '-' || c == '+' || (c >= '0' && c <= '9')))
                break;
            ++m_position;
        }
        const std::string digits(m_text.substr(start, m_position - start));
        if (digits.empty())
            return false;
        char* end = nullptr;
        value.m_kind = JsonValue::Kind::number;
        value.m_number = std::strtod(digits.c_str(), &end);
        if (end != digits.c_str() + digits.size()) {
            m_position = start;
            return false;
        }
        value.m_integer = integral ? std::strtoll(digits.c_str(), nullptr, 10)
                                   : static_cast<int64_t>(std::llround(value.m_number));
        return true;
    }

    std::string_view m_text;
    size_t m_position = 0;
    std::string m_expected;
};

std::optional<JsonValue> parse_json(std::string_view text, std::string* error) {
    return JsonParser(text).parse_document(error);
}

} // namespace test_support
