#!/usr/bin/env bash
# The disc image and the signing of make iso and make sign (tools/disc-image), on copies of the
# sample disc. One test per run:
#   test-image.sh TEST SOURCE_DIR DISC_DIR CHECK_PROGRAM WORK_DIR
# reproducible  two copies of the disc, with other dates, permissions and folder names, give
#               the same image bytes; SOURCE_DATE_EPOCH sets the image's dates
# label         the volume label comes from autorun.inf or LABEL; the image's autorun.inf is the
#               disc's; a folder without one gets one; a wrong one, or errors found by
#               discmenu-check, are refused unless forced
# signed        a throwaway certificate made here with openssl signs Install.exe and a setup
#               program with SHA-1 and nested SHA-256 signatures, timestamped by a timestamp
#               server on this machine; osslsigncode verifies both, discmenu-check --release finds
#               nothing to say, and the image carries the signed bytes
# make_values   make iso and make sign with a back-quote or $(...) in CERT, DISC, LABEL,
#               TIMESTAMP and PROGRAMS, and in autorun.inf's label=: nothing in them runs, and the
#               error names the value; PASS_FILE gives the password without PASS
set -euo pipefail
test=${1:?usage: test-image.sh TEST SOURCE_DIR DISC_DIR CHECK_PROGRAM WORK_DIR}
source_dir=${2:?}
sample=${3:?}
check=${4:?}
work=${5:?}
tools=$source_dir/tools/disc-image
rm -rf "$work"
mkdir -p "$work"

failed=0
expect() { # expect WHAT ACTUAL EXPECTED
    if [ "$2" != "$3" ]; then
        printf 'FAILED: %s: got "%s", expected "%s"\n' "$1" "$2" "$3" >&2
        failed=1
    fi
}
copy_disc() { cp -r "$sample" "$1"; }
# What xorriso reports of the image $1 (the Joliet tree, which Windows reads).
xorriso_of() {
    local image=$1
    shift
    xorriso -no_rc -local_charset UTF-8 -read_fs norock -indev "$image" "$@" 2>/dev/null
}
pvd() { xorriso_of "$1" -pvd_info | sed -n "s/^$2 *: //p"; }
extract() { xorriso_of "$1" -osirrox on -extract "$2" "$3" >/dev/null; }

case $test in
reproducible)
    copy_disc "$work/one"
    copy_disc "$work/other name"
    find "$work/other name" -exec touch -d '2031-05-06 07:08:09' {} +
    chmod -R go-rwx "$work/other name"
    "$tools/make-iso.sh" "$work/one" "$work/one.iso"
    "$tools/make-iso.sh" "$work/other name" "$work/other.iso" >/dev/null
    cmp "$work/one.iso" "$work/other.iso" || { echo "FAILED: the images differ" >&2; failed=1; }
    expect "creation date" "$(pvd "$work/one.iso" "Creation Time")" 2000010100000000
    SOURCE_DATE_EPOCH=1765324800 "$tools/make-iso.sh" "$work/one" "$work/dated.iso" >/dev/null
    expect "creation date from SOURCE_DATE_EPOCH" "$(pvd "$work/dated.iso" "Creation Time")" \
        2025121000000000
    expect "a file's date" "$(xorriso_of "$work/dated.iso" -lsdl /Install.exe | awk '{print $6, $7, $8}')" \
        "Dec 10 2025"
    ;;
label)
    copy_disc "$work/disc"
    "$tools/make-iso.sh" --check "$check" "$work/disc" "$work/disc.iso"
    expect "volume label from autorun.inf" "$(pvd "$work/disc.iso" "Volume Id")" Ormix-Designer
    extract "$work/disc.iso" /autorun.inf "$work/autorun.inf"
    cmp "$work/autorun.inf" "$work/disc/autorun.inf" ||
        { echo "FAILED: the image's autorun.inf is not the disc's" >&2; failed=1; }
    "$tools/make-iso.sh" --label Other-Label "$work/disc" "$work/other.iso" >/dev/null
    expect "volume label given" "$(pvd "$work/other.iso" "Volume Id")" Other-Label

    # A folder without autorun.inf: refused without a label, given one with it.
    rm "$work/disc/autorun.inf"
    if "$tools/make-iso.sh" "$work/disc" "$work/none.iso" 2>"$work/error"; then
        echo "FAILED: an image without a label" >&2
        failed=1
    fi
    grep -q "has no autorun.inf: give a label" "$work/error" || { cat "$work/error"; failed=1; }
    "$tools/make-iso.sh" --label New-Disc "$work/disc" "$work/new.iso" >/dev/null
    extract "$work/new.iso" /autorun.inf "$work/new-autorun.inf"
    expect "written autorun.inf" "$(cat "$work/new-autorun.inf")" \
        "$(printf '[autorun]\r\nopen=Install.exe\r\nicon=Install.exe,0\r\nlabel=New-Disc\r')"
    expect "its volume label" "$(pvd "$work/new.iso" "Volume Id")" New-Disc

    # An autorun.inf that starts another program, and a disc with errors: refused unless forced.
    printf '[AutoRun]\r\nopen=Setup.exe\r\nlabel=X\r\n' >"$work/disc/autorun.inf"
    "$tools/make-iso.sh" "$work/disc" "$work/wrong.iso" 2>"$work/error" && failed=1
    grep -q 'opens "Setup.exe", not Install.exe' "$work/error" || { cat "$work/error"; failed=1; }
    cp "$sample/autorun.inf" "$work/disc/autorun.inf"
    rm "$work/disc/Disk1/setup.exe"
    "$tools/make-iso.sh" --check "$check" "$work/disc" "$work/errors.iso" >/dev/null \
        2>"$work/error" && failed=1
    grep -q "finds errors" "$work/error" || { cat "$work/error"; failed=1; }
    [ ! -e "$work/errors.iso" ] || { echo "FAILED: an image of a disc with errors" >&2; failed=1; }
    "$tools/make-iso.sh" --check "$check" --force "$work/disc" "$work/errors.iso" >/dev/null
    [ -s "$work/errors.iso" ] || { echo "FAILED: no image with --force" >&2; failed=1; }
    ;;
