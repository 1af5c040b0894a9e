#pragma once

#include <memory>
#include <string>

#include "core/SettingsStore.h"

class QSettings;

namespace zq {

// The settings store of the desktop program: QSettings under organisation
// "Tarnwick Software", application "Zendraquil" (the registry on Windows, an
// INI file elsewhere). Sections are QSettings groups. Section names are taken
// exactly as given; the characters QSettings would read as structure are
// escaped (see encodeSection) so every name round-trips to its own group.
class QtSettingsStore final : public SettingsStore {
  public:
    QtSettingsStore();
    // Uses the given settings object (a test's, or another file's).
    explicit QtSettingsStore(std::unique_ptr<QSettings> settings);
    ~QtSettingsStore() override;
    QtSettingsStore(const QtSettingsStore&) = delete;
    QtSettingsStore& operator=(const QtSettingsStore&) = delete;

    int readInt(const std::string& section, const std::string& name, int defaultValue) override;
    std::string readString(const std::string& section, const std::string& name,
                           const std::string& defaultValue) override;
    // Each write is pushed to the store at once; false when it could not be.
    bool writeInt(const std::string& section, const std::string& name, int value) override;
    bool writeString(const std::string& section, const std::string& name,
                     const std::string& value) override;

    // The group name for a section: '%', '/', '\' and control characters
    // become %XX (hex of the byte), as do all bytes above 127 when the name is
    // not valid UTF-8; an empty name becomes "%". No two names share a group.
    static std::string encodeSection(const std::string& section);

    QSettings& settings() { return *settings_; }

  private:
    bool commit();

    std::unique_ptr<QSettings> settings_;
};

} // namespace zq
