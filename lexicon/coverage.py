#!/usr/bin/env python3
"""Coverage figures and consistency checks for the shipped lexicon content.

    python3 lexicon/coverage.py [--enable PATH]

Prints how many of the three-, four- and five-letter words and of the high-probability
bingos have a definition and a part of speech, the sizes of the Alphabets,
Interjections and Units sets, and how many lines are written and how many are
templates. Then checks entries.txt, entries-hand.txt, core/ExpurgedWords.inc and
data/*.wordset, including the house style of every definition, and exits with
status 1 when any check fails.
"""

import argparse
import glob
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
sys.path.insert(0, HERE)

from generate import TWO_LETTER_POS, default_enable, is_bingo, load_enable, load_expurged  # noqa: E402

MAX_DEF = 120
FRACTIONS = "\u00bc\u00bd\u00be"       # the only characters outside printable ASCII allowed
# A definition that ends on one of these words was cut off mid-phrase ...
DANGLING = {"a", "an", "the", "and", "but", "its", "their", "whose", "than", "especially", "such"}
# ... and so was a long one ending on one of these, which a short sense may end on ("to feel the absence of").
DANGLING_LONG = {"of", "or", "when", "which", "that", "as", "into", "per", "so", "who", "if", "to", "in", "on",
                 "between", "very", "by", "with", "from"}
# Parts of speech that count as nouns when a synonym's part of speech is compared.
NOUNISH = {"letter": "n", "unit": "n"}

# British spellings and the American ones the lexicon uses, since ENABLE is a North
# American list. Each key also stands for its inflections and derivatives made with the
# endings below (colours, coloured, colourful, centred, realising ...).
BRITISH = {
    "colour": "color", "flavour": "flavor", "favour": "favor", "favourite": "favorite", "harbour": "harbor",
    "honour": "honor", "labour": "labor", "vapour": "vapor", "armour": "armor", "behaviour": "behavior",
    "neighbour": "neighbor", "humour": "humor", "rumour": "rumor", "odour": "odor", "vigour": "vigor",
    "savour": "savor", "savoury": "savory", "splendour": "splendor", "clamour": "clamor", "parlour": "parlor",
    "rancour": "rancor", "valour": "valor", "tumour": "tumor", "ardour": "ardor", "candour": "candor",
    "endeavour": "endeavor", "fervour": "fervor", "saviour": "savior", "rigour": "rigor",
    "centre": "center", "metre": "meter", "litre": "liter", "theatre": "theater", "fibre": "fiber",
    "sabre": "saber", "sombre": "somber", "lustre": "luster", "calibre": "caliber", "spectre": "specter",
    "meagre": "meager", "sceptre": "scepter", "manoeuvre": "maneuver", "mitre": "miter", "ochre": "ocher",
    "grey": "gray", "defence": "defense", "offence": "offense", "pretence": "pretense", "licence": "license",
    "practise": "practice", "programme": "program", "cheque": "check", "tyre": "tire", "kerb": "curb",
    "aluminium": "aluminum", "plough": "plow", "mould": "mold", "moult": "molt", "smoulder": "smolder",
    "storey": "story", "jewellery": "jewelry", "woollen": "woolen", "sceptic": "skeptic",
    "sceptical": "skeptical", "aeroplane": "airplane", "oesophagus": "esophagus", "haemoglobin": "hemoglobin",
    "anaemia": "anemia", "anaesthetic": "anesthetic", "foetus": "fetus", "paediatric": "pediatric",
    "encyclopaedia": "encyclopedia", "mediaeval": "medieval", "orthopaedic": "orthopedic", "oestrogen": "estrogen",
    "diarrhoea": "diarrhea", "haemorrhage": "hemorrhage", "leukaemia": "leukemia", "oedema": "edema",
    "faeces": "feces", "caesarean": "cesarean", "sulphur": "sulfur", "sulphate": "sulfate", "gaol": "jail",
    "pyjamas": "pajamas", "moustache": "mustache", "cosy": "cozy", "yoghurt": "yogurt", "artefact": "artifact",
    "judgement": "judgment", "enrol": "enroll", "fulfil": "fulfill", "skilful": "skillful", "wilful": "willful",
    "instalment": "installment", "distil": "distill", "enthral": "enthrall", "catalogue": "catalog",
    "analogue": "analog", "speciality": "specialty", "draught": "draft", "aeon": "eon", "caecum": "cecum",
    "naevus": "nevus", "haem": "heme", "analyse": "analyze", "paralyse": "paralyze", "catalyse": "catalyze",
    "travelled": "traveled", "travelling": "traveling", "traveller": "traveler", "cancelled": "canceled",
    "cancelling": "canceling", "labelled": "labeled", "modelled": "modeled", "signalled": "signaled",
    "levelled": "leveled", "quarrelled": "quarreled", "marvellous": "marvelous", "jewelled": "jeweled",
    "counsellor": "counselor", "fuelled": "fueled", "totalled": "totaled", "tunnelled": "tunneled",
    "channelled": "channeled", "dialled": "dialed", "equalled": "equaled", "rivalled": "rivaled",
    "panelled": "paneled",
}
# -ise verbs whose American spelling is -ize (not surprise, advise, exercise ...).
for stem in ("real", "organ", "recogn", "ion", "fertil", "civil", "special", "character", "emphas", "summar",
             "apolog", "critic", "minim", "maxim", "memor", "sympath", "symbol", "vapor", "magnet", "neutral",
             "steril", "stabil", "standard", "harmon", "hypnot", "mobil", "colon", "ideal", "legal", "terror",
             "patron", "agon", "author", "util", "visual", "caramel", "crystall", "fossil", "immun", "pasteur",
             "polar", "pulver", "random", "scandal", "tantal", "moral", "mesmer", "ostrac", "pressur", "vulcan",
             "oxid", "capital", "categor", "central", "fantas", "general", "global", "human", "jeopard", "local",
             "modern", "natural", "normal", "optim", "penal", "popular", "priorit", "public", "rational",
             "sanit", "scrutin", "social", "subsid", "synchron", "synthes", "tenderis", "theor", "tranquil",
             "tyrann", "urban", "vandal", "vocal", "western", "itemis", "atom", "carbon", "galvan", "mechan",
             "miniatur", "motor", "nasal", "person", "plagiar", "puls", "satir", "seren", "solemn", "ston"):
    if stem.endswith("is"):
        continue
    BRITISH[stem + "ise"] = stem + "ize"
    BRITISH[stem + "isation"] = stem + "ization"
