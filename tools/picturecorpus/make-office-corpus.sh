#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Brushbox and Twinturn developers
# Makes the office corpus: drawings written by LibreOffice Draw as Windows metafiles, each with
# LibreOffice's own drawing of that metafile as the reference picture; and LibreOffice's drawings
# of the project writer's samples (picturecorpus write), a second reference beside libwmf. Needs
# LibreOffice, ImageMagick and a build of the picturecorpus tool; run by hand again when the
# drawings or the samples change. The results are kept in the repository, so the tests do not
# need LibreOffice.
#   tools/picturecorpus/make-office-corpus.sh [CORPUS]   (default platform/tests/corpus)
#   BUILD_DIR   the build folder with bin/picturecorpus (default build)
#   ONLY        make only the drawing of this name (and not the writer's samples)
set -eu
cd "$(dirname "$0")/../.."
corpus=${1:-platform/tests/corpus}
out=$corpus/office
work=$(mktemp -d)
[ -n "${KEEP:-}" ] || trap 'rm -rf "$work"' EXIT
mkdir -p "$out"
convert=/usr/bin/convert
[ -x "$convert" ] || convert=convert

# A small picture to embed, as base64.
$convert -size 48x32 gradient:orange-navy -fill white -draw "circle 24,16 24,6" png:"$work/p.png"
picture=$(base64 -w0 "$work/p.png")

# drawing NAME PAGE_WIDTH_CM PAGE_HEIGHT_CM [drawing]: the automatic styles and the page's content
# come in on standard input, separated by a line holding only "--". With "drawing" the reference is
# LibreOffice's picture of the drawing itself, for drawings whose metafile LibreOffice reads back
# wrongly.
drawing() {
    name=$1
    if [ -n "${ONLY:-}" ] && [ "$ONLY" != "$name" ]; then
        cat >/dev/null
        return
    fi
    awk -v styles="$work/styles" -v body="$work/body" 'BEGIN { f = styles } /^--$/ { f = body; next } { print > f }'
    {
        cat <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0" xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" xmlns:xlink="http://www.w3.org/1999/xlink" xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" xmlns:math="http://www.w3.org/1998/Math/MathML" xmlns:loext="urn:org:documentfoundation:names:experimental:office:xmlns:loext:1.0" xmlns:dr3d="urn:oasis:names:tc:opendocument:xmlns:dr3d:1.0" office:version="1.3" office:mimetype="application/vnd.oasis.opendocument.graphics">
 <office:styles>
  <draw:gradient draw:name="lin" draw:style="linear" draw:start-color="#ffd700" draw:end-color="#c00000" draw:angle="300"/>
  <draw:gradient draw:name="rad" draw:style="radial" draw:cx="50%" draw:cy="50%" draw:start-color="#003080" draw:end-color="#a0e0ff" draw:border="0%"/>
  <draw:hatch draw:name="cross" draw:style="double" draw:color="#000080" draw:distance="0.15cm" draw:rotation="450"/>
 </office:styles>
 <office:automatic-styles>
  <style:page-layout style:name="PM0"><style:page-layout-properties fo:margin-top="0cm" fo:margin-bottom="0cm" fo:margin-left="0cm" fo:margin-right="0cm" fo:page-width="$2cm" fo:page-height="$3cm"/></style:page-layout>
  <style:style style:name="dp1" style:family="drawing-page"><style:drawing-page-properties draw:fill="none"/></style:style>
EOF
        cat "$work/styles"
        cat <<EOF
 </office:automatic-styles>
 <office:master-styles><style:master-page style:name="Default" style:page-layout-name="PM0" draw:style-name="dp1"/></office:master-styles>
 <office:body><office:drawing><draw:page draw:name="page" draw:master-page-name="Default">
EOF
        cat "$work/body"
        echo ' </draw:page></office:drawing></office:body>'
        echo '</office:document>'
    } >"$work/$name.fodg"
    soffice --headless --convert-to wmf --outdir "$work" "$work/$name.fodg" >/dev/null 2>&1
    if [ "${4:-}" = drawing ]; then
        soffice --headless --convert-to png --outdir "$work/ref" "$work/$name.fodg" >/dev/null 2>&1
    else
        soffice --headless --convert-to png --outdir "$work/ref" "$work/$name.wmf" >/dev/null 2>&1
    fi
    # LibreOffice puts the metafile in the middle of a page; the reference is the metafile's part.
    $convert "$work/ref/$name.png" -background white -flatten -trim +repage "$out/$name.png"
    cp "$work/$name.wmf" "$out/$name.wmf"
    echo "$name: $(wc -c <"$out/$name.wmf") bytes"
}

