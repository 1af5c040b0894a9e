#include "core/Import.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>

#include "core/WordDatabase.h"

namespace zq {

bool parseRecordLine(std::string_view line, ImportRecord& record, std::string& reason) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    record = ImportRecord{};
    if (line.find('*') == std::string_view::npos) {
        record.word.assign(line);
        if (record.word.empty()) return true;
    } else {
        std::string_view fields[5];
        std::size_t from = 0;
        for (int i = 0; i < 4; ++i) {
            const std::size_t star = line.find('*', from);
            if (star == std::string_view::npos) {
                reason = "expected word*definition*part of speech*synonym*~";
                return false;
            }
            fields[i] = line.substr(from, star - from);
            from = star + 1;
        }
        fields[4] = line.substr(from);
        if (fields[4] != "~") {
            reason = "expected word*definition*part of speech*synonym*~";
            return false;
        }
        record.word.assign(fields[0]);
        record.definition.assign(fields[1]);
        record.partOfSpeech.assign(fields[2]);
        record.synonym.assign(fields[3]);
    }
    reason = validateEntry(record.word, record.definition, record.partOfSpeech, record.synonym);
    if (!reason.empty()) return false;
    if (record.word.size() <= 2) {
        reason = "words of one or two letters come from the built-in table and are not stored";
        return false;
    }
    return true;
}

bool readRecordFiles(FileSystem& fs, const std::vector<std::string>& paths,
                     std::vector<ImportRecord>& records, std::vector<std::string>& errors) {
    std::map<std::string, ImportRecord> byWord;
    for (const std::string& path : paths) {
        const auto content = readWholeFile(fs, path);
        if (!content) {
            errors.push_back(path + ": cannot be read");
            continue;
        }
        std::map<std::string, int> seenAt;
        std::size_t from = 0;
        int lineNumber = 0;
        while (from < content->size()) {
            std::size_t eol = content->find('\n', from);
            if (eol == std::string::npos) eol = content->size();
            const std::string_view line(content->data() + from, eol - from);
            from = eol + 1;
            ++lineNumber;
            ImportRecord record;
            std::string reason;
            if (!parseRecordLine(line, record, reason)) {
                errors.push_back(path + ":" + std::to_string(lineNumber) + ": " + reason);
                continue;
            }
            if (record.word.empty()) continue;
            const auto [it, fresh] = seenAt.emplace(record.word, lineNumber);
            if (!fresh) {
                errors.push_back(path + ":" + std::to_string(lineNumber) + ": \"" + record.word +
                                 "\" is already on line " + std::to_string(it->second));
                continue;
            }
            byWord[record.word] = std::move(record);
        }
    }
    records.clear();
    records.reserve(byWord.size());
    for (auto& [word, record] : byWord)
        records.push_back(std::move(record));
    return errors.empty();
}

std::vector<std::size_t> medianFirstOrder(std::size_t count) {
    std::vector<std::size_t> order;
    order.reserve(count);
    // Breadth first over the ranges: any order that puts each median before
    // the medians of its halves gives the same tree.
    std::vector<std::pair<std::size_t, std::size_t>> ranges{{0, count}}, next;
    while (!ranges.empty()) {
        next.clear();
        for (auto [lo, hi] : ranges) {
            if (lo >= hi) continue;
            const std::size_t mid = lo + (hi - lo) / 2;
            order.push_back(mid);
            next.emplace_back(lo, mid);
            next.emplace_back(mid + 1, hi);
        }
        ranges.swap(next);
    }
    return order;
}

bool writeWordList(const DatabaseSetup& base, const std::vector<ImportRecord>& records) {
    std::vector<WordEntry> entries;
    entries.reserve(records.size());
    for (std::size_t i : medianFirstOrder(records.size())) {
        const ImportRecord& r = records[i];
        entries.push_back(
            {r.word.c_str(), r.definition.c_str(), r.partOfSpeech.c_str(), r.synonym.c_str()});
    }
    DatabaseSetup setup = base;
    setup.readWordList = false;
    setup.records = &entries;
    CWordDatabase database(setup);
    return database.loaded && database.save();
}

std::vector<std::string> readPlainWords(FileSystem& fs, const std::string& path) {
    std::vector<std::string> words;
    const std::optional<std::string> text = readWholeFile(fs, path);
    if (!text) return words;
    std::string_view rest(*text);
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.size() > 2) words.emplace_back(line);
    }
    std::sort(words.begin(), words.end());
    return words;
}

} // namespace zq
