"""Tests of the provenance check's matching rule (no dictionary data needed).

    python3 -m unittest discover -s lexicon -p 'test_*.py'
"""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import provenance as pv  # noqa: E402

GLOSS = [("gloss", "a unit of length equal to one thousandth of an inch; \"the wire is 20 mils thick\"")]


class CopiedText(unittest.TestCase):
    def test_equal_after_case_and_punctuation(self):
        self.assertIn("equals", pv.copied("A unit of length, equal to one thousandth of an inch; \"the wire is "
                                          "20 mils thick\".", GLOSS))

    def test_contained_in_a_longer_gloss(self):
        self.assertIn("contained", pv.copied("equal to one thousandth of an inch", GLOSS))

    def test_shared_run_of_six_words(self):
        why = pv.copied("a small measure: just equal to one thousandth of an inch, used for wire", GLOSS)
        self.assertIsNotNone(why)
        self.assertIn("shares \"equal to one thousandth of an\"", why)

    def test_run_of_five_words_passes(self):
        # "equal to one thousandth of" is five words shared, one short of a run
        self.assertIsNone(pv.copied("a measure of wire, equal to one thousandth of the width of a finger", GLOSS))

    def test_short_stock_phrases_pass(self):
        self.assertIsNone(pv.copied("a unit of length", GLOSS))             # four words, inside the gloss
        self.assertIsNone(pv.copied("the letter P", [("gloss", "the letter P")]))

    def test_any_source_may_match(self):
        sources = [("first", "nothing alike here at all"), ("second", "a stiff hair or bristle")]
        self.assertIn("second", pv.copied("A stiff hair, or bristle.", sources))

    def test_own_wording_passes(self):
        self.assertIsNone(pv.copied("a unit of length, a thousandth of an inch", GLOSS))


class Words(unittest.TestCase):
    def test_markup_and_apostrophes(self):
        self.assertEqual(pv.words_of("The {earth's} [Obs.] crust--see Soil."),
                         ["the", "earths", "obs", "crust", "see", "soil"])

    def test_fractions_are_words(self):
        self.assertEqual(pv.words_of("about 2\u00be pounds"), ["about", "2\u00be", "pounds"])

    def test_contains_needs_whole_words(self):
        self.assertFalse(pv.contains(["an", "inch", "thick"], ["inc"]))
        self.assertTrue(pv.contains(["an", "inch", "thick"], ["inch", "thick"]))


if __name__ == "__main__":
    unittest.main()