# Styles most drawings use: a frame without line or fill or padding, and text styles.
frame='<style:style style:name="fr" style:family="graphic"><style:graphic-properties draw:stroke="none" draw:fill="none" draw:auto-grow-height="false" fo:padding-top="0cm" fo:padding-bottom="0cm" fo:padding-left="0cm" fo:padding-right="0cm"/></style:style>'
text() { # text NAME FAMILY SIZE [more properties]
    echo "<style:style style:name=\"$1\" style:family=\"text\"><style:text-properties fo:font-family=\"'$2'\" fo:font-size=\"$3pt\" ${4:-}/></style:style>"
}

drawing text-fonts 10 7.5 <<EOF
$frame
$(text a Arial 16)
$(text ab Arial 16 'fo:font-weight="bold"')
$(text t "Times New Roman" 14)
$(text ti "Times New Roman" 14 'fo:font-style="italic"')
$(text c "Courier New" 12)
$(text cu "Courier New" 12 'style:text-underline-style="solid" style:text-underline-width="auto" style:text-underline-color="font-color"')
$(text s Arial 9 'style:text-line-through-style="solid" fo:color="#c00000"')
$(text big "Times New Roman" 28 'fo:color="#0040c0" fo:font-weight="bold"')
--
<draw:frame draw:style-name="fr" svg:x="0.3cm" svg:y="0.2cm" svg:width="9.5cm" svg:height="1cm"><draw:text-box><text:p><text:span text:style-name="a">Arial 16 Ag </text:span><text:span text:style-name="ab">bold</text:span></text:p></draw:text-box></draw:frame>
<draw:frame draw:style-name="fr" svg:x="0.3cm" svg:y="1.3cm" svg:width="9.5cm" svg:height="1cm"><draw:text-box><text:p><text:span text:style-name="t">Times New Roman </text:span><text:span text:style-name="ti">italic</text:span></text:p></draw:text-box></draw:frame>
<draw:frame draw:style-name="fr" svg:x="0.3cm" svg:y="2.3cm" svg:width="9.5cm" svg:height="1cm"><draw:text-box><text:p><text:span text:style-name="c">Courier New </text:span><text:span text:style-name="cu">underlined</text:span></text:p></draw:text-box></draw:frame>
<draw:frame draw:style-name="fr" svg:x="0.3cm" svg:y="3.2cm" svg:width="9.5cm" svg:height="1cm"><draw:text-box><text:p><text:span text:style-name="s">Small struck-out red text in Arial nine points</text:span></text:p></draw:text-box></draw:frame>
<draw:frame draw:style-name="fr" svg:x="0.3cm" svg:y="4.2cm" svg:width="9.5cm" svg:height="2cm"><draw:text-box><text:p><text:span text:style-name="big">Big blue title</text:span></text:p></draw:text-box></draw:frame>
EOF

