#pragma once

namespace zq {

class CWordDatabase;

// A word set read from a "*.wordset" file of the working folder. The loaded
// sets form a singly linked list owned by the database.
class CUserWordSet {
  public:
    virtual ~CUserWordSet() = default;
    CUserWordSet* next = nullptr;
};

// Loads every "*.wordset" file of the database's folder into its list of user
// word sets, driving the progress bar.
void scanUserWordSets(CWordDatabase& database);

} // namespace zq
