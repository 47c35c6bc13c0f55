# End to end: the build installs the programs, pictures, docs and man pages in their places,
# under --prefix and staged under DESTDIR alike; the installed kestrel finds its pictures from
# an empty folder; kestrel-report's man page names the options and exit statuses of its --help.
# Needs root, for a private mount.
source "$(dirname "$0")/e2e_lib.sh"
prefix=$KESTREL_INSTALL_PREFIX  # the one the build was configured with

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

# The staged tree takes the prefix's place in a mount namespace of kestrel's own.
mkdir "$WORK/empty"
unshare --mount sh -c 'mount --bind "$1" "$2" && cd "$3" && exec "$2/bin/kestrel"' sh \
  "$WORK/stage$prefix" "$prefix" "$WORK/empty" >"$WORK/out" 2>"$WORK/err" &
KESTREL_PID=$!
close_kestrel "$(wait_for_window Kestrel)"
! grep . "$WORK/err" >&2 || fail "the installed kestrel reported the lines above"
echo "ok: the installed kestrel finds its pictures from an empty folder"

# Option names (the first column of --help) and exit statuses, as --help and the man page say.
"$WORK/prefix/bin/kestrel-report" --help >"$WORK/help"
help_says() {
  awk '/^  -/ { sub(/,$/, "", $1); print $1; if ($2 ~ /^-/) print $2 }' "$WORK/help"
  tr '\n' ' ' <"$WORK/help" | sed 's/.*Exit status://' | grep -oE '(^ |, )[0-9]+' | tr -d ' ,'
}
# The first line after each .TP of the OPTIONS and EXIT STATUS sections.
man_says() {
  zcat "$WORK/prefix/share/man/man1/kestrel-report.1.gz" | sed 's/\\-/-/g' | awk '
    /^\.SH/ { section = $0 }
    after_tp && section ~ /OPTIONS/ { for (i = 2; i <= NF; ++i) if ($i ~ /^-/) print $i }
    after_tp && section ~ /EXIT STATUS/ { print $2 }
    { after_tp = /^\.TP/ }' | sort
}
diff <(help_says | sort) <(man_says) >&2 || fail "kestrel-report --help and its man page differ"
[ "$(man_says | wc -l)" -ge 8 ] || fail "too few options and statuses read: $(man_says)"
echo "ok: kestrel-report's man page names the options and exit statuses of its --help"