drawing text-rotated 10 10 <<EOF
$frame
$(text a Arial 14)
$(text t "Times New Roman" 16 'fo:color="#a00000"')
--
<draw:frame draw:style-name="fr" svg:width="5cm" svg:height="1cm" draw:transform="rotate(0.5236) translate(1cm 6cm)"><draw:text-box><text:p><text:span text:style-name="a">Thirty degrees</text:span></text:p></draw:text-box></draw:frame>
<draw:frame draw:style-name="fr" svg:width="5cm" svg:height="1cm" draw:transform="rotate(1.5708) translate(8cm 9cm)"><draw:text-box><text:p><text:span text:style-name="t">Upwards</text:span></text:p></draw:text-box></draw:frame>
<draw:frame draw:style-name="fr" svg:width="5cm" svg:height="1cm" draw:transform="rotate(3.1416) translate(6cm 3cm)"><draw:text-box><text:p><text:span text:style-name="a">Upside down</text:span></text:p></draw:text-box></draw:frame>
<draw:frame draw:style-name="fr" svg:width="5cm" svg:height="1cm" draw:transform="rotate(-0.7854) translate(4cm 5.5cm)"><draw:text-box><text:p><text:span text:style-name="t">Falling</text:span></text:p></draw:text-box></draw:frame>
EOF

drawing text-align 10 8 <<EOF
<style:style style:name="box" style:family="graphic"><style:graphic-properties draw:stroke="solid" svg:stroke-color="#808080" draw:fill="none" draw:auto-grow-height="false" draw:textarea-vertical-align="top" fo:padding-top="0.1cm" fo:padding-bottom="0.1cm" fo:padding-left="0.1cm" fo:padding-right="0.1cm"/></style:style>
<style:style style:name="pl" style:family="paragraph"><style:paragraph-properties fo:text-align="start"/></style:style>
<style:style style:name="pc" style:family="paragraph"><style:paragraph-properties fo:text-align="center"/></style:style>
<style:style style:name="pr" style:family="paragraph"><style:paragraph-properties fo:text-align="end"/></style:style>
<style:style style:name="pj" style:family="paragraph"><style:paragraph-properties fo:text-align="justify"/></style:style>
$(text a Arial 11)
$(text t "Times New Roman" 11)
--
<draw:frame draw:style-name="box" svg:x="0.3cm" svg:y="0.3cm" svg:width="9.4cm" svg:height="2.5cm"><draw:text-box><text:p text:style-name="pl"><text:span text:style-name="a">Left</text:span></text:p><text:p text:style-name="pc"><text:span text:style-name="a">Centred</text:span></text:p><text:p text:style-name="pr"><text:span text:style-name="a">Right</text:span></text:p></draw:text-box></draw:frame>
<draw:frame draw:style-name="box" svg:x="0.3cm" svg:y="3.2cm" svg:width="9.4cm" svg:height="4.5cm"><draw:text-box><text:p text:style-name="pj"><text:span text:style-name="t">A justified paragraph runs from edge to edge: the spaces between its words grow so that every line but the last fills the whole width of the box, as books and newspapers set their columns of text.</text:span></text:p></draw:text-box></draw:frame>
EOF

drawing text-scripts 10 7.5 <<EOF
$frame
$(text a Arial 14)
$(text sup Arial 14 'style:text-position="super 58%"')
$(text sub Arial 14 'style:text-position="sub 58%"')
$(text hi Arial 14 'fo:background-color="#ffff00"')
$(text sp Arial 14 'fo:letter-spacing="0.2cm"')
$(text gr "Times New Roman" 14)
--
<draw:frame draw:style-name="fr" svg:x="0.3cm" svg:y="0.2cm" svg:width="9.5cm" svg:height="1cm"><draw:text-box><text:p><text:span text:style-name="a">E = mc</text:span><text:span text:style-name="sup">2</text:span><text:span text:style-name="a"> and H</text:span><text:span text:style-name="sub">2</text:span><text:span text:style-name="a">O</text:span></text:p></draw:text-box></draw:frame>
<draw:frame draw:style-name="fr" svg:x="0.3cm" svg:y="1.4cm" svg:width="9.5cm" svg:height="1cm"><draw:text-box><text:p><text:span text:style-name="a">Some </text:span><text:span text:style-name="hi">highlighted</text:span><text:span text:style-name="a"> words</text:span></text:p></draw:text-box></draw:frame>
<draw:frame draw:style-name="fr" svg:x="0.3cm" svg:y="2.6cm" svg:width="9.5cm" svg:height="1cm"><draw:text-box><text:p><text:span text:style-name="sp">Spaced out</text:span></text:p></draw:text-box></draw:frame>
<draw:frame draw:style-name="fr" svg:x="0.3cm" svg:y="3.8cm" svg:width="9.5cm" svg:height="1cm"><draw:text-box><text:p><text:span text:style-name="gr">Ελληνικά · Русский · Zażółć gęślą</text:span></text:p></draw:text-box></draw:frame>
<draw:frame draw:style-name="fr" svg:x="0.3cm" svg:y="5.0cm" svg:width="9.5cm" svg:height="1cm"><draw:text-box><text:p><text:span text:style-name="a">Français: déjà vu, çà et là — «€ 5»</text:span></text:p></draw:text-box></draw:frame>
EOF


