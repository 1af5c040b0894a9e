#include "core/WordDatabase.h"

namespace zq {

const WordEntry kRootEntry = {"me", "the objective case of the pronoun I", "pron", ""};

// The two-letter words. The word list file never holds words of one or two
// letters, so these rows are their only source; a file record for one of them
// overrides its row for the run. The texts are stored exactly as they stand.
const WordEntry kBuiltInWords[] = {
    {"so", "in the way or manner indicated", "n", ""},
    {"de",
     "of; from - used in French, Spanish, Italian or Portuguese names, orginally to indicate the "
     "place of origin",
     "prep", ""},
    {"as", "to such a degree or extent; similarly; equally", "adv", ""},
    {"hi", "hello (used as an exclamation of greeting)", "interj", ""},
    {"oh", "oh, oho, ho", "interj", "oho"},
    {"ti", "the syllable for the seventh note of a diatonic scale, sounds like \"tee\"", "letter",
     ""},
    {"ah", "ah, aha, ha", "interj", "aha"},
    {"am", "1st person singular present of be", "v", ""},
    {"ad", "an advertisement", "n", ""},
    {"ba", "the eternal soul in Egyptian mythology", "n", ""},
    {"ax",
     "an instrument with a bladed head on a handle, used for hewing, cleaving, chopping, etc. ",
     "n", "axe"},
    {"bo", "a pal", "n", ""},
    {"er", "used to indicate hesitation", "interj", "um"},
    {"eh", "an expression of doubt or surprise or seeking confirmation. Rhymes with \"hey\"",
     "interj", ""},
    {"fa", "the syllable for the fourth note of a diatonic scale, sounds like \"far\"", "letter",
     ""},
    {"jo", "beloved one; darling; sweetheart", "n", ""},
    {"if", "on condition that", "n", ""},
    {"li", "Chinese unit of distance equivalent to about one third of a mile", "unit", ""},
    {"my", "a form of the possessive case of I", "pron", ""},
    {"mm", "used to express assent or satisfaction", "interj", ""},
    {"nu", "the 13th letter of the Greek alphabet, sounds like \"new\"", "letter", ""},
    {"ox", "a hoofed domestic mammal", "n", ""},
    {"op", "a style of abstract art involving optical illusions", "n", ""},
    {"pi", "the 16th letter of the Greek alphabet, sounds like \"pie\"", "letter", ""},
    {"we", "the nominative plural of the pronoun I", "pron", ""},
    {"ya", "slang version of \"you\"", "pron", ""},
    {"un", "slang version of \"one\"", "pron", ""},
    {"aa", "basaltic lava having a rough surface", "n", ""},
    {"ab", "an abdominal muscle", "n", ""},
    {"ae", "one", "adj", ""},
    {"ag", "pertaining to agriculture", "adj", ""},
    {"ai", "used to express pity, pain, anguish, etc. Rhymes with \"I\" and part of \"hail\"",
     "interj", ""},
    {"al", "an East Indian mulberry tree", "n", ""},
    {"an", "form of \"a\" used before a word staring in a vowel", "indefinite article", ""},
    {"ar", "the letter R", "letter", ""},
    {"at", "used to indicate a location or position", "prep", ""},
    {"aw", "used to express protest, disgust or disbelief. Part of \"law\"", "interj", ""},
    {"ay", "affirmative vote; yes", "n", "aye"},
    {"be", "present 1st person singular of am", "v", ""},
    {"bi", "a bisexual", "n", ""},
    {"by", "near to or next to", "prep", ""},
    {"do", "to perform an act, duty, etc.", "v", ""},
    {"ed", "education", "n", ""},
    {"ef", "the letter F", "letter", "eff"},
    {"el", "elevated railroad", "n", ""},
    {"em", "the letter M", "letter", ""},
    {"en", "the letter N", "letter", ""},
    {"es", "the letter S", "letter", "ess"},
    {"et", "past tense of eat", "v", "ate"},
    {"ex", "the letter X", "letter", ""},
    {"go", "to move or proceed", "v", ""},
    {"ha", "ah, aha, ha", "interj", "ah"},
    {"he", "male being or person", "pron", ""},
    {"hm", "expression of thoughtful consideration. Sounds like \"him\"", "interj", "hmm"},
    {"ho", "oh, oho, ho", "interj", "oh"},
    {"id", "part of the psyche that is the source of instinctive energy", "n", ""},
    {"in", "used to indicate inclusion within a space or place", "prep", ""},
    {"is", "3rd person singular present indictive of be", "v", ""},
    {"it", "3rd person singular inanimate pronoun", "pron", ""},
    {"ka", "a spiritual entity in Egyptian religion", "n", ""},
    {"la", "syllable used for the sixth tone of the diatonic musical scale, sounds like \"law\"",
     "letter", ""},
    {"lo", "___ and behold", "interj", ""},
    {"ma", "mother", "n", ""},
    {"mi", "syllable used for the third tone of the diatonic musical scale, sounds like \"me\"",
     "letter", ""},
    {"mo", "a moment", "n", ""},
    {"mu", "the 12th letter of the Greek alphabet, sounds like \"mew\"", "letter", ""},
    {"na", "slang for no", "adv", ""},
    {"ne", "born with the name of", "adj", ""},
    {"no", "a negative reply", "adv", ""},
    {"od", "a hypothetical force formerly held to pervade all nature", "n", ""},
    {"oe", "a whirlwind off the Faer-oe islands, sounds like", "n", ""},
    {"of", "used to indicate distance or direction from", "prep", ""},
    {"om", "a word spoken in mantras", "n", ""},
    {"on", "so as to be or remain supported by", "prep", ""},
    {"or", "used to connect words representing alternatives", "conj", ""},
    {"os", "a bone", "n", ""},
    {"ow", "expression of sudden pain, rhymes with \"how\"", "interj", ""},
    {"oy", "expression of dismay or pain, rhymes with \"boy\"", "interj", ""},
    {"pa", "father", "n", ""},
    {"pe", "the 17th letter of the Hebrew alphabet, sounds like \"pay\"", "letter", ""},
    {"re", "syllable used for the 2nd tone of the diatonic musical scale, rhymes with \"ray\"",
     "letter", ""},
    {"sh", "used to urge silence", "interj", "shh"},
    {"si", "the syllable for the seventh note of a diatonic scale, sounds like \"see\"", "letter",
     ""},
    {"ta", "expression of gratitude", "n", ""},
    {"to", "used for expression of motion or direction towards", "prep", ""},
    {"uh", "used to indicate hesitation", "interj", "er"},
    {"um", "used to indicate hesitation", "interj", "er"},
    {"up", "to or toward a more elevated position", "adv", ""},
    {"us", "the objective case of the pronoun we", "pron", ""},
    {"ut", "musical tone C now \"do\", sounds like \"butt\"", "n", ""},
    {"wo", "archaic version of woe", "n", ""},
    {"ye", "nominative plural of thou", "pron", ""},
    {"yo",
     "used to call attention to or express affirmation. Rhymes with \"low\" but starts with wye",
     "interj", ""},
    {"xi", "the 14th letter of the Greek alphabet, rhymes with \"sky\"", "letter", ""},
    {"xu", "a monetary unit of Vietnam", "unit", ""},
    {"*", "", "", ""},
};

// Offensive words. Each is added with definition and part of speech
// "expurged", replacing any file record of the same word.
const char* const kExpurgedWords[] = {
#include "core/ExpurgedWords.inc"
    "*",
};

int builtInWordCount() {
    int n = 0;
    while (kBuiltInWords[n].word[0] != '*')
        ++n;
    return n;
}

int expurgedWordCount() {
    int n = 0;
    while (kExpurgedWords[n][0] != '*')
        ++n;
    return n;
}

} // namespace zq
