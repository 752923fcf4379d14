// SPDX-License-Identifier: GPL-3.0-or-later
// Sharing a confirmed day: both charts as one PNG, painted from the page's SVG on a canvas,
// with the dates and the legend, and the day's values as text; through the system's share
// sheet where the browser can share files, else the picture is downloaded. The line of
// dates is printed above the charts too.
import { $, say } from './app.js';

export function setUpShare(page) {
  const { fields } = page;
  const scale = 2;
  let current = null; // the state of the confirmed day

  const dates = () => {
    const [b, t] = [0, 3].map((i) => fields.slice(i, i + 3).map((f) => Number(f.value)).join('.'));
    return say('web.share.dates', b, t);
  };

  // The chart with the styles the page gives it written in, so that it stands alone.
  function standalone(svg) {
    const copy = svg.cloneNode(true);
    const originals = [svg, ...svg.querySelectorAll('*')];
    [copy, ...copy.querySelectorAll('*')].forEach((element, i) => {
      const style = getComputedStyle(originals[i]);
      for (const name of ['fill', 'stroke', 'stroke-width', 'stroke-linejoin', 'font', 'text-anchor']) {
        element.style.setProperty(name, style.getPropertyValue(name));
      }
    });
    const [, , width, height] = svg.getAttribute('viewBox').split(' ').map(Number);
    Object.entries({ xmlns: 'http://www.w3.org/2000/svg', width, height }).forEach(([k, v]) => copy.setAttribute(k, v));
    return copy;
  }

  async function image(svg) {
    const copy = standalone(svg);
    const url = URL.createObjectURL(new Blob([new XMLSerializer().serializeToString(copy)], { type: 'image/svg+xml' }));
    const picture = new Image();
    picture.src = url;
    await picture.decode().finally(() => URL.revokeObjectURL(url));
    return { picture, width: Number(copy.getAttribute('width')), height: Number(copy.getAttribute('height')) };
  }

  // The month chart, the day chart beside it, the dates above and the legend below.
  async function picture() {
    const [month, bars] = [await image($('Graph1')), await image($('Graph2'))];
    const canvas = document.createElement('canvas');
    const [width, height] = [month.width + bars.width + 24, Math.max(month.height, bars.height) + 72];
    Object.assign(canvas, { width: width * scale, height: height * scale });
    const context = canvas.getContext('2d');
    context.scale(scale, scale);
    const style = getComputedStyle(document.body);
    context.fillStyle = style.backgroundColor;
    context.fillRect(0, 0, width, height);
    context.fillStyle = style.color;
    context.font = `bold 14px ${style.fontFamily}`;
    context.fillText(`Cyklometrika – ${dates()}`, 8, 20);
    context.drawImage(month.picture, 8, 32, month.width, month.height);
    context.drawImage(bars.picture, month.width + 16, 32, bars.width, bars.height);
    legend(context, 8, height - 16);
    return new Promise((done) => canvas.toBlob(done, 'image/png'));
  }

  function legend(context, x, y) {
    context.font = `12px ${getComputedStyle(document.body).fontFamily}`;
    $('legend').querySelectorAll('li').forEach((item) => {
      context.fillStyle = getComputedStyle(item.querySelector('.swatch')).borderTopColor;
      context.fillRect(x, y - 5, 24, 4);
      context.fillStyle = getComputedStyle(document.body).color;
      const caption = item.childNodes[1].textContent;
      context.fillText(caption, x + 30, y);
      x += 40 + context.measureText(caption).width;
    });
  }

  async function share() {
    const name = `cyklometrika-${fields.slice(3).map((f) => Number(f.value)).join('-')}.png`;
    const file = new File([await picture()], name, { type: 'image/png' });
    const text = [dates(), $('Graph2-text').textContent, ...current.messages.map((m) => m.text)].join('\n');
    if (navigator.canShare && navigator.canShare({ files: [file] })) {
      // Cancelled by the person: nothing; refused by the system: downloaded instead.
      await navigator.share({ title: 'Cyklometrika', text, files: [file] })
        .catch((error) => error.name !== 'AbortError' && page.save(file, name));
    } else {
      page.save(file, name);
    }
  }

  $('share').addEventListener('click', share);
  page.shown.push(({ state }) => {
    current = state.day.visible ? state : null;
    $('share').hidden = !current;
    $('dates').textContent = current ? dates() : '';
  });
}
