#!/usr/bin/env python3
"""Regenerate lexicon/entries.txt, the definitions that ship in word.lst.

Every definition that is not a template of ours ("plural of cat", "to alter
again") is a line we wrote, in entries-hand.txt.  WordNet 3.0 (package
wordnet-base) and GCIDE (package dict-gcide) are consulted for facts only:
parts of speech, base forms and irregular inflections, whether a word has
senses of its own.  No gloss or article text of theirs is read into the output.
A target word that has no hand line and is no regular inflection or derivative
is listed by --missing and needs a written line.  pos-override.txt forces a
part of speech (letter, interj, unit ...).

    python3 lexicon/generate.py            # write lexicon/entries.txt
    python3 lexicon/generate.py --missing  # list target words still undefined

Only the Python standard library is used and the output is deterministic.
"""

import argparse
import gzip
import os
import re
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
WORDNET_DIR = "/usr/share/wordnet"
GCIDE_DICT = "/usr/share/dictd/gcide.dict.dz"
GCIDE_INDEX = "/usr/share/dictd/gcide.index"

# Tile counts of the 98-tile bag; the letter weight of a word is the sum of the
# counts of its letters, and a seven-letter word is a high-probability bingo
# when that weight exceeds 51.
TILE_COUNTS = dict(zip("abcdefghijklmnopqrstuvwxyz",
                       [9, 2, 2, 4, 12, 2, 3, 2, 9, 1, 1, 4, 2, 6, 8, 2, 1, 6, 4, 6, 4, 2, 2, 1, 2, 1]))

# Parts of speech of the 96 two-letter words, whose entries are built into the
# program; inflections are worded from them ("plural of ba") and the set sizes
# counted with them.
TWO_LETTER_POS = {
    "so": "n", "de": "prep", "as": "adv", "hi": "interj", "oh": "interj", "ti": "letter",
    "ah": "interj", "am": "v", "ad": "n", "ba": "n", "ax": "n", "bo": "n", "er": "interj",
    "eh": "interj", "fa": "letter", "jo": "n", "if": "n", "li": "unit", "my": "pron",
    "mm": "interj", "nu": "letter", "ox": "n", "op": "n", "pi": "letter", "we": "pron",
    "ya": "pron", "un": "pron", "aa": "n", "ab": "n", "ae": "adj", "ag": "adj", "ai": "interj",
    "al": "n", "an": "indefinite article", "ar": "letter", "at": "prep", "aw": "interj", "ay": "n",
    "be": "v", "bi": "n", "by": "prep", "do": "v", "ed": "n", "ef": "letter", "el": "n",
    "em": "letter", "en": "letter", "es": "letter", "et": "v", "ex": "letter", "go": "v",
    "ha": "interj", "he": "pron", "hm": "interj", "ho": "interj", "id": "n", "in": "prep",
    "is": "v", "it": "pron", "ka": "n", "la": "letter", "lo": "interj", "ma": "n", "mi": "letter",
    "mo": "n", "mu": "letter", "na": "adv", "ne": "adj", "no": "adv", "od": "n", "oe": "n",
    "of": "prep", "om": "n", "on": "prep", "or": "conj", "os": "n", "ow": "interj", "oy": "interj",
    "pa": "n", "pe": "letter", "re": "letter", "sh": "interj", "si": "letter", "ta": "n",
    "to": "prep", "uh": "interj", "um": "interj", "up": "adv", "us": "pron", "ut": "n", "wo": "n",
    "ye": "pron", "yo": "interj", "xi": "letter", "xu": "unit", "me": "pron",
}

MAX_DEF = 120          # no definition line is longer than this
SET_POS = ("letter", "interj", "unit")


def weight(word):
    return sum(TILE_COUNTS.get(c, 0) for c in word)


def is_bingo(word):
    return len(word) == 7 and weight(word) > 51


def default_enable():
    return os.environ.get("ZQ_ENABLE") or os.path.join(ROOT, "lexicon", "enable1.txt")


def load_enable(path):
    with open(path, encoding="ascii") as f:
        return [w.strip() for w in f if w.strip()]


def load_expurged():
    path = os.path.join(ROOT, "core", "ExpurgedWords.inc")
    words = set()
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            for line in f:
                m = re.match(r'\s*"([a-z]+)",', line)
                if m:
                    words.add(m.group(1))
    return words


