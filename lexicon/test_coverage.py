"""Tests of the house-style checks in coverage.py (no dictionary data needed).

    python3 -m unittest discover -s lexicon -p 'test_*.py'
"""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import coverage as c  # noqa: E402

ENABLE = {"cat", "cats", "tree", "kid", "tease", "josh", "news", "fuss", "ado", "english", "a"}


def problems(word, definition, expurged=()):
    return c.style_problems(word, definition, ENABLE, set(expurged))


class HouseStyle(unittest.TestCase):
    def test_clean_definition_passes(self):
        self.assertEqual(problems("cat", "a small furry pet that purrs; (informal) a man"), [])

    def test_length_limit(self):
        self.assertEqual(problems("cat", "x" * c.MAX_DEF), [])
        self.assertIn("definition longer than 120 characters", problems("cat", "x" * (c.MAX_DEF + 1)))

    def test_own_headword_as_a_word(self):
        self.assertIn("definition uses its own headword", problems("cat", "a Cat of the house"))
        self.assertEqual(problems("cat", "a catty remark; cattle"), [])      # inside other words is fine

    def test_cut_off_endings(self):
        self.assertTrue(any("cut off" in p for p in problems("tail", "the hind part of the body, especially")))
        long_cut = "a painful swelling of the joints, mostly the big toe, caused by too much uric acid in the blood of"
        self.assertTrue(any("cut off" in p for p in problems("gout", long_cut)))
        # a short verb sense may end on a preposition
        self.assertEqual(problems("miss", "to fail to hit; to feel the absence of"), [])
        # ... also at the end of a long line, but a long noun sense may not
        self.assertEqual(problems("minds", "plural of mind, the part of a person that thinks and feels; "
                                           "also 3rd person singular present of mind, to object to"), [])
        self.assertTrue(any("cut off" in p for p in problems("gout", long_cut + "; to ache, and worst of all, in the toe of")))

    def test_spelt_out_expurged_word(self):
        self.assertIn("definition spells out an expurged word",
                      problems("shat", "past tense of shit", expurged={"shit"}))
        self.assertEqual(problems("goy", "a person who is not a Jew", expurged={"jew"}), [])

    def test_punctuation_brackets_and_fractions(self):
        self.assertIn("definition ends with punctuation", problems("cat", "a pet."))
        self.assertEqual(problems("cat", "dogs, cats, etc."), [])
        self.assertIn("unbalanced brackets", problems("cat", "a pet (a small one"))
        self.assertIn("fraction written with a slash", problems("oke", "about 23/4 pounds"))
        self.assertEqual(problems("oke", "about 2\u00be pounds"), [])

    def test_capital_start(self):
        self.assertIn("definition starts with a capital", problems("cat", "A pet"))
        self.assertEqual(problems("eureka", "I have found it"), [])


class Synonyms(unittest.TestCase):
    def check(self, entries):
        errors = []
        c.check_synonyms(entries, errors)
        return errors

    def test_part_of_speech_must_match(self):
        entries = {"josh": ("to tease", "v", "kid"), "kid": ("a child", "n", "")}
        self.assertEqual(len(self.check(entries)), 1)

    def test_units_and_letters_count_as_nouns(self):
        entries = {"liter": ("a measure", "unit", "litre"), "litre": ("a measure", "unit", "liter"),
                   "whit": ("a tiny amount", "n", "iota"), "iota": ("a Greek letter", "letter", "")}
        self.assertEqual(self.check(entries), [])

    def test_synonym_without_an_entry_is_not_judged(self):
        self.assertEqual(self.check({"ado": ("fuss", "n", "bother")}), [])


class Chains(unittest.TestCase):
    def check(self, entries):
        errors = []
        c.check_chains(entries, errors)
        return errors

    def test_chain_must_name_a_sense(self):
        entries = {"weet": ("(archaic) to know", "v", ""), "wot": ("past tense of weet", "v", ""),
                   "wots": ("3rd person singular present of wot", "v", "")}
        self.assertEqual(len(self.check(entries)), 1)
        entries["wots"] = ("3rd person singular present of wot, (archaic) to know", "v", "")
        self.assertEqual(self.check(entries), [])

    def test_inflection_of_a_defined_word_is_fine(self):
        self.assertEqual(self.check({"cat": ("a pet", "n", ""), "cats": ("plural of cat", "n", "")}), [])


class DeadEnds(unittest.TestCase):
    def check(self, entries):
        errors = []
        c.check_dead_ends(entries, errors)
        return errors

    def test_inflection_must_reach_an_entry_or_name_its_sense(self):
        self.assertEqual(len(self.check({"acari": ("plural of acarus", "n", "")})), 1)
        # naming the sense, a two-letter base built into the program, or an entry of the base all end the chain
        self.assertEqual(self.check({"aceta": ("plural of acetum, vinegar", "n", ""),
                                     "been": ("past participle of be", "v", ""),
                                     "cat": ("a pet", "n", ""), "cats": ("plural of cat", "n", "")}), [])

    def test_labelled_and_double_forms_are_checked_too(self):
        self.assertEqual(len(self.check({"holp": ("(archaic) past tense of holpe", "v", "")})), 1)
        both = {"bat": ("a club", "n", ""),
                "bats": ("plural of bat, a club; also 3rd person singular present of bate", "n", "")}
        self.assertEqual(len(self.check(both)), 1)


class Spelling(unittest.TestCase):
    def test_british_forms_and_their_inflections_are_found(self):
        found = c.british_spellings("a greyish, colourful fibre centred on realising a programme")
        self.assertEqual([a for _, a in found], ["gray", "color", "fiber", "center", "realize", "program"])

    def test_american_text_and_lookalikes_pass(self):
        self.assertEqual(c.british_spellings("the emphasis of a surprise; to advise a programmer on ions"), [])

    def test_a_named_base_is_the_entry_itself(self):
        self.assertEqual(c.british_spellings("plural of metre"), [])
        self.assertEqual(c.british_spellings("(archaic) past tense of mould, to shape"), [])
        self.assertEqual(len(c.british_spellings("plural of meter, a metre")), 1)

    def test_synonym_checked(self):
        errors = []
        c.check_spelling({"gray": ("the color of ash", "adj", "grey")}, errors)
        self.assertEqual(len(errors), 1)


if __name__ == "__main__":
    unittest.main()
