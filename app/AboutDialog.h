#pragma once

#include <string>

#include "app/AppDialog.h"

namespace zq {

// The picture, the icon and the credits; with a lexicon of the player's own
// loaded, a line below them names it.
class CAboutDialog : public CAppDialog {
    Q_OBJECT
  public:
    explicit CAboutDialog(QWidget* parent = nullptr, const std::string& lexiconName = {});
};

} // namespace zq
