// SPDX-License-Identifier: GPL-3.0-or-later
// The colours of the engine's look as the style sheet's custom properties, each cycle's
// colour made to stand out at 3:1 against the light and the dark background. pack.py asks
// the engine for them and writes them into the style sheet, so that the page's first layout
// already has them.

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

// [name, value] of every property, from an answer's state and the two backgrounds.
export function lookProperties(state, light, dark) {
  const properties = [['look-grid', state.grid], ['look-zero', state.zero], ['look-axis', state.axis]];
  state.legend.forEach((entry, i) => {
    for (const name of ['legend', 'line', 'fill']) {
      properties.push([`${name}${i + 1}`, standingOut(entry[name], light)],
        [`dark-${name}${i + 1}`, standingOut(entry[name], dark)]);
    }
    properties.push([`text${i + 1}`, entry.text]);
  });
  return properties;
}
