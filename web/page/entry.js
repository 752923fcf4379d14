// SPDX-License-Identifier: GPL-3.0-or-later
// Typing into the fields: digits only, as the window's key filter allows, with the hint
// shown at the field for as long as it applies; spaces around pasted digits are dropped,
// and a whole date pasted into a field fills its three fields. The calendar picker
// follows the typed target date and fills it in turn.
import { $, isoDate, say } from './app.js';

export function setUpEntry(page) {
  const { fields } = page;
  const hintText = say('web.hint.digits');
  const yearText = say('web.hint.year');
  const hint = $('hint');

  // The hint sits below the field's group and names the field to assistive technology.
  function refuse(field, text = hintText) {
    field.setAttribute('aria-invalid', 'true');
    const group = field.closest('fieldset');
    if (group) group.append(hint);
    else field.closest('.critical-controls').after(hint);
    hint.textContent = text;
  }

  function accepted(field) {
    if (field.getAttribute('aria-invalid') !== 'true') return;
    field.removeAttribute('aria-invalid');
    hint.textContent = '';
  }

  // "5.3.1996", "5. 3. 1996" or "1996-03-05" as [day, month, year], else null; the year
  // in full, never guessed from two digits.
  const dateLike = /^\d{1,2}\.\s*\d{1,2}\.\s*\d+$|^\d+-\d{1,2}-\d{1,2}$/;
  function wholeDate(text) {
    const czech = /^(\d{1,2})\.\s*(\d{1,2})\.\s*(\d{4})$/.exec(text);
    const iso = /^(\d{4})-(\d{1,2})-(\d{1,2})$/.exec(text);
    return czech ? czech.slice(1, 4) : iso ? iso.slice(1, 4).reverse() : null;
  }

  function fillGroup(field, date) {
    const first = fields.indexOf(field) < 3 ? 0 : 3;
    date.forEach((text, i) => page.setField(fields[first + i], String(Number(text)), i === 2));
    fields[first + 2].focus();
  }

  // What the person put in (typed, pasted, dropped), trimmed: digits go in where the caret
  // is, a whole date fills the group, anything else is refused whole. A paste is read
  // whole, before the field's length cuts it.
  function insert(field, data, cancel, pasted) {
    const text = data.trim();
    const date = fields.includes(field) && wholeDate(text);
    if (/^[0-9]*$/.test(text) && text === data && !pasted) return;
    cancel();
    if (date) {
      fillGroup(field, date);
    } else if (/^[0-9]+$/.test(text)) {
      const room = field.maxLength - field.value.length + (field.selectionEnd - field.selectionStart);
      field.setRangeText(text.slice(0, Math.max(room, 0)), field.selectionStart, field.selectionEnd, 'end');
      field.dispatchEvent(new Event('input'));
    } else {
      refuse(field, fields.includes(field) && dateLike.test(text) ? yearText : hintText);
    }
  }

  page.guard = function (field, accept) {
    let kept = field.value;
    const take = (event, data, pasted) => data && insert(field, data, () => event.preventDefault(), pasted);
    field.addEventListener('beforeinput', (e) => take(e, e.data ?? (e.dataTransfer && e.dataTransfer.getData('text/plain'))));
    field.addEventListener('paste', (e) => take(e, e.clipboardData.getData('text/plain'), true));
    field.addEventListener('input', () => {
      const text = field.value.trim();
      if (/[^0-9]/.test(text)) {
        refuse(field);
        field.value = kept;
        return;
      }
      field.value = kept = text;
      accepted(field);
      accept(field, kept);
    });
    field.addEventListener('cyklset', () => {
      kept = field.value;
      accepted(field);
    });
  };
  fields.forEach((field) => page.guard(field, page.setField));

  // The picker shows the typed target day when it is one, and takes years 1 to 9999. While
  // a person types into it, the day it holds so far fills the fields but is never written
  // back into it, which would start its year again at each key; it follows on leaving.
  const picker = $('picker');
  function follow() {
    if (document.activeElement === picker) return;
    const [d, m, y] = fields.slice(3).map((f) => Number(f.value));
    const date = new Date(2000, m - 1, d);
    date.setFullYear(y);
    const real = y >= 1 && y <= 9999 && date.getDate() === d && date.getMonth() === m - 1;
    picker.value = real ? isoDate({ day: d, month: m, year: y }) : '';
  }
  fields.slice(3).forEach((field) => field.addEventListener('input', follow));
  fields.slice(3).forEach((field) => field.addEventListener('cyklset', follow));
  picker.addEventListener('change', () => {
    const [year, month, day] = picker.value.split('-').map(Number);
    if (year >= 1 && year <= 9999) page.fillTarget(day, month, year);
    else follow();
  });
  picker.addEventListener('blur', follow);
}
