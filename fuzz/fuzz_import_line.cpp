// The import's record line parser and the record file reader. Input: a record
// file. A line that parses gives a record that can be stored and that formats
// back into a line parsing to the same record; the reader's list is sorted,
// each word once.
#include "FuzzSupport.h"
#include "core/Import.h"
#include "core/WordDatabase.h"

using namespace zq;
using namespace zq::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    ImportRecord record;
    std::string reason;
    if (parseRecordLine(text, record, reason)) {
        if (!record.word.empty()) {
            ZQ_FUZZ_CHECK(record.word.size() > 2);
            ZQ_FUZZ_CHECK(
                validateEntry(record.word, record.definition, record.partOfSpeech, record.synonym)
                    .empty());
            const std::string line =
                formatRecord({record.word.c_str(), record.definition.c_str(),
                              record.partOfSpeech.c_str(), record.synonym.c_str()});
            ImportRecord again;
            ZQ_FUZZ_CHECK(parseRecordLine(line, again, reason));
            ZQ_FUZZ_CHECK(again.word == record.word && again.definition == record.definition &&
                          again.partOfSpeech == record.partOfSpeech &&
                          again.synonym == record.synonym);
        }
    } else {
        ZQ_FUZZ_CHECK(!reason.empty());
    }

    MemoryFileSystem fs;
    fs.files["records.txt"] = text;
    std::vector<ImportRecord> records;
    std::vector<std::string> errors;
    const bool ok = readRecordFiles(fs, {"records.txt", "records.txt"}, records, errors);
    ZQ_FUZZ_CHECK(ok == errors.empty());
    for (std::size_t i = 0; i < records.size(); ++i) {
        ZQ_FUZZ_CHECK(records[i].word.size() > 2);
        if (i > 0) ZQ_FUZZ_CHECK(records[i - 1].word < records[i].word);
    }
    return 0;
}