# An equation set by hand, as a formula editor lays one out: a fraction bar, a root sign drawn
# with lines, raised and lowered figures, and signs from a symbol font.
drawing equation 10 5 <<EOF
$frame
$(text i "Times New Roman" 20 'fo:font-style="italic"')
$(text r "Times New Roman" 20)
$(text sm "Times New Roman" 12)
$(text sy "OpenSymbol" 22)
$(text big "OpenSymbol" 34)
<style:style style:name="ln" style:family="graphic"><style:graphic-properties draw:stroke="solid" svg:stroke-width="0.03cm" svg:stroke-color="#000000"/></style:style>
--
<draw:frame draw:style-name="fr" svg:x="0.3cm" svg:y="1.6cm" svg:width="1.5cm" svg:height="1cm"><draw:text-box><text:p><text:span text:style-name="i">x</text:span><text:span text:style-name="r"> =</text:span></text:p></draw:text-box></draw:frame>
<draw:frame draw:style-name="fr" svg:x="1.8cm" svg:y="0.6cm" svg:width="4cm" svg:height="1cm"><draw:text-box><text:p><text:span text:style-name="r">−</text:span><text:span text:style-name="i">b</text:span><text:span text:style-name="sy"> ± </text:span></text:p></draw:text-box></draw:frame>
<draw:line draw:style-name="ln" svg:x1="3.3cm" svg:y1="1.1cm" svg:x2="3.5cm" svg:y2="1.5cm"/>
<draw:line draw:style-name="ln" svg:x1="3.5cm" svg:y1="1.5cm" svg:x2="3.8cm" svg:y2="0.6cm"/>
<draw:line draw:style-name="ln" svg:x1="3.8cm" svg:y1="0.6cm" svg:x2="5.9cm" svg:y2="0.6cm"/>
<draw:frame draw:style-name="fr" svg:x="3.9cm" svg:y="0.6cm" svg:width="2.2cm" svg:height="1cm"><draw:text-box><text:p><text:span text:style-name="i">b</text:span><text:span text:style-name="r">−4</text:span><text:span text:style-name="i">ac</text:span></text:p></draw:text-box></draw:frame>
<draw:frame draw:style-name="fr" svg:x="4.15cm" svg:y="0.45cm" svg:width="0.5cm" svg:height="0.6cm"><draw:text-box><text:p><text:span text:style-name="sm">2</text:span></text:p></draw:text-box></draw:frame>
<draw:line draw:style-name="ln" svg:x1="1.9cm" svg:y1="2.1cm" svg:x2="6cm" svg:y2="2.1cm"/>
<draw:frame draw:style-name="fr" svg:x="3.4cm" svg:y="2.3cm" svg:width="2cm" svg:height="1cm"><draw:text-box><text:p><text:span text:style-name="r">2</text:span><text:span text:style-name="i">a</text:span></text:p></draw:text-box></draw:frame>
<draw:frame draw:style-name="fr" svg:x="6.6cm" svg:y="1.1cm" svg:width="1.5cm" svg:height="1.6cm"><draw:text-box><text:p><text:span text:style-name="big">∑</text:span></text:p></draw:text-box></draw:frame>
<draw:frame draw:style-name="fr" svg:x="6.7cm" svg:y="0.5cm" svg:width="1cm" svg:height="0.6cm"><draw:text-box><text:p><text:span text:style-name="sm">n</text:span></text:p></draw:text-box></draw:frame>
<draw:frame draw:style-name="fr" svg:x="6.5cm" svg:y="2.7cm" svg:width="1.5cm" svg:height="0.6cm"><draw:text-box><text:p><text:span text:style-name="sm">i=1</text:span></text:p></draw:text-box></draw:frame>
<draw:frame draw:style-name="fr" svg:x="7.9cm" svg:y="1.5cm" svg:width="2cm" svg:height="1cm"><draw:text-box><text:p><text:span text:style-name="sy">α</text:span><text:span text:style-name="sm">i</text:span><text:span text:style-name="sy"> ≤ ∞</text:span></text:p></draw:text-box></draw:frame>
EOF

