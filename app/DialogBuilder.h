#pragma once

#include <QFont>
#include <QHash>
#include <QRect>

#include "resources/DialogTemplates.h"

class QDialog;
class QWidget;

namespace zq {

// The dialog's base units: the dialog font's average character width and its
// height. A dialog unit is a quarter of the first across and an eighth of the
// second down.
struct DialogUnits {
    int cx = 6;
    int cy = 13;

    static DialogUnits fromFont(const QFont& font);
    int x(int dlu) const;
    int y(int dlu) const;
    // Converts the edges, not the size, so that controls that touch in dialog
    // units touch in pixels too.
    QRect rect(int x, int y, int width, int height) const;
};

// Builds a dialog's controls from its template: creates each control as a
// child of the dialog, places it, sets the caption (or no frame) and the
// fixed client size. Returns the controls by id (static texts without an id
// are not listed).
QHash<int, QWidget*> buildDialog(QDialog& dialog, const res::DialogTemplate& dialogTemplate);

// The units that buildDialog used for this template in this dialog.
DialogUnits unitsFor(const QDialog& dialog, const res::DialogTemplate& dialogTemplate);

} // namespace zq
