#pragma once

#include "app/AppDialog.h"

namespace zq {

class CInfoLabel;

// A borderless strip with a message and a "Continue .." button, shown at the
// bottom of the dialog that runs it.
class CMessageStrip : public CAppDialog {
    Q_OBJECT
  public:
    explicit CMessageStrip(QWidget* parent = nullptr);

    CInfoLabel* label() const;
    void setText(const QString& text);

    // Shows the message and waits for "Continue ..": the strip's modal run.
    // A queued answer (see answers::queue) stands in for the click.
    int run(const QString& text);

    // Its owner: the parent, or else the active modal dialog.
    QWidget* owner() const;

  protected:
    void initDialog() override;
};

} // namespace zq
