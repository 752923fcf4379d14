// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/numeric_field.h"

#include "platform/effects.h"
#include "ui/handler_guard.h"

#include <QKeyEvent>

namespace cykl {

namespace {

constexpr char16_t Backspace = 8;

// Special keys other than these (and keys unknown to Qt) produce no character, whatever
// text the platform sends with them (some send DEL with the Delete key).
bool IsCharacterKey(int key)
{
    return key <= Qt::Key_Escape || key == Qt::Key_Backspace || key == Qt::Key_Return
        || key == Qt::Key_Enter || key == Qt::Key_unknown;
}

} // namespace

KeyVerdict FilterKey(char16_t c, qsizetype length, int limit)
{
    if (c == Backspace)
        return KeyVerdict::Pass;
    if (c < u'0' || c > u'9')
        return KeyVerdict::DiscardWithBeep; // the length test can only discard it again
    if (length > limit - 1)
        return KeyVerdict::DiscardSilently;
    return KeyVerdict::Pass;
}

char16_t KeyCharacter(const QKeyEvent &event)
{
    if (!IsCharacterKey(event.key()))
        return 0;
    const QString text = event.text();
    if (!text.isEmpty())
        return text.front().unicode();
    if (event.key() == Qt::Key_Backspace)
        return Backspace;
    // Some platforms deliver Ctrl+letter without its control code; derive it, so that the
    // clipboard shortcuts are refused like on the others.
    const bool control = event.modifiers().testFlag(Qt::ControlModifier);
    if (control && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
        return static_cast<char16_t>(event.key() - '@');
    return 0;
}

NumericField::NumericField(int limit, Beeper &beeper, HandlerGuard &guard, QWidget *parent)
    : QLineEdit(parent), limit_(limit), beeper_(beeper), guard_(guard)
{
    // Every character must come as a key event through the filter.
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void NumericField::keyPressEvent(QKeyEvent *event)
{
    const char16_t c = KeyCharacter(*event);
    if (c == 0) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    bool pass = false;
    guard_.Run([&] { pass = KeyPress(c); });
    if (pass)
        QLineEdit::keyPressEvent(event);
    else
        event->accept();
}

bool NumericField::KeyPress(char16_t c)
{
    switch (FilterKey(c, text().length(), limit_)) {
    case KeyVerdict::Pass:
        return true;
    case KeyVerdict::DiscardWithBeep:
        beeper_.Beep();
        return false;
    case KeyVerdict::DiscardSilently:
        return false;
    }
    return false;
}

} // namespace cykl
