// A small JSON reader for the tests' manifests: values as a tree, errors as values.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace test_support {

// One JSON value. Numbers keep their integer value when they have no fraction or exponent.
class JsonValue {
public:
    enum class Kind { null, boolean, number, string, array, object };

    Kind kind() const { return m_kind; }
    bool is_null() const { return m_kind == Kind::null; }
    bool is_number() const { return m_kind == Kind::number; }
    bool is_string() const { return m_kind == Kind::string; }
    bool is_array() const { return m_kind == Kind::array; }
    bool is_object() const { return m_kind == Kind::object; }

    bool as_bool() const { return m_boolean; }
    double as_double() const { return m_number; }
    int64_t as_int() const { return m_integer; }
    const std::string& as_string() const { return m_string; }
    const std::vector<JsonValue>& items() const { return m_items; }
    const std::map<std::string, JsonValue, std::less<>>& members() const { return m_members; }

    // The member `key` of an object, or null when this is not an object or has no such member.
    const JsonValue* find(std::string_view key) const;

private:
    friend class JsonParser;

    Kind m_kind = Kind::null;
    bool m_boolean = false;
    double m_number = 0;
    int64_t m_integer = 0;
    std::string m_string;
    std::vector<JsonValue> m_items;
    std::map<std::string, JsonValue, std::less<>> m_members;
};

// Parses a whole document. On failure returns nothing and sets `error` to the offset and what
// was expected there.
std::optional<JsonValue> parse_json(std::string_view text, std::string* error);

} // namespace test_support
