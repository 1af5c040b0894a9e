#include "app/OptionsDialog.h"
#include "core/RegistryNames.h"

#include <QCheckBox>
#include <QPushButton>

namespace zq {

COptionsDialog::COptionsDialog(QWidget* parent) : CAppDialog(res::kOptionsTemplate, parent) {
    paintBackground = 0;
    SettingsStore& store = app::settings();
    const UserProfile user(store);
    noSound = user.readInt(reg::kNoSound, 0);
    noTimer = user.readInt(reg::kNoTimer, 0);
    noLogon = store.readInt(reg::kSettings, reg::kNoLogon, 0);
    expurged = store.readInt(reg::kSettings, reg::kExpurged, 0);
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
    store.writeInt(user, reg::kNoSound, noSound);
    store.writeInt(user, reg::kNoTimer, noTimer);
    store.writeInt(reg::kSettings, reg::kNoLogon, noLogon);
    store.writeInt(reg::kSettings, reg::kExpurged, expurged);
    CAppDialog::accept();
}

} // namespace zq
