#include "quiz/RackModel.h"

#include <algorithm>

namespace zq {

RackRect RackGeometry::face(int k) const {
    const RackRect r = square(k);
    const int dx = r.width / 20, dy = r.height / 20;
    return {r.x + dx, r.y + dy, r.width - 2 * dx, r.height - 2 * dy};
}

int RackGeometry::tileAt(int x, int y) const {
    for (int k = 0; k < squareCount; ++k)
        if (face(k).contains(x, y)) return k;
    return -1;
}

RackRect RackGeometry::caret(int insertion) const {
    if (insertion < 0 || insertion > squareCount) return {};
    const int s = side();
    return {left() + s * insertion, top() + s * 15 / 100, s > 40 ? 2 : 1, s * 8 / 10};
}

RackModel::RackModel(int squareCount) : squareCount_(std::clamp(squareCount, 1, kMaxSquares)) {}

void RackModel::link(int editable, RackModel* partner, int freeTyping) {
    editable_ = editable ? 1 : 0;
    partner_ = partner;
    freeTyping_ = freeTyping ? 1 : 0;
}

std::string RackModel::lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

void RackModel::setText(std::string_view text) {
    text_ = lower(text);
    for (int k = 0; k < squareCount_; ++k) {
        CTile& t = tile(k);
        t.used = 0;
        t.clicked = 0;
        t.letter = k < static_cast<int>(text_.size()) ? text_[static_cast<std::size_t>(k)] : '?';
    }
}

bool RackModel::consume(char letter, int* square) {
    for (const bool clickedOnly : {true, false}) {
        for (int k = 0; k < squareCount_; ++k) {
            CTile& t = tile(k);
            if (!t.used && t.letter == letter && (!clickedOnly || t.clicked)) {
                t.used = 1;
                t.clicked = 0;
                if (square) *square = k;
                return true;
            }
        }
    }
    return false;
}

bool RackModel::release(char letter, int* square) {
    for (int k = 0; k < squareCount_; ++k) {
        CTile& t = tile(k);
        if (t.used && t.letter == letter) {
            t.used = 0;
            if (square) *square = k;
            return true;
        }
    }
    return false;
}

bool RackModel::allowChange(const std::string& changed) {
    const std::string& old = text_;
    if (changed.size() > static_cast<std::size_t>(squareCount_) && changed.size() > old.size())
        return false;
    // The changed stretch: what lies between the common beginning and end.
    std::size_t head = 0;
    const std::size_t shorter = std::min(old.size(), changed.size());
    while (head < shorter && old[head] == changed[head])
        ++head;
    std::size_t tail = 0;
    while (tail < shorter - head &&
           old[old.size() - 1 - tail] == changed[changed.size() - 1 - tail])
        ++tail;
    const std::string removed = old.substr(head, old.size() - head - tail);
    const std::string inserted = changed.substr(head, changed.size() - head - tail);
    if (!std::all_of(inserted.begin(), inserted.end(), isRackLetter)) return false;
    if (freeTyping_ || !partner_) return true;
    const auto saved = partner_->tiles_;
    bool ok = true;
    for (char c : removed)
        ok = ok && partner_->release(c);
    for (char c : inserted)
        ok = ok && partner_->consume(c);
    if (!ok) partner_->tiles_ = saved;
    return ok;
}

RackModel::Change RackModel::change(std::string_view raw) {
    const std::string changed = lower(raw);
    if (changed == text_) return Change::Unchanged;
    // An unlinked rack keeps whatever it is given.
    const bool linked = partner_ || freeTyping_;
    if (linked && !allowChange(changed)) return Change::Refused;
    setText(changed);
    return Change::Accepted;
}

std::string RackModel::without(int k) const {
    std::string out = text_;
    if (k >= 0 && k < static_cast<int>(out.size())) out.erase(static_cast<std::size_t>(k), 1);
    return out;
}

int RackModel::insertionAfter(int k) const {
    if (k >= 0 && k < squareCount_ && tile(k).letter != '?') return k + 1;
    return static_cast<int>(text_.size());
}

} // namespace zq