drawing table 10 6 <<EOF
<style:style style:name="cell" style:family="table-cell"><style:graphic-properties draw:fill="none"/><style:paragraph-properties fo:border="0.03cm solid #000000"/><style:text-properties fo:font-family="Arial" fo:font-size="10pt"/></style:style>
<style:style style:name="head" style:family="table-cell"><style:graphic-properties draw:fill="solid" draw:fill-color="#1f3864"/><style:paragraph-properties fo:border="0.03cm solid #000000"/><style:text-properties fo:font-family="Arial" fo:font-size="10pt" fo:font-weight="bold" fo:color="#ffffff"/></style:style>
<style:style style:name="band" style:family="table-cell"><style:graphic-properties draw:fill="solid" draw:fill-color="#dde4f0"/><style:paragraph-properties fo:border="0.03cm solid #000000"/><style:text-properties fo:font-family="Arial" fo:font-size="10pt"/></style:style>
<style:style style:name="col" style:family="table-column"><style:table-column-properties style:column-width="3cm"/></style:style>
<style:style style:name="row" style:family="table-row"><style:table-row-properties style:row-height="1cm"/></style:style>
--
<draw:frame svg:x="0.5cm" svg:y="0.5cm" svg:width="9cm" svg:height="5cm"><table:table>
<table:table-column table:style-name="col"/><table:table-column table:style-name="col"/><table:table-column table:style-name="col"/>
<table:table-row table:style-name="row"><table:table-cell table:style-name="head"><text:p>Animal</text:p></table:table-cell><table:table-cell table:style-name="head"><text:p>Legs</text:p></table:table-cell><table:table-cell table:style-name="head"><text:p>Sound</text:p></table:table-cell></table:table-row>
<table:table-row table:style-name="row"><table:table-cell table:style-name="cell"><text:p>Cat</text:p></table:table-cell><table:table-cell table:style-name="cell"><text:p>4</text:p></table:table-cell><table:table-cell table:style-name="cell"><text:p>Miaow</text:p></table:table-cell></table:table-row>
<table:table-row table:style-name="row"><table:table-cell table:style-name="band"><text:p>Bird</text:p></table:table-cell><table:table-cell table:style-name="band"><text:p>2</text:p></table:table-cell><table:table-cell table:style-name="band"><text:p>Tweet</text:p></table:table-cell></table:table-row>
<table:table-row table:style-name="row"><table:table-cell table:style-name="cell"><text:p>Fish</text:p></table:table-cell><table:table-cell table:style-name="cell"><text:p>0</text:p></table:table-cell><table:table-cell table:style-name="cell"><text:p>—</text:p></table:table-cell></table:table-row>
</table:table></draw:frame>
EOF

