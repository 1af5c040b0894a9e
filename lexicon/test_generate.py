"""Tests of the lexicon generator's pure text handling (no dictionary data needed).

    python3 -m unittest discover -s lexicon -p 'test_*.py'
"""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import generate as g  # noqa: E402


class BingoRule(unittest.TestCase):
    def test_weight_boundary(self):
        # retains: 6+12+6+9+9+6+4 = 52, the smallest weight that qualifies
        self.assertEqual(g.weight("retains"), 52)
        self.assertTrue(g.is_bingo("retains"))
        self.assertFalse(g.is_bingo("retain"))       # six letters never qualify
        self.assertFalse(g.is_bingo("jukebox"))       # weight far below 52


class Tidy(unittest.TestCase):
    def test_no_record_separators(self):
        self.assertNotIn("*", g.tidy("a*b ~ c"))
        self.assertNotIn("~", g.tidy("a*b ~ c"))
        self.assertNotIn("\n", g.tidy("two\nlines"))

    def test_wordnet_usage_notes_removed(self):
        self.assertEqual(g.tidy("(usually followed by `to') naturally disposed toward"),
                         "naturally disposed toward")

    def test_long_text_cut_at_clause_and_not_on_a_function_word(self):
        text = ("a unit of electrical charge equal to the amount of charge transferred by a current "
                "of 1 ampere in 1 second and used throughout the whole of physics")
        out = g.tidy(text)
        self.assertLessEqual(len(out), g.MAX_DEF)
        self.assertNotIn(out.split()[-1], g.STOP_WORDS)

    def test_cut_never_leaves_an_open_bracket(self):
        text = "x" * 50 + " word (" + "y " * 60 + ")"
        self.assertEqual(g.tidy(text).count("("), g.tidy(text).count(")"))

    def test_trailing_cross_reference_dropped(self):
        self.assertEqual(g.tidy("a kind of vessel. See Dhow"), "a kind of vessel")


class MoneyFraction(unittest.TestCase):
    def test_hundredth(self):
        self.assertEqual(g.money_fraction("100 agorot equal 1 shekel in Israel"),
                         "a coin of Israel worth one hundredth of a shekel")

    def test_article_before_vowel(self):
        self.assertEqual(g.money_fraction("100 puls equal 1 afghani in Afghanistan"),
                         "a coin of Afghanistan worth one hundredth of an afghani")

    def test_other_counts(self):
        self.assertEqual(g.money_fraction("5 khoums equal 1 ouguiya in Mauritania"),
                         "a coin of Mauritania; 5 of them make one ouguiya")

    def test_other_text_unchanged(self):
        self.assertEqual(g.money_fraction("the basic unit of money in Peru"), "the basic unit of money in Peru")


class Morphology(unittest.TestCase):
    def test_regular_suffixes(self):
        self.assertIn(("cat", "plural"), g.base_forms("cats", {}))
        self.assertIn(("fly", "plural"), g.base_forms("flies", {}))
        self.assertIn(("box", "plural"), g.base_forms("boxes", {}))
        self.assertIn(("bake", "past"), g.base_forms("baked", {}))
        self.assertIn(("run", "ing"), g.base_forms("running", {}))
        self.assertIn(("big", "comparative"), g.base_forms("bigger", {}))
        self.assertIn(("happy", "superlative"), g.base_forms("happiest", {}))

    def test_exception_list_first(self):
        exc = {("went", "v"): ["go"], ("oxen", "n"): ["ox"]}
        self.assertEqual(g.base_forms("went", exc)[0], ("go", "past"))
        self.assertEqual(g.base_forms("oxen", exc)[0], ("ox", "plural"))

    def test_no_self_or_one_letter_base(self):
        for base, _ in g.base_forms("as", {}):
            self.assertGreater(len(base), 1)
        self.assertNotIn(("cats", "plural"), g.base_forms("cats", {}))

    def test_wording(self):
        self.assertEqual(g.inflection_text("plural", "cat", "n"), ("plural of cat", "n"))
        self.assertEqual(g.inflection_text("plural", "ask", "v"), ("3rd person singular present of ask", "v"))
        self.assertEqual(g.inflection_text("past", "go", "v"), ("past tense of go", "v"))
        self.assertEqual(g.inflection_text("plural", "ef", "letter"), ("plural of ef", "n"))
        self.assertIsNone(g.inflection_text("past", "cat", "n"))       # catted is not "past tense of" a noun
        self.assertIsNone(g.inflection_text("comparative", "alien", "n"))


