// Any list of records saved as word.lst and loaded again gives the same
// entries. Input: record lines as the import reads them; the lines that parse
// are added in input order (so any tree shape can come up), a later record
// replacing an earlier one for the same word.
#include <cstring>
#include <map>

#include "FuzzSupport.h"
#include "core/Import.h"
#include "core/Random.h"
#include "core/WordDatabase.h"

using namespace zq;
using namespace zq::fuzz;

namespace {

std::vector<std::string> entriesOf(CWordDatabase& db) {
    std::vector<std::string> out;
    for (CWordNode* node : db.inOrder()) {
        const WordEntry e = node->entry();
        out.push_back(std::string(e.word) + '|' + e.definition + '|' + e.partOfSpeech + '|' +
                      e.synonym + '|' + (node->nextSynonym ? node->nextSynonym->word() : ""));
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    seedRandom(1);
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<ImportRecord> records;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t eol = text.find('\n', from);
        if (eol == std::string_view::npos) eol = text.size();
        ImportRecord record;
        std::string reason;
        if (parseRecordLine(text.substr(from, eol - from), record, reason) && !record.word.empty())
            records.push_back(std::move(record));
        from = eol + 1;
    }
    std::vector<WordEntry> entries;
    for (const ImportRecord& r : records)
        entries.push_back(
            {r.word.c_str(), r.definition.c_str(), r.partOfSpeech.c_str(), r.synonym.c_str()});

    MemoryFileSystem fs;
    RecordingUi ui;
    DatabaseSetup setup;
    setup.fileSystem = &fs;
    setup.ui = &ui;
    setup.readWordList = false;
    setup.records = &entries;
    std::vector<std::string> built;
    {
        CWordDatabase db(setup);
        ZQ_FUZZ_CHECK(db.loaded);
        // Every record is in, unless a later record of the same word replaced
        // it, it deletes, or the word is one the program keeps expurged.
        std::map<std::string, const ImportRecord*> last;
        for (const ImportRecord& r : records)
            last[r.word] = &r;
        for (const auto& [word, r] : last) {
            CWordNode* node = db.find(word);
            if (r->definition == "delete") continue;
            ZQ_FUZZ_CHECK(node);
            if (node->has(CWordNode::Expurged)) continue;
            ZQ_FUZZ_CHECK(r->definition == node->definition());
            ZQ_FUZZ_CHECK(r->partOfSpeech == node->partOfSpeech());
            ZQ_FUZZ_CHECK(r->synonym == node->synonym());
        }
        built = entriesOf(db);
        ZQ_FUZZ_CHECK(db.save());
    }
    setup.readWordList = true;
    setup.records = nullptr;
    CWordDatabase loaded(setup);
    ZQ_FUZZ_CHECK(loaded.loaded && !loaded.loadReport().damaged);
    ZQ_FUZZ_CHECK(ui.messages.empty());
    ZQ_FUZZ_CHECK(entriesOf(loaded) == built);
    return 0;
}
