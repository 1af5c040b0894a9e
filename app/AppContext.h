#pragma once

#include <QColor>
#include <QPalette>

#include "core/SettingsStore.h"

namespace zq {

class CMainWindow;

// The system colours the program paints with: the tooltip background (the
// "info brush" of every dialog and rack) and text, and the four 3-D colours
// of the rack's well and panel.
struct SystemColours {
    QColor infoBackground;
    QColor infoText;
    QColor light3d;      // 3-D light
    QColor highlight;    // button highlight
    QColor shadow;       // button shadow
    QColor darkShadow3d; // 3-D dark shadow

    static SystemColours fromPalette(const QPalette& palette);
    static SystemColours current(); // from the application's palette now
};

// Process-wide pieces of the desktop program: its settings store, the main
// window that owns the info brush, and the colours dialogs borrow from it.
namespace app {

// The store every dialog reads and writes options through: the QSettings
// store unless a test has installed another one.
SettingsStore& settings();
// Installs a store (tests); null goes back to the program's own.
void setSettings(SettingsStore* store);

CMainWindow* mainWindow();
void setMainWindow(CMainWindow* window);

// The main window's colours; the application palette's when there is no main
// window (a dialog shown on its own).
SystemColours colours();

} // namespace app
} // namespace zq
