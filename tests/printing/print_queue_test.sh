#!/usr/bin/env bash
# print_queue_test.sh <build folder> <printing_tests.exe>
# Starts a CUPS scheduler of its own (its own configuration, spool and socket under the
# build folder; no system service is touched) with one queue whose backend turns each
# job into a PDF, lets the program print 45 merged address labels through that queue
# from a Wine prefix of its own, and checks the PDF: two pages (30 labels, then 15) and
# each record's text on its page.
# Exit 77 (shown as skipped) where the scheduler is missing or cannot start.
set -uo pipefail
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
ROOT="$(cd "$HERE/../.." && pwd)"
BUILD="$(cd "$1" && pwd)"
PROGRAM="$(cd "$(dirname "$2")" && pwd)/$(basename "$2")"
QUEUE=Stickwell_Test_PDF
RECORDS=45

skip() { echo "SKIPPED: $*"; exit 77; }
for c in cupsd lpadmin lpstat gs pdfinfo pdftotext; do
    command -v "$c" >/dev/null || [ -x "/usr/sbin/$c" ] ||
        skip "$c is not installed (bash scripts/setup.sh installs cups-daemon, cups-core-drivers, cups-client, ghostscript, poppler-utils)"
done
CUPSD=$(command -v cupsd || echo /usr/sbin/cupsd)
LPADMIN=$(command -v lpadmin || echo /usr/sbin/lpadmin)

work="$BUILD/printing_test"
rm -rf "$work"
mkdir -p "$work"/{conf,spool,tmp,state,cache,logs,out,docs,bin/backend}
chmod 755 "$work" "$work/bin" "$work/bin/backend"
chmod 1777 "$work/tmp" "$work/out"
sock="$work/cups.sock"
export CUPS_SERVER="$sock"