def read_records(path):
    """word -> (definition, pos, synonym) from a file of word*def*pos*syn*~ lines."""
    out = {}
    if not os.path.exists(path):
        return out
    with open(path, encoding="utf-8") as f:
        for n, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            parts = line.split("*")
            if len(parts) != 5 or parts[4] != "~":
                sys.exit("%s:%d: malformed record: %s" % (path, n, line))
            if parts[0] in out:
                sys.exit("%s:%d: duplicate word %s" % (path, n, parts[0]))
            out[parts[0]] = (parts[1], parts[2], parts[3])
    return out


def read_overrides(path):
    out = {}
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            for line in f:
                line = line.split("#", 1)[0].strip()
                if line:
                    word, pos = line.split(None, 1)
                    out[word] = pos.strip()
    return out


# ---------------------------------------------------------------- text tidying

ACCENT = re.compile(r"\[([`'\"=^~.,:]*)([a-zA-Z]{1,2})([`'\"=^~.,:]*)\]")


def to_ascii(s):
    s = s.replace("\u2014", " - ").replace("\u2013", "-").replace("\u2019", "'")
    s = s.replace("\u2018", "'").replace("\u201c", '"').replace("\u201d", '"')
    keep = "\u00bc\u00bd\u00be"          # the fractions 1/4, 1/2 and 3/4 stay
    return "".join(c for c in s if ord(c) < 128 or c in keep)


def tidy(text):
    """Plain one-line text, no record separators, cut to a readable length."""
    text = to_ascii(text)
    text = text.replace("*", "").replace("~", "")
    text = re.sub(r"\s*\([^()]*`[^()]*\)", "", text)          # (usually followed by `to')
    text = re.sub(r"`([^`']*)'", r'"\1"', text)
    text = text.replace("`", "'")
    text = re.sub(r"\s*--\s*[A-Z][\w. ]*$", "", text)             # quoted author
    if not re.match(r"(?i)see ", text):
        text = re.sub(r"[.;,]?\s*\(?See (?:\d\w )?[A-Z][^.;]*\.?\)?.*$", "", text)
    text = money_fraction(text)
    text = re.sub(r"\s+", " ", text).strip()
    text = text.strip(" ;,:")
    if len(text) > MAX_DEF:
        text = shorten(text)
    if text.endswith("."):
        text = text[:-1]
    return text


FRACTIONS = {"10": "one tenth", "100": "one hundredth", "1,000": "one thousandth", "1000": "one thousandth"}


def money_fraction(text):
    """WordNet words small coins as "100 agorot equal 1 shekel in Israel"; say what the coin is."""
    m = re.match(r"(\d[\d,]*) (\S+) (?:formerly )?(?:equal|equaled|equals|are worth|is worth) (?:1|one) ([\w' -]+?)(?: in (.+))?$", text)
    if not m:
        return text
    count, unit, place = m.group(1), m.group(3), m.group(4)
    unit = re.sub(r"^(Yemeni|Deutsche) ", "", unit)
    where = " of " + place if place else ""
    if count in FRACTIONS:
        return "a coin%s worth %s of %s %s" % (where, FRACTIONS[count], "an" if unit[0] in "aeiou" else "a", unit)
    return "a coin%s; %s of them make one %s" % (where, count, unit)


STOP_WORDS = {"a", "an", "the", "of", "and", "or", "to", "by", "when", "is", "at", "in", "on", "with",
              "which", "that", "for", "as", "from", "its", "their", "are", "be", "it", "into", "per"}


def shorten(text):
    """Cut a long definition at a clause boundary, never in the middle of a phrase."""
    best = -1
    for sep in ("; ", ", ", " (", " that ", " which ", " when ", " where ", " in which ", " used ", " having "):
        pos = text.rfind(sep, 0, MAX_DEF)
        if pos >= 40:
            best = max(best, pos)
    if best < 0:
        best = text.rfind(" ", 0, MAX_DEF)
    words = text[:best].rstrip(" ;,:").split(" ")
    while len(words) > 3 and words[-1].lower() in STOP_WORDS:
        words.pop()
    text = " ".join(words)
    if text.count("(") > text.count(")"):
        text = text[:text.rfind("(")].rstrip(" ;,:")
    return text


# ---------------------------------------------------------------- WordNet

WN_POS = {"n": "n", "v": "v", "a": "adj", "s": "adj", "r": "adv"}
WN_FILES = {"n": "noun", "v": "verb", "a": "adj", "r": "adv"}