drawing fills 10 7.5 <<EOF
<style:style style:name="g1" style:family="graphic"><style:graphic-properties draw:stroke="solid" svg:stroke-color="#000000" draw:fill="gradient" draw:fill-gradient-name="lin" draw:gradient-step-count="24"/></style:style>
<style:style style:name="g2" style:family="graphic"><style:graphic-properties draw:stroke="none" draw:fill="gradient" draw:fill-gradient-name="rad" draw:gradient-step-count="24"/></style:style>
<style:style style:name="g3" style:family="graphic"><style:graphic-properties draw:stroke="solid" svg:stroke-color="#000080" draw:fill="hatch" draw:fill-hatch-name="cross" draw:fill-hatch-solid="true" draw:fill-color="#ffffc0"/></style:style>
<style:style style:name="g4" style:family="graphic"><style:graphic-properties draw:stroke="none" draw:fill="solid" draw:fill-color="#ff0000" draw:opacity="50%"/></style:style>
<style:style style:name="g5" style:family="graphic"><style:graphic-properties draw:stroke="none" draw:fill="solid" draw:fill-color="#0000ff" draw:opacity="50%"/></style:style>
--
<draw:rect draw:style-name="g1" svg:x="0.3cm" svg:y="0.3cm" svg:width="4.5cm" svg:height="3cm"/>
<draw:ellipse draw:style-name="g2" svg:x="5.2cm" svg:y="0.3cm" svg:width="4.5cm" svg:height="3cm"/>
<draw:rect draw:style-name="g3" svg:x="0.3cm" svg:y="3.8cm" svg:width="4.5cm" svg:height="3.4cm"/>
EOF

drawing lines 10 7.5 <<EOF
<style:style style:name="l1" style:family="graphic"><style:graphic-properties draw:stroke="solid" svg:stroke-width="0.1cm" svg:stroke-color="#c00000" draw:marker-end="arrow" draw:marker-end-width="0.4cm"/></style:style>
<style:style style:name="l2" style:family="graphic"><style:graphic-properties draw:stroke="dash" draw:stroke-dash="dashes" svg:stroke-width="0.05cm" svg:stroke-color="#000000"/></style:style>
<style:style style:name="l3" style:family="graphic"><style:graphic-properties draw:stroke="solid" svg:stroke-width="0.25cm" svg:stroke-color="#0060c0" draw:stroke-linejoin="round" svg:stroke-linecap="round" draw:fill="none"/></style:style>
<style:style style:name="l4" style:family="graphic"><style:graphic-properties draw:stroke="solid" svg:stroke-width="0cm" svg:stroke-color="#008000" draw:fill="none"/></style:style>
--
<draw:line draw:style-name="l1" svg:x1="0.5cm" svg:y1="0.6cm" svg:x2="9cm" svg:y2="0.6cm"/>
<draw:line draw:style-name="l2" svg:x1="0.5cm" svg:y1="1.4cm" svg:x2="9cm" svg:y2="2.4cm"/>
<draw:polyline draw:style-name="l3" svg:x="0.5cm" svg:y="3cm" svg:width="4cm" svg:height="3.5cm" svg:viewBox="0 0 4000 3500" draw:points="0,3500 1000,0 2000,3000 3000,500 4000,2500"/>
<draw:path draw:style-name="l4" svg:x="5cm" svg:y="3cm" svg:width="4.5cm" svg:height="4cm" svg:viewBox="0 0 4500 4000" svg:d="M0 2000 C 1000 -1000 1500 5000 2500 2000 S 4000 0 4500 3800"/>
EOF

