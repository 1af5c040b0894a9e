#pragma once

#include <QFont>
#include <QHash>
#include <QRect>

#include "resources/DialogTemplates.h"

class QDialog;
class QWidget;
class QWizardPage;

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

// Creates a template's controls as children of `host`, places them, names
// each after its template and sets the tab order; radio buttons form one
// exclusive group per run (a new one at kGroup), with their ids as the
// group's ids. Returns the controls by id (static texts without an id are not
// listed). A template the builder cannot carry out (an unknown kind of
// control, a control with an id but no name, an id used twice, a tile rack
// of no squares) stops the program with a message naming the template and
// the control: it is a fault in the program, never in the user's data.
QHash<int, QWidget*> buildControls(QWidget& host, const res::DialogTemplate& dialogTemplate,
                                   const DialogUnits& units);

// Builds a dialog: its controls, the caption (or no frame) and the fixed
// client size.
QHash<int, QWidget*> buildDialog(QDialog& dialog, const res::DialogTemplate& dialogTemplate);

// Builds a page of a wizard: its controls, its title from the caption and its
// size as the smallest the page may have.
QHash<int, QWidget*> buildPage(QWizardPage& page, const res::DialogTemplate& dialogTemplate);

// The units that the builders use for this template in this window.
DialogUnits unitsFor(const QWidget& window, const res::DialogTemplate& dialogTemplate);

} // namespace zq
