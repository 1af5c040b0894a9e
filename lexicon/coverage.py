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
    if (last in DANGLING and len(definition) >= 30) or (last in DANGLING_LONG and len(definition) >= 90):
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


def check_chains(entries, errors):
    """An inflection of an inflection ("wots" of "wot" of "weet") names the sense the chain ends on."""
    for word, (definition, pos, synonym) in sorted(entries.items()):
        m = INFLECTION.match(definition)
        if m and not m.group(3) and m.group(2) in entries and INFLECTION.match(entries[m.group(2)][0]):
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
