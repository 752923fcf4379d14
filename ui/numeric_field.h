// SPDX-License-Identifier: GPL-3.0-or-later
// The six date fields: single-line text fields whose character keys pass a filter that
// lets through digits up to the field's limit and backspace, and beeps at anything else.
#pragma once

#include <QLineEdit>

class QKeyEvent;

namespace cykl {

class Beeper;
class HandlerGuard;

// What the filter does with one character key.
enum class KeyVerdict {
    Pass,
    DiscardSilently,
    DiscardWithBeep,
};

// The filter of one character code c for a field of the given limit that holds length
// characters (a selection counts too).
KeyVerdict FilterKey(char16_t c, qsizetype length, int limit);

// The character code a key event carries, or 0 when the key produces no character
// (arrows, Home, Delete, Tab, Shift, function keys).
char16_t KeyCharacter(const QKeyEvent &event);

class NumericField final : public QLineEdit {
    Q_OBJECT
public:
    NumericField(int limit, Beeper &beeper, HandlerGuard &guard, QWidget *parent);

    int Limit() const { return limit_; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The key handler: true when the key goes on to the field.
    bool KeyPress(char16_t c);

    int limit_;
    Beeper &beeper_;
    HandlerGuard &guard_;
};

} // namespace cykl
