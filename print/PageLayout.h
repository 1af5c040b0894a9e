#pragma once

#include <string>
#include <vector>

#include "wordsets/WordSetCriteria.h"

namespace zq {

class CWordDatabase;
class CWordNode;
class SettingsStore;

// One text of a printed page: where its top-left corner lies, in hundredths
// of a millimetre from the top-left corner of the printable area, and which
// row and column of the page it fills (-1 for the header).
struct PrintedText {
    int x = 0;
    int y = 0;
    int row = -1;
    int column = 0;
    std::string text;
};

struct PrintedPage {
    int number = 1;
    std::vector<PrintedText> texts; // the header first, then the entries in drawing order
};

// The pages of a printed word list: the members of the marked word set in
// word order, 60 lines a page as a mini-dictionary ("word  -  pos. definition")
// when the criteria ask for definitions, else 360 words a page in six
// columns of 60. A page holds a header line, an empty line and 60 lines of
// equal height. The members are collected once, so that a long job costs one
// pass over the lexicon.
class CPageLayout {
  public:
    static constexpr int kLinesPerPage = 60;
    static constexpr int kColumns = 6;

    // `width` and `height`: the printable area, hundredths of a millimetre.
    CPageLayout(CWordDatabase& database, const CWordSetCriteria& criteria, int width, int height);

    int entriesPerPage = 60;
    // The name the header gives the set; empty: the criteria's own.
    std::string title;
    int lineHeight = 0;
    int pageWidth = 0;
    int pageHeight = 0;
    // At least one: an empty set prints one blank page.
    int pageCount() const;
    int memberCount() const { return static_cast<int>(members_.size()); }
    bool definitions() const { return criteria_.definitions != 0; }

    // The header of page p (1-based).
    std::string header(int page) const;
    // The texts of page p (1-based): nothing for an empty set.
    PrintedPage page(int page) const;

  private:
    CWordSetCriteria criteria_;
    std::vector<CWordNode*> members_;
};

// The order in which the pages `first` to `last` (1-based, first <= last) go
// to the printer when it cannot make copies itself: `copies` times (at least
// once), each copy whole before the next when `collate` is set, else every
// page repeated in place; from the last page back when `lastFirst` is set.
std::vector<int> printSequence(int first, int last, int copies, bool collate, bool lastFirst);

// Marks exactly these entries as the set to print, every other entry
// unmarked: a list chosen another way (found by a word search) prints as a
// word set would.
void markOnly(CWordDatabase& database, const std::vector<CWordNode*>& entries);

// Marks the user's word set as printing does (the stored criteria, expurged
// words left out) and returns the criteria.
CWordSetCriteria markForPrinting(CWordDatabase& database, SettingsStore& settings);

} // namespace zq
