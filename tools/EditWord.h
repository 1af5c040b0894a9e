#pragma once

#include <string>

namespace zq {

class CWordDatabase;
class CWordNode;

// The three fields of the Edit Word dialog.
struct EditFields {
    std::string definition;
    std::string partOfSpeech;
    std::string synonym;
};

// What OK does with the fields, checked in this order.
enum class EditVerdict {
    OwnSynonym,      // the synonym is the word itself
    EmptyField,      // no definition or no part of speech
    SynonymNotFound, // the synonym is no marked entry
    NotStorable,     // word.lst could not carry it (see validateEntry)
    Unchanged,       // all three as they were: close, store nothing
    Store,           // store and close
};

struct EditCheck {
    EditVerdict verdict;
    // The message the dialog shows for a refusal; empty otherwise.
    std::string message;
};

// The entry's fields as the dialog shows them at first.
EditFields fieldsOf(const CWordNode& entry);

// Judges OK: the first three refusals keep the dialog open with the input as
// typed, as does a changed field that word.lst could not carry ('*' or NUL),
// a changed field with a line break (each field is one line), or a change that
// makes the record longer than 32,767 bytes. Fields left as they were pass
// whatever bytes they hold.
EditCheck checkEdit(CWordDatabase& database, const CWordNode& entry, const EditFields& fields);

// Stores the fields in the entry (copying the text), notes the entry as
// edited (which marks the database modified) and, with a synonym, links the entry into the
// synonym's ring (an entry already in a ring stays in its own). Returns a notice for the user when
// the change will not outlive the program: the words of one or two letters and the expurged words
// come from the program's built-in tables at every start. Empty otherwise.
std::string storeEdit(CWordDatabase& database, CWordNode& entry, const EditFields& fields);

// The entry's synonym ring as the dialog shows it: "->" and each other
// member's word in ring order; empty for an entry in no ring.
std::string ringText(const CWordNode& entry);

} // namespace zq
