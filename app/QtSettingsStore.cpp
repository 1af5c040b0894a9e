#include "app/QtSettingsStore.h"
#include "core/RegistryNames.h"

#include <QSettings>
#include <QStringList>
#include <QVariant>

#include <climits>

namespace zq {

namespace {

QString keyOf(const std::string& section, const std::string& name) {
    return QString::fromUtf8(QtSettingsStore::encodeSection(section) + "/" +
                             QtSettingsStore::encodeSection(name));
}

bool isValidUtf8(const std::string& text) {
    return QString::fromUtf8(text).toUtf8().toStdString() == text;
}

} // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QString::fromUtf8(reg::kOrganisation),
                                            QString::fromUtf8(reg::kApplication))) {}

QtSettingsStore::QtSettingsStore(std::unique_ptr<QSettings> settings)
    : settings_(std::move(settings)) {}

QtSettingsStore::~QtSettingsStore() = default;

std::string QtSettingsStore::encodeSection(const std::string& section) {
    if (section.empty()) return "%";
    const bool utf8 = isValidUtf8(section);
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : section) {
        if (c == '%' || c == '/' || c == '\\' || c < 0x20 || c == 0x7F || (c >= 0x80 && !utf8)) {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

int QtSettingsStore::readInt(const std::string& section, const std::string& name,
                             int defaultValue) {
    const QVariant value = settings_->value(keyOf(section, name));
    if (!value.isValid()) return defaultValue;
    switch (value.typeId()) {
    case QMetaType::QString:
    case QMetaType::QByteArray:
        // An INI file gives back text; only a plain decimal integer counts.
        return parseSettingInt(value.toString().toStdString()).value_or(defaultValue);
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        bool ok = false;
        const qlonglong number = value.toLongLong(&ok);
        if (!ok || number < INT_MIN || number > INT_MAX) return defaultValue;
        return static_cast<int>(number);
    }
    default:
        return defaultValue;
    }
}

std::string QtSettingsStore::readString(const std::string& section, const std::string& name,
                                        const std::string& defaultValue) {
    const QVariant value = settings_->value(keyOf(section, name));
    if (!value.isValid()) return defaultValue;
    // An INI line with unquoted commas reads back as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", ")).toStdString();
    if (!value.canConvert<QString>()) return defaultValue;
    return value.toString().toStdString();
}

bool QtSettingsStore::writeInt(const std::string& section, const std::string& name, int value) {
    if (!settings_->isWritable()) return false;
    settings_->setValue(keyOf(section, name), value);
    return commit();
}

bool QtSettingsStore::writeString(const std::string& section, const std::string& name,
                                  const std::string& value) {
    if (!settings_->isWritable()) return false;
    settings_->setValue(keyOf(section, name), QString::fromUtf8(value));
    return commit();
}

bool QtSettingsStore::commit() {
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

} // namespace zq