class WordNet:
    def __init__(self, enable_set):
        self.enable = enable_set
        self.index = {}      # (lemma, p) -> [offsets]
        self.data = {}       # (p, offset) -> [member words]; glosses are not read
        self.counts = {}     # (lemma, p) -> tagged frequency
        self.exc = {}        # (inflected, p) -> [bases]
        for p, name in WN_FILES.items():
            with open(os.path.join(WORDNET_DIR, "index." + name), encoding="latin-1") as f:
                for line in f:
                    if line.startswith(" "):
                        continue
                    parts = line.split()
                    lemma, synset_cnt, ptr_cnt = parts[0], int(parts[2]), int(parts[3])
                    offs = parts[6 + ptr_cnt:6 + ptr_cnt + synset_cnt]
                    self.index[(lemma, p)] = offs
            with open(os.path.join(WORDNET_DIR, "data." + name), encoding="latin-1") as f:
                for line in f:
                    if line.startswith(" "):
                        continue
                    parts = line.partition(" | ")[0].split()
                    off, wcnt = parts[0], int(parts[3], 16)
                    self.data[(p, off)] = [parts[4 + 2 * i] for i in range(wcnt)]
            with open(os.path.join(WORDNET_DIR, name + ".exc"), encoding="latin-1") as f:
                for line in f:
                    parts = line.split()
                    if len(parts) >= 2:
                        self.exc[(parts[0], p)] = parts[1:]
        with open(os.path.join(WORDNET_DIR, "cntlist.rev"), encoding="latin-1") as f:
            for line in f:
                key, _, cnt = line.split()
                lemma, _, rest = key.partition("%")
                p = {"1": "n", "2": "v", "3": "a", "4": "r", "5": "a"}[rest[0]]
                self.counts[(lemma, p)] = self.counts.get((lemma, p), 0) + int(cnt)

    def senses(self, word, p):
        """Synsets of word in part of speech p whose member is the lower-case word itself."""
        out = []
        for off in self.index.get((word, p), []):
            words = self.data[(p, off)]
            own = [w for w in words if re.sub(r"\(.*\)$", "", w).lower() == word]
            if not own or not any(re.sub(r"\(.*\)$", "", w) == word for w in own):
                continue            # only a proper noun (Ares, Alps) uses this spelling
            out.append(words)
        return out

    def pos_order(self, word):
        """Parts of speech the word has, most frequent first."""
        have = [p for p in "nvar" if self.senses(word, p)]
        return sorted(have, key=lambda p: (-self.counts.get((word, p), 0), "nvar".index(p)))

# ---------------------------------------------------------------- GCIDE

B64 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"

GCIDE_POS = [
    (r"interj", "interj"), (r"prep", "prep"), (r"conj", "conj"), (r"pron", "pron"),
    (r"adv", "adv"), (r"a|adj", "adj"), (r"v\. ?[ti]|v", "v"), (r"n", "n"),
]


POS_RE = re.compile(r",?\s*(n|v\. ?t|v\. ?i|v|a|adj|adv|interj|prep|conj|pron|imp|p\. p|p\. pr|pl|n\. pl)\.(?=[\s,;\[(]|$)")


def b64num(s):
    n = 0
    for c in s:
        n = n * 64 + B64.index(c)
    return n


class Gcide:
    def __init__(self, wanted):
        self.entries = {}     # lower-case headword -> [(pos, definition)]
        with gzip.open(GCIDE_DICT) as f:
            blob = f.read()
        with open(GCIDE_INDEX, encoding="utf-8", errors="replace") as f:
            for line in f:
                parts = line.rstrip("\n").split("\t")
                if len(parts) != 3:
                    continue
                head = parts[0].lower()
                if head not in wanted:
                    continue
                start, length = b64num(parts[1]), b64num(parts[2])
                text = blob[start:start + length].decode("utf-8", "replace")
                for item in self.parse(head, text):
                    if item not in self.entries.setdefault(head, []):
                        self.entries[head].append(item)

    @staticmethod
    def parse(head, text):
        """Yield (pos, "") for a sense of the headword head in an article, never its text.

        An article that only lists head as an inflection of its headword
        ("imp. & p. p. {Alit}") yields ("form:past", base) and the like.
        """
        text = ACCENT.sub(lambda mm: mm.group(2), text)
        first = re.match(r"([^\\\n]+?)\s*\\", text)
        if not first:
            return
        base = first.group(1).strip().lower().replace('"', "").replace("`", "").replace("*", "")
        heads = {base}
        heads.update(h.lower().replace('"', "").replace("`", "").replace("*", "").replace("'", "")
                     for h in re.findall(r"\\([^\\\n]+)\\", text[:400]))
        pm = POS_RE.search(text[:600])
        if not pm:
            return
        header = text[:pm.end()]
        if head not in heads:
            # an inflected form named in the bracket after the part of speech
            tail = text[pm.end():pm.end() + 300]
            b = re.match(r"[^\[]{0,10}\[([^\]]*)\]", tail)
            if b and re.search(r"\{%s\}" % re.escape(head), b.group(1), re.I) and " " not in base:
                seg = b.group(1)
                seg = seg[:re.search(r"\{%s\}" % re.escape(head), seg, re.I).start()]
                kinds = re.findall(r"(imp\.|p\. p\.|p\. pr\.|pl\.|superl\.|compar\.)", seg)
                kind = kinds[-1] if kinds else ""
                name = {"imp.": "past", "p. p.": "past", "p. pr.": "ing", "pl.": "plural",
                        "compar.": "comparative", "superl.": "superlative"}.get(kind)
                if name:
                    yield ("form:" + name, base)
            return
        clean = text
        for _ in range(3):
            clean = re.sub(r"\[[^\[\]]*\]",
                           lambda mm: " [Obs.] " if re.match(r"\[(Obs|R)\.", mm.group(0)) else " ", clean)
        pm = POS_RE.search(clean[:600])
        if not pm:
            return
        raw = pm.group(1)
        pos = ""
        for pat, name in GCIDE_POS:
            if re.fullmatch(pat, raw):
                pos = name
                break
        body = clean[pm.end():]
        nl = body.find("\n")
        body = body[nl + 1:] if nl >= 0 else ""
        # Only the fact that the article has a sense of its own in this part of
        # speech (and whether that sense is obsolete) is kept, never its text.
        for para in re.split(r"\n\s*\n", body):
            para = para.strip()
            if not para or para.startswith(("Note:", "Syn:", "{", "--")):
                continue
            if re.search(r"[a-z]{3}", para):
                yield (pos + ("!" if "[Obs.]" in para else ""), "")
                return


