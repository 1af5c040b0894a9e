#pragma once

class QWidget;

namespace zq {

class CWordDatabase;

// The commands of the picture menu. Each prepares the database's marks as
// its tool needs them, runs the tool's dialog modally and returns what the
// dialog returned (QDialog::Accepted or Rejected), or kNotShown when no
// dialog was shown. `parent` is the main window.
namespace command {

inline constexpr int kNotShown = -1;

int quiz(CWordDatabase& database, QWidget* parent);
int wordBuilder(CWordDatabase& database, QWidget* parent);
int wordChecker(CWordDatabase& database, QWidget* parent);
int print(CWordDatabase& database, QWidget* parent);
int options(CWordDatabase& database, QWidget* parent);
int about(CWordDatabase& database, QWidget* parent);
// The study window: cardbox quizzes and the word search.
int study(CWordDatabase& database, QWidget* parent);

// The command with this id (the ids of the menu's regions); null for Exit,
// which is the main window's own cancel, and for ids that are no command.
using Handler = int (*)(CWordDatabase& database, QWidget* parent);
Handler find(int id);

} // namespace command
} // namespace zq
