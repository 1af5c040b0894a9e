#include "app/AppContext.h"

#include <QApplication>
#include <memory>

#include "app/MainWindow.h"
#include "app/QtSettingsStore.h"

namespace zq {

SystemColours SystemColours::fromPalette(const QPalette& palette) {
    SystemColours c;
    c.infoBackground = palette.color(QPalette::ToolTipBase);
    c.infoText = palette.color(QPalette::ToolTipText);
    c.light3d = palette.color(QPalette::Midlight);
    c.highlight = palette.color(QPalette::Light);
    c.shadow = palette.color(QPalette::Dark);
    c.darkShadow3d = palette.color(QPalette::Shadow);
    return c;
}

SystemColours SystemColours::current() {
    return fromPalette(QApplication::palette());
}

namespace app {

namespace {
SettingsStore* g_installed = nullptr;
CMainWindow* g_mainWindow = nullptr;
} // namespace

SettingsStore& settings() {
    if (g_installed) return *g_installed;
    static QtSettingsStore store;
    return store;
}

void setSettings(SettingsStore* store) {
    g_installed = store;
}

CMainWindow* mainWindow() {
    return g_mainWindow;
}
void setMainWindow(CMainWindow* window) {
    g_mainWindow = window;
}

SystemColours colours() {
    if (g_mainWindow) return g_mainWindow->colours();
    return SystemColours::current();
}

} // namespace app
} // namespace zq
