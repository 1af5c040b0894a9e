#include "core/SettingsStore.h"

#include <charconv>

namespace zq {

std::optional<int> parseSettingInt(const std::string& text) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') ++first;
    if (first == last) return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last) return std::nullopt;
    return value;
}

std::string UserProfile::currentName(SettingsStore& store) {
    return store.readString(reg::kSettings, reg::kUserName, reg::kDefaultUser);
}

int MemorySettingsStore::readInt(const std::string& section, const std::string& name,
                                 int defaultValue) {
    const auto it = values_.find({section, name});
    if (it == values_.end()) return defaultValue;
    return parseSettingInt(it->second).value_or(defaultValue);
}

std::string MemorySettingsStore::readString(const std::string& section, const std::string& name,
                                            const std::string& defaultValue) {
    const auto it = values_.find({section, name});
    return it == values_.end() ? defaultValue : it->second;
}

bool MemorySettingsStore::writeInt(const std::string& section, const std::string& name, int value) {
    return writeString(section, name, std::to_string(value));
}

bool MemorySettingsStore::writeString(const std::string& section, const std::string& name,
                                      const std::string& value) {
    if (failWrites) return false;
    values_[{section, name}] = value;
    writeLog.push_back(section + "\\" + name + "=" + value);
    return true;
}

} // namespace zq
