// SPDX-License-Identifier: GPL-3.0-or-later
// The legend of the three cycles, from the engine's look; their colours are the style
// sheet's (look.js).
const $ = (id) => document.getElementById(id);

// The window's tooltip " 23 denní perioda" as the page writes it: "23denní perioda".
const pagePeriod = (period) => period.trim().replace(/^(\d+) /, '$1');

export function drawLegend(state) {
  const list = $('legend');
  if (list.childElementCount) return;
  state.legend.forEach((entry, i) => {
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
