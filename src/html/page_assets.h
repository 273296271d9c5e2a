// The style sheet and the script of the HTML page, written inline so that
// the page is one file that needs nothing beside it.
#pragma once

#include <string_view>

namespace vortel {

inline constexpr std::string_view kPageStyle = R"CSS(
:root{--ink:#1c2430;--mute:#5a6473;--line:#d8dde4;--soft:#f3f5f8;--head:#1f3a5f;
--m:#d99a1e;--o:#c2412f;--l:#3668b0;--f:#5b7f3a}
*{box-sizing:border-box}
body{margin:0;color:var(--ink);background:#fff;
font:14px/1.45 system-ui,-apple-system,"Segoe UI",Roboto,"Helvetica Neue",Arial,sans-serif}
header{background:var(--head);color:#fff;padding:16px 28px 10px}
header h1{margin:0;font-size:22px;font-weight:650}
header p{margin:2px 0 8px;opacity:.9}
nav a{color:#fff;margin-right:16px;font-size:13px;opacity:.85}
main{max-width:1200px;margin:0 auto;padding:4px 28px 32px}
h2{font-size:19px;margin:26px 0 10px;padding-bottom:4px;border-bottom:2px solid var(--head)}
h3{font-size:15px;margin:20px 0 6px}
table{border-collapse:collapse;margin:6px 0 10px}
th,td{padding:3px 9px;text-align:left;vertical-align:top;border-bottom:1px solid var(--line)}
th{background:var(--soft);font-weight:600}
.n{text-align:right;font-variant-numeric:tabular-nums}
table.facts th{width:150px}
.side{display:flex;flex-wrap:wrap;gap:10px 32px;align-items:flex-start}
.cards{display:flex;flex-wrap:wrap;gap:12px;margin:8px 0 14px}
.card{border:1px solid var(--line);border-radius:6px;padding:8px 16px;min-width:190px}
.card span,.card small{display:block;color:var(--mute);font-size:12px}
.card b{display:block;font-size:24px;font-weight:650;font-variant-numeric:tabular-nums}
.alert{border-left:4px solid var(--o);background:#fbeeec;padding:8px 12px}
.v{font-family:ui-monospace,"SFMono-Regular",Menlo,Consolas,monospace;white-space:pre;background:#f6efdf;padding:0 2px}
.x{color:#a3126b;font-weight:700}
i{color:var(--mute)}
.chart{display:block;max-width:100%;height:auto}
.chart text{font-size:12px;fill:var(--ink)}
.chart .total{fill:var(--mute)}
.bm{fill:var(--m)}.bo{fill:var(--o)}.bl{fill:var(--l)}.bf{fill:var(--f)}
.key span{margin-right:14px;font-size:12px}
.key span::before{content:"";display:inline-block;width:10px;height:10px;margin-right:5px;vertical-align:-1px}
.km::before{background:var(--m)}.ko::before{background:var(--o)}.kl::before{background:var(--l)}
pre.msg{margin:0 0 6px;padding:6px 10px;background:var(--soft);border-radius:4px;white-space:pre-wrap;
font:12px/1.4 ui-monospace,Menlo,Consolas,monospace}
ol.msgs{margin:4px 0;padding-left:28px}
ol.fix{margin:4px 0 12px;padding-left:28px}
ol.fix li{margin:2px 0}
#filter{display:flex;flex-wrap:wrap;gap:14px;align-items:center;margin:8px 0;padding:8px 12px;
background:var(--soft);border-radius:6px}
#filter[hidden]{display:none}
#filter select{max-width:330px}
table.recs{width:100%}
table.recs tr.r td{background:#e9eef5;font-weight:600;border-top:2px solid #b9c3d1}
table.recs code{color:var(--mute)}
table.recs td.c{white-space:nowrap;font-variant-numeric:tabular-nums}
table.recs details{margin:0}
table.recs summary{cursor:pointer;color:var(--mute)}
table.folded{width:100%;margin:4px 0}
mark{background:#dff0d0;color:var(--ink);padding:0 3px;border-radius:3px;font-size:12px}
footer{margin-top:28px;color:var(--mute);font-size:12px}
.frame{max-width:100%;overflow-x:auto}
@media (max-width:700px){
header{padding:12px 12px 8px}
main{padding:4px 12px 24px}
header p,main p,main li{overflow-wrap:anywhere}
table{display:block;max-width:100%;overflow-x:auto}
table.facts th{width:auto}
.card{min-width:0;flex:1 1 150px}
#filter label{display:flex;flex-direction:column;width:100%}
#filter select,#filter input{width:100%;max-width:none}
.chart{max-width:none;width:752px}
}
@media print{
header{background:none;color:#000;padding:0}
nav,#filter{display:none}
main{max-width:none;padding:0}
.chart rect,.km::before,.ko::before,.kl::before{print-color-adjust:exact;-webkit-print-color-adjust:exact}
table.recs tbody{break-inside:avoid}
}
)CSS";

// The filter of the record table: hides the findings that do not match the
// element, group and kind of finding chosen or whose record number does not
// hold the text searched for, and the records left without any; the links of
// the fix-first list set it. The page reads in full without it.
inline constexpr std::string_view kPageScript = R"JS(
(function () {
  "use strict";
  var form = document.getElementById("filter");
  if (form) {
    var bodies = document.querySelectorAll("table.recs tbody");
    var shown = document.getElementById("shown");
    // Set by a fix-first link whose action leaves out the records on lines of
    // the wrong length (they count under their own action); any change made
    // in the form clears it.
    var whole = false;
    var apply = function () {
      var e = form.elements.e.value, g = form.elements.g.value, s = form.elements.s.value;
      var n = form.elements.n.value.trim();
      var c = form.elements.c ? form.elements.c.checked : false;
      var records = 0;
      for (var i = 0; i < bodies.length; i++) {
        var k = bodies[i].getAttribute("data-k") + ":";
        var head = bodies[i].rows[0].cells[1];
        var number = head ? head.textContent : "";
        var rows = bodies[i].querySelectorAll("tr[data-e]");
        var any = false;
        for (var j = 0; j < rows.length; j++) {
          var r = rows[j];
          var ok = (!n || number.indexOf(n) >= 0) && (!e || e === k || e === k + r.getAttribute("data-e")) &&
                   (!g || g === k + r.getAttribute("data-g")) &&
                   (!s || s === r.getAttribute("data-s") ||
                    (s === "d" && /^[2u]$/.test(r.getAttribute("data-s")))) &&
                   (!c || r.getAttribute("data-c") === "new");
          r.hidden = !ok;
          any = any || ok;
        }
        if (whole && bodies[i].querySelector("tr[data-s=r]")) any = false;
        bodies[i].hidden = !any;
        if (any) records++;
      }
      shown.textContent = (e || g || s || n || c) ? records + " of " + bodies.length + " records shown" : "";
    };
    // A fix-first link sets the filter to its records (a value the select
    // does not offer yet is added to it; "a:" is every element of a kind).
    var set = function (select, value) {
      if (value && !Array.prototype.some.call(select.options, function (o) { return o.value === value; })) {
        select.add(new Option(value.slice(2) || (value === "a:" ? "every adoption element" :
                                                 "every foster care element"), value));
      }
      select.value = value;
    };
    var links = document.querySelectorAll("#fix-first a[href='#records']");
    for (var i = 0; i < links.length; i++) {
      links[i].addEventListener("click", function () {
        set(form.elements.e, this.getAttribute("data-e") || "");
        set(form.elements.s, this.getAttribute("data-s") || "");
        whole = this.hasAttribute("data-w");
        form.elements.g.value = "";
        form.elements.n.value = "";
        apply();
      });
    }
    var changed = function () {
      whole = false;
      apply();
    };
    form.addEventListener("change", changed);
    form.addEventListener("input", changed);
    form.addEventListener("submit", function (ev) { ev.preventDefault(); });
    form.hidden = false;
  }
  document.body.setAttribute("data-script", "done");
})();
)JS";

}  // namespace vortel