# ---------------------------------------------------------------- morphology

def base_forms(word, exc):
    """Candidate (base, kind) pairs for an inflected word, most likely first.

    kind is one of plural, third, past, ing, comparative, superlative.
    exc maps (inflected, wordnet pos) to bases from WordNet's exception lists.
    """
    out = []
    for b in exc.get((word, "n"), []):
        out.append((b, "plural"))
    for b in exc.get((word, "v"), []):
        if word.endswith("ing"):
            out.append((b, "ing"))
        elif word.endswith("s") and not word.endswith("ss"):
            out.append((b, "third"))
        else:
            out.append((b, "past"))
    for b in exc.get((word, "a"), []):
        out.append((b, "superlative" if word.endswith("st") else "comparative"))

    def undouble(stem):
        if len(stem) > 2 and stem[-1] == stem[-2] and stem[-1] not in "aeiouslz":
            return [stem[:-1]]
        return []

    if word.endswith("s") and not word.endswith("ss"):
        for suf, rep in (("ies", "y"), ("ses", "s"), ("xes", "x"), ("zes", "z"), ("ches", "ch"),
                         ("shes", "sh"), ("oes", "o"), ("es", "e"), ("s", "")):
            if word.endswith(suf):
                out.append((word[:-len(suf)] + rep, "plural"))
        if word.endswith("zzes"):
            out.append((word[:-3], "plural"))
    if word.endswith("men"):
        out.append((word[:-3] + "man", "plural"))
    if word.endswith("ed"):
        stem = word[:-2]
        for b in [stem + "e", stem] + undouble(stem) + ([stem[:-1] + "y"] if stem.endswith("i") else []):
            out.append((b, "past"))
    if word.endswith("ing"):
        stem = word[:-3]
        for b in [stem, stem + "e"] + undouble(stem) + ([stem[:-1] + "ie"] if stem.endswith("y") else []):
            out.append((b, "ing"))
    for suf, kind in (("er", "comparative"), ("est", "superlative")):
        if word.endswith(suf):
            stem = word[:-len(suf)]
            for b in [stem, stem + "e"] + undouble(stem) + ([stem[:-1] + "y"] if stem.endswith("i") else []):
                out.append((b, kind))
    seen, result = set(), []
    for b, k in out:
        if b != word and len(b) > 1 and (b, k) not in seen:
            seen.add((b, k))
            result.append((b, k))
    return result


# Irregular past forms that GCIDE alone lists and that are still current English.
CURRENT_PASTS = {"alit", "shorn"}


def past_text(word, base):
    """Irregular forms ending like "seen", "sewn", "lain", "shorn" are past participles."""
    if word.endswith(("en", "wn", "ain", "rn")):
        return "past participle of " + base
    return "past tense of " + base