BRITISH_ENDINGS = ("", "s", "d", "ed", "es", "ing", "ful", "less", "y", "ite", "ites", "able", "er", "ers", "ish", "est",
                   "ly", "ist", "ists", "ations")
# Words spelled like a British form that are words of their own.
NOT_BRITISH = {"ioned", "ions", "moulder", "programmer", "programmers", "programming", "programmed"}

KNOWN_POS = {"n", "v", "adj", "adv", "prep", "pron", "conj", "interj", "letter", "unit", "indefinite article",
             "definite article"}
SET_NAMES = (("letter", "Alphabets"), ("interj", "Interjections"), ("unit", "Units"))
EXPURGED_COUNT = 204


def read_lines(path):
    with open(path, "rb") as f:
        data = f.read()
    try:
        return data.decode("utf-8").split("\n")
    except UnicodeDecodeError:
        return data.decode("latin-1").split("\n") + ["\x00 (not UTF-8)"]


def style_problems(word, definition, enable, expurged):
    """House-style faults of one definition, as short messages."""
    out = []
    if len(definition) > MAX_DEF:
        out.append("definition longer than %d characters" % MAX_DEF)
    if not definition:
        return out
    words = re.findall(r"[A-Za-z]+", definition)
    if word in (w.lower() for w in words):
        out.append("definition uses its own headword")
    if any(w in expurged for w in words):
        out.append("definition spells out an expurged word")
    if definition != definition.strip() or "  " in definition:
        out.append("stray spaces")
    if definition.endswith((".", ";", ",", ":")) and not definition.endswith("etc."):
        out.append("definition ends with punctuation")
    last = re.sub(r"[^a-z]", "", definition.rsplit(" ", 1)[-1].lower())
    # A short verb sense may end on a preposition even at the end of a long line ("to object to").
    verb_end = re.match(r"(or )?to ", re.split(r"; |, ", definition)[-1]) and len(re.split(r"; |, ", definition)[-1]) <= 45
    if (last in DANGLING and len(definition) >= 30) or (last in DANGLING_LONG and len(definition) >= 90
                                                        and not verb_end):
        out.append("definition cut off after %r" % last)
    if definition.count("(") != definition.count(")"):
        out.append("unbalanced brackets")
    first = definition.split(" ", 1)[0]
    if first[:1].isupper() and first != "I" and first.lower() in enable:
        out.append("definition starts with a capital")
    if re.search(r"\d/\d", definition):
        out.append("fraction written with a slash")
    return out


