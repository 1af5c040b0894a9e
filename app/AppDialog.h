#pragma once

#include <QDialog>
#include <QHash>

#include "app/AppContext.h"
#include "resources/DialogTemplates.h"

namespace zq {

class CMainWindow;

// The base of the program's dialogs: builds its controls from its template,
// wires OK and Cancel to accept and reject,
// paints its background with the info brush (the tooltip colour that the main
// window keeps up to date) unless told not to, and is the dialog a tile rack
// tells about each change of its text.
class CAppDialog : public QDialog {
    Q_OBJECT
  public:
    CAppDialog(int templateId, QWidget* parent = nullptr);

    int templateId() const { return templateId_; }
    QWidget* control(int id) const { return controls_.value(id); }
    template <class W> W* control(int id) const { return qobject_cast<W*>(control(id)); }

    // 1: the background is the info brush; 0: the platform's dialog background.
    int paintBackground = 1;
    // The window whose info brush is used; null: the main window.
    CMainWindow* brushSource = nullptr;

    // A tile rack of this dialog changed its text. Nothing happens here.
    virtual void onRackChanged(int code);

    // The caption with the product name put in from the application title.
    static QString rebuildCaption(const QString& caption);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Dialog initialisation, run once before the dialog is first shown.
    virtual void initDialog();

    SystemColours colours() const;

  private:
    int templateId_;
    QHash<int, QWidget*> controls_;
    bool initialised_ = false;
};

} // namespace zq
