#!/usr/bin/env python3
"""Provenance check: flag definitions that repeat dictionary text.

    python3 lexicon/provenance.py [FILE ...]     # default: lexicon/entries.txt

The lexicon ships only definitions that we wrote. WordNet 3.0 and GCIDE may be
consulted for facts, so this check compares every definition of five words or
more with the WordNet glosses of its word (every synset that has the word or
one of its base forms as a member) and with the GCIDE articles of the word and
its base forms. After lower-casing and dropping punctuation, a definition is
flagged when it equals or lies inside such a text, or when the two share a run
of six consecutive words. Shorter definitions are stock phrases and pass.

Installs wordnet-base and dict-gcide with apt-get when they are missing.
Prints every flag and a count; exits 1 when anything is flagged.
"""

import gzip
import os
import re
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from generate import GCIDE_DICT, GCIDE_INDEX, WN_FILES, WORDNET_DIR, b64num, base_forms  # noqa: E402

MIN_WORDS = 5      # definitions shorter than this are not checked
RUN = 6            # length of a shared run of words that counts as copying


def words_of(text):
    """Lower-case words of a text, punctuation and dictionary markup removed."""
    text = text.lower().replace("'", "").replace("\u2019", "")
    return re.findall(r"[a-z0-9\u00bc-\u00be]+", text)


def runs(words, n=RUN):
    return {tuple(words[i:i + n]) for i in range(len(words) - n + 1)}


def contains(hay, needle):
    """True when the word list needle occurs as a contiguous part of hay."""
    if not needle or len(needle) > len(hay):
        return False
    return (" " + " ".join(needle) + " ") in (" " + " ".join(hay) + " ")


def copied(definition, sources):
    """Why definition counts as copied from one of the source texts, or None.

    sources is a list of (label, text). Only definitions of MIN_WORDS words or
    more are judged.
    """
    mine = words_of(definition)
    if len(mine) < MIN_WORDS:
        return None
    my_runs = runs(mine)
    for label, text in sources:
        theirs = words_of(text)
        if mine == theirs:
            return "equals the %s" % label
        if contains(theirs, mine):
            return "is contained in the %s" % label
        shared = my_runs & runs(theirs)
        if shared:
            return "shares \"%s\" with the %s" % (" ".join(min(shared)), label)
    return None


# ---------------------------------------------------------------- sources

def ensure_sources():
    if os.path.exists(os.path.join(WORDNET_DIR, "data.noun")) and os.path.exists(GCIDE_DICT):
        return
    print("installing wordnet-base and dict-gcide ...", file=sys.stderr)
    cmd = ["apt-get", "install", "-y", "--no-install-recommends", "wordnet-base", "dict-gcide"]
    if subprocess.call(cmd) != 0:
        subprocess.check_call(["apt-get", "update"])
        subprocess.check_call(cmd)


class Sources:
    """WordNet glosses and GCIDE articles, read only for the words asked for."""

    def __init__(self, words):
        self.wn_index = {}        # (lemma, p) -> offsets
        self.exc = {}             # (inflected, p) -> bases
        self.gcide = {}           # headword -> [article text]
        for p, name in WN_FILES.items():
            with open(os.path.join(WORDNET_DIR, "index." + name), encoding="latin-1") as f:
                for line in f:
                    if line.startswith(" "):
                        continue
                    parts = line.split()
                    cnt, ptrs = int(parts[2]), int(parts[3])
                    self.wn_index[(parts[0], p)] = parts[6 + ptrs:6 + ptrs + cnt]
            with open(os.path.join(WORDNET_DIR, name + ".exc"), encoding="latin-1") as f:
                for line in f:
                    parts = line.split()
                    if len(parts) >= 2:
                        self.exc[(parts[0], p)] = parts[1:]
        self.heads = {}
        with open(GCIDE_INDEX, encoding="utf-8", errors="replace") as f:
            for line in f:
                parts = line.rstrip("\n").split("\t")
                if len(parts) == 3:
                    self.heads.setdefault(parts[0].lower(), []).append((b64num(parts[1]), b64num(parts[2])))
        wanted = set()
        self.bases = {}
        for w in words:
            self.bases[w] = self.base_words(w)
            wanted.update(self.bases[w])
        with gzip.open(GCIDE_DICT) as f:
            blob = f.read()
        for w in wanted:
            for start, length in self.heads.get(w, []):
                self.gcide.setdefault(w, []).append(blob[start:start + length].decode("utf-8", "replace"))
        self.files = {p: open(os.path.join(WORDNET_DIR, "data." + name), "rb") for p, name in WN_FILES.items()}

    def base_words(self, word):
        out = [word]
        for b, _ in base_forms(word, self.exc):
            if b not in out and (any((b, p) in self.wn_index for p in WN_FILES) or b in self.heads):
                out.append(b)
        return out

    def glosses(self, word):
        """(label, text) of every WordNet gloss and GCIDE article that bears on word."""
        out = []
        for w in self.bases.get(word) or self.base_words(word):
            for p in WN_FILES:
                for off in self.wn_index.get((w, p), []):
                    f = self.files[p]
                    f.seek(int(off))
                    line = f.readline().decode("latin-1")
                    out.append(("WordNet gloss of %s (%s %s)" % (w, p, off), line.partition(" | ")[2]))
            for text in self.gcide.get(w, []):
                out.append(("GCIDE article of %s" % w, text))
        return out


def read_definitions(path):
    out = []
    with open(path, encoding="utf-8") as f:
        for n, line in enumerate(f, 1):
            parts = line.rstrip("\n").split("*")
            if len(parts) >= 2 and parts[0] and not line.startswith("#"):
                out.append((n, parts[0], parts[1]))
    return out


def main(argv):
    paths = argv or [os.path.join(HERE, "entries.txt")]
    ensure_sources()
    items = []
    for path in paths:
        items += [(path, n, w, d) for n, w, d in read_definitions(path)]
    src = Sources({w for _, _, w, d in items if len(words_of(d)) >= MIN_WORDS})
    flags = 0
    for path, n, word, definition in items:
        why = copied(definition, src.glosses(word)) if len(words_of(definition)) >= MIN_WORDS else None
        if why:
            flags += 1
            print("%s:%d: %s: %s | %s" % (os.path.relpath(path), n, word, why, definition))
    print("provenance: %d definition(s) checked, %d flagged" % (len(items), flags))
    return 1 if flags else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
