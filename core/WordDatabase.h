#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/FileSystem.h"
#include "core/Host.h"
#include "core/Strings.h"
#include "core/WordNode.h"

namespace zq {

class CUserWordSet;
class CWordDatabase;

inline constexpr const char* kWordListName = "word.lst";
inline constexpr const char* kBackupName = "backup.lst";
inline constexpr std::uint16_t kWordListHeader = 6;
// Decompressed word list text beyond this is refused as too big.
inline constexpr std::int64_t kMaxWordListText = 64 * 1024 * 1024;
// Longest record text a chunk can carry.
inline constexpr int kMaxRecordLength = 32767;

// Where the database loads from and reports to.
struct DatabaseSetup {
    ProgressSink* progressBar = nullptr;
    StatusSink* statusLine = nullptr;
    UserInterface* ui = nullptr;
    FileSystem* fileSystem = nullptr; // the real one when null
    std::string folder;               // the working folder; empty = current
    // The lexicon loaded: where its word.lst and backup.lst are (empty: the
    // working folder) and its name (empty: the working folder's own list).
    std::string lexiconFolder;
    std::string lexiconName;
    // False: the lexicon starts from the root, the built-in words and the
    // expurged words only, without reading word.lst (for building a new list).
    bool readWordList = true;
    // With readWordList false: entries added, in this order, where the file's
    // records would be (their text is copied).
    const std::vector<WordEntry>* records = nullptr;
    // Runs at the end of a successful load, while the progress bar still
    // shows: the start-up scan of the user word sets is hooked in here by
    // whoever opens the lexicon for the program.
    void (*afterLoad)(CWordDatabase& database) = nullptr;
    // The message for a missing word.lst; empty: the program's usual one.
    std::string missingListMessage;
    // Where the edited entries are written when saving fails at exit and the
    // user gives up: the working folder first, then these, in order.
    std::vector<std::string> recoveryFolders;
};

// How a save went: `reason` says why it failed; `warning` is set when the new
// file was saved but something beside it (the .bak copy) could not be done.
struct SaveOutcome {
    bool saved = false;
    bool cancelled = false; // the caller said stop; nothing was changed
    std::string reason;
    std::string warning;
};

// What the last load found, for the tools that report on it.
struct LoadReport {
    std::int64_t fileSize = 0;
    std::int64_t capacity = 0;
    std::int64_t textBytes = 0;
    int records = 0;
    int deletedRecords = 0;
    int refusedRecords = 0;
    bool damaged = false;
};

// The whole lexicon: one binary search tree of entries ordered by word, its
// root always "me", never rebalanced. Exactly one exists per process; its
// constructor loads word.lst and its destructor offers to save edits.
class CWordDatabase {
  public:
    explicit CWordDatabase(const DatabaseSetup& setup);
    CWordDatabase(ProgressSink* progressBar, StatusSink* statusLine);
    virtual ~CWordDatabase();
    CWordDatabase(const CWordDatabase&) = delete;
    CWordDatabase& operator=(const CWordDatabase&) = delete;

    // Field order follows the database's record layout.
    StatusSink* statusLine = nullptr;
    // The user word sets, in load order (set ids 12 and up).
    std::vector<std::shared_ptr<CUserWordSet>> userWordSets;
    int setCompleted = 0;
    int modified = 0;
    std::unique_ptr<char[]> textBuffer;
    ProgressSink* progressBar = nullptr;
    int loaded = 0;
    CWordNode* root = nullptr;
    int setSize = 0;
    int drawnCount = 0;

    // The entry for the word if it is in the current word set.
    CWordNode* find(const char* word) const;
    CWordNode* find(const std::string& word) const { return find(word.c_str()); }
    // Adds or replaces an entry; a definition of exactly "delete" adds nothing.
    // Returns the entry, or null (deleted record, or no free pool slot).
    CWordNode* addEntry(const char* word, const char* definition, const char* partOfSpeech,
                        const char* synonym, bool copyText);
    int forEachInOrder(WordVisitor visit, void* context);
    int forEachShuffled(WordVisitor visit, void* context);
    template <class F> int forEachInOrder(F&& f) {
        for (CWordNode* node : inOrder())
            if (const int r = f(node)) return r;
        return 0;
    }
    template <class F> int forEachShuffled(F&& f) { return root->forEachShuffled(f); }
    // Fills `slots` with up to `max` word set members after skipping `skip`;
    // returns `max` when all were filled, 0 when the members ran out first.
    int collectMembers(int skip, CWordNode** slots, int max);
    // The highest-scoring word set member the letters can make (alphabetically
    // first among equals); null when none scores above 0.
    CWordNode* bestWordFor(const char* letters);

    // Marks every entry (expurged ones only when asked) as a word set member,
    // clearing Drawn, and resets the pass counters.
    void markAll(bool includeExpurged);

