// The preview of a distribution: its density as bars over the values (the engine's density
// at each bar's middle; on a logarithmic axis per unit of log10 x, x ln 10 times it; a
// discrete value's probability as a narrow bar), the percentiles as ticks, drawn as SVG.
import type { DistributionPreview } from "./engine_types";
import { human_number } from "./human_number";

const kWidth = 480;
const kHeight = 160;
const kPad = { left: 8, right: 8, top: 8, bottom: 28 };

function svg<K extends keyof SVGElementTagNameMap>(tag: K, attributes: Record<string, string | number>): SVGElementTagNameMap[K] {
  const e = document.createElementNS("http://www.w3.org/2000/svg", tag);
  for (const [k, v] of Object.entries(attributes)) e.setAttribute(k, String(v));
  return e;
}

export function density_chart(preview: DistributionPreview): SVGSVGElement {
  const bins = preview.bins ?? [];
  const log = preview.logScale === true;
  const t = (x: number) => (log ? Math.log10(x) : x);
  const lo = t(bins.length ? bins[0].from : 0);
  const hi = t(bins.length ? bins[bins.length - 1].to : 1);
  const span = hi > lo ? hi - lo : 1;
  const plot_w = kWidth - kPad.left - kPad.right;
  const plot_h = kHeight - kPad.top - kPad.bottom;
  const px = (x: number) => kPad.left + ((t(x) - lo) / span) * plot_w;
  const heights = bins.map((b) => (log ? b.density * ((b.from + b.to) / 2) * Math.LN10 : b.density));
  const top = Math.max(...heights, 0) || 1;
  const root = svg("svg", { viewBox: `0 0 ${kWidth} ${kHeight}`, role: "img", class: "density" });
  const title = svg("title", {});
  title.textContent = `Density of the ${preview.family} distribution${log ? " on a logarithmic axis" : ""}`;
  root.append(title);
  bins.forEach((b, k) => {
    const height = (heights[k] / top) * plot_h;
    const x0 = px(b.from);
    const width = b.to > b.from ? Math.max(px(b.to) - x0, 0.5) : 3;
    root.append(svg("rect", { x: b.to > b.from ? x0 : x0 - 1.5, y: kPad.top + plot_h - height, width, height, class: "bar" }));
  });
  root.append(svg("line", { x1: kPad.left, x2: kWidth - kPad.right, y1: kPad.top + plot_h, y2: kPad.top + plot_h, class: "axis" }));
  for (const p of preview.percentiles ?? []) {
    if (![5, 50, 95].includes(p.p)) continue;
    const x = Math.min(Math.max(px(p.x), kPad.left), kWidth - kPad.right);
    root.append(svg("line", { x1: x, x2: x, y1: kPad.top, y2: kPad.top + plot_h + 4, class: "percentile" }));
    const label = svg("text", { x, y: kHeight - 8, "text-anchor": "middle", class: "label" });
    label.textContent = `P${p.p} ${human_number(p.x)}`;
    root.append(label);
  }
  return root;
}
