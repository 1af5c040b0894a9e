#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/RegistryNames.h"

namespace zq {

// Where options, word set choices and statistics are kept: named values in
// named sections. Integers and strings are read with a default that applies
// when the value (or its section) is absent or cannot be read as asked;
// writes return false when the value could not be stored.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    virtual int readInt(const std::string& section, const std::string& name, int defaultValue) = 0;
    virtual std::string readString(const std::string& section, const std::string& name,
                                   const std::string& defaultValue) = 0;
    virtual bool writeInt(const std::string& section, const std::string& name, int value) = 0;
    virtual bool writeString(const std::string& section, const std::string& name,
                             const std::string& value) = 0;
};

// Reads a stored integer text: optional sign and decimal digits only, within
// the 32-bit range. Anything else (empty, letters, spaces, overflow) is nullopt.
std::optional<int> parseSettingInt(const std::string& text);

// The current user's section. Its name is looked up again on every call, so
// a change of user takes effect at once for every reader and writer.
class UserProfile {
  public:
    explicit UserProfile(SettingsStore& store) : store_(store) {}

    // "Settings"\"UserName", "Default" when absent.
    static std::string currentName(SettingsStore& store);
    std::string name() const { return currentName(store_); }

    int readInt(const std::string& value, int defaultValue) const {
        return store_.readInt(name(), value, defaultValue);
    }
    std::string readString(const std::string& value, const std::string& defaultValue) const {
        return store_.readString(name(), value, defaultValue);
    }
    bool writeInt(const std::string& value, int number) const {
        return store_.writeInt(name(), value, number);
    }
    bool writeString(const std::string& value, const std::string& text) const {
        return store_.writeString(name(), value, text);
    }

  private:
    SettingsStore& store_;
};

// A store held in memory, for the tests and the command-line tool. Values
// are kept as text, as an INI file keeps them, so an integer read of a value
// that is not a number gives the default.
class MemorySettingsStore final : public SettingsStore {
  public:
    int readInt(const std::string& section, const std::string& name, int defaultValue) override;
    std::string readString(const std::string& section, const std::string& name,
                           const std::string& defaultValue) override;
    bool writeInt(const std::string& section, const std::string& name, int value) override;
    bool writeString(const std::string& section, const std::string& name,
                     const std::string& value) override;

    bool contains(const std::string& section, const std::string& name) const {
        return values_.count({section, name}) != 0;
    }
    // The writes in the order they were made, as "section\name=value".
    std::vector<std::string> writeLog;
    // When set, every write fails and stores nothing.
    bool failWrites = false;

  private:
    std::map<std::pair<std::string, std::string>, std::string> values_;
};

} // namespace zq
