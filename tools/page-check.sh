#!/usr/bin/env bash
# Lays an HTML page out in headless Chromium at a phone's width and measures
# it: the page must not scroll sideways (a table or chart may scroll inside
# its own frame), every chart label must be drawn at least MIN_LABEL_PX
# pixels high, no tab of the program's own text may show as an escape, the
# filter's record-number search must show just the records it matches, and
# the first fix-first link must show the records its action counts.
#   tools/page-check.sh PAGE.html [WIDTH]
set -euo pipefail
page=$1 width=${2:-390}
min_label=${MIN_LABEL_PX:-11}
browser=$(command -v chromium || command -v chromium-browser || true)
if [ -z "$browser" ]; then
  echo "page-check: chromium is not installed (./tools/check-tools.sh /usr/bin/chromium=chromium)" >&2
  exit 1
fi
[ -f "$page" ] || { echo "page-check: no page $page" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The page with a measuring script after its own, laid out in a frame of the
# width asked for (a headless window is never narrower than 500 px); the
# script posts its results to the frame's parent, which keeps them as
# attributes of its <body>, read back from the DOM Chromium dumps.
python3 - "$page" "$work/measured.html" <<'PY'
import sys
page = open(sys.argv[1], "rb").read()
probe = b"""<script>
(function () {
  var root = document.documentElement, smallest = 1e9, labels = 0;
  var charts = document.querySelectorAll("svg.chart");
  for (var i = 0; i < charts.length; i++) {
    var box = charts[i].viewBox.baseVal, scale = charts[i].getBoundingClientRect().width / box.width;
    var texts = charts[i].querySelectorAll("text");
    for (var j = 0; j < texts.length; j++) {
      var px = parseFloat(getComputedStyle(texts[j]).fontSize) * scale;
      if (px < smallest) smallest = px;
      labels++;
    }
  }
  // The record-number search of the filter: searching for the first listed
  // record's number shows exactly the records whose number holds it.
  var search = "none", form = document.getElementById("filter");
  var bodies = document.querySelectorAll("table.recs tbody");
  if (form && form.elements.n && bodies.length) {
    var wanted = bodies[0].rows[0].cells[1].textContent.trim(), wrong = 0;
    form.elements.n.value = wanted;
    form.dispatchEvent(new Event("input"));
    for (var b = 0; b < bodies.length; b++)
      if (bodies[b].hidden === (bodies[b].rows[0].cells[1].textContent.indexOf(wanted) >= 0)) wrong++;
    search = wrong ? wrong + " records shown or hidden wrongly" : "ok";
    form.elements.n.value = "";
    form.dispatchEvent(new Event("input"));
  }
  // A fix-first link sets the filter to the records its action concerns:
  // when every record with findings is listed, exactly that many show.
  var fix = "none", link = document.querySelector("#fix-first a[href='#records']");
  if (form && link && bodies.length) {
    link.click();
    var wantedRecords = parseInt(link.parentElement.getAttribute("data-records"), 10), showing = 0;
    for (var f = 0; f < bodies.length; f++) if (!bodies[f].hidden) showing++;
    fix = document.getElementById("left-out") ? (showing > 0 && showing <= wantedRecords ? "ok" : "")
          : (showing === wantedRecords ? "ok" : "");
    fix = fix || showing + " records shown for " + link.parentElement.getAttribute("data-action") + ", not " + wantedRecords;
    form.elements.e.value = form.elements.s.value = "";
    form.dispatchEvent(new Event("change"));
  }
  // The outermost elements that reach past the view, to name in a failure.
  var wide = [], all = document.body.querySelectorAll("*");
  for (var w = 0; w < all.length && wide.length < 5; w++) {
    var el = all[w], up = el.parentElement, framed = false;
    for (var a = up; a && a !== document.body; a = a.parentElement)
      framed = framed || getComputedStyle(a).overflowX !== "visible";
    if (!framed && el.getBoundingClientRect().right > root.clientWidth + 0.5)
      wide.push(el.tagName.toLowerCase() + (el.className && el.className.baseVal === undefined && el.className ? "." + el.className : "") + (el.id ? "#" + el.id : ""));
  }
  parent.postMessage({"search": search, "fix": fix, "wide": wide.join(" "), "page-width": root.scrollWidth, "view-width": root.clientWidth, "labels": labels,
                      "smallest-label": labels ? smallest.toFixed(2) : "0"}, "*");
})();
</script>
"""
at = page.rfind(b"</body>")
if at < 0:
    raise SystemExit("page-check: the page has no </body>")
open(sys.argv[2], "wb").write(page[:at] + probe + page[at:])
PY
cat >"$work/frame.html" <<HTML
<!DOCTYPE html><html><head><meta charset="utf-8"><style>body{margin:0}iframe{border:0}</style></head><body>
<iframe src="measured.html" width="$width" height="900"></iframe>
<script>
window.addEventListener("message", function (m) {
  for (var k in m.data) document.body.setAttribute("data-" + k, m.data[k]);
});
</script></body></html>
HTML

flags=(--headless --disable-gpu --hide-scrollbars --no-first-run --no-default-browser-check
       --user-data-dir="$work/profile" --virtual-time-budget=10000 --window-size="$width,900")
[ "$(id -u)" = 0 ] && flags+=(--no-sandbox)
timeout 180 "$browser" "${flags[@]}" --dump-dom "file://$work/frame.html" >"$work/dom.html" 2>"$work/err.txt" || {
  cat "$work/err.txt" >&2
  echo "page-check: chromium could not load $page" >&2
  exit 1
}

python3 - "$work/dom.html" "$width" "$min_label" "$page" <<'PY'
import re, sys
dom, width, min_label, page = open(sys.argv[1], encoding="utf-8", errors="replace").read(), int(sys.argv[2]), float(sys.argv[3]), sys.argv[4]
def attribute(name):
    m = re.search(r'<body[^>]*\s%s="([^"]*)"' % name, dom)
    if not m:
        raise SystemExit("page-check: the measuring script did not run")
    return m.group(1)
page_width, view_width = int(attribute("data-page-width")), int(attribute("data-view-width"))
labels, smallest = int(attribute("data-labels")), float(attribute("data-smallest-label"))
print(f"page-check: at {width} px the page is {page_width} px wide in a view of {view_width} px; "
      f"{labels} chart labels, the smallest {smallest:.2f} px; record number search: {attribute('data-search')}; "
      f"first fix-first link: {attribute('data-fix')}")
problems = []
if view_width > width or page_width > view_width:
    problems.append(f"the page scrolls sideways ({page_width} px in {view_width} px): " + attribute("data-wide"))
if labels and smallest < min_label:
    problems.append(f"a chart label is {smallest:.2f} px, below {min_label:g} px")
for m in re.finditer(r"<pre class=msg[^>]*>(.*?)</pre>", open(page, encoding="utf-8", errors="replace").read(), re.S):
    if "\\x09" in m.group(1):
        problems.append("a summary message shows a tab as \\x09")
        break
search = attribute("data-search")
if search not in ("ok", "none"):
    problems.append("searching a record number: " + search)
if attribute("data-fix") not in ("ok", "none"):
    problems.append("the first fix-first link: " + attribute("data-fix"))
for p in problems:
    print("page-check: " + p, file=sys.stderr)
sys.exit(1 if problems else 0)
PY