def inflection_text(kind, base, base_pos, word=""):
    if base_pos in ("letter", "unit"):
        base_pos = "n"
    if kind == "plural":
        if base_pos == "v":
            return ("3rd person singular present of " + base, "v")
        if base_pos != "n":
            return None
        return ("plural of " + base, "n")
    if kind == "third":
        return ("3rd person singular present of " + base, "v")
    if kind == "past":
        return (past_text(word, base), "v") if base_pos == "v" else None
    if kind == "ing":
        return ("present participle of " + base, "v") if base_pos == "v" else None
    if kind in ("comparative", "superlative"):
        return (kind + " of " + base, "adj") if base_pos in ("adj", "adv") else None
    return None


# ---------------------------------------------------------------- assembly

def ensure_sources():
    if os.path.exists(os.path.join(WORDNET_DIR, "data.noun")) and os.path.exists(GCIDE_DICT):
        return
    print("installing wordnet-base and dict-gcide ...", file=sys.stderr)
    subprocess.check_call(["apt-get", "install", "-y", "--no-install-recommends",
                           "wordnet-base", "dict-gcide"])


def target_words(enable, overrides, hand):
    words = {w for w in enable if len(w) in (3, 4, 5) or is_bingo(w)}
    words |= {w for w, pos in overrides.items()}
    words |= {w for w, (d, pos, s) in hand.items() if pos in SET_POS}
    return words


INFLECTIONS = ("plural of ", "past tense of ", "past participle of ", "present participle of ",
               "3rd person singular present of ", "comparative of ", "superlative of ")
SENSE_POS = {"unit": "n", "letter": "n"}
REGULAR_FORMS = ("plural of", "past tense of", "past participle of", "present participle of",
                 "3rd person singular present of")


# The base form an inflection line names: "(archaic) past tense of climb, to go up" -> climb.
NAMED_BASE = re.compile(r"(?:\([^)]*\) )?(?:%s)([a-z]+)\b" % "|".join(re.escape(x) for x in INFLECTIONS))


def is_inflection(text):
    return text.startswith(INFLECTIONS)


# Head nouns of senses that name a stuff rather than a thing: a plural names a
# countable sense before one of these ("tins": a metal can, not the metal).
MASS_HEADS = {
    "metal", "element", "fluid", "liquid", "substance", "material", "fabric", "cloth", "powder",
    "gas", "mineral", "alloy", "compound", "resin", "oil", "juice", "sap", "wood", "timber", "dye",
    "acid", "ore", "fibre", "fiber", "syrup", "paste", "grain", "flour", "water", "soil", "earth",
    "petroleum", "wax", "glue", "paint", "clay", "sand", "butter", "sugar", "salt",
}
HEAD_END = re.compile(r",|;|\(| (?:that|which|who|whose|of|with|for|from|in|on|at|to|by|as|"
                      r"used|made|woven|worn|found|grown|growing|produced|obtained|extracted|such)\b")


def is_mass_sense(sense):
    """True when a sense names a stuff ("a soft silvery metal element that ...", "the fluid in a plant")."""
    text = re.sub(r"^(?:\([^)]*\)\s*)+", "", sense.strip())
    head = HEAD_END.split(" " + text, 1)[0].split()
    return bool(head) and head[-1].lower() in MASS_HEADS


def pick_sense(definition, pos):
    """The sense of our definition of a base form that an inflection of part of speech pos names.

    Senses are separated by "; "; a verb form names the first sense worded as a
    verb ("to ..."), any other form the first sense that is not.  A plural
    passes over senses that name a stuff ("the metal", "the fluid") when a
    countable sense follows.  When no sense fits, none is named.
    """
    senses = [re.sub(r"^also ", "", x.strip()) for x in definition.split("; ") if x.strip()]
    verbal = lambda x: re.sub(r"^\([^)]*\)\s*", "", x).startswith("to ")
    fitting = [x for x in senses if verbal(x) == (pos == "v")]
    if pos == "n":
        fitting = [x for x in fitting if not is_mass_sense(x)] + [x for x in fitting if is_mass_sense(x)]
    return fitting[0] if fitting else ""


# Senses that read as nouns: "a club for hitting the ball", "the rear part".
NOUN_START = re.compile(r"(?:also )?(?:\([^)]*\)\s*)*(?:a|an|the|any|one|someone|something|anything|people|person)\b")
# A -s form names both the noun and the verb when each has at least this many tagged uses in WordNet.
COMMON_USES = 3


def noun_sense(definition, pos):
    """The first sense of a base's line that reads as a noun: after the first when the line
    is a noun's (pos n), else only a sense worded with an article ("back": not "toward the rear")."""
    senses = [x.strip() for x in definition.split("; ") if x.strip()]
    for i, x in enumerate(senses):
        bare = re.sub(r"^also ", "", x)
        if re.sub(r"^\([^)]*\)\s*", "", bare).startswith("to "):
            continue
        if NOUN_START.match(x) or (pos in ("n", "unit", "letter") and i == 0):
            return bare
    return ""