def check_entries(path, enable, expurged, errors):
    """word -> (definition, pos, synonym); every malformed line is an error."""
    records = {}
    previous = ""
    lines = read_lines(path)
    if lines and lines[-1] == "":
        lines.pop()
    for n, line in enumerate(lines, 1):
        where = "%s:%d" % (os.path.relpath(path, ROOT), n)
        if "\r" in line or "\t" in line:
            errors.append("%s: carriage return or tab in line" % where)
        parts = line.split("*")
        if len(parts) != 5 or parts[4] != "~":
            errors.append("%s: not a word*definition*pos*synonym*~ record" % where)
            continue
        word, definition, pos, synonym = parts[:4]
        if "~" in "".join(parts[:4]):
            errors.append("%s: '~' inside a field" % where)
        if not re.fullmatch(r"[a-z]+", word):
            errors.append("%s: word %r is not lower-case letters" % (where, word))
        if len(word) <= 2:
            errors.append("%s: two-letter word %s (built into the program)" % (where, word))
        if word not in enable:
            errors.append("%s: %s is not in ENABLE" % (where, word))
        if word in expurged:
            errors.append("%s: %s is an expurged word" % (where, word))
        if word in records:
            errors.append("%s: duplicate word %s" % (where, word))
        if word <= previous:
            errors.append("%s: %s out of order" % (where, word))
        previous = word
        if pos and pos not in KNOWN_POS:
            errors.append("%s: unknown part of speech %r" % (where, pos))
        if definition == "delete" or definition.lower().startswith("same as"):
            errors.append("%s: definition %r" % (where, definition))
        if synonym and (synonym not in enable or synonym in expurged or synonym == word):
            errors.append("%s: synonym %r is not a usable ENABLE word" % (where, synonym))
        if any((ord(c) > 126 and c not in FRACTIONS) or ord(c) < 32 for c in line):
            errors.append("%s: character outside printable ASCII" % where)
        for problem in style_problems(word, definition, enable, expurged):
            errors.append("%s: %s: %s" % (where, word, problem))
        records[word] = (definition, pos, synonym)
    return records


INFLECTION = re.compile(r"(plural|past tense|past participle|present participle|3rd person singular present"
                        r"|comparative|superlative) of ([a-z]+)(,?)")


def unlabelled(definition):
    """The definition without a leading label: "(archaic) past tense of help" -> "past tense of help"."""
    return re.sub(r"^\([^)]*\) ", "", definition)


def british_spellings(definition):
    """British spellings in a definition, as (found, American) pairs. A base form named by an
    inflection ("plural of metre") is the headword of its own entry and is left alone."""
    named = INFLECTION.match(unlabelled(definition))
    out = []
    for i, token in enumerate(re.findall(r"[A-Za-z]+", definition)):
        t = token.lower()
        if named and t == named.group(2) or t in NOT_BRITISH:
            continue
        for ending in BRITISH_ENDINGS:
            stem = t[:len(t) - len(ending)] if ending else t
            if t.endswith(ending) and (stem in BRITISH or stem + "e" in BRITISH and ending[:1] in ("e", "i")):
                base = stem if stem in BRITISH else stem + "e"
                out.append((token, BRITISH[base]))
                break
    return out


