# End to end: the build installs every file in its place, under --prefix and DESTDIR alike; the
# programs, built or installed and moved, find their pictures from any folder; a missing picture
# is a warning; the man page names what --help names. Needs neither root nor a mount.
source "$(dirname "$0")/e2e_lib.sh"
prefix=$KESTREL_INSTALL_PREFIX  # the one the build was configured with
repository=$(cd "$(dirname "$0")/../.." && pwd)
built_report="$(dirname "$KESTREL")/kestrel-report"

cmake --install "$KESTREL_BUILD_DIR" --prefix "$WORK/prefix" >/dev/null
for file in bin/kestrel bin/kestrel-report share/kestrel/images/tmu{0,1,2,3}.png \
            share/doc/kestrel/{README.md,LICENSE} share/man/man1/kestrel{,-report}.1.gz; do
  [ -f "$WORK/prefix/$file" ] || fail "--prefix installed no $file"
done
echo "ok: cmake --install --prefix installs every file in its place"

DESTDIR="$WORK/stage" cmake --install "$KESTREL_BUILD_DIR" >/dev/null
diff <(cd "$WORK/prefix" && find . | sed "s|^\.|.$prefix|" | sort) \
     <(cd "$WORK/stage" && find ".$prefix" | sort) >&2 ||
  fail "DESTDIR staged another tree than --prefix installed"
[ -z "$(cd "$WORK/stage" && find . -path ".$prefix" -prune -o -type f -print)" ] ||
  fail "DESTDIR staged files outside $prefix"
echo "ok: DESTDIR stages the same tree under $prefix"

# The staged tree moved to a prefix of its own, the others gone: only its share/kestrel/images
# holds the pictures it can find.
mv "$WORK/stage$prefix" "$WORK/moved"
rm -rf "$WORK/stage" "$WORK/prefix"
mkdir "$WORK/empty"
(cd "$WORK/empty" && exec "$WORK/moved/bin/kestrel" >"$WORK/out" 2>"$WORK/err") &
KESTREL_PID=$!
close_kestrel "$(wait_for_window Kestrel)"
! grep . "$WORK/err" >&2 || fail "the moved kestrel reported the lines above"
echo "ok: the installed kestrel, moved to another prefix, finds its pictures from an empty folder"

# Runs kestrel-report $1 from folder $2 into $WORK/$3 with small settings; fails unless it warns
# on exactly $4 lines (default none).
report_from() {
  (cd "$2" && GALLIUM_DRIVER=llvmpipe "$1" --out "$WORK/$3" --angles 0 --aniso 1 --repeats 1) \
    2>"$WORK/err" || fail "$1 from $2 failed: $(cat "$WORK/err")"
  [ "$(grep -ic "warning\|cannot open" "$WORK/err")" -eq "${4:-0}" ] ||
    fail "$1 from $2 warned otherwise: $(cat "$WORK/err")"
}
report_from "$built_report" "$(dirname "$built_report")" own
for folder in / /tmp "$repository" "$WORK/empty"; do
  report_from "$built_report" "$folder" from
  cmp "$WORK/own/panels.png" "$WORK/from/panels.png" || fail "panels.png differs from $folder"
done
report_from "$WORK/moved/bin/kestrel-report" / moved
cmp "$WORK/own/panels.png" "$WORK/moved/panels.png" ||
  fail "the moved kestrel-report draws otherwise"
echo "ok: kestrel-report draws the same panels.png from any folder, installed or built"

# Without unit 2's picture, unit 2 shows unit 1's: said on stderr, in report.md and report.json.
rm "$WORK/moved/share/kestrel/images/tmu2.png"
report_from "$WORK/moved/bin/kestrel-report" "$WORK/empty" missing 1  # and no unprefixed line
warning='"tmu2.png" is in none of the data folders: unit 2 shows the picture of unit 1'
grep -qxF "kestrel-report: warning: $warning" "$WORK/err" || fail "no warning: $(cat "$WORK/err")"
grep -qxF -- "- $warning" "$WORK/missing/report.md" || fail "report.md has no warning"
python3 - "$WORK/missing/report.json" "$warning" <<'PY' || fail "report.json has no warning"
import json, sys
assert json.load(open(sys.argv[1]))["warnings"] == [sys.argv[2]]
PY
! cmp -s "$WORK/own/panels.png" "$WORK/missing/panels.png" || fail "panels.png shows no change"
echo "ok: a missing picture is a warning on stderr, in report.md and in report.json"

# Option names (the first column of --help) and exit statuses, as --help and the man page say.
"$WORK/moved/bin/kestrel-report" --help >"$WORK/help"
help_says() {
  awk '/^  -/ { sub(/,$/, "", $1); print $1; if ($2 ~ /^-/) print $2 }' "$WORK/help"
  tr '\n' ' ' <"$WORK/help" | sed 's/.*Exit status://' | grep -oE '(^ |, )[0-9]+' | tr -d ' ,'
}
# The first line after each .TP of the OPTIONS and EXIT STATUS sections.
man_says() {
  zcat "$WORK/moved/share/man/man1/kestrel-report.1.gz" | sed 's/\\-/-/g' | awk '
    /^\.SH/ { section = $0 }
    after_tp && section ~ /OPTIONS/ { for (i = 2; i <= NF; ++i) if ($i ~ /^-/) print $i }
    after_tp && section ~ /EXIT STATUS/ { print $2 }
    { after_tp = /^\.TP/ }' | sort
}
diff <(help_says | sort) <(man_says) >&2 || fail "kestrel-report --help and its man page differ"
[ "$(man_says | wc -l)" -ge 8 ] || fail "too few options and statuses read: $(man_says)"
echo "ok: kestrel-report's man page names the options and exit statuses of its --help"