# The scheduler's programs are the system's, except the backend: a PDF per job.
for d in /usr/lib/cups/*; do
    [ "$(basename "$d")" = backend ] || ln -s "$d" "$work/bin/$(basename "$d")"
done
cat > "$work/bin/backend/stickwellpdf" <<'EOF'
#!/bin/sh
# Backend of the test queue: the job (PostScript) as a PDF in the folder of the URI.
if [ $# -eq 0 ]; then
    echo 'file stickwellpdf "Unknown" "Stickwell test PDF"'
    exit 0
fi
out="${DEVICE_URI#stickwellpdf:}"
gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=pdfwrite -sOutputFile="$out/job-$1.pdf.part" "${6:--}" || exit 1
mv "$out/job-$1.pdf.part" "$out/job-$1.pdf"
EOF
# Not executable by others: the scheduler runs it as its own user, who may write the output.
chmod 700 "$work/bin/backend/stickwellpdf"

group=$(id -gn)
cat > "$work/conf/cups-files.conf" <<EOF
ServerRoot $work/conf
ServerBin $work/bin
DataDir /usr/share/cups
DocumentRoot /usr/share/cups/doc-root
RequestRoot $work/spool
TempDir $work/tmp
StateDir $work/state
CacheDir $work/cache
ErrorLog $work/logs/error_log
AccessLog $work/logs/access_log
PageLog $work/logs/page_log
Printcap $work/printcap
SystemGroup $group
FileDevice No
EOF
cat > "$work/conf/cupsd.conf" <<EOF
Listen $sock
LogLevel warn
Browsing No
BrowseLocalProtocols none
DefaultShared No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF

"$CUPSD" -f -c "$work/conf/cupsd.conf" -s "$work/conf/cups-files.conf" >"$work/logs/cupsd.out" 2>&1 &
cupsd_pid=$!
cleanup() {
    [ -z "${WINESERVER:-}" ] || "$WINESERVER" -k >/dev/null 2>&1 || true
    kill "$cupsd_pid" 2>/dev/null
    wait "$cupsd_pid" 2>/dev/null
}
trap cleanup EXIT
for _ in $(seq 1 40); do
    lpstat -r >/dev/null 2>&1 && break
    kill -0 "$cupsd_pid" 2>/dev/null || break
    sleep 0.25
done
if ! lpstat -r >/dev/null 2>&1; then
    cat "$work/logs/cupsd.out" "$work/logs/error_log" 2>/dev/null | tail -5
    skip "the CUPS scheduler does not start here"
fi
echo "scheduler: $sock"

failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

# The scheduler answers lpstat a moment before it takes administrative requests on its
# socket ("Unable to connect to server"): those wait for it, any other refusal fails.
add_queue() {
    "$LPADMIN" -p "$QUEUE" -E -v "stickwellpdf:$work/out" -P "$HERE/generic.ppd" \
        -D "Stickwell test PDF" && "$LPADMIN" -d "$QUEUE"
}
added=0
for _ in $(seq 1 40); do
    if out=$(add_queue 2>&1); then
        added=1
        break
    fi
    case "$out" in
        *"Unable to connect"*) sleep 0.25 ;;
        *) break ;;
    esac
done
if [ $added -eq 0 ]; then
    echo "$out"
    tail -5 "$work/logs/error_log"
    echo "FAILED: the queue cannot be added"
    exit 1
fi
lpstat -p "$QUEUE"

# The publication and its records.
cp "$HERE/merge_labels.labf" "$work/docs/Merge Labels.labf"
{
    echo "Name,Street,Town"
    for ((k = 1; k <= RECORDS; k++)); do
        echo "Customer $k,$k Harbour Street,Town $k"
    done
} | sed 's/$/\r/' > "$work/docs/records.csv"

# A Wine prefix of the printing tests: Wine takes the queues from the scheduler named
# by CUPS_SERVER.
export HOME="$BUILD/printing_home"
mkdir -p "$HOME"
export WINEPREFIX_OVERRIDE="$BUILD/wineprefix-printing"
source "$ROOT/scripts/wineenv.sh"
ensure_prefix
set_graphics_driver null
doc="Z:${work//\//\\}\\docs\\Merge Labels.labf"
(cd "$work/docs" && STICKWELL_PRINT_QUEUE="$QUEUE" STICKWELL_PRINT_DOC="$doc" \
    "$WINE" "$PROGRAM" --gtest_color=no) || fail "the print program"

# The job through the queue.
for _ in $(seq 1 120); do
    [ -z "$(lpstat -o "$QUEUE" 2>/dev/null)" ] && ls "$work"/out/*.pdf >/dev/null 2>&1 && break
    sleep 0.5
done
pdfs=("$work"/out/*.pdf)
if [ ! -f "${pdfs[0]}" ]; then
    tail -20 "$work/logs/error_log" 2>/dev/null
    fail "no PDF came out of the queue"
else
    [ ${#pdfs[@]} -eq 1 ] || fail "${#pdfs[@]} PDFs for one print"
    pdf="${pdfs[0]}"
    pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
    sheets=$(( (RECORDS + 29) / 30 ))
    [ "$pages" = "$sheets" ] && echo "ok: $pages pages for $RECORDS labels, 30 a sheet" ||
        fail "$pages pages for $RECORDS labels (expected $sheets)"
    for ((p = 1; p <= sheets; p++)); do
        pdftotext -f $p -l $p "$pdf" "$work/page$p.txt"
    done
    missing=0
    for ((k = 1; k <= RECORDS; k++)); do
        p=$(( (k - 1) / 30 + 1 ))
        for text in "Customer $k" "$k Harbour Street" "Town $k"; do
            if ! grep -qw -- "$text" "$work/page$p.txt"; then
                fail "record $k: \"$text\" is not on page $p"
                missing=$((missing + 1))
            fi
        done
        n=$(cat "$work"/page*.txt | grep -ow -- "Customer $k" | wc -l)
        [ "$n" = 1 ] || fail "record $k: \"Customer $k\" printed $n times"
    done
    ((missing)) || echo "ok: every record's name, street and town on its page"
fi
if [ -e "$work/docs/FILE:" ]; then
    fail "a print job wrote a file named FILE: into the current folder"
fi

if ((failures)); then
    echo "$failures check(s) failed"
    exit 1
fi
echo "printing: all checks passed"
