#include "core/LexiconImport.h"

#include <algorithm>
#include <cstring>

#include "core/ChunkCodec.h"
#include "core/Lexicons.h"
#include "core/Strings.h"
#include "core/WordDatabase.h"

namespace zq {

namespace {

bool byWord(const ImportRecord& a, const ImportRecord& b) {
    return a.word < b.word;
}

ImportRecord recordOf(const WordEntry& e) {
    return {e.word, e.definition, e.partOfSpeech, e.synonym};
}

} // namespace

bool readWordListRecords(FileSystem& fs, const std::string& path,
                         std::vector<ImportRecord>& records) {
    records.clear();
    const auto file = readWholeFile(fs, path);
    if (!file || file->size() < 2) return false;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(file->data());
    DecodedStream content;
    decodeStream(bytes + 2, file->size() - 2,
                 static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8)), file->size() * 3,
                 static_cast<std::size_t>(kMaxWordListText), content);
    if (content.tooBig || !content.endMarker) return false;
    // The chunks' text joined, then split into records.
    std::string text;
    text.reserve(content.size);
    std::size_t at = 0;
    bool closed = false;
    while (at + 2 <= content.size) {
        const int n =
            static_cast<std::int16_t>(static_cast<std::uint8_t>(content.data[at]) |
                                      (static_cast<std::uint8_t>(content.data[at + 1]) << 8));
        at += 2;
        if (n == 0) {
            closed = true;
            break;
        }
        if (n < 0 || at + static_cast<std::size_t>(n) > content.size) return false;
        text.append(content.data.get() + at, static_cast<std::size_t>(n));
        at += static_cast<std::size_t>(n);
    }
    if (!closed) return false;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t star[4];
        std::size_t p = from;
        for (std::size_t& s : star) {
            s = text.find('*', p);
            if (s == std::string::npos) {
                records.clear();
                return false;
            }
            p = s + 1;
        }
        ImportRecord r{text.substr(from, star[0] - from),
                       text.substr(star[0] + 1, star[1] - star[0] - 1),
                       text.substr(star[1] + 1, star[2] - star[1] - 1),
                       text.substr(star[2] + 1, star[3] - star[2] - 1)};
        from = star[3] + 2; // past the closing '~'
        if (r.word.empty() || r.word.find('\0') != std::string::npos) {
            records.clear();
            return false;
        }
        if (r.definition != "delete") records.push_back(std::move(r));
    }
    return true;
}

std::vector<ImportRecord> referenceEntries(FileSystem& fs, const std::string& workingFolder) {
    std::vector<ImportRecord> fromFile;
    if (!readWordListRecords(fs, joinPath(workingFolder, kWordListName), fromFile)) return {};
    std::vector<ImportRecord> all;
    all.reserve(fromFile.size() + 400);
    all.push_back(recordOf(kRootEntry));
    for (const WordEntry* row = kBuiltInWords; row->word[0] != '*'; ++row)
        all.push_back(recordOf(*row));
    for (ImportRecord& r : fromFile)
        all.push_back(std::move(r));
    for (const char* const* word = kExpurgedWords; (*word)[0] != '*'; ++word)
        all.push_back({*word, "expurged", "expurged", ""});
    // A later record for a word replaces an earlier one, as in a load.
    std::stable_sort(all.begin(), all.end(), byWord);
    std::vector<ImportRecord> entries;
    entries.reserve(all.size());
    for (std::size_t i = 0; i < all.size(); ++i)
        if (i + 1 == all.size() || all[i + 1].word != all[i].word)
            entries.push_back(std::move(all[i]));
    return entries;
}

ListComparison compareWithReference(const std::vector<std::string>& words,
                                    const std::vector<ImportRecord>& reference) {
    ListComparison c;
    int shared = 0;
    auto ref = reference.begin();
    for (const std::string& w : words) {
        while (ref != reference.end() && ref->word < w)
            ++ref;
        if (ref == reference.end() || ref->word != w) continue;
        ++shared;
        if (!ref->definition.empty() && ref->partOfSpeech != "expurged") ++c.withDefinitions;
    }
    c.newWords = static_cast<int>(words.size()) - shared;
    c.missingWords = static_cast<int>(reference.size()) - shared;
    return c;
}

std::string newLexiconProblem(FileSystem& fs, const std::string& workingFolder,
                              const std::string& name, bool replace) {
    if (!isLexiconName(name)) return str::kLexiconNameRules;
    if (isDefaultLexiconName(name)) return str::withText(str::kLexiconNameTaken, name);
    if (!replace && hasLexicon(fs, workingFolder, name))
        return str::withText(str::kLexiconExists, name);
    return {};
}

