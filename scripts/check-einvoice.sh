#!/usr/bin/env bash
# Checks every *.xml in a folder as an e-invoice: the CII D16B schema (xmllint), the EN 16931 rules
# (Saxon) and, for files named *-xrechnung.xml, the XRechnung rules. Saxon runs once per rule set over
# the whole folder, since compiling a stylesheet takes seconds and checking a file a fraction of one.
# Every <n>.pdf there is checked as a Factur-X invoice: qpdf --check clean, the attached factur-x.xml
# byte for byte <n>.xml, the XMP packet with PDF/A-3b and the Factur-X entries.
#
# Usage: scripts/check-einvoice.sh [--xrechnung-all | --en16931-only] [--warnings-pass] [--artefacts DIR]
#        FOLDER
#   (default)        every file: schema and EN 16931; *-xrechnung.xml also XRechnung
#   --xrechnung-all  every file also against the XRechnung rules (the official XRechnung examples)
#   --en16931-only   no file against the XRechnung rules
#   --warnings-pass  warnings are printed but do not count (invoices that are not ours: the official
#                    XRechnung examples carry warnings of the EN 16931 rules)
#   --artefacts DIR  where the schema and stylesheets lie (default: tests/einvoice of this repository)
# A failed assert counts when its flag is absent, fatal, error or warning (a warning is what a
# receiving system may reject); information does not.
# Prints each failure as "file: rule: text" (a warning as "file: rule (warning): text") and a summary;
# exits 0 when all passed, 1 when anything failed, 2 when the check itself could not run.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

artefacts=$root/tests/einvoice
xrechnung=named
warningsCount=yes
folder=
while [ $# -gt 0 ]; do
    case $1 in
    --xrechnung-all) xrechnung=all ;;
    --en16931-only) xrechnung=none ;;
    --warnings-pass) warningsCount=no ;;
    --artefacts)
        artefacts=${2:-}
        shift
        ;;
    -h | --help)
        sed -n '2,20p' "$0" | sed 's/^# \{0,1\}//'
        exit 0
        ;;
    -*)
        echo "check-einvoice: unknown option $1" >&2
        exit 2
        ;;
    *) folder=$1 ;;
    esac
    shift
done
[ -n "$folder" ] && [ -d "$folder" ] || {
    echo "check-einvoice: no folder given (or not a folder): '$folder'" >&2
    exit 2
}

schema=$artefacts/cii-xsd/CrossIndustryInvoice_100pD16B.xsd
en16931=$artefacts/EN16931-CII-validation.xslt
xrrules=$artefacts/XRechnung-CII-validation.xsl
saxon=${SAXON_JAR:-/usr/share/java/Saxon-HE.jar}
for f in "$schema" "$en16931" "$xrrules" "$saxon"; do
    [ -f "$f" ] || {
        echo "check-einvoice: missing $f" >&2
        exit 2
    }
done
for tool in xmllint java qpdf; do
    command -v $tool >/dev/null || {
        echo "check-einvoice: $tool not found" >&2
        exit 2
    }
done

