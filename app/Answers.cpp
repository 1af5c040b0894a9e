#include "app/Answers.h"

#include <QtGlobal>

#include <algorithm>
#include <deque>

namespace zq::answers {

namespace {

std::deque<Answer>& waiting() {
    static std::deque<Answer> queue;
    return queue;
}

QStringList& record() {
    static QStringList texts;
    return texts;
}

const char* nameOf(Answer a) {
    switch (a) {
    case Answer::Ok:
        return "OK";
    case Answer::Yes:
        return "Yes";
    case Answer::No:
        return "No";
    case Answer::Continue:
        return "Continue";
    }
    return "?";
}

} // namespace

void queue(std::initializer_list<Answer> list) {
    waiting().insert(waiting().end(), list.begin(), list.end());
}

void queue(Answer answer, int count) {
    for (int i = 0; i < count; ++i)
        waiting().push_back(answer);
}

int pending() {
    return static_cast<int>(waiting().size());
}

const QStringList& asked() {
    return record();
}

void reset() {
    waiting().clear();
    record().clear();
}

bool take(const QString& text, std::initializer_list<Answer> fits, Answer& answer) {
    if (waiting().empty()) return false;
    const Answer next = waiting().front();
    if (std::find(fits.begin(), fits.end(), next) == fits.end())
        qFatal("The queued answer %s does not fit the message \"%s\"", nameOf(next),
               qUtf8Printable(text));
    waiting().pop_front();
    record().push_back(text);
    answer = next;
    return true;
}

} // namespace zq::answers