class Synonyms(unittest.TestCase):
    def test_abbreviation_is_not_a_synonym(self):
        self.assertTrue(g.is_abbreviation("gal", "gallon"))
        self.assertFalse(g.is_abbreviation("boast", "brag"))
        self.assertFalse(g.is_abbreviation("aura", "halo"))


class TwoLetterTable(unittest.TestCase):
    def test_all_96_built_in_words(self):
        self.assertEqual(len(g.TWO_LETTER_POS), 96)
        self.assertEqual(sum(1 for p in g.TWO_LETTER_POS.values() if p == "unit"), 2)


class IrregularPast(unittest.TestCase):
    def test_participles_are_told_from_past_tenses(self):
        self.assertEqual(g.past_text("seen", "see"), "past participle of see")
        self.assertEqual(g.past_text("sewn", "sew"), "past participle of sew")
        self.assertEqual(g.past_text("lain", "lie"), "past participle of lie")
        self.assertEqual(g.past_text("ran", "run"), "past tense of run")
        self.assertEqual(g.past_text("spun", "spin"), "past tense of spin")
        self.assertEqual(g.past_text("shorn", "shear"), "past participle of shear")
        self.assertEqual(g.inflection_text("past", "see", "v", "seen"), ("past participle of see", "v"))


class NamedSense(unittest.TestCase):
    def test_verb_form_names_the_first_verb_sense(self):
        self.assertEqual(g.pick_sense("a false statement; to say what is false", "v"), "to say what is false")

    def test_noun_form_skips_verb_senses_and_the_also_label(self):
        self.assertEqual(g.pick_sense("to strike with the beak; also a unit of dry measure", "n"),
                         "a unit of dry measure")

    def test_labelled_verb_sense_counts_as_verbal(self):
        self.assertEqual(g.pick_sense("(archaic) to know; also (informal) what", "v"), "(archaic) to know")

    def test_plural_names_a_countable_sense_before_a_stuff(self):
        self.assertEqual(g.pick_sense("a soft silvery metal element that does not rust easily; a metal can", "n"),
                         "a metal can")
        self.assertEqual(g.pick_sense("the fluid that circulates in a plant; also a fool", "n"), "a fool")
        self.assertEqual(g.pick_sense("a sticky substance from some plants; sweetened chewing material; "
                                      "the flesh around the teeth", "n"), "the flesh around the teeth")

    def test_stuff_sense_is_kept_when_no_countable_sense_follows(self):
        self.assertEqual(g.pick_sense("a thick slippery liquid that will not mix with water; petroleum", "n"),
                         "a thick slippery liquid that will not mix with water")

    def test_countable_senses_are_not_taken_for_stuff(self):
        for sense in ("a metal can", "a loose sleeveless robe worn by Arabs", "(British slang) a toilet",
                      "the mole, the chemical unit of amount of substance",
                      "an East Indian shrub whose roots yield a red dye"):
            self.assertFalse(g.is_mass_sense(sense), sense)
        self.assertTrue(g.is_mass_sense("(chemistry) a metallic element with symbol Sn"))

    def test_no_fitting_sense_names_none(self):
        self.assertEqual(g.pick_sense("the letter P; urine", "v"), "")
        self.assertEqual(g.with_sense("past tense of pee", ""), "past tense of pee")

    def test_long_sense_is_cut_at_a_comma_and_never_overflows(self):
        sense = "a unit of weight, " + "x" * 60 + ", " + "y" * 60
        out = g.with_sense("plural of tod", sense)
        self.assertEqual(out, "plural of tod, a unit of weight, " + "x" * 60)
        self.assertLessEqual(len(g.with_sense("plural of tod", "z" * 200)), g.MAX_DEF)

    def test_cut_never_leaves_an_open_bracket(self):
        out = g.with_sense("plural of ell", "the letter L (also, " + "q" * 110 + ")")
        self.assertEqual(out.count("("), out.count(")"))


class FakeWordNet:
    def __init__(self, pos=None, counts=None, exc=None):
        self.pos = pos or {}
        self.counts = counts or {}
        self.exc = exc or {}

    def pos_order(self, word):
        return self.pos.get(word, [])