shopt -s nullglob
files=("$folder"/*.xml)
if [ ${#files[@]} -eq 0 ]; then
    echo "check-einvoice: no *.xml in $folder" >&2
    exit 2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
fail() {
    echo "$1"
    failures=$((failures + 1))
}

# The schema: one xmllint call for all files; it names every file that fails.
xmllint --noout --schema "$schema" "${files[@]}" >"$work/schema.log" 2>&1
for f in "${files[@]}"; do
    if ! grep -qxF "$f validates" "$work/schema.log"; then
        fail "$(basename "$f"): schema: $(grep -F "$f:" "$work/schema.log" | head -3 | tr '\n' ' ')"
    fi
done
schemaFailures=$failures

# Runs a stylesheet over the files given (linked into a folder of their own) and reports every failed
# assert that counts. $1: rule set name, $2: stylesheet, rest: files.
runRules() {
    local name=$1 xsl=$2
    shift 2
    local in=$work/$name-in out=$work/$name-out
    mkdir -p "$in" "$out"
    for f in "$@"; do
        ln -s "$(cd "$(dirname "$f")" && pwd)/$(basename "$f")" "$in/$(basename "$f")"
    done
    java -cp "$saxon" net.sf.saxon.Transform -s:"$in" -xsl:"$xsl" -o:"$out" >"$work/$name.log" 2>&1
    local asserts='//*[local-name()="failed-assert"]'
    local counted="$asserts[not(@flag) or @flag=\"fatal\" or @flag=\"error\" or @flag=\"warning\"]"
    for f in "$@"; do
        local base report n i flag text
        base=$(basename "$f")
        report=$out/$base
        if [ ! -s "$report" ]; then
            fail "$base: $name: no report ($(grep -m1 -i error "$work/$name.log"))"
            continue
        fi
        n=$(xmllint --xpath "count($counted)" "$report" 2>/dev/null)
        for ((i = 1; i <= ${n:-0}; i++)); do
            flag=$(xmllint --xpath "string(($counted)[$i]/@flag)" "$report")
            text="$(xmllint --xpath "string(($counted)[$i]/@id)" "$report")"
            [ "$flag" = warning ] && text+=" (warning)"
            text+=": $(xmllint --xpath "normalize-space(($counted)[$i]/*[local-name()=\"text\"])" "$report")"
            if [ "$flag" = warning ] && [ $warningsCount = no ]; then
                echo "$base: $text (not counted)"
            else
                fail "$base: $text"
            fi
        done
    done
}

runRules EN16931 "$en16931" "${files[@]}"
en16931Failures=$((failures - schemaFailures))

xrfiles=()
case $xrechnung in
all) xrfiles=("${files[@]}") ;;
named) xrfiles=("$folder"/*-xrechnung.xml) ;;
esac
if [ ${#xrfiles[@]} -gt 0 ]; then
    runRules XRechnung "$xrrules" "${xrfiles[@]}"
fi
xrFailures=$((failures - schemaFailures - en16931Failures))

# The PDFs: qpdf's own check, the attachment, and the XMP entries a PDF/A-3b Factur-X invoice carries
# (the packet stands unfiltered in the file).
pdfs=("$folder"/*.pdf)
checkPdf() {
    local f=$1 base xml entry value
    base=$(basename "$f")
    xml=${f%.pdf}.xml
    if ! qpdf --check "$f" >"$work/qpdf.log" 2>&1; then
        fail "$base: qpdf: $(grep -iv '^checking\|^PDF Version\|^File is\|^R = \|^P = ' "$work/qpdf.log" | head -2 | tr '\n' ' ')"
    fi
    qpdf --show-attachment=factur-x.xml "$f" >"$work/attached.xml" 2>/dev/null
    if [ ! -f "$xml" ] || ! cmp -s "$work/attached.xml" "$xml"; then
        fail "$base: attachment: factur-x.xml is not $(basename "$xml")"
    fi
    LC_ALL=C sed -n '/<?xpacket begin=/,/<?xpacket end=/{s/\(<?xpacket end=[^>]*>\).*/\1/;p}' "$f" >"$work/xmp.xml"
    # One xmllint call reads all six entries, each followed by "|".
    local entries=(part=3 conformance=B DocumentType=INVOICE DocumentFileName=factur-x.xml Version=1.0
        "ConformanceLevel=EN 16931") xpath="concat(''" values i
    for entry in "${entries[@]}"; do
        xpath+=",string(//*[local-name()='Description']/*[local-name()='${entry%%=*}']),'|'"
    done
    IFS='|' read -r -a values <<<"$(xmllint --xpath "$xpath)" "$work/xmp.xml" 2>/dev/null)"
    for i in "${!entries[@]}"; do
        entry=${entries[$i]}
        value=${values[$i]:-}
        [ "$value" = "${entry#*=}" ] || fail "$base: XMP: ${entry%%=*} is '$value', not '${entry#*=}'"
    done
}
before=$failures
for f in "${pdfs[@]}"; do
    checkPdf "$f"
done
pdfFailures=$((failures - before))

pdfSummary=
[ ${#pdfs[@]} -eq 0 ] || pdfSummary="; ${#pdfs[@]} PDFs, $pdfFailures failures"
echo "check-einvoice: ${#files[@]} files (${#xrfiles[@]} with XRechnung rules):" \
    "schema $schemaFailures, EN 16931 $en16931Failures, XRechnung $xrFailures failures$pdfSummary"
[ $failures -eq 0 ]
