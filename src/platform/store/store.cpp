#include "platform/store/store.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tomelin {

int Store::WriteRegValue(std::string_view path, std::string_view name, const StoreValue& value,
                         int type) {
    const KeyHandle key = openKey(path);
    if (!key)
        return kStatusMissing;
    return WriteValueToKey(key, name, type, value);
}

StoreValue Store::ReadRegValue(std::string_view path, std::string_view name) {
    StoreValue out;
    const KeyHandle key = openKey(path);
    if (!key)
        return out;
    if (ReadValueFromKey(key, name, out) != kStatusOk)
        return StoreValue{};
    return out;
}

std::vector<SubkeyValues> Store::subkeysWithValues(std::string_view path,
                                                   std::optional<std::string_view> onlyName) {
    std::vector<SubkeyValues> result;
    for (std::string& name : subkeyNames(path)) {
        SubkeyValues subkey{std::move(name), {}};
        for (StoredValue& value : values(openKey(joinKeyPath(path, subkey.name)))) {
            if (!onlyName || *onlyName == value.name)
                subkey.values.push_back(std::move(value));
        }
        result.push_back(std::move(subkey));
    }
    return result;
}

std::vector<std::string> Store::subkeysWithNonEmptyValue(std::string_view path,
                                                         std::string_view name) {
    std::vector<std::string> names;
    for (SubkeyValues& subkey : subkeysWithValues(path, name)) {
        if (!subkey.values.empty() && !isEmptyValue(subkey.values.front().value))
            names.push_back(std::move(subkey.name));
    }
    return names;
}

std::string normalizeKeyPath(std::string_view path) {
    std::string result;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos)
            end = path.size();
        if (end > start) {
            if (!result.empty())
                result += '\\';
            result.append(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return result;
}

std::string joinKeyPath(std::string_view path, std::string_view name) {
    std::string joined(path);
    if (!joined.empty() && joined.back() != '\\' && !name.empty())
        joined += '\\';
    joined += name;
    return joined;
}

std::string valueText(const StoreValue& value) {
    if (const auto* text = std::get_if<std::string>(&value))
        return *text;
    if (const auto* number = std::get_if<std::int32_t>(&value))
        return std::to_string(*number);
    return {};
}

double leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    double result = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        result = result * 10 + (text[i] - '0');
        ++i;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        double scale = 0.1;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            result += (text[i] - '0') * scale;
            scale /= 10;
            ++i;
        }
    }
    return negative ? -result : result;
}

double valueNumber(const StoreValue& value) {
    if (const auto* number = std::get_if<std::int32_t>(&value))
        return *number;
    if (const auto* text = std::get_if<std::string>(&value))
        return leadingNumber(*text);
    return 0;
}

std::int32_t valueInt(const StoreValue& value) {
    const double number = std::trunc(valueNumber(value));
    if (number > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (number < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(number);
}

bool isEmptyValue(const StoreValue& value) {
    if (std::holds_alternative<std::monostate>(value))
        return true;
    if (const auto* text = std::get_if<std::string>(&value))
        return text->empty();
    return false;
}

std::vector<NumberedSubkey> numberedSubkeys(Store& store, std::string_view path,
                                            std::optional<int> (*numberOf)(std::string_view),
                                            std::optional<std::string_view> onlyName) {
    std::vector<NumberedSubkey> result;
    for (SubkeyValues& subkey : store.subkeysWithValues(path, onlyName)) {
        if (const auto number = numberOf(subkey.name))
            result.push_back({*number, std::move(subkey.values)});
    }
    std::sort(result.begin(), result.end(),
              [](const auto& a, const auto& b) { return a.number < b.number; });
    return result;
}

}  // namespace tomelin