drawing clipped 10 7.5 <<EOF
$frame
<style:style style:name="img" style:family="graphic"><style:graphic-properties draw:stroke="none" draw:fill="none" fo:clip="rect(0.3cm, 0.8cm, 0.3cm, 0.8cm)"/></style:style>
<style:style style:name="out" style:family="graphic"><style:graphic-properties draw:stroke="solid" svg:stroke-color="#000000" draw:fill="solid" draw:fill-color="#40a040"/></style:style>
$(text a Arial 40 'fo:color="#800080"')
--
<draw:frame draw:style-name="img" svg:x="0.5cm" svg:y="0.5cm" svg:width="4cm" svg:height="3cm"><draw:image><office:binary-data>$picture</office:binary-data></draw:image></draw:frame>
<draw:ellipse draw:style-name="out" svg:x="7cm" svg:y="4.5cm" svg:width="6cm" svg:height="5cm"/>
<draw:rect draw:style-name="out" svg:x="-2cm" svg:y="5cm" svg:width="5cm" svg:height="1.5cm"/>
<draw:frame draw:style-name="fr" svg:x="4.5cm" svg:y="0.5cm" svg:width="2.5cm" svg:height="1.5cm"><draw:text-box><text:p><text:span text:style-name="a">Overflowing</text:span></text:p></draw:text-box></draw:frame>
EOF

drawing bitmaps 10 4 <<EOF
<style:style style:name="img" style:family="graphic"><style:graphic-properties draw:stroke="none" draw:fill="none"/></style:style>
--
<draw:frame draw:style-name="img" svg:x="0.3cm" svg:y="0.3cm" svg:width="4.5cm" svg:height="3cm"><draw:image><office:binary-data>$picture</office:binary-data></draw:image></draw:frame>
<draw:frame draw:style-name="img" svg:x="5.5cm" svg:y="0.3cm" svg:width="1.27cm" svg:height="0.85cm"><draw:image><office:binary-data>$picture</office:binary-data></draw:image></draw:frame>
<draw:frame draw:style-name="img" svg:x="5.5cm" svg:y="1.5cm" svg:width="4cm" svg:height="1.5cm"><draw:image><office:binary-data>$picture</office:binary-data></draw:image></draw:frame>
EOF

drawing shapes 10 7.5 <<EOF
<style:style style:name="s1" style:family="graphic"><style:graphic-properties draw:stroke="solid" svg:stroke-width="0.05cm" svg:stroke-color="#000000" draw:fill="solid" draw:fill-color="#ffcc00" draw:shadow="visible" draw:shadow-offset-x="0.2cm" draw:shadow-offset-y="0.2cm" draw:shadow-color="#808080"/></style:style>
<style:style style:name="s2" style:family="graphic"><style:graphic-properties draw:stroke="solid" svg:stroke-width="0.03cm" svg:stroke-color="#000080" draw:fill="solid" draw:fill-color="#80c0ff"/></style:style>
<style:style style:name="s3" style:family="graphic"><style:graphic-properties draw:stroke="solid" svg:stroke-color="#000000" draw:fill="solid" draw:fill-color="#ff6060"/></style:style>
--
<draw:rect draw:style-name="s1" svg:x="0.4cm" svg:y="0.4cm" svg:width="3cm" svg:height="2.2cm" draw:corner-radius="0.5cm"/>
<draw:ellipse draw:style-name="s2" svg:x="4cm" svg:y="0.4cm" svg:width="2.5cm" svg:height="2.5cm" draw:kind="section" draw:start-angle="30" draw:end-angle="300"/>
<draw:ellipse draw:style-name="s3" svg:x="7cm" svg:y="0.4cm" svg:width="2.5cm" svg:height="2.5cm" draw:kind="cut" draw:start-angle="200" draw:end-angle="20"/>
<draw:polygon draw:style-name="s2" svg:x="0.4cm" svg:y="3.4cm" svg:width="3.6cm" svg:height="3.6cm" svg:viewBox="0 0 3600 3600" draw:points="1800,0 2220,1250 3600,1250 2490,2050 2910,3400 1800,2560 690,3400 1110,2050 0,1250 1380,1250"/>
<draw:polygon draw:style-name="s3" svg:x="4.4cm" svg:y="3.6cm" svg:width="5cm" svg:height="3.3cm" svg:viewBox="0 0 5000 3300" draw:points="0,1000 3000,1000 3000,0 5000,1650 3000,3300 3000,2300 0,2300"/>
EOF

