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
    const std::string reason = validateEntry(entry.word(), f.definition, f.partOfSpeech, f.synonym);
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
    database.modified = 1;
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
        if (++steps > CNodePool::kSlots) break;
    }
    return out;
}

} // namespace zq
