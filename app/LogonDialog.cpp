#include "app/LogonDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/QtHost.h"
#include "core/RegistryNames.h"
#include "core/Strings.h"

namespace zq {

CLogonDialog::CLogonDialog(QWidget* parent) : CAppDialog(res::kLogonTemplate, parent) {
    paintBackground = 0;
    SettingsStore& store = app::settings();
    userName = QString::fromStdString(UserProfile::currentName(store));
    noLogon = store.readInt(reg::kSettings, reg::kNoLogon, 0);
}

void CLogonDialog::initDialog() {
    CAppDialog::initDialog();
    if (auto* edit = control<QLineEdit>(res::kIdUserName)) {
        edit->setText(userName);
        edit->selectAll();
        edit->setFocus();
    }
    if (auto* box = control<QCheckBox>(res::kIdNoLogonCheck)) box->setChecked(noLogon != 0);
}

void CLogonDialog::accept() {
    if (auto* edit = control<QLineEdit>(res::kIdUserName)) userName = edit->text();
    if (auto* box = control<QCheckBox>(res::kIdNoLogonCheck)) noLogon = box->isChecked() ? 1 : 0;
    if (userName.isEmpty() || userName.contains(QLatin1Char(' '))) {
        box::plain(this, QString::fromUtf8(str::kBadUserName));
        return;
    }
    SettingsStore& store = app::settings();
    store.writeString(reg::kSettings, reg::kUserName, userName.toStdString());
    store.writeInt(reg::kSettings, reg::kNoLogon, noLogon);
    CAppDialog::accept();
}

} // namespace zq
