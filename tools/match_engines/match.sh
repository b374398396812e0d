#!/bin/sh
# Plays Tomelin's engine (`tomelin-cli uai`) against another engine of the standard 7x7 game
# that speaks the UAI protocol, with the tournament manager cuteataxx, from the standard start
# and the balanced 3-ply openings of openings_3ply.txt, every opening with both colours.
# Writes the games as PGN and a summary: wins, draws and losses of Tomelin, its score with a
# 95 % interval, and the Elo difference with its interval.
#
#   tools/match_engines/match.sh [options] ENGINE [ENGINE ARGUMENTS...]
#
# Options:
#   --games N          games in all (default 200; two per opening)
#   --movetime MS      fixed time a move (default 100)
#   --tc MS+INC        a clock instead: MS for the game plus INC a move, in milliseconds
#   --tomelin PATH     the tomelin-cli to play (default build/tomelin-cli)
#   --tomelin-args S   its arguments (default "uai"); e.g. another binary's for new vs old
#   --name NAME        the opponent's name in the PGN (default: the engine's file name)
#   --openings FILE    one FEN a line (default tools/match_engines/openings_3ply.txt)
#   --out DIR          where the PGN, the log and the summary go (default match-engines/)
#   --cuteataxx PATH   the manager (default $CUTEATAXX, else cuteataxx-cli on the PATH)
#   --slack MS         how late a move may come before the manager calls it a loss on time
#                      (default 50; more on a busy machine, where a process can wait that
#                      long for a processor and games are otherwise lost on time by chance)
#
# The manager and the opponents are built by the developer outside this repository and
# outside CI. cuteataxx (MIT) needs Boost, nlohmann-json and its companion library libataxx:
#   sudo apt-get install libboost-dev nlohmann-json3-dev
#   git clone https://github.com/kz04px/libataxx; git clone https://github.com/kz04px/cuteataxx
#   cmake -S cuteataxx -B cuteataxx/build -DCMAKE_BUILD_TYPE=Release
#   cmake --build cuteataxx/build            # gives cuteataxx/build/cuteataxx-cli
# (cuteataxx fetches libataxx, json and doctest itself; offline, point
# -DFETCHCONTENT_FULLY_DISCONNECTED=ON -DFETCHCONTENT_SOURCE_DIR_LIBATAXX=<libataxx clone> and
# the json and doctest ones at local copies.) An opponent, for example AtaxxDotCpp 1.17:
#   git clone https://github.com/GediminasMasaitis/AtaxxDotCpp; git -C AtaxxDotCpp checkout 1.17
#   cmake -S AtaxxDotCpp/src -B AtaxxDotCpp/build -DCMAKE_BUILD_TYPE=Release
#   cmake --build AtaxxDotCpp/build
#   tools/match_engines/match.sh --tc 10000+100 AtaxxDotCpp/build/AtaxxDotCpp
# (that version knows no "go movetime", hence a clock). `make match-engines ENGINE=...` does
# the same after building tomelin-cli. Games are played one at a time: two engines on a busy
# machine measure the machine.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)

games=200
movetime=100
tc=
tomelin=$root/build/tomelin-cli
tomelin_args=uai
name=
openings=$here/openings_3ply.txt
out=match-engines
cuteataxx=${CUTEATAXX:-$(command -v cuteataxx-cli || true)}
slack=50

usage() {
    sed -n '9,23p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
}

while [ $# -gt 0 ]; do
    case $1 in
        --games) games=$2; shift 2 ;;
        --movetime) movetime=$2; tc=; shift 2 ;;
        --tc) tc=$2; shift 2 ;;
        --tomelin) tomelin=$2; shift 2 ;;
        --tomelin-args) tomelin_args=$2; shift 2 ;;
        --name) name=$2; shift 2 ;;
        --openings) openings=$2; shift 2 ;;
        --out) out=$2; shift 2 ;;
        --cuteataxx) cuteataxx=$2; shift 2 ;;
        --slack) slack=$2; shift 2 ;;
        -h | --help) usage ;;
        --) shift; break ;;
        -*) echo "match.sh: unknown option $1" >&2; usage ;;
        *) break ;;
    esac
