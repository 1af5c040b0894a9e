#pragma once

#include <QString>
#include <QStringList>

#include <initializer_list>

namespace zq {

// How a message box or a message strip was (or is to be) answered.
enum class Answer { Ok, Yes, No, Continue };

// Answers queued ahead for the program's message boxes and message strips.
// While the queue holds answers, each message box or strip takes the next one
// at once instead of being shown, and its text is kept in `asked()`. Tests
// queue the answers of a whole run this way instead of answering modal
// windows; the program never queues any, so every message is shown.
namespace answers {

void queue(std::initializer_list<Answer> answers);
void queue(Answer answer, int count);
int pending();
// The texts of the messages answered from the queue, in order.
const QStringList& asked();
// Empties the queue and the record.
void reset();

// For the message boxes and strips: takes the next answer for a window whose
// buttons give `fits` when one is queued, recording `text`. A queued answer
// that the window has no button for stops the program: it is a fault in the
// test that queued it.
bool take(const QString& text, std::initializer_list<Answer> fits, Answer& answer);

} // namespace answers
} // namespace zq