    // Writes word.lst so that it reloads into the same tree. Returns false and
    // reports when it could not; word.lst is then unchanged. Every entry is
    // written byte for byte as it was loaded; only a field holding '*' (which
    // only an edit can put there) is refused.
    bool save();
    // The same without telling the user.
    SaveOutcome trySave();
    // What leaving the program does with an edited lexicon: asks whether to
    // save; a failed save is explained and offered again, and when the user
    // gives up the edited entries go to a recovery file, which is named.
    void offerSaveAtExit();
    // Writes the edited entries (all saved entries when none were noted) as
    // backup.lst lines to a new file in the working folder or, failing that,
    // in one of setup.recoveryFolders. Returns the file's path, or empty with
    // the reason.
    std::string writeRecovery(std::string& reason);

    // Notes an entry that an edit changed, and marks the lexicon modified.
    void markEdited(CWordNode* entry);
    const std::vector<CWordNode*>& editedEntries() const { return edited_; }
    // Counts the entries added and edited since the load, so that an index
    // built from the lexicon can tell it is out of date.
    std::uint64_t changeCount() const { return changes_; }
    // Writes backup.lst, one record per line in word order. Reports failure.
    bool backupText() { return backupText(pathOf(kBackupName)); }
    bool backupText(const std::string& path);

    // The entries in word order, with each word's length and letter mask, built
    // once and rebuilt only when entries have been added since.
    struct IndexedEntry {
        CWordNode* node;
        std::uint32_t letters; // bit i: the word holds 'a' + i; bit 31: another character
        std::uint32_t length;
    };
    const std::vector<CWordNode*>& inOrder();
    const std::vector<IndexedEntry>& indexed();

    const LoadReport& loadReport() const { return report_; }
    const DatabaseSetup& setup() const { return setup_; }
    FileSystem& fileSystem() const { return *fs_; }
    // word.lst, backup.lst and what belongs to the loaded lexicon alone live in
    // listFolder(): the lexicon's own folder, or the working folder.
    std::string pathOf(const char* name) const { return joinPath(listFolder(), name); }
    const std::string& listFolder() const {
        return setup_.lexiconFolder.empty() ? setup_.folder : setup_.lexiconFolder;
    }
    // A lexicon of its own (a named one) holds every word in its word.lst,
    // those of two letters too, and nothing else: the built-in two-letter
    // words and the expurged list belong to the working folder's own list.
    bool ownsShortWords() const { return !setup_.lexiconName.empty(); }
    UserInterface* ui() const { return setup_.ui; }
    void tell(const std::string& text) const;

  private:
    // Visits every entry of the tree in pool order, which is fast: every used
    // pool slot (all but slot 1) holds an entry of the tree.
    template <class F> void forEachSlot(F&& f) {
        if (root) f(root);
        for (int i = 2; i <= CNodePool::counter(); ++i)
            f(CNodePool::slot(i));
    }
    bool load();
    bool readWordList();
    void addBuiltIns();
    void addExpurged();
    void linkSynonyms();
    void rebuildIndex();

    DatabaseSetup setup_;
    FileSystem* fs_;
    LoadReport report_;
    std::vector<CWordNode*> order_;
    std::vector<IndexedEntry> indexed_;
    int indexedAtCounter_ = -1;
    std::vector<CWordNode*> synonymCandidates_; // entries added with a synonym, during the load
    std::vector<CWordNode*> edited_;
    std::uint64_t changes_ = 0;
    bool indexHasMasks_ = false;
};

// The records a word list file is written from: count of them, the i-th's
// text from at(i), in the order the loader is to insert them.
struct RecordSource {
    std::size_t count = 0;
    std::function<std::string(std::size_t)> at;
};
// Asked now and then during a long write with (done, total); false stops it.
using KeepGoing = std::function<bool(std::size_t, std::size_t)>;

// Writes a word list file through the safe save: a temporary file beside it,
// read back and compared record by record, then put in place, the old file
// kept as .bak. Nothing at `path` changes unless the outcome is saved; a stop
// asked by keepGoing leaves it as it was, with `cancelled` set.
SaveOutcome writeWordListFile(FileSystem& fs, const std::string& path, const RecordSource& records,
                              const KeepGoing& keepGoing = {});

// Record text of an entry as word.lst and backup.lst hold it:
// word*definition*partOfSpeech*synonym*~
std::string formatRecord(const WordEntry& entry);

// Checks a new entry (an imported record, an edit): a word of letters a-z,
// fields free of '*', line breaks and NUL, and a record text of at most
// 32,767 bytes. Returns an empty string when valid, else the reason.
std::string validateEntry(const std::string& word, const std::string& definition,
                          const std::string& partOfSpeech, const std::string& synonym);

// The built-in rows: the root entry, the two-letter words and the expurged
// words.
// The reason word.lst cannot carry this field ('*' would split the record,
// NUL would end it), or empty.
std::string unstorableField(const std::string& field);

extern const WordEntry kRootEntry;
extern const WordEntry kBuiltInWords[];
extern const char* const kExpurgedWords[];
int builtInWordCount();
int expurgedWordCount();

} // namespace zq
