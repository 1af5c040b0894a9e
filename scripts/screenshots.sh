#!/usr/bin/env bash
# Makes the README's screenshots (docs/screenshots/*.png) by running the real
# program on a virtual X display and driving it with xdotool: the start-up
# screen, the logon, the picture menu, Options and the about box, the tile
# racks in their preview window, the Word Checker (plain and in editor mode),
# Edit Word and the Word Builder, the quiz, printing, and the study window
# (its cardbox, quiz and search) with its lexicons window. Settings and the working folder are
# temporary; the user's own are not touched.
#
# The lexicon loads in a fraction of a second; to catch the start-up screen
# half-way the first run is slowed down with strace, which delays each of the
# program's writes to the X server.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build="${BUILD_DIR:-build}"
out="$root/docs/screenshots"

scripts/install-deps.sh
need=()
for p in xvfb xdotool imagemagick strace poppler-utils qt6ct; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${need[@]}"
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" --target zendraquil zendraquil-lex rack_preview
bin="$root/$build/bin"
[ -d "$bin" ] || bin="$build/bin"

tmp=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$tmp"
}
trap cleanup EXIT

work="$tmp/work"
mkdir -p "$work" "$tmp/config"
lexicon/build.sh -o "$work" -t "$bin/zendraquil-lex" >/dev/null
cp data/*.wordset "$work/"
export XDG_CONFIG_HOME="$tmp/config"
export XDG_RUNTIME_DIR="$tmp/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

display=:${SCREENSHOT_DISPLAY:-97}
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

# The id of the newest visible window with exactly this title, waiting for it.
window() {
    local id=""
    for _ in $(seq 200); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -1 || true)
        [ -n "$id" ] && break
        sleep 0.05
    done
    [ -n "$id" ] || { echo "no window \"$1\"" >&2; exit 1; }
    echo "$id"
}
shot() { # window id, file name
    sleep 0.4
    import -display "$DISPLAY" -window "$1" "$out/$2"
    echo "  $out/$2"
}
# Clicks at a point of a window's client area.
click() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
}
# Escape as a real key press on a window given the focus first: a key sent to
# the window alone may reach the picture menu as well once the window has
# gone, which would end the program.
escape() {
    xdotool windowfocus --sync "$1" 2>/dev/null || true
    sleep 0.2
    xdotool key Escape
}
gone() {
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.05
    done
}

mkdir -p "$out"
echo "Screenshots:"

# 1. The start-up screen, slowed down; then the logon that follows it.
(cd "$work" && exec strace -f -qq -o /dev/null -e trace=writev,sendmsg \
    -e inject=writev,sendmsg:delay_exit=15000 "$bin/zendraquil") &
pids+=($!)
main=$(window "Zendraquil v1.0")
# Wait until the progress bar has moved off its start.
for _ in $(seq 300); do
    import -display "$DISPLAY" -window "$main" "$tmp/probe.png" 2>/dev/null || true
    # The bar's filled part is the selection highlight colour.
    filled=$(convert "$tmp/probe.png" -crop 200x10+12+100 +repage -fill black \
        -fuzz 20% +opaque "#308cc6" -fill white -opaque "#308cc6" -format "%[fx:mean]" info: \
        2>/dev/null || echo 0)
    if awk -v f="$filled" 'BEGIN { exit !(f > 0.3) }'; then break; fi
    sleep 0.1
done
cp "$tmp/probe.png" "$out/startup.png"
echo "  $out/startup.png"
logon=$(window "Zendraquil Logon")
shot "$logon" logon.png
xdotool windowfocus --sync "$logon" 2>/dev/null || click "$logon" 200 40
xdotool key --window "$logon" ctrl+a
xdotool type --window "$logon" "Robin"
xdotool key --window "$logon" Return
gone "Zendraquil Logon"

# 2. The picture menu, with the pointer over the Quiz rack.
main=$(window "Zendraquil v1.0")
xdotool mousemove --window "$main" 48 20
shot "$main" main.png

# 3. Options, then About, each closed again.
click "$main" 333 33
options=$(window "Zendraquil Options")
shot "$options" options.png
xdotool key --window "$options" Escape
gone "Zendraquil Options"
click "$main" 15 106
for _ in $(seq 100); do
    [ "$(xdotool search --onlyvisible --name '^Zendraquil v1.0$' | wc -l)" -ge 2 ] && break
    sleep 0.05
done
about=$(window "Zendraquil v1.0")
shot "$about" about.png
xdotool key --window "$about" Return
sleep 0.3

# 4. Exit through its region: the program ends.
click "$main" 390 110
gone "Zendraquil v1.0"

# 5. The tile racks: type "tax" into the answer, then a refused second x.
"$bin/rack_preview" &
pids+=($!)
racks=$(window "Zendraquil tile racks")
xdotool windowfocus --sync "$racks" 2>/dev/null || true
xdotool type --window "$racks" --delay 80 "taxx"
shot "$racks" tile-racks.png

# 6. The word tools: the Word Checker on a word with alternates, then the
#    Word Builder with the letters AETSMN and the filter " ET ". The logon is
#    skipped from now on; step 7 adds the maintainer's "EditWords".
kill "${pids[-1]}" 2>/dev/null || true
gone "Zendraquil tile racks"
conf="$XDG_CONFIG_HOME/Tarnwick Software/Zendraquil.conf"
ini_set() { # SECTION NAME=VALUE... into the settings file, as a maintainer edits it
    python3 - "$conf" "$@" <<'PY'
import sys, configparser
path, section = sys.argv[1], sys.argv[2]
c = configparser.RawConfigParser()
c.optionxform = str
c.read(path)
if not c.has_section(section):
    c.add_section(section)
for pair in sys.argv[3:]:
    name, value = pair.split("=", 1)
    c.set(section, name, value)
with open(path, "w") as f:
    c.write(f, space_around_delimiters=False)
PY
}
settings() { ini_set Settings "$@"; }
tools_run() { # starts the program and waits for the picture menu
    (cd "$work" && exec "$bin/zendraquil") &
    pids+=($!)
    main=$(window "Zendraquil v1.0")
    sleep 0.5
}
settings NoLogon=1
tools_run
click "$main" 185 40
checker=$(window "Zendraquil Word Checker")
sleep 0.5
xdotool type --window "$checker" --delay 60 "pal"
shot "$checker" word-checker.png
escape "$checker"
gone "Zendraquil Word Checker"
click "$main" 115 72
builder=$(window "Zendraquil Word Builder")
sleep 0.5
xdotool type --window "$builder" --delay 60 "aetsmn"
xdotool key --window "$builder" Tab
xdotool type --window "$builder" --delay 60 " et "
xdotool key --window "$builder" Return Tab Tab Tab Down Up
shot "$builder" word-builder.png
escape "$builder"
gone "Zendraquil Word Builder"
click "$main" 390 110
gone "Zendraquil v1.0"

# 7. Editor mode: the checker with its Edit, Update and Backup buttons, and
#    Edit Word.
settings EditWords=1
tools_run
click "$main" 185 40
checker=$(window "Zendraquil Word Checker")
sleep 0.5
xdotool type --window "$checker" --delay 60 "pal"
shot "$checker" word-checker-editor.png
click "$checker" 594 110 # Edit
edit=$(window "Zendraquil Edit Word")
sleep 0.3
shot "$edit" edit-word.png
escape "$edit"
gone "Zendraquil Edit Word"
escape "$checker"
gone "Zendraquil Word Checker"
click "$main" 390 110
gone "Zendraquil v1.0"

# 8. The quiz: letters mode on the three-letter words, then clue mode with a
#    message strip, a page of the word set wizard and the statistics list.
#    The statistics list shows a few passes written into the settings first.
user_values() { ini_set Robin "$@"; } # into the section of the user Robin
# The quiz window and the strip docked at its bottom, as one picture.
shot_area() { # window id, file name
    sleep 0.4
    eval "$(xdotool getwindowgeometry --shell "$1")"
    import -display "$DISPLAY" -window root -crop "${WIDTH}x$((HEIGHT + 4))+${X}+${Y}" +repage \
        "$out/$2"
    echo "  $out/$2"
}
settings EditWords=0
user_values CannedWordSet=3 Definitions=0 \
    "Score0=jqxzAllAll 3 24 83% 6.25 No" "Score1=jqxzAllColors:_shades_and_hues - 80 91% 4.5 Yes" \
    "Score2=jqxzAllAll 2 96 77% 3.11458 No" ScoreIndex=3
tools_run
click "$main" 48 20
quiz=$(window "Zendraquil Word Quiz \\[jqxzAllAll:3\\]")
sleep 0.5
# Two clicks on dealt tiles type their letters into the answer.
click "$quiz" 71 193
click "$quiz" 187 193
shot "$quiz" quiz-letters.png
click "$quiz" 341 322 # Statistics
stats=$(window "Zendraquil Statistics for Robin")
shot "$stats" statistics.png
xdotool key --window "$stats" Return 2>/dev/null || true
gone "Zendraquil Statistics for Robin"
click "$quiz" 433 322 # Word Sets
wizard=$(window "Zendraquil Word Set Selection \\[Definitions\\]")
sleep 0.3
xdotool key --window "$wizard" alt+n 2>/dev/null || true
wizard=$(window "Zendraquil Word Set Selection \\[Sets\\]")
shot "$wizard" wizard-sets.png
xdotool key --window "$wizard" Escape 2>/dev/null || true
sleep 0.5
xdotool key --window "$quiz" Escape 2>/dev/null || true
sleep 0.5
xdotool key Return
gone "Zendraquil Word Quiz \\[jqxzAllAll:3\\]"
click "$main" 390 110
gone "Zendraquil v1.0"

user_values Definitions=1
tools_run
click "$main" 48 20
quiz=$(window "Zendraquil Word Quiz \\[jqxzAllAll:3\\]")
sleep 0.5
xdotool key --window "$quiz" Return
sleep 0.8
shot_area "$quiz" quiz-clue.png
xdotool key Return
sleep 0.5
xdotool key --window "$quiz" Escape 2>/dev/null || true
sleep 0.5
xdotool key Return
gone "Zendraquil Word Quiz \\[jqxzAllAll:3\\]"
click "$main" 390 110
gone "Zendraquil v1.0"

# 9. Printing the three-letter words as a mini-dictionary: the wizard, the
#    print dialog, its preview; then the same job to a PDF file, whose first
#    page becomes a picture. The print dialog offers a file in the (temporary)
#    home folder, as no printer is installed here.
export HOME="$tmp/home"
mkdir -p "$HOME"
press_until() { # window id, key, title of the window the key brings up
    for _ in $(seq 10); do
        sleep 0.3
        xdotool windowfocus "$1" 2>/dev/null || true
        xdotool key --window "$1" "$2" 2>/dev/null || true
        for _ in $(seq 20); do
            sleep 0.1
            xdotool search --onlyvisible --name "^$3\$" >/dev/null 2>&1 && return 0
        done
    done
    echo "no window \"$3\" after $2" >&2
    exit 1
}
click_until() { # window id, x, y, title of the window the click brings up
    for _ in $(seq 10); do
        sleep 0.3
        click "$1" "$2" "$3" 2>/dev/null || true
        for _ in $(seq 20); do
            sleep 0.1
            xdotool search --onlyvisible --name "^$4\$" >/dev/null 2>&1 && return 0
        done
    done
    echo "no window \"$4\" after a click" >&2
    exit 1
}
print_to() { # the last key in the print dialog: alt+v (preview) or Return
    click_until "$main" 290 100 "Zendraquil Word Set Selection \\[Definitions\\]"
    wizard=$(window "Zendraquil Word Set Selection \\[Definitions\\]")
    press_until "$wizard" alt+n "Zendraquil Word Set Selection \\[Sets\\]"
    wizard=$(window "Zendraquil Word Set Selection \\[Sets\\]")
    press_until "$wizard" alt+f "Print"
    dialog=$(window "Print")
    sleep 0.5
    [ "$1" = alt+v ] && shot "$dialog" print-dialog.png
    xdotool key --window "$dialog" "$1" 2>/dev/null || true
}
tools_run
print_to alt+v
preview=$(window "Zendraquil Print Preview")
sleep 1
shot "$preview" print-preview.png
# A real key press: one sent to the window alone would reach the picture menu
# as well once the preview has gone.
xdotool windowfocus "$preview" 2>/dev/null || true
sleep 0.3
xdotool key Escape
gone "Zendraquil Print Preview"
main=$(window "Zendraquil v1.0")
sleep 0.5
print_to Return
pdf="$HOME/Zendraquil word list.pdf"
for _ in $(seq 100); do [ -s "$pdf" ] && pdfinfo "$pdf" >/dev/null 2>&1 && break; sleep 0.1; done
main=$(window "Zendraquil v1.0")
pdftoppm -f 1 -l 1 -r 70 -png -singlefile "$pdf" "$out/printed-page"
echo "  $out/printed-page.png"
click "$main" 390 110
gone "Zendraquil v1.0"

# 10. Any screen: the picture menu (with the keyboard's mark on Quiz), the
#     Options dialog and the tile racks at 200% scaling, in a dark palette
#     (qt6ct's "darker" colour scheme, as a user of a dark desktop might set).
mkdir -p "$XDG_CONFIG_HOME/qt6ct"
printf '[Appearance]\ncolor_scheme_path=/usr/share/qt6ct/colors/darker.conf\ncustom_palette=true\nstyle=Fusion\n' \
    >"$XDG_CONFIG_HOME/qt6ct/qt6ct.conf"
export QT_SCALE_FACTOR=2 QT_QPA_PLATFORMTHEME=qt6ct
tools_run
xdotool windowfocus "$main" 2>/dev/null || true
sleep 0.3
xdotool key Tab
shot "$main" main-scale2-dark.png
click_until "$main" 666 66 "Zendraquil Options"
options=$(window "Zendraquil Options")
shot "$options" options-scale2-dark.png
xdotool key --window "$options" Escape 2>/dev/null || true
gone "Zendraquil Options"
click "$main" 780 220
gone "Zendraquil v1.0"
"$bin/rack_preview" &
pids+=($!)
racks=$(window "Zendraquil tile racks")
xdotool windowfocus --sync "$racks" 2>/dev/null || true
xdotool type --window "$racks" --delay 80 "tax"
shot "$racks" tile-racks-scale2-dark.png

# 11. The study window at 200% in the same dark palette, on a larger screen
#     of its own: the cardbox with its forecast, a question of the quiz with
#     two words found, and a word search. The lexicon tool fills the cardbox
#     with the 400 likeliest racks of seven and eight letters; their schedule
#     is then spread over the coming weeks as weeks of study would leave it,
#     with AEINRST and a few others due now (AEINRST first).
(cd "$work" && "$bin/zendraquil-lex" study add --user Robin --type anagrams --search \
    --length 7-8 --first 400 >/dev/null)
python3 - "$work"/study/*/anagrams.db <<'PY'
import sqlite3, sys, time
db = sqlite3.connect(sys.argv[1])
now = int(time.time())
rows = [q for (q,) in db.execute("SELECT question FROM questions ORDER BY rowid")]
for i, q in enumerate(rows):
    if q == "AEINRST":
        box, due = 0, now - 7200
    elif i % 40 == 7:
        box, due = 0, now - 3600
    else:
        box = 1 + i % 6
        due = now + 3600 + (i * 7919) % (box * 5 * 86400)
    db.execute("UPDATE questions SET cardbox = ?, next_scheduled = ?, correct = ?, "
               "incorrect = ?, streak = ? WHERE question = ?",
               (box, due, box, 1 if box == 0 else 0, box, q))