def check_spelling(entries, errors):
    for word, (definition, pos, synonym) in sorted(entries.items()):
        for found, american in british_spellings(definition):
            errors.append("entries.txt: %s: British spelling %r (American: %s)" % (word, found, american))
        if synonym in BRITISH:
            errors.append("entries.txt: %s: synonym %s is a British spelling" % (word, synonym))


def check_dead_ends(entries, errors):
    """An inflection line that names no sense ends at a real definition of its base."""
    for word, (definition, pos, synonym) in sorted(entries.items()):
        for part in definition.split("; also "):
            m = INFLECTION.match(unlabelled(part))
            if not m or m.group(3):
                continue
            base = m.group(2)
            if len(base) > 1 and base not in entries and base not in TWO_LETTER_POS:
                errors.append("entries.txt: %s is an inflection of %s, which has no entry, and names no sense"
                              % (word, base))


def check_chains(entries, errors):
    """An inflection of an inflection ("wots" of "wot" of "weet") names the sense the chain ends on."""
    for word, (definition, pos, synonym) in sorted(entries.items()):
        m = INFLECTION.match(unlabelled(definition))
        if m and not m.group(3) and m.group(2) in entries and INFLECTION.match(unlabelled(entries[m.group(2)][0])):
            errors.append("entries.txt: %s is an inflection of %s, itself an inflection, and names no sense"
                          % (word, m.group(2)))


def check_synonyms(entries, errors):
    """A synonym that has an entry of its own shares the entry's part of speech."""
    for word, (definition, pos, synonym) in sorted(entries.items()):
        if synonym in entries:
            mine, theirs = NOUNISH.get(pos, pos), NOUNISH.get(entries[synonym][1], entries[synonym][1])
            if mine != theirs:
                errors.append("entries.txt: %s (%s) has synonym %s, which is %s"
                              % (word, pos, synonym, entries[synonym][1]))


def check_expurged(enable, errors):
    path = os.path.join(ROOT, "core", "ExpurgedWords.inc")
    lines = [l for l in read_lines(path) if l.strip()]
    if not lines or not lines[0].startswith("//"):
        errors.append("ExpurgedWords.inc: the first line should be a comment")
    words = []
    for line in lines[1:]:
        m = re.fullmatch(r'"([a-z]+)",', line)
        if not m:
            errors.append("ExpurgedWords.inc: bad line %r" % line)
            continue
        words.append(m.group(1))
    if len(words) != EXPURGED_COUNT:
        errors.append("ExpurgedWords.inc: %d words, expected %d" % (len(words), EXPURGED_COUNT))
    if words != sorted(set(words)):
        errors.append("ExpurgedWords.inc: not sorted or has duplicates")
    for w in words:
        if w not in enable or not 3 <= len(w) <= 12:
            errors.append("ExpurgedWords.inc: %s is not an ENABLE word of 3 to 12 letters" % w)
    return len(words)


def check_wordsets(enable, errors):
    sizes = {}
    for path in sorted(glob.glob(os.path.join(ROOT, "data", "*.wordset"))):
        name = os.path.basename(path)
        with open(path, "rb") as f:
            data = f.read()
        text = data.decode("ascii", "replace")
        if "\n" in text.replace("\r\n", ""):
            errors.append("%s: line ends must be CR LF" % name)
        lines = text.split("\r\n")
        if len(lines) < 4 or not lines[0]:
            errors.append("%s: needs a title, a description, an ignored line and words" % name)
            continue
        if "*" in text:
            errors.append("%s: '*' would split a line" % name)
        words = [w for w in re.split(r"[^a-z]+", "\n".join(lines[3:]).lower()) if w]
        for w in words:
            if w not in enable:
                errors.append("%s: %s is not in ENABLE" % (name, w))
        sizes[name] = len(words)
    return sizes


