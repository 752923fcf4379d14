// SPDX-License-Identifier: GPL-3.0-or-later
// The legend of the three cycles and the colours of their curves, from the engine's look,
// each made to stand out at 3:1 against the light and the dark background.
const $ = (id) => document.getElementById(id);

// Relative luminance and contrast ratio of '#rrggbb' colours.
const channels = (hex) => [1, 3, 5].map((i) => parseInt(hex.slice(i, i + 2), 16));
function luminance(hex) {
  const [r, g, b] = channels(hex).map((c) => (c /= 255) <= 0.03928 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4);
  return 0.2126 * r + 0.7152 * g + 0.0722 * b;
}
const contrast = (a, b) => (Math.max(luminance(a), luminance(b)) + 0.05) / (Math.min(luminance(a), luminance(b)) + 0.05);

// A colour keeps its hue, lightened towards white on a dark background and darkened
// towards black on a light one, until it stands out at 3:1 at least.
function standingOut(hex, background) {
  const towards = luminance(background) < 0.5 ? 255 : 0;
  for (let share = 0; share <= 1; share += 0.05) {
    const mixed = '#' + channels(hex).map((c) => Math.round(c + (towards - c) * share).toString(16).padStart(2, '0')).join('');
    if (contrast(mixed, background) >= 3) return mixed;
  }
  return towards ? '#ffffff' : '#000000';
}

// The window's tooltip " 23 denní perioda" as the page writes it: "23denní perioda".
const pagePeriod = (period) => period.trim().replace(/^(\d+) /, '$1');

export function drawLegend(state) {
  const list = $('legend');
  if (list.childElementCount) return;
  const root = document.documentElement.style;
  root.setProperty('--look-grid', state.grid);
  root.setProperty('--look-zero', state.zero);
  root.setProperty('--look-axis', state.axis);
  const style = getComputedStyle(document.documentElement);
  const [light, dark] = ['--bg-light', '--bg-dark'].map((name) => style.getPropertyValue(name).trim());
  state.legend.forEach((entry, i) => {
    const colours = ['legend', 'line', 'fill'].flatMap((name) =>
      [[name, standingOut(entry[name], light)], [`dark-${name}`, standingOut(entry[name], dark)]]);
    for (const [name, value] of colours) root.setProperty(`--${name}${i + 1}`, value);
    root.setProperty(`--text${i + 1}`, entry.text);
    const item = document.createElement('li');
    item.title = entry.period;
    const swatch = document.createElement('span');
    swatch.className = `swatch set${i + 1}`;
    const period = document.createElement('span');
    period.className = 'period';
    period.textContent = pagePeriod(entry.period);
    item.append(swatch, entry.caption, period);
    list.appendChild(item);
  });
}
