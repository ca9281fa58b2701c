#!/usr/bin/env bash
# A stand-in for a UCI engine: fake_uci_engine.sh MODE [DELAY]. Its lines score the position
# by the number of moves in its "position" command, so that a test can tell the lines of one
# position from another's. Modes:
#   ok       answers as an engine does
#   slow     answers uci, isready and stop after DELAY seconds
#   noready  never answers isready
#   garbage  prints lines that do not read after the second line of a search
#   crash    ends with a segmentation fault after two lines of its first search
#   nostop   ignores stop and quit
# A search of "go infinite" runs until stop; any other ends with bestmove after its third line.
mode=${1:-ok}
delay=${2:-0}
moves=0
searching=0
depth=0
partial=

say() { printf '%s\n' "$*"; }
answer() {
  if [ "$mode" = slow ]; then sleep "$delay"; fi
  say "$@"
}
info() {
  depth=$((depth + 1))
  say "info depth $depth seldepth $depth multipv 1 score cp $moves nodes $((depth * 1000)) nps 50000 time $((depth * 20))"
}

while :; do
  if [ "$searching" = 1 ]; then
    # A timeout may fall inside a line (a loaded machine): its start is kept for the next read.
    IFS= read -r -t 0.02 chunk
    status=$?
    line="$partial$chunk"
    partial=
    if [ "$status" != 0 ]; then
      [ "$status" -gt 128 ] || exit 0 # end of input
      partial=$line
      info
      if [ "$limited" = 1 ] && [ "$mode" != nostop ] && [ "$depth" -ge 3 ]; then
        searching=0
        say "bestmove (none)"
        continue
      fi
      if [ "$mode" = crash ] && [ "$depth" -ge 2 ]; then kill -SEGV $$; fi
      if [ "$mode" = garbage ] && [ "$depth" = 2 ]; then
        say "info depth x score cp 5"
        printf '\001\377 binary\n'
        head -c 70000 /dev/zero | tr '\0' g
        say ''
        say "info depth 3 score cp 7 pv z9z9"
      fi
      continue
    fi
  else
    IFS= read -r line || exit 0
  fi
  case "$line" in
  uci)
    say "id name Fake UCI $mode"
    say "option name Hash type spin default 16 min 1 max 1024"
    answer uciok
    ;;
  isready)
    if [ "$mode" != noready ]; then answer readyok; fi
    ;;
  "position "*)
    moves=0
    counting=0
    for word in $line; do
      if [ "$counting" = 1 ]; then moves=$((moves + 1)); fi
      if [ "$word" = moves ]; then counting=1; fi
    done
    ;;
  "go "*)
    searching=1
    limited=1
    if [ "$line" = "go infinite" ]; then limited=0; fi
    depth=0
    info
    ;;
  stop)
    if [ "$mode" != nostop ] && [ "$searching" = 1 ]; then
      searching=0
      answer "bestmove (none)"
    fi
    ;;
  quit)
    if [ "$mode" != nostop ]; then exit 0; fi
    ;;
  esac
done