done
[ $# -ge 1 ] || { echo "match.sh: name the opposing engine" >&2; usage; }

engine=$1
shift
engine_args="$*"
case $engine in /*) ;; *) engine=$(cd "$(dirname "$engine")" && pwd)/$(basename "$engine") ;; esac
case $tomelin in /*) ;; *) tomelin=$(cd "$(dirname "$tomelin")" && pwd)/$(basename "$tomelin") ;; esac
[ -n "$name" ] || name=$(basename "$engine")
case $games in '' | *[!0-9]*) echo "match.sh: --games wants a number, not '$games'" >&2; exit 2 ;; esac
case $slack in '' | *[!0-9]*) echo "match.sh: --slack wants a number of milliseconds, not '$slack'" >&2; exit 2 ;; esac

[ -x "$tomelin" ] || { echo "match.sh: no tomelin-cli at $tomelin (make build)" >&2; exit 2; }
[ -x "$engine" ] || { echo "match.sh: $engine is not an executable" >&2; exit 2; }
[ -n "$cuteataxx" ] && [ -x "$cuteataxx" ] || {
    echo "match.sh: no cuteataxx-cli (give --cuteataxx PATH or set CUTEATAXX; see this script's header)" >&2
    exit 2
}
[ -s "$openings" ] || { echo "match.sh: no openings in $openings" >&2; exit 2; }

if [ -n "$tc" ]; then
    case $tc in
        *+*) time_ms=${tc%%+*}; inc_ms=${tc#*+} ;;
        *) time_ms=$tc; inc_ms=0 ;;
    esac
    timecontrol="\"time\": $time_ms, \"increment\": $inc_ms"
    label="clock ${time_ms} ms + ${inc_ms} ms"
else
    timecontrol="\"movetime\": $movetime"
    label="$movetime ms a move"
fi

mkdir -p "$out"
out=$(cd "$out" && pwd)
tomelin_name=Tomelin
[ "$name" != Tomelin ] || tomelin_name=Tomelin-A

json_string() { printf '%s' "$1" | sed 's/\\/\\\\/g; s/"/\\"/g'; }

cat > "$out/settings.json" <<JSON
{
  "games": $games,
  "concurrency": 1,
  "ratinginterval": 10,
  "verbose": false,
  "debug": false,
  "colour1": "Black",
  "colour2": "White",
  "tournament": "roundrobin",
  "print_early": true,
  "adjudicate": { "gamelength": 400, "timeout_buffer": $slack },
  "openings": { "path": "$(json_string "$openings")", "repeat": true, "shuffle": false },
  "timecontrol": { $timecontrol },
  "pgn": { "enabled": true, "verbose": true, "override": true,
           "path": "$(json_string "$out/games.pgn")", "event": "Tomelin vs $(json_string "$name"), $label" },
  "engines": [
    { "name": "$tomelin_name", "path": "$(json_string "$tomelin")", "protocol": "UAI",
      "arguments": "$(json_string "$tomelin_args")" },
    { "name": "$(json_string "$name")", "path": "$(json_string "$engine")", "protocol": "UAI",
      "arguments": "$(json_string "$engine_args")" }
  ]
}
JSON

echo "match.sh: $games games, $label, $tomelin_name vs $name; log in $out/cuteataxx.log" >&2
(cd "$out" && "$cuteataxx" settings.json) > "$out/cuteataxx.log" 2>&1 || {
    echo "match.sh: cuteataxx failed; the end of its log:" >&2
    tail -n 20 "$out/cuteataxx.log" >&2
    exit 1
}
python3 "$here/summary.py" "$out/games.pgn" "$tomelin_name" "$label" | tee "$out/summary.txt"