db.commit()
PY
big=:$((${SCREENSHOT_DISPLAY:-97} + 1))
Xvfb "$big" -screen 0 1800x1300x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$big
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
tools_run
click_until "$main" 548 60 "Zendraquil Study"
study=$(window "Zendraquil Study")
sleep 0.5
shot "$study" study-cardbox-scale2-dark.png
xdotool key --window "$study" alt+t
sleep 0.5
for word in retains nastier; do
    xdotool type --window "$study" --delay 40 "$word"
    xdotool key --window "$study" Return
done
shot "$study" study-quiz-scale2-dark.png
xdotool key --window "$study" alt+s
sleep 0.3
xdotool key --window "$study" alt+n
xdotool type --window "$study" --delay 40 "aeinrst?"
xdotool key --window "$study" Return
sleep 0.5
shot "$study" study-search-scale2-dark.png
# 12. The lexicons window over it, just after adding a list of the player's
#     own: the ENABLE words in capitals with made-up ones and three bad lines,
#     in UTF-16 with CRLF, as a list exported from elsewhere comes; the new
#     lexicon is taken for the next start.
python3 - "$tmp/club-2026.txt" <<'PY'
import random, sys
words = [w.strip().upper() for w in open("lexicon/enable1.txt")]
rng = random.Random(7)
bag = "AAAAAAAAABBCCDDDDEEEEEEEEEEEEFFGGGHHIIIIIIIIIJKLLLLMMNNNNNNOOOOOOOOPPQRRRRRRSSSSTTTTTTUUUUVVWWXYYZ"
words += ["".join(rng.choice(bag) for _ in range(rng.randint(5, 9))) for _ in range(4000)]
words[100:100] = ["QI", "ZA", "KI CK", "ÆON", "1234"]
open(sys.argv[1], "w", encoding="utf-16", newline="\r\n").write("\n".join(words) + "\n")
PY
geometry=$(xdotool getwindowgeometry --shell "$study")
width=$(echo "$geometry" | sed -n 's/^WIDTH=//p')
click_until "$study" $((width - 90)) 40 "Zendraquil Lexicons"
lexicons=$(window "Zendraquil Lexicons")
xdotool key --window "$lexicons" alt+f
xdotool type --window "$lexicons" --delay 10 "$tmp/club-2026.txt"
xdotool key --window "$lexicons" alt+n
xdotool key --window "$lexicons" Return
sleep 0.5
gone "Zendraquil Adding a Lexicon"
question=$(window "Zendraquil")
xdotool windowfocus --sync "$question" 2>/dev/null || true
sleep 0.2
xdotool key Return
gone "Zendraquil"
sleep 0.5
shot "$lexicons" lexicons-scale2-dark.png
escape "$lexicons"
gone "Zendraquil Lexicons"
escape "$study"
gone "Zendraquil Study"
click "$main" 780 220
gone "Zendraquil v1.0"
