#include "tools/EditWord.h"

#include <cstring>

#include "core/Strings.h"
#include "core/WordDatabase.h"

namespace zq {

namespace {

bool isBuiltIn(const char* word) {
    if (std::strlen(word) <= 2) return true;
    for (int i = 0; i < expurgedWordCount(); ++i)
        if (std::strcmp(kExpurgedWords[i], word) == 0) return true;
    return false;
}

// Why word.lst could not carry the edited entry, judging only what the user
// changed: a field kept as it was loaded (whatever bytes it holds) and the
// word, which cannot be changed here, are never the reason.
std::string storableReason(const CWordNode& entry, const EditFields& f) {
    const std::string* fields[] = {&f.definition, &f.partOfSpeech, &f.synonym};
    const char* before[] = {entry.definition(), entry.partOfSpeech(), entry.synonym()};
    const char* names[] = {"definition", "part of speech", "synonym"};
    for (int i = 0; i < 3; ++i) {
        if (*fields[i] == before[i]) continue;
        const std::string problem = unstorableField(*fields[i]);
        if (!problem.empty()) return std::string("the ") + names[i] + " " + problem;
        if (fields[i]->find_first_of("\r\n") != std::string::npos)
            return std::string("the ") + names[i] + " may not contain a line break";
    }
    const std::size_t word = std::strlen(entry.word());
    const std::size_t now =
        word + std::strlen(before[0]) + std::strlen(before[1]) + std::strlen(before[2]) + 5;
    const std::size_t next =
        word + f.definition.size() + f.partOfSpeech.size() + f.synonym.size() + 5;
    if (next > static_cast<std::size_t>(kMaxRecordLength) && next > now)
        return "the entry is longer than 32,767 characters";
    return {};
}

} // namespace

EditFields fieldsOf(const CWordNode& entry) {
    return {entry.definition(), entry.partOfSpeech(), entry.synonym()};
}

EditCheck checkEdit(CWordDatabase& database, const CWordNode& entry, const EditFields& f) {
    if (f.synonym == entry.word()) return {EditVerdict::OwnSynonym, str::kOwnSynonym};
    if (f.definition.empty() || f.partOfSpeech.empty())
        return {EditVerdict::EmptyField, str::kEmptyFields};
    if (!f.synonym.empty() && f.synonym.find('\0') == std::string::npos &&
        !database.find(f.synonym))
        return {EditVerdict::SynonymNotFound, str::kSynonymNotFound};
    const std::string reason = storableReason(entry, f);
    if (!reason.empty())
        return {EditVerdict::NotStorable, str::withText(str::kNotStorable, reason)};
    if (f.synonym == entry.synonym() && f.definition == entry.definition() &&
        f.partOfSpeech == entry.partOfSpeech())
        return {EditVerdict::Unchanged, {}};
    return {EditVerdict::Store, {}};
}

std::string storeEdit(CWordDatabase& database, CWordNode& entry, const EditFields& f) {
    const std::string word = entry.word();
    entry.setContent(word.c_str(), f.definition.c_str(), f.partOfSpeech.c_str(), f.synonym.c_str(),
                     true);
    database.markEdited(&entry);
    if (!f.synonym.empty())
        if (CWordNode* other = database.find(f.synonym)) entry.linkSynonym(other);
    return isBuiltIn(word.c_str()) ? str::withText(str::kBuiltInEdit, word) : std::string();
}

std::string ringText(const CWordNode& entry) {
    std::string out;
    int steps = 0;
    for (const CWordNode* member = entry.nextSynonym; member && member != &entry;
         member = member->nextSynonym) {
        out += "->";
        out += member->word();
        if (++steps > CNodePool::counter()) break;
    }
    return out;
}

} // namespace zq