def sense_cuts(sense):
    """A sense and its shorter forms, cut back at ", " boundaries, ending with none at all."""
    parts = sense.split(", ") if sense else []
    return [", ".join(parts[:n]) for n in range(len(parts), 0, -1) if whole_cut(parts, n)] + [""]


# A clause or list these words open runs on past the next comma ("where the eyes, nose and
# mouth are"), so a sense is never cut back to end inside one.
OPEN_CLAUSE = re.compile(r"\b(?:where|which|who|whom|whose|such as|including|especially)\b")


def whole_cut(parts, n):
    """True when the first n ", "-parts of a sense read as a whole: all of them, or a cut
    whose last kept part opens no clause the dropped parts would close."""
    return n == len(parts) or not OPEN_CLAUSE.search(parts[n - 1])


def with_sense(template, sense, limit=MAX_DEF):
    """ "past tense of lie" + "to say what is false" -> "past tense of lie, to say what is false".

    A sense too long for the line is cut back at a ", " boundary, or left out.
    """
    parts = sense.split(", ") if sense else []
    for n in range(len(parts), 0, -1):
        text = template + ", " + ", ".join(parts[:n])
        if len(text) <= limit and text.count("(") == text.count(")") and whole_cut(parts, n):
            return text
    return template


class Definer:
    """Chooses each word's line: a hand line, else a template of ours, else nothing.

    WordNet and GCIDE are asked only for facts: whether a word has senses of
    its own (then it needs a written line and is reported missing), its parts
    of speech, and the base forms of its inflections.
    """

    def __init__(self, enable, hand, overrides, expurged=()):
        self.enable = set(enable)
        self.hand = hand
        self.overrides = overrides
        self.expurged = set(expurged)
        self.wn = WordNet(self.enable)
        self.gc = Gcide(set(enable))
        self.cache = {}
        self.real = {}          # word -> the written definition its line rests on
        self.base_of = {}       # inflected word -> the base form its line names

    def gcide_own(self, word):
        """True when GCIDE has an article with a sense of the word's own."""
        return any(p and not p.startswith("form") for p, _ in self.gc.entries.get(word, []))

    def define(self, word):
        if word in self.cache:
            return self.cache[word]
        self.cache[word] = None          # a cycle of inflections ends here
        r = self._define(word)
        if r is not None and (not r[0] or not r[1]):
            r = None
        self.cache[word] = r
        return r

    def _define(self, word):
        want = self.overrides.get(word)
        h = self.hand.get(word)
        if h and h[0] and h[1]:
            self.real[word] = h[0]
            m = NAMED_BASE.match(h[0])
            if m:
                self.base_of[word] = m.group(1)
            return h
        if self.wn.pos_order(word):
            # Senses of its own need a written line, unless none of them is ever
            # used (no tagged count) and the word is a regular inflection ("ways").
            if not want and not any(self.wn.counts.get((word, p)) for p in "nvar"):
                m = self.morph(word)
                if m is not None and re.sub(r"^\([^)]*\) ", "", m[0]).startswith(REGULAR_FORMS):
                    return m
            return None
        if not want:
            m = self.morph(word)
            if m is not None and m[0].startswith(("comparative of", "superlative of")) and self.gcide_own(word):
                return None      # aliener is a legal term, not "more alien"
            if m is not None:
                return m
        if self.gcide_own(word):
            return None
        if want:
            m = self.morph(word)
            if m is not None:
                return m
        return self.derive(word)

    def morph(self, word):
        forms = base_forms(word, self.wn.exc)
        old = [(text, pos[5:]) for pos, text in self.gc.entries.get(word, []) if pos.startswith("form:")]
        # An adjective base is first looked for among the parts of speech our lines and WordNet
        # give, GCIDE's alone second: "wiser" is of wise, not of the old adverb wis.
        for strong in (True, False):
            for base, kind in forms + old:
                if base not in self.enable or base in self.expurged:
                    continue
                if strong and kind not in ("comparative", "superlative"):
                    continue
                if kind == "plural" and (word, "n") in self.wn.exc:
                    return self.named(word, "plural of " + base, "n", base)
                if kind == "plural" and word in (base + "s", base + "es") and self.noun_and_verb(base):
                    return self.named_both(word, base)
                for base_pos in self.base_pos(base, strong):
                    t = inflection_text(kind, base, base_pos, word)
                    if t:
                        label = "(archaic) " if (base, kind) in old and self.is_old_past(word, base, kind) else ""
                        return self.named(word, label + t[0], t[1], base)
        return None

    def is_old_past(self, word, base, kind):
        """An irregular past that GCIDE lists and WordNet does not (holp, dipt, spake, drave)
        is an old form: WordNet's exception lists hold the past forms in use today."""
        if kind != "past" or word in CURRENT_PASTS:
            return False
        regular = {base + "ed", base + "d", base + base[-1:] + "ed", base[:-1] + "ied"}
        return word not in regular and (word, "v") not in self.wn.exc

    def noun_and_verb(self, base):
        """True when the base is in common use both as a noun and as a verb (WordNet's
        tagged uses) and our written line of it has a sense of each kind."""
        if min(self.wn.counts.get((base, "n"), 0), self.wn.counts.get((base, "v"), 0)) < COMMON_USES:
            return False
        if base not in self.hand or self.define(base) is None:
            return False
        real = self.real.get(base, "")
        return bool(noun_sense(real, self.hand[base][1])) and bool(pick_sense(real, "v"))

    def named_both(self, word, base):
        """ "plural of bat, a club for hitting the ball; also 3rd person singular present of bat, to hit",
        the commoner use first; senses are cut back so the line fits, naming both where they can."""
        real = self.real[base]
        parts = [("plural of " + base, "n"), ("3rd person singular present of " + base, "v")]
        if self.wn.counts.get((base, "v"), 0) > self.wn.counts.get((base, "n"), 0):
            parts.reverse()
        senses = [pick_sense(real, "v") if pos == "v" else noun_sense(real, self.hand[base][1]) for _, pos in parts]
        first, second = parts[0][0], parts[1][0]
        best, best_score = first + "; also " + second, (0, 0)
        for a in sense_cuts(senses[0]):
            for b in sense_cuts(senses[1]):
                text = first + (", " + a if a else "") + "; also " + second + (", " + b if b else "")
                score = (bool(a) + bool(b), len(text))
                if len(text) <= MAX_DEF and text.count("(") == text.count(")") and score > best_score:
                    best, best_score = text, score
        text = best
        self.base_of[word] = base
        self.real[word] = real
        return (text, parts[0][1], "")

    def named(self, word, text, pos, base):
        """An inflection line that names the sense it inflects when the base has several,
        and always when the base is itself an inflection (wots, wot, weet)."""
        self.base_of[word] = base
        r = self.define(base) if base != word else None
        real = self.real.get(base)
        if r is not None and real:
            chained = base not in self.hand
            # A noun sense is told from an adjective's only by the base's own part of
            # speech: "plural of bad" names no sense, "plural of bat" does.
            # An adjective's line may still have a noun sense worded as one ("tart": "...; a small
            # pastry"), which its plural names.
            fits = pos == "v" or SENSE_POS.get(r[1], r[1]) == pos
            if fits and (chained or "; " in real):
                text = with_sense(text, pick_sense(real, pos))
            elif pos == "n" and not fits and not chained and "; " in real and noun_sense(real, r[1]):
                text = with_sense(text, noun_sense(real, r[1]))
            self.real[word] = real
        return (text, pos, "")

    def derive(self, word):
        """Last resort for regular derivatives of a known or listed word.

        Inflections of an ENABLE word without a definition of its own, the
        prefixes re-, pre-, un-, and the suffixes -like, -er (agent), -ness and -less.
        """
        ok = self.enable
        is_verb = lambda b: b in ok and (b + "s" in ok or b + "es" in ok) and (
            b + "ed" in ok or b + "d" in ok or b[:-1] + "ied" in ok or b + b[-1] + "ed" in ok
            or b + "ing" in ok or (b.endswith("e") and b[:-1] + "ing" in ok) or b + b[-1] + "ing" in ok)
        for base, kind in base_forms(word, {}):
            if base not in ok or len(base) < 3 or base in self.expurged:
                continue
            if kind in ("past", "ing") and is_verb(base):
                return self.named(word, {"past": "past tense of ", "ing": "present participle of "}[kind] + base,
                                  "v", base)
            if kind == "plural" and not word.endswith("ss"):
                if is_verb(base):
                    return self.named(word, "3rd person singular present of " + base, "v", base)
                return self.named(word, "plural of " + base, "n", base)
        stem_pos = lambda b: self.base_pos(b) if b in ok and b not in self.expurged else []
        if word.startswith("re") and "v" in stem_pos(word[2:]):
            return self.worded(word, "to " + word[2:] + " again", "v")
        if word.startswith("pre") and "v" in stem_pos(word[3:]):
            return self.worded(word, "to " + word[3:] + " beforehand", "v")
        if word.startswith("un"):
            stem = word[2:]
            if stem_pos(stem) and stem_pos(stem)[0] in ("adj", "v"):
                return ("not " + stem, "adj", "")
        if word.endswith("like") and stem_pos(word[:-4]):
            base = word[:-4]
            return ("resembling " + ("an " if base[0] in "aeiou" else "a ") + base, "adj", "")
        if word.endswith("ness") and stem_pos(word[:-4]):
            return ("the state of being " + word[:-4], "n", "")
        if word.endswith("less") and stem_pos(word[:-4]):
            return ("without " + ("an " if word[0] in "aeiou" else "a ") + word[:-4], "adj", "")
        for stem in (word[:-2], word[:-1]):
            if word.endswith("er") and "v" in stem_pos(stem):
                return ("one that " + (stem + "es" if stem.endswith(("s", "sh", "ch", "x", "z")) else stem + "s"), "n", "")
        return None

    def worded(self, word, text, pos):
        """A derivative's own template ("to line again"); its inflections name it
        ("relines: 3rd person singular present of reline, to line again")."""
        self.real[word] = text
        return (text, pos, "")

    def base_pos(self, base, strong=False):
        """Parts of speech of a base form, most frequent first; strong: only those of our
        written line, the built-in words and WordNet."""
        out = []
        if base in self.hand and self.hand[base][1]:
            out.append(self.hand[base][1])
        if base in TWO_LETTER_POS:
            out.append(TWO_LETTER_POS[base])
        out += [WN_POS[p] for p in self.wn.pos_order(base)]
        for pos, _ in [] if strong else self.gc.entries.get(base, []):
            if not pos.startswith("form"):
                out.append(pos.rstrip("!"))
        seen = []
        for p in out:
            if p and p not in seen:
                seen.append(p)
        return seen