TEMPLATE_KINDS = (("inflection, labelled (archaic ...)", re.compile(r"\([^)]*\) " + INFLECTION.pattern)),
                  ("inflection naming noun and verb", re.compile(INFLECTION.pattern + r".*; also ")),
                  ("inflection naming its sense", re.compile(INFLECTION.pattern[:-4] + r", ")),
                  ("inflection", INFLECTION),
                  ("re-, pre-, un- word", re.compile(r"to \w+ (again|beforehand)$|not \w+$")),
                  ("-like, -ness, -less, -er word", re.compile(r"(resembling|the state of being|without|one that) ")))


def origins(entries, hand):
    """(label, count) of written lines and of each kind of template line."""
    counts = {"written": sum(1 for w in entries if w in hand)}
    for word, (definition, pos, synonym) in entries.items():
        if word in hand:
            continue
        label = next((name for name, rule in TEMPLATE_KINDS if rule.match(definition)), "other template")
        counts[label] = counts.get(label, 0) + 1
    order = ["written"] + [name for name, _ in TEMPLATE_KINDS] + ["other template"]
    return [("template: " + k if k != "written" else k, counts[k]) for k in order if k in counts]


def percent(part, whole):
    return 100.0 * part / whole if whole else 100.0


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--enable", default=default_enable())
    args = ap.parse_args()

    enable_list = load_enable(args.enable)
    enable = set(enable_list)
    expurged = load_expurged()
    errors = []

    entries = check_entries(os.path.join(HERE, "entries.txt"), enable, expurged, errors)
    hand = check_entries(os.path.join(HERE, "entries-hand.txt"), enable, expurged, errors)
    for word, record in hand.items():
        if entries.get(word) != record:
            errors.append("entries.txt does not carry the hand line of %s (run generate.py)" % word)
    check_synonyms(entries, errors)
    check_chains(entries, errors)
    check_dead_ends(entries, errors)
    check_spelling(entries, errors)

    def covered(words):
        return [w for w in words if w in entries and entries[w][0] and entries[w][1]]

    print("Coverage (expurged words excluded; the program gives them no definition):")
    groups = (("3-letter words", [w for w in enable_list if len(w) == 3]),
              ("4-letter words", [w for w in enable_list if len(w) == 4]),
              ("5-letter words", [w for w in enable_list if len(w) == 5]),
              ("high-probability bingos", [w for w in enable_list if is_bingo(w)]))
    for label, words in groups:
        words = [w for w in words if w not in expurged]
        done = covered(words)
        print("  %-24s %5d of %5d  %6.2f%%" % (label, len(done), len(words), percent(len(done), len(words))))
        if len(done) != len(words):
            missing = sorted(set(words) - set(done))
            errors.append("%s without definition or part of speech: %s" % (label, " ".join(missing[:20])))

    print("Word sets by part of speech (entries.txt + built-in two-letter words):")
    for pos, name in SET_NAMES:
        n = sum(1 for d, p, s in entries.values() if p == pos)
        builtin = sum(1 for p in TWO_LETTER_POS.values() if p == pos)
        print("  %-14s %4d + %2d built-in = %4d" % (name, n, builtin, n + builtin))

    print("By length (entries with a definition / ENABLE words; two-letter words are built into the program):")
    for n in range(2, 9):
        words = [w for w in enable_list if len(w) == n and w not in expurged]
        done = len(words) if n == 2 else len(covered(words))
        print("  %d letters  %6d of %6d  %6.2f%%" % (n, done, len(words), percent(done, len(words))))
    print("Lines by origin:")
    for label, count in origins(entries, hand):
        print("  %-44s %6d" % (label, count))

    with_def = sum(1 for d, p, s in entries.values() if d)
    written = sum(1 for w in entries if w in hand)
    print("Entries: %d lines, %d with a definition, %d with a synonym; written: %d, templates: %d"
          % (len(entries), with_def, sum(1 for d, p, s in entries.values() if s), written,
             len(entries) - written))
    print("Expurged words: %d" % check_expurged(enable, errors))
    sizes = check_wordsets(enable, errors)
    print("Word set files: " + ", ".join("%s %d" % (n, c) for n, c in sizes.items()))

    if errors:
        print("\n%d problem(s):" % len(errors))
        for e in errors[:100]:
            print("  " + e)
        sys.exit(1)
    print("All checks passed.")


if __name__ == "__main__":
    main()
