#!/usr/bin/env python3
"""Writes the opening book of tools/match_engines/match.sh: the standard start of the 7x7
game, then every position three plies after it that PC Velmistr scores as balanced.

    make_openings.py TOMELIN_CLI [--depth D] [--margin CENTI] [--seed N] > openings_3ply.txt

Every 3-ply line from the start is played out here; positions that are mirror images of one
another (the start is unchanged by a half turn and by the two diagonal reflections) are
kept once. Each is scored by `TOMELIN_CLI moves --fen F --strength 4 --depth D` from the
side to move; those within MARGIN hundredths of a token of level are written, one FEN a
line, in a seeded random order so that the first few dozen already cover many openings.
"""

import argparse
import random
import subprocess
import sys

N = 7
START = "x5o/7/7/7/7/7/o5x x 0 1"


def read_fen(fen):
    rows, turn, half, full = fen.split()
    grid = []
    for row in rows.split("/"):
        line = []
        for ch in row:
            if ch.isdigit():
                line.extend("." * int(ch))
            else:
                line.append(ch)
        grid.append(line)
    return grid, turn, int(half), int(full)


def write_fen(grid, turn, half, full):
    rows = []
    for line in grid:
        out, free = "", 0
        for ch in line:
            if ch == ".":
                free += 1
                continue
            if free:
                out += str(free)
                free = 0
            out += ch
        if free:
            out += str(free)
        rows.append(out)
    return "/".join(rows) + f" {turn} {half} {full}"


def moves(grid, turn):
    """Every distinct move of `turn`: one copy per target, one jump per source and target."""
    copies, jumps = set(), []
    for r in range(N):
        for f in range(N):
            if grid[r][f] != turn:
                continue
            for dr in range(-2, 3):
                for df in range(-2, 3):
                    tr, tf = r + dr, f + df
                    if (dr, df) == (0, 0) or not (0 <= tr < N and 0 <= tf < N):
                        continue
                    if grid[tr][tf] != ".":
                        continue
                    if max(abs(dr), abs(df)) == 1:
                        copies.add((tr, tf))
                    else:
                        jumps.append(((r, f), (tr, tf)))
    return [(None, t) for t in sorted(copies)] + jumps


def play(grid, turn, move):
    g = [line[:] for line in grid]
    src, (tr, tf) = move
    if src is not None:
        g[src[0]][src[1]] = "."
    g[tr][tf] = turn
    them = "o" if turn == "x" else "x"
    for dr in (-1, 0, 1):
        for df in (-1, 0, 1):
            r, f = tr + dr, tf + df
            if 0 <= r < N and 0 <= f < N and g[r][f] == them:
                g[r][f] = turn
    return g


def canonical(grid):
    """The same board under every symmetry that leaves the start unchanged; the least."""
    images = [
        grid,
        [[grid[N - 1 - r][N - 1 - f] for f in range(N)] for r in range(N)],
        [[grid[f][r] for f in range(N)] for r in range(N)],
        [[grid[N - 1 - f][N - 1 - r] for f in range(N)] for r in range(N)],
    ]
    return min("".join("".join(line) for line in g) for g in images)


def lines_of_three():
    grid, turn, _, _ = read_fen(START)
    seen = {}
    for m1 in moves(grid, "x"):
        g1 = play(grid, "x", m1)
        for m2 in moves(g1, "o"):
            g2 = play(g1, "o", m2)
            for m3 in moves(g2, "x"):
                g3 = play(g2, "x", m3)
                # Clock: jumps since the last copy.
                half = 0
                for m in (m1, m2, m3):
                    half = 0 if m[0] is None else half + 1
                key = canonical(g3)
                if key not in seen:
                    seen[key] = write_fen(g3, "o", half, 2)
    return sorted(seen.values())


def score(tomelin, fen, depth):
    out = subprocess.run([tomelin, "moves", "--fen", fen, "--strength", "4", "--depth", str(depth)],
                         check=True, capture_output=True, text=True).stdout
    words = out.split()
    if "score" not in words:
        raise SystemExit(f"no score for {fen}: {out!r}")
    return int(words[words.index("score") + 1])


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("tomelin")
    parser.add_argument("--depth", type=int, default=5)
    parser.add_argument("--margin", type=int, default=150)
    parser.add_argument("--seed", type=int, default=25)
    args = parser.parse_args()
    candidates = lines_of_three()
    kept = [fen for fen in candidates if abs(score(args.tomelin, fen, args.depth)) <= args.margin]
    random.Random(args.seed).shuffle(kept)
    print(f"{len(candidates)} positions after 3 plies, {len(kept)} within {args.margin}",
          file=sys.stderr)
    print(START)
    for fen in kept:
        print(fen)


if __name__ == "__main__":
    main()