LexiconImport addLexicon(FileSystem& fs, const std::string& workingFolder, const std::string& name,
                         const std::string& listPath, bool replace,
                         const ImportProgress& progress) {
    LexiconImport out;
    auto stopped = [&](int percent, const char* phase) {
        if (!progress || progress(percent, phase)) return false;
        out.cancelled = true;
        out.error = str::kLexiconCancelled;
        return true;
    };
    out.error = newLexiconProblem(fs, workingFolder, name, replace);
    if (!out.error.empty() || stopped(0, str::kLexiconReading)) return out;
    out.list = readPlayerWordList(fs, listPath);
    if (!out.list.error.empty()) {
        out.error = str::withText(str::kLexiconListRefused, out.list.error);
        return out;
    }
    if (stopped(10, str::kLexiconMatching)) return out;
    const std::vector<ImportRecord> reference = referenceEntries(fs, workingFolder);
    out.referenceRead = !reference.empty();
    if (out.referenceRead) out.comparison = compareWithReference(out.list.words, reference);

    // The list's words with what the shipped lexicon says of them, in word
    // order; the root's word is the tree's own and is not stored.
    std::vector<std::string> records;
    records.reserve(out.list.words.size());
    auto ref = reference.begin();
    for (const std::string& w : out.list.words) {
        while (ref != reference.end() && ref->word < w)
            ++ref;
        if (w == kRootEntry.word) continue;
        if (ref != reference.end() && ref->word == w)
            records.push_back(formatRecord({w.c_str(), ref->definition.c_str(),
                                            ref->partOfSpeech.c_str(), ref->synonym.c_str()}));
        else
            records.push_back(w + "****~");
    }
    if (stopped(20, str::kLexiconWriting)) return out;

    out.folder = lexiconFolder(workingFolder, name);
    const std::string lexicons = joinPath(workingFolder, kLexiconsFolder);
    const bool lexiconsWereThere = fs.exists(lexicons);
    const bool folderWasThere = fs.exists(out.folder);
    if (!fs.makeFolder(out.folder)) {
        out.error = str::withText(str::withText(str::kLexiconNotWritten, name).c_str(),
                                  "its folder could not be made");
        return out;
    }
    // Median first, so that the loader's tree comes out balanced.
    const std::vector<std::size_t> order = medianFirstOrder(records.size());
    const char* phase = str::kLexiconWriting;
    const SaveOutcome saved = writeWordListFile(
        fs, joinPath(out.folder, kWordListName),
        {records.size(), [&](std::size_t i) { return records[order[i]]; }},
        [&](std::size_t done, std::size_t total) {
            if (done * 2 >= total) phase = str::kLexiconChecking;
            return !stopped(20 + static_cast<int>(80 * done / std::max<std::size_t>(total, 1)),
                            phase);
        });
    if (!saved.saved) {
        if (!folderWasThere) fs.removeEmptyFolder(out.folder);
        if (!lexiconsWereThere) fs.removeEmptyFolder(lexicons);
        if (!saved.cancelled)
            out.error =
                str::withText(str::withText(str::kLexiconNotWritten, name).c_str(), saved.reason);
        return out;
    }
    out.warning = saved.warning;
    if (progress) progress(100, phase);
    return out;
}

std::vector<std::string> importReportLines(const PlayerWordList& list,
                                           const ListComparison& comparison, bool referenceRead) {
    // Counts with their thousands grouped, as a player reads them.
    auto line = [](const char* pattern, long long n) {
        std::string digits = std::to_string(n);
        for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > (n < 0 ? 1 : 0);
             at -= 3)
            digits.insert(static_cast<std::size_t>(at), 1, ',');
        return str::withText(pattern, digits);
    };
    std::vector<std::string> lines = {
        str::withText(str::kLexiconEncoding, list.encoding),
        line(str::kLexiconLinesRead, list.lines),
        line(str::kLexiconSkipped, list.skipped),
        line(str::kLexiconKept, static_cast<long long>(list.words.size())),
        line(str::kLexiconTwice, list.duplicates),
        line(str::kLexiconRefused, list.refused),
    };
    for (const auto& r : list.firstRefused)
        lines.push_back(str::withText(
            str::withText(str::kLexiconRefusedLine, std::to_string(r.line)).c_str(), r.text));
    if (list.refused > static_cast<int>(list.firstRefused.size()))
        lines.push_back(line(str::kLexiconMoreRefused,
                             list.refused - static_cast<long long>(list.firstRefused.size())));
    if (!referenceRead) {
        lines.push_back(str::kLexiconNoReference);
        return lines;
    }
    lines.push_back(line(str::kLexiconWithDefinitions, comparison.withDefinitions));
    lines.push_back(line(str::kLexiconNew, comparison.newWords));
    lines.push_back(line(str::kLexiconMissingWords, comparison.missingWords));
    return lines;
}

} // namespace zq