def is_abbreviation(short, word):
    """gal for gallon: WordNet lists abbreviations as synonyms, which make poor quiz answers."""
    if len(short) > 4 or len(short) >= len(word) or short[0] != word[0]:
        return False
    it = iter(word)
    return all(c in it for c in short)


def closed_targets(definer, targets):
    """The targets and, in turn, every base form an inflection line among them names.

    An inflection line ("plural of acarus") always ends at an entry of its base,
    so a reader is never left at a form of a word the lexicon does not define.
    Two-letter bases are built into the program; an expurged base is never named.
    """
    out, queue = set(), sorted(targets)
    while queue:
        word = queue.pop()
        if word in out:
            continue
        out.add(word)
        if len(word) > 2 and word not in definer.expurged:
            definer.define(word)
            base = definer.base_of.get(word)
            if base and len(base) > 2 and base in definer.enable and base not in out and base not in definer.expurged:
                queue.append(base)
    return sorted(out)


def write_entries(path, records):
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        for word in sorted(records):
            d, p, s = records[word]
            f.write("%s*%s*%s*%s*~\n" % (word, d, p, s))


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[1])
    ap.add_argument("--enable", default=default_enable(), help="ENABLE word list (env ZQ_ENABLE)")
    ap.add_argument("--out", default=os.path.join(HERE, "entries.txt"))
    ap.add_argument("--missing", action="store_true", help="list target words without a definition")
    args = ap.parse_args()

    ensure_sources()
    enable = load_enable(args.enable)
    enable_set = set(enable)
    expurged = load_expurged()
    hand = read_records(os.path.join(HERE, "entries-hand.txt"))
    overrides = read_overrides(os.path.join(HERE, "pos-override.txt"))
    for w in list(hand) + list(overrides):
        if w not in enable_set:
            sys.exit("not an ENABLE word: %s" % w)

    definer = Definer(enable, hand, overrides, expurged)
    records, missing = {}, []
    for word in closed_targets(definer, target_words(enable, overrides, hand)):
        if len(word) <= 2 or word in expurged:
            continue
        r = definer.define(word)
        if r is None:
            missing.append(word)
            continue
        d, p, s = r
        if s and (s not in enable_set or s in expurged or len(s) <= 2 or s == word or is_abbreviation(s, word)):
            s = ""
        if word in overrides:
            p = overrides[word]
        records[word] = (tidy(d) if word not in hand else d, p, s)
    if args.missing:
        for w in missing:
            print(w)
        print("%d missing" % len(missing), file=sys.stderr)
        return
    write_entries(args.out, records)
    print("wrote %d entries to %s (%d hand lines, %d targets undefined)"
          % (len(records), args.out, len(hand), len(missing)), file=sys.stderr)


if __name__ == "__main__":
    main()