signed)
    copy_disc "$work/disc"
    cd "$work"
    openssl req -x509 -newkey rsa:2048 -nodes -keyout signer.key -out signer.crt -days 2 \
        -subj "/CN=Throwaway Publisher" -addext extendedKeyUsage=codeSigning 2>/dev/null
    openssl pkcs12 -export -inkey signer.key -in signer.crt -passout pass:s3cret -out signer.pfx
    # A timestamp server on this machine: openssl answers each request with its own certificate.
    openssl req -x509 -newkey rsa:2048 -nodes -keyout tsa.key -out tsa.crt -days 2 \
        -subj "/CN=Throwaway Timestamps" -addext "extendedKeyUsage=critical,timeStamping" 2>/dev/null
    echo 01 >tsa.serial
    printf '%s\n' '[tsa]' 'default_tsa = here' '[here]' 'serial = tsa.serial' \
        'signer_cert = tsa.crt' 'signer_key = tsa.key' 'signer_digest = sha256' \
        'default_policy = 1.2.3.4.1' 'digests = sha1, sha256' 'ess_cert_id_chain = no' >tsa.cnf
    python3 -c '
import http.server, subprocess, sys
class Server(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        query = self.rfile.read(int(self.headers["Content-Length"]))
        reply = subprocess.run(["openssl", "ts", "-reply", "-config", "tsa.cnf", "-queryfile",
                                "/dev/stdin", "-out", "/dev/stdout"], input=query,
                               capture_output=True, check=True).stdout
        self.send_response(200)
        self.send_header("Content-Type", "application/timestamp-reply")
        self.send_header("Content-Length", str(len(reply)))
        self.end_headers()
        self.wfile.write(reply)
    def log_message(self, *args):
        pass
server = http.server.HTTPServer(("127.0.0.1", 0), Server)
print(server.server_port, flush=True)
server.serve_forever()' >tsa.port &
    server=$!
    trap 'kill $server 2>/dev/null || true' EXIT
    for _ in $(seq 50); do [ -s tsa.port ] && break; sleep 0.1; done
    url=http://127.0.0.1:$(cat tsa.port)

    status=0
    "$check" --release disc >unsigned.txt || status=$?
    expect "check of the unsigned disc" "$status $(grep -c '(unsigned)$' unsigned.txt)" "1 1"
    PASS=s3cret "$tools/sign.sh" --timestamp "$url" disc signer.pfx 'Disk1\setup.exe'
    for program in Install.exe Disk1/setup.exe; do
        verified=$(osslsigncode verify -in "disc/$program" -CAfile signer.crt -TSA-CAfile tsa.crt 2>&1) ||
            { printf '%s\n' "$verified" | tail -n 5; failed=1; }
        expect "$program: digests" "$(grep -o 'Message digest algorithm  : .*' <<<"$verified" | tr -s ' ')" \
            "$(printf 'Message digest algorithm : SHA1\nMessage digest algorithm : SHA256')"
        expect "$program: verified timestamps" \
            "$(grep -c 'Timestamp Server Signature verification: ok' <<<"$verified")" 2
        expect "$program: verified signatures" \
            "$(grep -o 'Number of verified signatures: [0-9]*' <<<"$verified")" \
            "Number of verified signatures: 2"
    done
    status=0
    output=$("$check" --release disc) || status=$?
    expect "check of the signed disc" "$status $output" \
        "0 Checked 6 language files and 12 pages: 0 errors, 0 warnings."
    "$tools/make-iso.sh" disc signed.iso >/dev/null
    extract signed.iso /Install.exe image-Install.exe
    cmp image-Install.exe disc/Install.exe ||
        { echo "FAILED: the image's Install.exe is not the signed one" >&2; failed=1; }
    if PASS=wrong "$tools/sign.sh" disc signer.pfx 2>error.txt; then
        echo "FAILED: signed with a wrong password" >&2
        failed=1
    fi
    grep -q "cannot sign" error.txt || { cat error.txt; failed=1; }
    ;;
make_values)
    copy_disc "$work/disc"
    cd "$work"
    openssl req -x509 -newkey rsa:2048 -nodes -keyout signer.key -out signer.crt -days 2 \
        -subj "/CN=Throwaway Publisher" -addext extendedKeyUsage=codeSigning 2>/dev/null
    openssl pkcs12 -export -inkey signer.key -in signer.crt -passout pass:s3cret -out signer.pfx
    # make as a user runs it, but with the disc given (so that it builds nothing) and its
    # prerequisites taken as made.
    run_make() { # run_make TARGET VARIABLE=VALUE ...
        make -s -C "$source_dir" -o deps -o linux -o disc -o mingw "LINUX=$(dirname "$check")" "$@" \
            >make.out 2>make.err
    }
    refused() { # refused WHAT VALUE TARGET VARIABLE=VALUE ...: fails, names VALUE, runs nothing
        local what=$1 value=$2 status=0
        shift 2
        run_make "$@" || status=$?
        if [ "$status" -eq 0 ]; then
            echo "FAILED: $what: make $* succeeded" >&2
            failed=1
        fi
        grep -qF -- "${value%% *}" make.err || { echo "FAILED: $what: the error does not name the value" >&2; cat make.err >&2; failed=1; }
        for ran in ran-*; do
            [ ! -e "$ran" ] || { echo "FAILED: $what: a value ran ($ran)" >&2; failed=1; rm -f "$ran"; }
        done
    }
    for value in "\`touch $work/ran-backquote\`" "\$(touch $work/ran-dollar)" "x'\`touch $work/ran-quote\`'"; do
        refused "LABEL $value" "$value" iso "DISC=$work/disc" "LABEL=$value" "ISO=$work/x.iso"
        refused "DISC $value" "$value" iso "DISC=$value" "ISO=$work/x.iso"
        refused "DISC $value" "$value" sign "DISC=$value" "CERT=$work/signer.pfx"
        refused "CERT $value" "$value" sign "CERT=$value" "DISC=$work/disc"
        refused "CERT $value, for make iso" "$value" iso "CERT=$value" "DISC=$work/disc" \
            "ISO=$work/x.iso"
        refused "TIMESTAMP $value" "$value" sign "TIMESTAMP=http://127.0.0.1/$value" \
            "CERT=$work/signer.pfx" "DISC=$work/disc" PASS=s3cret
        refused "PROGRAMS $value" "$value" sign "PROGRAMS=$value" "CERT=$work/signer.pfx" \
            "DISC=$work/disc" PASS=s3cret
    done
    [ ! -e x.iso ] || { echo "FAILED: an image was made" >&2; failed=1; }
    expect "the disc is unsigned still" "$(osslsigncode extract-signature -in disc/Install.exe \
        -out old.p7 >/dev/null 2>&1 && echo signed || echo unsigned)" unsigned

    # autorun.inf's label= is checked as LABEL is.
    cp disc/autorun.inf autorun.keep
    sed -i "s|^label=.*|label=\`touch $work/ran-autorun\`\r|" disc/autorun.inf
    "$tools/make-iso.sh" disc x.iso 2>make.err && failed=1
    grep -q "is not 1 to 32 letters" make.err || { cat make.err; failed=1; }
    [ ! -e ran-autorun ] || { echo "FAILED: autorun.inf's label ran" >&2; failed=1; }
    cp autorun.keep disc/autorun.inf

    # The password from a file, and through the quoted values a blank and a quote in a folder.
    mkdir -p "it's here"
    cp -r disc "it's here/the disc"
    printf 's3cret\n' >password.txt
    run_make sign "DISC=$work/it's here/the disc" "CERT=$work/signer.pfx" \
        "PASS_FILE=$work/password.txt" "PROGRAMS=Disk1/setup.exe" || { cat make.err; failed=1; }
    for program in Install.exe Disk1/setup.exe; do
        osslsigncode verify -in "it's here/the disc/$program" -CAfile signer.crt >/dev/null 2>&1 ||
            { echo "FAILED: $program is not signed with the password from the file" >&2; failed=1; }
    done
    printf 'wrong\n' >password.txt
    run_make sign "DISC=$work/it's here/the disc" "CERT=$work/signer.pfx" \
        "PASS_FILE=$work/password.txt" &&
        { echo "FAILED: signed with a wrong password from the file" >&2; failed=1; }
    grep -q "cannot" make.err || { cat make.err; failed=1; }
    ;;
*)
    echo "test-image.sh: no test $test" >&2
    exit 2
    ;;
esac
[ "$failed" -eq 0 ] && echo "PASSED: $test"
exit "$failed"