drawing symbols 10 5 <<EOF
$frame
$(text w Wingdings 22)
$(text s Symbol 20)
$(text o OpenSymbol 20)
$(text a Arial 14)
--
<draw:frame draw:style-name="fr" svg:x="0.3cm" svg:y="0.3cm" svg:width="9.4cm" svg:height="1.2cm"><draw:text-box><text:p><text:span text:style-name="a">Check: </text:span><text:span text:style-name="w">üûþà</text:span></text:p></draw:text-box></draw:frame>
<draw:frame draw:style-name="fr" svg:x="0.3cm" svg:y="1.8cm" svg:width="9.4cm" svg:height="1.2cm"><draw:text-box><text:p><text:span text:style-name="a">Greek: </text:span><text:span text:style-name="s">abgdpW</text:span></text:p></draw:text-box></draw:frame>
<draw:frame draw:style-name="fr" svg:x="0.3cm" svg:y="3.3cm" svg:width="9.4cm" svg:height="1.2cm"><draw:text-box><text:p><text:span text:style-name="a">Signs: </text:span><text:span text:style-name="o">∑ √ ∞ ≠ → ✔</text:span></text:p></draw:text-box></draw:frame>
EOF

# Shadows (soft ones too) over a coloured ground and over white: LibreOffice writes each shadow
# as a bitmap pair, an opacity mask and its colours. LibreOffice itself reads these metafiles
# back without the shapes the pair stands over, so the reference is its picture of the drawing.
drawing shading 6 4.5 drawing <<EOF
<style:style style:name="ground" style:family="graphic"><style:graphic-properties draw:stroke="none" draw:fill="solid" draw:fill-color="#a0d0ff"/></style:style>
<style:style style:name="soft" style:family="graphic"><style:graphic-properties draw:stroke="solid" svg:stroke-color="#000000" draw:fill="gradient" draw:fill-gradient-name="lin" draw:gradient-step-count="16" draw:shadow="visible" draw:shadow-offset-x="0.2cm" draw:shadow-offset-y="0.2cm" draw:shadow-color="#000000" loext:shadow-blur="0.15cm"/></style:style>
<style:style style:name="hard" style:family="graphic"><style:graphic-properties draw:stroke="none" draw:fill="solid" draw:fill-color="#00a000" draw:shadow="visible" draw:shadow-offset-x="0.15cm" draw:shadow-offset-y="0.15cm" draw:shadow-color="#606060"/></style:style>
--
<draw:rect draw:style-name="ground" svg:x="0cm" svg:y="0cm" svg:width="6cm" svg:height="2.1cm"/>
<draw:rect draw:style-name="soft" svg:x="0.3cm" svg:y="0.3cm" svg:width="2.4cm" svg:height="1.5cm"/>
<draw:ellipse draw:style-name="hard" svg:x="3.6cm" svg:y="0.4cm" svg:width="1.8cm" svg:height="1.2cm"/>
<draw:rect draw:style-name="soft" svg:x="3.3cm" svg:y="2.6cm" svg:width="2.1cm" svg:height="1.4cm"/>
EOF
[ -n "${ONLY:-}" ] && exit 0

# The writer's samples, as LibreOffice draws them.
tool=${BUILD_DIR:-build}/bin/picturecorpus
"$tool" write "$work/writer"
mkdir -p "$corpus/writer"
for f in "$work/writer"/*.wmf; do
    n=$(basename "$f" .wmf)
    soffice --headless --convert-to png --outdir "$work/writer-ref" "$f" >/dev/null 2>&1
    $convert "$work/writer-ref/$n.png" -background white -flatten -trim +repage "$corpus/writer/$n.png"
done
echo "writer samples: $(ls "$corpus/writer" | wc -l) references"
