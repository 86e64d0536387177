// Parsing formats: "(1X,I2.2,'.',F7.1)" into a list of items.
#include "runtime/format.h"

#include "runtime/cp1251.h"

#include <cctype>

namespace {

// Widths and counts above these are typing errors, not layouts.
constexpr int32_t MAX_WIDTH = 4096;
constexpr int32_t MAX_DECIMALS = 200;
constexpr int32_t MAX_REPEAT = 10000;

class FormatParser {
public:
    explicit FormatParser(std::string_view text) : m_text(text) {}

    std::string parse(std::vector<RtFormatItem>& items) {
        skip_blanks();
        if (!take('('))
            return "a format must start with '('";
        skip_blanks();
        if (take(')'))
            return finish();
        for (;;) {
            if (std::string error = parse_item(items); !error.empty())
                return error;
            skip_blanks();
            if (take(')'))
                return finish();
            if (!take(','))
                return where("expected ',' or ')'");
            skip_blanks();
        }
    }

private:
    std::string finish() {
        skip_blanks();
        return m_pos == m_text.size() ? std::string() : where("text after the closing ')'");
    }

    std::string parse_item(std::vector<RtFormatItem>& items) {
        if (peek() == '\'' || peek() == '"')
            return parse_literal(items);
        int32_t count = 1;
        const bool has_count = std::isdigit(static_cast<unsigned char>(peek())) != 0;
        if (has_count && (!number(count, MAX_REPEAT) || count == 0))
            return where("bad repeat count");
        RtFormatItem item;
        const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(peek())));
        ++m_pos;
        if (letter == 'X') {
            item.kind = RtFormatItem::Kind::skip;
            item.width = count;
            items.push_back(item);
            return {};
        }
        if (letter == 'I') {
            item.kind = RtFormatItem::Kind::integer;
            if (!number(item.width, MAX_WIDTH) || item.width == 0)
                return where("I needs a width of at least 1");
            if (take('.') && (!number(item.min_digits, MAX_WIDTH) || item.min_digits > item.width))
                return where("I.m needs 0 <= m <= w");
        } else if (letter == 'F') {
            item.kind = RtFormatItem::Kind::fixed;
            if (!number(item.width, MAX_WIDTH) || item.width == 0)
                return where("F needs a width of at least 1");
            if (!take('.') || !number(item.decimals, MAX_DECIMALS))
                return where("F needs a number of decimals, Fw.d");
        } else {
            return where("unknown edit descriptor");
        }
        items.insert(items.end(), static_cast<size_t>(count), item);
        return {};
    }

    std::string parse_literal(std::vector<RtFormatItem>& items) {
        const char quote = m_text[m_pos++];
        std::string utf8;
        for (;;) {
            if (m_pos >= m_text.size())
                return where("unterminated literal");
            const char c = m_text[m_pos++];
            if (c == quote) {
                if (!take(quote))
                    break;
            }
            utf8 += c;
        }
        RtFormatItem item;
        item.kind = RtFormatItem::Kind::literal;
        item.text = utf8_to_cp1251(utf8);
        item.width = static_cast<int32_t>(item.text.size());
        items.push_back(std::move(item));
        return {};
    }

    bool number(int32_t& value, int32_t max) {
        const size_t start = m_pos;
        int64_t result = 0;
        while (m_pos < m_text.size() && std::isdigit(static_cast<unsigned char>(m_text[m_pos]))) {
            result = result * 10 + (m_text[m_pos++] - '0');
            if (result > max)
                return false;
        }
        value = static_cast<int32_t>(result);
        return m_pos > start;
    }

    char peek() const { return m_pos < m_text.size() ? m_text[m_pos] : '\0'; }
    bool take(char c) {
        if (peek() != c)
            return false;
        ++m_pos;
        return true;
    }
    void skip_blanks() {
        while (peek() == ' ')
            ++m_pos;
    }
    std::string where(const char* what) const {
        return std::string(what) + " at column " + std::to_string(m_pos + 1);
    }

    std::string_view m_text;
    size_t m_pos = 0;
};

} // namespace

RtFormat::RtFormat(std::string_view text) : m_text(text) {
    m_error = FormatParser(text).parse(m_items);
    if (!m_error.empty())
        m_items.clear();
}

bool RtFormat::has_data_items() const {
    for (const RtFormatItem& item : m_items) {
        if (item.kind == RtFormatItem::Kind::integer || item.kind == RtFormatItem::Kind::fixed)
            return true;
    }
    return false;
}
