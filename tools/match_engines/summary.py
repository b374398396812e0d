#!/usr/bin/env python3
"""Summary of a match from its PGN, from one engine's side.

    summary.py GAMES.pgn ENGINE [LABEL]

Prints the games, wins, draws and losses of ENGINE, its score with a 95 % interval (Wilson's,
with a draw as half a win: it stays sensible at 0 % and 100 % and is, with draws, a little
wide rather than too narrow), the Elo difference that score stands for with the interval's
ends converted alike (none at 0 % or 100 %), and the games the manager decided itself (time, illegal
moves, length), by reason.
"""

import math
import re
import sys

TAG = re.compile(r'^\[(\w+) "(.*)"\]\s*$')


def games(path):
    """The tags of every game in the file."""
    tags = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            m = TAG.match(line)
            if m:
                if m.group(1) == "Event" and tags:
                    yield tags
                    tags = {}
                tags[m.group(1)] = m.group(2)
    if tags:
        yield tags


def elo(score):
    if score <= 0:
        return "-inf"
    if score >= 1:
        return "+inf"
    value = round(-400 * math.log10(1 / score - 1))
    return f"{value:+d}"


def wilson(score, n, z=1.96):
    centre = (score + z * z / (2 * n)) / (1 + z * z / n)
    half = z / (1 + z * z / n) * math.sqrt(score * (1 - score) / n + z * z / (4 * n * n))
    return max(centre - half, 0.0), min(centre + half, 1.0)


def summarise(path, engine):
    wins = draws = losses = 0
    adjudicated = {}
    for g in games(path):
        if engine not in (g.get("Black"), g.get("White")):
            continue
        result = g.get("Result", "*")
        if result == "1/2-1/2":
            draws += 1
        elif result in ("1-0", "0-1"):
            winner = g.get("Black") if result == "1-0" else g.get("White")
            if winner == engine:
                wins += 1
            else:
                losses += 1
        else:
            continue
        if "Adjudicated" in g:
            adjudicated[g["Adjudicated"]] = adjudicated.get(g["Adjudicated"], 0) + 1
    return wins, draws, losses, adjudicated


def report(wins, draws, losses, adjudicated, engine, label=""):
    n = wins + draws + losses
    if n == 0:
        return f"{engine}: no finished games\n"
    score = (wins + 0.5 * draws) / n
    low, high = wilson(score, n)
    lines = [
        f"{engine}{' (' + label + ')' if label else ''}",
        f"games {n}  W/D/L {wins}/{draws}/{losses}",
        f"score {100 * score:.1f} %  95 % interval {100 * low:.1f} .. {100 * high:.1f} %",
        f"Elo {elo(score)}  95 % interval {elo(low)} .. {elo(high)}",
    ]
    if adjudicated:
        lines.append("decided by the manager: " +
                     ", ".join(f"{reason} {count}" for reason, count in sorted(adjudicated.items())))
    return "\n".join(lines) + "\n"


def main():
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    path, engine = sys.argv[1], sys.argv[2]
    label = sys.argv[3] if len(sys.argv) == 4 else ""
    sys.stdout.write(report(*summarise(path, engine), engine, label))


if __name__ == "__main__":
    main()