class FakeGcide:
    def __init__(self, entries=None):
        self.entries = entries or {}


def definer(hand, enable, wn=None, gc=None, overrides=None, expurged=()):
    d = g.Definer.__new__(g.Definer)
    d.enable, d.hand, d.overrides, d.expurged = set(enable), hand, overrides or {}, set(expurged)
    d.wn, d.gc, d.cache, d.real, d.base_of = wn or FakeWordNet(), gc or FakeGcide(), {}, {}, {}
    return d


class DefinerRules(unittest.TestCase):
    def test_hand_line_wins(self):
        d = definer({"cats": ("a written line", "n", "")}, ["cat", "cats"])
        self.assertEqual(d.define("cats"), ("a written line", "n", ""))

    def test_word_with_senses_of_its_own_needs_a_written_line(self):
        # news is no "plural of new": a word the dictionaries define gets no template
        wn = FakeWordNet(pos={"news": ["n"], "new": ["a"]}, counts={("news", "n"): 30})
        d = definer({"new": ("recently made", "adj", "")}, ["new", "news"], wn=wn)
        self.assertIsNone(d.define("news"))

    def test_dictionary_article_also_needs_a_written_line(self):
        gc = FakeGcide({"tref": [("adj", "")]})
        self.assertIsNone(definer({}, ["tref"], gc=gc).define("tref"))

    def test_single_sense_base_is_not_named(self):
        d = definer({"cat": ("a small furry pet", "n", "")}, ["cat", "cats"])
        self.assertEqual(d.define("cats"), ("plural of cat", "n", ""))

    def test_several_senses_name_the_one_inflected(self):
        hand = {"peck": ("a unit of dry measure; also to strike with the beak", "unit", "")}
        d = definer(hand, ["peck", "pecked", "pecks"])
        self.assertEqual(d.define("pecked")[0], "past tense of peck, to strike with the beak")
        self.assertEqual(d.define("pecks")[0], "plural of peck, a unit of dry measure")

    def test_adjective_base_names_no_noun_sense(self):
        d = definer({"bad": ("of poor quality; wicked", "adj", "")}, ["bad", "bads"])
        self.assertEqual(d.define("bads"), ("plural of bad", "n", ""))

    def test_chain_of_inflections_ends_at_a_written_definition(self):
        gc = FakeGcide({"wot": [("form:past", "weet")]})
        hand = {"weet": ("(archaic) to know", "v", "")}
        d = definer(hand, ["weet", "wot", "wots", "wotted"], gc=gc)
        self.assertEqual(d.define("wot")[0], "(archaic) past tense of weet")      # weet has one sense
        self.assertEqual(d.define("wots")[0], "3rd person singular present of wot, (archaic) to know")

    def test_plural_of_a_stuff_names_the_countable_sense(self):
        hand = {"tin": ("a soft silvery metal element that does not rust easily; a metal can", "n", "")}
        d = definer(hand, ["tin", "tins"])
        self.assertEqual(d.define("tins")[0], "plural of tin, a metal can")

    def test_inflection_of_an_undefined_derivative_names_its_template(self):
        hand = {"meet": ("to come face to face with", "v", "")}
        d = definer(hand, ["meet", "meets", "met", "remeet", "remeets", "remeeting"])
        self.assertEqual(d.define("remeets")[0], "3rd person singular present of remeet, to meet again")

    def test_expurged_base_is_never_named(self):
        d = definer({}, ["shit", "shat", "shits"], expurged={"shit", "shits"})
        self.assertIsNone(d.define("shits"))

    def test_cycle_of_forms_terminates(self):
        gc = FakeGcide({"aa": [("form:past", "bb")], "bb": [("form:past", "aa")]})
        self.assertIsNone(definer({}, ["aa", "bb"], gc=gc).define("aa"))

    def test_old_irregular_past_only_gcide_lists_is_labelled(self):
        hand = {"help": ("to make something easier; to give assistance", "v", ""),
                "sling": ("to throw or hurl", "v", ""), "dip": ("to put briefly into a liquid", "v", "")}
        gc = FakeGcide({"holp": [("form:past", "help")], "slung": [("form:past", "sling")],
                        "dipt": [("form:past", "dip")], "dipped": [("form:past", "dip")]})
        wn = FakeWordNet(exc={("slung", "v"): ["sling"]})
        d = definer(hand, ["help", "holp", "sling", "slung", "dip", "dipt", "dipped"], wn=wn, gc=gc)
        self.assertEqual(d.define("holp")[0], "(archaic) past tense of help, to make something easier")
        self.assertEqual(d.define("dipt")[0], "(archaic) past tense of dip")
        self.assertEqual(d.define("slung")[0], "past tense of sling")        # WordNet's current form
        self.assertEqual(d.define("dipped")[0], "past tense of dip")         # regular

    def test_s_form_of_a_common_noun_and_verb_names_both(self):
        hand = {"bat": ("a club used to hit the ball; a flying mammal; to hit with a club", "n", ""),
                "cat": ("a small furry pet; to vomit", "n", ""),
                "back": ("toward the rear; to support", "adv", "")}
        counts = {("bat", "n"): 9, ("bat", "v"): 4, ("cat", "n"): 20, ("cat", "v"): 0,
                  ("back", "n"): 60, ("back", "v"): 20}
        d = definer(hand, ["bat", "bats", "cat", "cats", "back", "backs"], wn=FakeWordNet(counts=counts))
        self.assertEqual(d.define("bats"), ("plural of bat, a club used to hit the ball; also 3rd person "
                                            "singular present of bat, to hit with a club", "n", ""))
        self.assertEqual(d.define("cats")[0], "plural of cat, a small furry pet")     # the verb is rare
        # back's line has no noun sense to name: "toward the rear" is no plural's sense
        self.assertFalse(d.define("backs")[0].startswith("plural of back, toward"))

    def test_both_uses_fit_the_line_limit(self):
        long_noun = "a " + "very " * 20 + "long thing, kept, and cut"
        hand = {"ply": (long_noun + "; to work at steadily, with diligence", "n", "")}
        counts = {("ply", "n"): 5, ("ply", "v"): 5}
        text = definer(hand, ["ply", "plys"], wn=FakeWordNet(counts=counts)).define("plys")[0]
        self.assertLessEqual(len(text), g.MAX_DEF)
        self.assertIn("; also 3rd person singular present of ply", text)

    def test_comparative_prefers_a_base_our_lines_call_an_adjective(self):
        hand = {"wis": ("(archaic) to know", "v", ""), "wise": ("having good judgment", "adj", "")}
        gc = FakeGcide({"wis": [("adv!", ""), ("v!", "")]})
        d = definer(hand, ["wis", "wise", "wiser"], gc=gc)
        self.assertEqual(d.define("wiser")[0], "comparative of wise")

    def test_plural_of_an_adjective_names_its_noun_sense(self):
        d = definer({"tart": ("sour-tasting; an open pastry case holding fruit", "adj", ""),
                     "bad": ("of poor quality; wicked", "adj", "")}, ["tart", "tarts", "bad", "bads"])
        self.assertEqual(d.define("tarts")[0], "plural of tart, an open pastry case holding fruit")
        self.assertEqual(d.define("bads")[0], "plural of bad")

    def test_a_sense_is_never_cut_inside_a_clause(self):
        sense = "the front of the head, where the eyes, nose and mouth are"
        self.assertEqual(g.with_sense("plural of face", sense, 50), "plural of face, the front of the head")
        self.assertEqual(g.sense_cuts("a club, used to hit, as in cricket"),
                         ["a club, used to hit, as in cricket", "a club, used to hit", "a club", ""])
        self.assertEqual(g.sense_cuts("the word by which a person, place or thing is known"),
                         ["the word by which a person, place or thing is known", ""])

    def test_noun_sense_reads_as_a_noun(self):
        self.assertEqual(g.noun_sense("to run; a spell of running", "v"), "a spell of running")
        self.assertEqual(g.noun_sense("the rear part; to support", "n"), "the rear part")
        self.assertEqual(g.noun_sense("toward the rear; to support", "adv"), "")
        self.assertEqual(g.noun_sense("frozen water; also (informal) diamonds", "n"), "frozen water")


class Fractions(unittest.TestCase):
    def test_fractions_survive_tidying(self):
        self.assertEqual(g.tidy("about 2\u00be pounds"), "about 2\u00be pounds")
        self.assertEqual(g.tidy("caf\u00e9"), "caf")


if __name__ == "__main__":
    unittest.main()
