// The whole word.lst load from bytes: header, compressed chunks, records,
// delete and expurged records, synonyms. Whatever the file holds, the load
// ends, the tree it builds is a search tree whose every entry can be found,
// every synonym ring closes, and a save of what was loaded reloads into the
// same entries in the same tree shape. A sound file's records read without a
// tree are the records the load took.
#include <cstring>

#include "FuzzSupport.h"
#include "core/LexiconImport.h"
#include "core/Random.h"
#include "core/WordDatabase.h"

using namespace zq;
using namespace zq::fuzz;

namespace {

struct Snapshot {
    std::vector<std::string> entries; // in word order, words of three letters and more
    std::vector<std::string> shape;   // pre-order words with the sides of their children
    int shortWords = 0;               // entries of one or two letters
};

Snapshot check(CWordDatabase& db) {
    Snapshot s;
    const CWordNode* previous = nullptr;
    for (CWordNode* node : db.inOrder()) {
        if (previous) ZQ_FUZZ_CHECK(std::strcmp(previous->word(), node->word()) < 0);
        previous = node;
        ZQ_FUZZ_CHECK(db.find(node->word()) == node);
        // The ring through this entry closes within the number of entries.
        int steps = 0;
        for (const CWordNode* r = node->nextSynonym; r && r != node; r = r->nextSynonym)
            ZQ_FUZZ_CHECK(++steps <= CNodePool::counter());
        if (std::strlen(node->word()) <= 2) {
            ++s.shortWords;
        } else {
            const WordEntry e = node->entry();
            s.entries.push_back(std::string(e.word) + '|' + e.definition + '|' + e.partOfSpeech +
                                '|' + e.synonym);
        }
    }
    std::vector<CWordNode*> stack{db.root};
    while (!stack.empty()) {
        CWordNode* node = stack.back();
        stack.pop_back();
        s.shape.push_back(std::string(node->word()) + (node->smaller ? "<" : "-") +
                          (node->greater ? ">" : "-"));
        if (node->greater) stack.push_back(node->greater);
        if (node->smaller) stack.push_back(node->smaller);
    }
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    seedRandom(1);
    MemoryFileSystem fs;
    fs.files[kWordListName] = Bytes(reinterpret_cast<const char*>(data), size);
    RecordingUi ui;
    DatabaseSetup setup;
    setup.fileSystem = &fs;
    setup.ui = &ui;

    Snapshot first;
    bool saved = false;
    {
        CWordDatabase db(setup);
        if (!db.loaded) {
            ZQ_FUZZ_CHECK(!ui.messages.empty());
            return 0;
        }
        const LoadReport& report = db.loadReport();
        ZQ_FUZZ_CHECK(report.damaged == (std::find(ui.messages.begin(), ui.messages.end(),
                                                   str::kDamaged) != ui.messages.end()));
        first = check(db);
        // The reader that takes a list's records without a tree (for adding
        // a lexicon) reads a sound file as the load did.
        std::vector<ImportRecord> records;
        if (!report.damaged) {
            ZQ_FUZZ_CHECK(readWordListRecords(fs, kWordListName, records));
            ZQ_FUZZ_CHECK(static_cast<int>(records.size()) ==
                          report.records - report.deletedRecords);
        }
        const std::size_t before = ui.messages.size();
        saved = db.save();
        // A save either works or says why; word.lst.tmp never stays behind.
        ZQ_FUZZ_CHECK(saved || ui.messages.size() > before);
        ZQ_FUZZ_CHECK(!fs.exists(std::string(kWordListName) + ".tmp"));
    }
    if (!saved) return 0;
    ui.messages.clear();
    CWordDatabase again(setup);
    ZQ_FUZZ_CHECK(again.loaded && !again.loadReport().damaged);
    ZQ_FUZZ_CHECK(ui.messages.empty());
    const Snapshot second = check(again);
    ZQ_FUZZ_CHECK(first.entries == second.entries);
    // The file never holds words of one or two letters: a file that brought
    // such words of its own (not the built-in ones) loses them with the save,
    // and their subtrees hang elsewhere after the reload.
    if (first.shortWords == second.shortWords) ZQ_FUZZ_CHECK(first.shape == second.shape);
    return 0;
}
