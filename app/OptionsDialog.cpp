#include "app/OptionsDialog.h"

#include <QCheckBox>
#include <QPushButton>

namespace zq {

namespace {
constexpr const char* kNoLogon = "NoLogon";
constexpr const char* kExpurged = "Expurged";
constexpr const char* kNoSound = "NoSound";
constexpr const char* kNoTimer = "NoTimer";
} // namespace

COptionsDialog::COptionsDialog(QWidget* parent) : CAppDialog(res::kOptionsTemplate, parent) {
    paintBackground = 0;
    SettingsStore& store = app::settings();
    const UserProfile user(store);
    noSound = user.readInt(kNoSound, 0);
    noTimer = user.readInt(kNoTimer, 0);
    noLogon = store.readInt(kSettingsSection, kNoLogon, 0);
    expurged = store.readInt(kSettingsSection, kExpurged, 0);
    if (auto* ok = control<QPushButton>(res::kIdOk))
        connect(ok, &QPushButton::clicked, this, &COptionsDialog::accept);
    if (auto* cancel = control<QPushButton>(res::kIdCancel))
        connect(cancel, &QPushButton::clicked, this, &COptionsDialog::reject);
}

void COptionsDialog::initDialog() {
    CAppDialog::initDialog();
    const auto set = [this](int id, int value) {
        if (auto* box = control<QCheckBox>(id)) box->setChecked(value != 0);
    };
    set(res::kIdHideTimer, noTimer);
    set(res::kIdSkipLogon, noLogon);
    set(res::kIdNoSounds, noSound);
    set(res::kIdExpurged, expurged);
}

void COptionsDialog::accept() {
    const auto get = [this](int id, int& value) {
        if (auto* box = control<QCheckBox>(id)) value = box->isChecked() ? 1 : 0;
    };
    get(res::kIdHideTimer, noTimer);
    get(res::kIdSkipLogon, noLogon);
    get(res::kIdNoSounds, noSound);
    get(res::kIdExpurged, expurged);
    SettingsStore& store = app::settings();
    // The user is looked up again: the name may have changed since the
    // dialog was made.
    const std::string user = UserProfile::currentName(store);
    store.writeInt(user, kNoSound, noSound);
    store.writeInt(user, kNoTimer, noTimer);
    store.writeInt(kSettingsSection, kNoLogon, noLogon);
    store.writeInt(kSettingsSection, kExpurged, expurged);
    CAppDialog::accept();
}

} // namespace zq
