#!/usr/bin/env python3
"""Checks of the engine-match tools: the opening generator's rules against tomelin-cli's
perft, its mirror images, and the match summary's counting and interval.

    match_engines_test.py TOMELIN_CLI
"""

import os
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools", "match_engines"))

import make_openings  # noqa: E402
import summary  # noqa: E402

TOMELIN = None


def perft(fen, depth):
    out = subprocess.run([TOMELIN, "perft", "--fen", fen, "--depth", str(depth)],
                         check=True, capture_output=True, text=True).stdout
    return int(out)


def count_lines(grid, turn, depth):
    if depth == 0:
        return 1
    them = "o" if turn == "x" else "x"
    return sum(count_lines(make_openings.play(grid, turn, m), them, depth - 1)
               for m in make_openings.moves(grid, turn))


class Openings(unittest.TestCase):
    def test_move_rules_agree_with_perft(self):
        # Start, a position with holes and captures, one where a side has few moves (the
        # generator knows no pass: none happens within three plies of the start).
        cases = ((make_openings.START, 3), ("x1o4/1-1o3/2x4/3-3/1o5/5x1/o4xx x 0 4", 3),
                 ("xxxxxxo/xxxxxxx/xxxxxx1/xxxxxxx/xxxxxxx/xxxxxxx/xxxxxx1 o 0 30", 2))
        for fen, deepest in cases:
            grid, turn, _, _ = make_openings.read_fen(fen)
            for depth in range(1, deepest + 1):
                with self.subTest(fen=fen, depth=depth):
                    self.assertEqual(count_lines(grid, turn, depth), perft(fen, depth))

    def test_fen_round_trip(self):
        fen = "x1o4/1-1o3/2x4/3-3/1o5/5x1/o4xx o 3 7"
        self.assertEqual(make_openings.write_fen(*make_openings.read_fen(fen)), fen)

    def test_mirror_images_share_one_key_and_other_boards_do_not(self):
        grid, _, _, _ = make_openings.read_fen("x5o/1x5/7/7/7/7/o5x o 0 1")
        n = make_openings.N
        half_turn = [[grid[n - 1 - r][n - 1 - f] for f in range(n)] for r in range(n)]
        diagonal = [[grid[f][r] for f in range(n)] for r in range(n)]
        key = make_openings.canonical(grid)
        self.assertEqual(make_openings.canonical(half_turn), key)
        self.assertEqual(make_openings.canonical(diagonal), key)
        # A left-right mirror swaps the colours of the start's corners: another opening.
        left_right = [line[::-1] for line in grid]
        self.assertNotEqual(make_openings.canonical(left_right), key)


def pgn(games):
    text = ""
    for black, white, result in games:
        text += (f'[Event "t"]\n[Black "{black}"]\n[White "{white}"]\n[Result "{result}"]\n\n'
                 f"1. b6 {result}\n\n")
    return text


class Summary(unittest.TestCase):
    def summarise(self, games):
        with tempfile.NamedTemporaryFile("w", suffix=".pgn", delete=False) as f:
            f.write(pgn(games))
        try:
            return summary.summarise(f.name, "T")
        finally:
            os.unlink(f.name)

    def test_results_count_from_the_named_engines_side_whatever_its_colour(self):
        games = [("T", "E", "1-0"), ("E", "T", "1-0"), ("E", "T", "0-1"), ("T", "E", "1/2-1/2"),
                 ("E", "T", "*"), ("A", "B", "1-0")]
        wins, draws, losses, _ = self.summarise(games)
        self.assertEqual((wins, draws, losses), (2, 1, 1))

    def test_score_interval_and_elo(self):
        text = summary.report(6, 0, 2, {}, "T")
        self.assertIn("W/D/L 6/0/2", text)
        self.assertIn("score 75.0 %", text)
        self.assertIn("Elo +191", text)
        # Wilson's interval for 6 of 8.
        self.assertIn("interval 40.9 .. 92.9 %", text)
        level = summary.report(5, 10, 5, {}, "T")
        self.assertIn("score 50.0 %", level)
        self.assertIn("Elo +0 ", level)

    def test_a_clean_sweep_has_no_finite_elo_but_a_finite_interval_end(self):
        text = summary.report(0, 0, 10, {"Out of time": 2}, "T")
        self.assertIn("Elo -inf", text)
        self.assertIn("interval 0.0 .. 27.8 %", text)
        self.assertIn("Out of time 2", text)


if __name__ == "__main__":
    TOMELIN = sys.argv.pop(1)
    unittest.main()
