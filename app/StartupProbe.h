#pragma once

#include <QObject>

namespace zq {

class CMainWindow;

// For the start-up measurement script: when the environment variable
// ZENDRAQUIL_STARTUP_PROBE is set, the first time the picture menu is painted
// the program prints the wall-clock time (nanoseconds since the epoch) and its
// peak memory to standard error and then exits through the cancel path.
// Without the variable it does nothing.
class StartupProbe : public QObject {
    Q_OBJECT
  public:
    explicit StartupProbe(CMainWindow& window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    CMainWindow& window_;
    bool reported_ = false;
};

} // namespace zq
